// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/draw_record.h"

#include "common/weekday_names.h"
#include "store/day_serial.h"
#include "store/little_endian.h"

using namespace Qt::StringLiterals;

namespace zafrano {

QDate DrawRecord::date() const
{
    return fromDaySerial(drawDate);
}

QByteArray DrawRecord::toBytes() const
{
    QByteArray bytes(Size, '\0');
    char *data = bytes.data();
    for (int i = 0; i < 6; ++i)
        le::writeInt16(data, 2 * i, numbers[i]);
    le::writeInt16(data, 12, complementario);
    le::writeInt16(data, 14, reintegro);
    le::writeDouble(data, 16, drawDate);
    return bytes;
}

DrawRecord DrawRecord::fromBytes(QByteArrayView bytes)
{
    Q_ASSERT(bytes.size() >= Size);
    const char *data = bytes.data();
    DrawRecord draw;
    for (int i = 0; i < 6; ++i)
        draw.numbers[i] = le::readInt16(data, 2 * i);
    draw.complementario = le::readInt16(data, 12);
    draw.reintegro = le::readInt16(data, 14);
    draw.drawDate = le::readDouble(data, 16);
    return draw;
}

QString drawEntryText(const DrawRecord &draw)
{
    QString text;
    text.reserve(32);
    for (int i = 0; i < 5; ++i) {
        if (draw.numbers[i] < 10)
            text += u' ';
        text += QString::number(draw.numbers[i]) + u'-';
    }
    text += QString::number(draw.numbers[5]);
    text += draw.numbers[5] > 9 ? u"  C: "_s : u"   C: "_s;
    text += QString::number(draw.complementario);
    if (draw.complementario < 10)
        text += u' ';
    text += u" R: "_s + QString::number(draw.reintegro);
    return text;
}

QString drawDateText(const DrawRecord &draw)
{
    return shortDate(draw.date()) + u"  "_s + weekdayName(draw.date());
}

} // namespace zafrano
