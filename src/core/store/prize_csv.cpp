// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/prize_csv.h"

#include "common/money.h"
#include "common/prize_categories.h"
#include "store/csv_lines.h"
#include "store/day_serial.h"
#include "store/prize_months.h"
#include "store/prize_store.h"
#include "store/program_database.h"
#include "store/record_file.h"

#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

// A prize file is a few lines per draw: far below this.
constexpr qint64 MaxPrizeCsvBytes = 16LL * 1024 * 1024;
// The bad lines an error names before it stops counting them out.
constexpr int NamedBadLines = 10;

Error importError(const QString &text)
{
    return {ErrorKind::InvalidData, {text, u"Error"_s, MessageIcon::Exclamation}};
}

// The fields of one line split at its commas, a quoted field whole.
QStringList fieldsOf(const QString &line)
{
    QStringList fields(1);
    bool quoted = false;
    for (QChar c : line) {
        if (c == u'"')
            quoted = !quoted;
        else if (c == u',' && !quoted)
            fields.append(QString());
        else
            fields.last() += c;
    }
    for (QString &field : fields)
        field = field.trimmed();
    return fields;
}

QDate dateOf(const QString &text)
{
    const QDate iso = QDate::fromString(text, u"yyyy-MM-dd"_s);
    return iso.isValid() ? iso : QDate::fromString(text, u"dd/MM/yyyy"_s);
}

// The place among a draw's prizes of a category key ("5C", "5c"); -1 for none.
int categoryOf(const QString &key)
{
    for (const PrizeCategoryInfo &info : PrizeCategories) {
        if (key.compare(QString::fromUtf16(info.key), Qt::CaseInsensitive) == 0)
            return info.prizeIndex;
    }
    return -1;
}

QString categoryKeys()
{
    QStringList keys;
    for (const PrizeCategoryInfo &info : PrizeCategories)
        keys.append(QString::fromUtf16(info.key));
    return keys.mid(0, keys.size() - 1).join(u", "_s) + u" o "_s + keys.last();
}

} // namespace

Result<QList<DrawPrizes>> parsePrizeCsv(QByteArrayView csv, const QSet<QDate> &drawDates)
{
    static const QRegularExpression amount(u"^\\d{1,10}([.,]\\d{1,2})?$"_s);
    static const QRegularExpression whole(u"^\\d{1,9}$"_s);
    static const QRegularExpression twoDigits(u"^\\d{1,2}$"_s);
    QMap<QDate, DrawPrizes> prizes;
    QHash<std::pair<QDate, int>, qsizetype> lineOf;
    QStringList bad;
    qsizetype badCount = 0;
    for (const CsvLine &line : csvDataLines(csv, u"fecha")) {
        QStringList fields = fieldsOf(line.text);
        // A decimal comma left unquoted splits the prize in two.
        if (fields.size() == 5 && !line.text.contains(u'"') &&
            twoDigits.match(fields[3]).hasMatch()) {
            fields[2] += u',' + fields[3];
            fields.removeAt(3);
        }
        const auto refuse = [&](const QString &problem) {
            if (++badCount <= NamedBadLines)
                bad.append(u"Línea %1: %2"_s.arg(line.number).arg(problem));
        };
        if (fields.size() != 4) {
            refuse(u"se esperan 4 campos (fecha,categoria,premio,ganadores) y hay %1."_s.arg(
                fields.size()));
            continue;
        }
        const QDate date = dateOf(fields[0]);
        const int category = categoryOf(fields[1]);
        QString premio = fields[2];
        if (premio.endsWith(u"€"_s))
            premio = premio.chopped(1).trimmed();
        if (!date.isValid())
            refuse(u"la fecha «%1» no es válida (AAAA-MM-DD o DD/MM/AAAA)."_s.arg(fields[0]));
        else if (date < firstEuroDraw())
            refuse(u"el sorteo del %1 se pagó en pesetas; sólo se guardan premios en euros."_s.arg(
                shortDate(date)));
        else if (!drawDates.contains(date))
            refuse(u"no hay ningún sorteo guardado del %1."_s.arg(shortDate(date)));
        else if (category < 0)
            refuse(u"la categoría «%1» no existe (%2)."_s.arg(fields[1], categoryKeys()));
        else if (!amount.match(premio).hasMatch())
            refuse(u"el premio «%1» no es una cantidad en euros (1234,56 o 1234.56)."_s.arg(
                fields[2]));
        else if (!whole.match(fields[3]).hasMatch())
            refuse(u"los ganadores «%1» no son un número entero."_s.arg(fields[3]));
        else if (const auto seen = lineOf.constFind({date, category}); seen != lineOf.cend())
            refuse(u"la categoría %1 del %2 ya viene en la línea %3."_s
                       .arg(prizeCategoryKey(category), shortDate(date))
                       .arg(*seen));
        else {
            lineOf.insert({date, category}, line.number);
            DrawPrizes &draw = prizes[date];
            draw.date = date;
            draw.cents[category] = centsFromText(premio);
        }
    }
    if (badCount > NamedBadLines)
        bad.append(u"… y %1 líneas más."_s.arg(badCount - NamedBadLines));
    if (!bad.isEmpty())
        return importError(bad.join(u'\n') + u"\nNo se ha guardado ningún premio del archivo."_s);
    if (prizes.isEmpty())
        return importError(u"El archivo no tiene ninguna línea de premios."_s);
    return prizes.values();
}

Result<int> importPrizeCsv(const DataFolder &folder, const QString &path)
{
    Result<QByteArray> bytes = readFileCapped(path, MaxPrizeCsvBytes);
    if (!bytes)
        return bytes.error();
    Result<QList<DrawRecord>> stored = folder.draws().readAll();
    if (!stored)
        return stored.error();
    QSet<QDate> dates;
    for (const DrawRecord &draw : stored.value())
        dates.insert(draw.date());
    Result<QList<DrawPrizes>> prizes = parsePrizeCsv(bytes.value(), dates);
    if (!prizes)
        return prizes.error();
    Result<ProgramDatabase> db = ProgramDatabase::openIn(folder);
    if (!db)
        return db.error();
    if (Status kept = storePrizes(db.value(), prizes.value()); !kept)
        return kept.error();
    int count = 0;
    for (const DrawPrizes &draw : prizes.value())
        count += static_cast<int>(std::count_if(draw.cents.begin(), draw.cents.end(),
                                                [](const auto &c) { return c.has_value(); }));
    return count;
}

} // namespace zafrano
