// SPDX-License-Identifier: GPL-3.0-or-later
#include "ledger/ledger_csv.h"

#include "store/day_serial.h"

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

// A field quoted when it holds the separator, a quote or a line break.
QString field(const QString &text)
{
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n'))
        return text;
    return u'"' + QString(text).replace(u"\""_s, u"\"\""_s) + u'"';
}

QString line(const QStringList &fields)
{
    QStringList quoted;
    for (const QString &text : fields)
        quoted.append(field(text));
    return quoted.join(u';') + u'\n';
}

// Without the thousands dots: a spreadsheet reads "1234,50" as a number.
QString amount(Cents cents)
{
    return moneyText(cents).remove(u'.');
}

} // namespace

QString movementsCsv(const LedgerBook &book)
{
    QString csv = line({u"Fecha"_s, u"Tipo"_s, u"Miembro"_s, u"Importe"_s, u"Nota"_s});
    for (const LedgerMovement &movement : book.movements)
        csv += line({shortDate(movement.date), movementKindName(movement.kind), movement.member,
                     amount(movement.cents), movement.note});
    return csv;
}

QString drawsCsv(const LedgerAccount &account)
{
    QString csv =
        line({u"Fecha"_s, u"Apuestas"_s, u"Coste"_s, u"Premios"_s, u"Reintegro"_s, u"Estado"_s});
    for (const DrawAccount &draw : account.draws)
        csv += line({shortDate(draw.date), QString::number(draw.bets), amount(draw.cost),
                     amount(draw.prizes), amount(draw.refund),
                     draw.pending                    ? u"pendiente"_s
                     : draw.prizes + draw.refund > 0 ? u"premiado"_s
                                                     : QString()});
    return csv;
}

} // namespace zafrano
