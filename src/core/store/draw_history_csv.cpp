// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/draw_history_csv.h"

#include "store/csv_lines.h"
#include "store/day_serial.h"
#include "store/draw_rule.h"
#include "store/record_file.h"

#include <QString>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

Error csvError(qsizetype line, const QString &problem)
{
    return {ErrorKind::InvalidData,
            {u"El archivo CSV de sorteos no es válido (línea %1: %2)."_s.arg(line).arg(problem),
             u"¡Vaya hombre!"_s, MessageIcon::Exclamation}};
}

} // namespace

Result<QList<DrawRecord>> parseDrawHistoryCsv(QByteArrayView csv, QDate today)
{
    QList<DrawRecord> draws;
    for (const CsvLine &line : csvDataLines(csv, u"fecha")) {
        const QStringList fields = line.text.split(u',');
        if (fields.size() != 9)
            return csvError(line.number, u"se esperaban 9 campos"_s);
        DrawRecord draw;
        const QDate date = QDate::fromString(fields[0].trimmed(), u"yyyy-MM-dd"_s);
        if (!date.isValid())
            return csvError(line.number, u"fecha no válida"_s);
        // A draw still to come would stop every later one from being added.
        if (today.isValid() && date > today)
            return csvError(line.number,
                            u"el sorteo del %1 es posterior a hoy"_s.arg(shortDate(date)));
        draw.drawDate = toDaySerial(date);
        std::array<int, 8> values{};
        for (int f = 0; f < 8; ++f) {
            bool ok = false;
            values[f] = fields[f + 1].trimmed().toInt(&ok);
            if (!ok || values[f] < 0 || values[f] > 99)
                return csvError(line.number, u"número no válido"_s);
        }
        for (int n = 0; n < 6; ++n)
            draw.numbers[n] = static_cast<qint16>(values[n]);
        draw.complementario = static_cast<qint16>(values[6]);
        draw.reintegro = static_cast<qint16>(values[7]);
        draws.append(draw);
    }
    std::stable_sort(draws.begin(), draws.end(), [](const DrawRecord &a, const DrawRecord &b) {
        return a.drawDate < b.drawDate;
    });
    // A row that is no draw gets the message every road gives it.
    if (Status valid = checkDrawSequence(draws); !valid)
        return valid.error();
    return draws;
}

Result<QList<DrawRecord>> readDrawHistoryCsv(const QString &path, QDate today)
{
    Result<QByteArray> bytes = readFileCapped(path, 64LL * 1024 * 1024);
    if (!bytes)
        return bytes.error();
    return parseDrawHistoryCsv(bytes.value(), today);
}

} // namespace zafrano
