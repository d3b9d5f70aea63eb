// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/settings.h"

#include "store/little_endian.h"
#include "store/windows1252.h"

#include <QDir>
#include <QLocale>
#include <cmath>
#include <cstring>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

constexpr int PrintOffsetXOffset = 2;
constexpr int PrintOffsetYOffset = 6;
constexpr int Reserved10Offset = 10;
constexpr int PricePerBetOffset = 12;
constexpr int MaxMonthsOffset = 16;
constexpr int WebAddressOffset = 18;
constexpr int Reserved78Offset = 78;

// Spanish players type a decimal comma; a point is taken the same way.
std::optional<double> parseDecimal(const QString &text)
{
    QString normalised = text.trimmed();
    normalised.replace(u',', u'.');
    bool ok = false;
    const double value = QLocale::c().toDouble(normalised, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The length of a field without its leading and trailing spaces (only spaces).
qsizetype spaceTrimmedLength(const std::array<char, Settings::WebAddressWidth> &field)
{
    qsizetype first = 0;
    qsizetype last = field.size();
    while (first < last && field[first] == ' ')
        ++first;
    while (last > first && field[last - 1] == ' ')
        --last;
    return last - first;
}

} // namespace

Settings::Settings()
{
    webAddress.fill(' ');
}

QString Settings::webAddressText() const
{
    return windows1252::decodeField(QByteArrayView(webAddress.data(), WebAddressWidth));
}

void Settings::setWebAddress(const QString &text)
{
    const QByteArray bytes = windows1252::encodeField(text, WebAddressWidth);
    std::memcpy(webAddress.data(), bytes.constData(), WebAddressWidth);
}

QByteArray Settings::toBytes() const
{
    QByteArray bytes(Size, '\0');
    char *data = bytes.data();
    le::writeInt16(data, 0, reserved0);
    le::writeFloat(data, PrintOffsetXOffset, printOffsetX);
    le::writeFloat(data, PrintOffsetYOffset, printOffsetY);
    le::writeInt16(data, Reserved10Offset, reserved10);
    le::writeFloat(data, PricePerBetOffset, pricePerBet);
    le::writeInt16(data, MaxMonthsOffset, maxMonths);
    std::memcpy(data + WebAddressOffset, webAddress.data(), WebAddressWidth);
    le::writeInt16(data, Reserved78Offset, reserved78);
    return bytes;
}

Settings Settings::fromBytes(QByteArrayView bytes)
{
    Q_ASSERT(bytes.size() >= Size);
    const char *data = bytes.data();
    Settings settings;
    settings.reserved0 = le::readInt16(data, 0);
    settings.printOffsetX = le::readFloat(data, PrintOffsetXOffset);
    settings.printOffsetY = le::readFloat(data, PrintOffsetYOffset);
    settings.reserved10 = le::readInt16(data, Reserved10Offset);
    settings.pricePerBet = le::readFloat(data, PricePerBetOffset);
    settings.maxMonths = le::readInt16(data, MaxMonthsOffset);
    std::memcpy(settings.webAddress.data(), data + WebAddressOffset, WebAddressWidth);
    settings.reserved78 = le::readInt16(data, Reserved78Offset);
    return settings;
}

QString defaultWebAddress()
{
    return u"www.zafrano.es"_s;
}

QString formerWebAddress()
{
    return u"www.zafrano.com/bonoloto"_s;
}

SettingsFile::SettingsFile(const QString &folder)
    : m_file(QDir(folder).filePath(QString::fromUtf16(FileName)), Settings::Size, 64 * 1024)
{}

Settings SettingsFile::readAtStartup() const
{
    Settings settings;
    if (!m_file.exists()) {
        settings.setWebAddress(defaultWebAddress());
        settings.pricePerBet = NewFilePricePerBet;
        (void)write(settings); // a folder that cannot be written still starts
        return settings;
    }
    // A record that cannot be read counts as all zeros; its address of 60 NULs is
    // then full width and gives way to the default, as any full-width address does.
    Result<QByteArray> record = m_file.read(1);
    if (record) {
        settings = Settings::fromBytes(record.value());
    } else {
        settings = Settings::fromBytes(QByteArray(Settings::Size, '\0'));
    }
    const QString address = settings.webAddressText();
    if (spaceTrimmedLength(settings.webAddress) == Settings::WebAddressWidth ||
        address == formerWebAddress()) {
        settings.setWebAddress(defaultWebAddress());
        (void)write(settings);
    }
    return settings;
}

Status SettingsFile::write(const Settings &settings) const
{
    return m_file.write(1, settings.toBytes(), TrailingBytes::PadWithZeros);
}

PriceEdit editDecimal(const QString &text, float lastValid)
{
    const std::optional<double> value = parseDecimal(text);
    if (!value) {
        // An empty box, or the sign that starts a negative number, is a number
        // still being typed: the last value stays and the box is left alone.
        if (text.trimmed().isEmpty() || text.trimmed() == u"-"_s)
            return {lastValid, std::nullopt};
        return {lastValid, priceText(lastValid)};
    }
    return {static_cast<float>(*value), std::nullopt};
}

MonthsEdit editMonths(const QString &text, qint16 lastValid)
{
    qint16 value = 0;
    if (!text.trimmed().isEmpty()) {
        const std::optional<double> number = parseDecimal(text);
        // A whole number as the player expects it: halves go to the even one (2,5 → 2).
        const double whole = number ? std::nearbyint(*number) : 0;
        if (!number || whole < -32768 || whole > 32767)
            return {lastValid, QString::number(lastValid)};
        value = static_cast<qint16>(whole);
    }
    return {std::max<qint16>(value, 2), std::nullopt};
}

QString priceText(float price)
{
    return QString::number(static_cast<double>(price), 'g', 7).replace(u'.', u',');
}

} // namespace zafrano
