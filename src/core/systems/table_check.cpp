// SPDX-License-Identifier: GPL-3.0-or-later
#include "systems/table_check.h"

#include "store/syndicate_record.h"
#include "systems/table_list.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

Error unusable(const ReductionTable &table, const QString &reason)
{
    return Error{ErrorKind::InvalidData,
                 {u"La tabla de reducción %1 (%2) no se puede usar: %3"_s.arg(table.index)
                      .arg(tableEntryText(table), reason),
                  u"¡Vaya hombre!"_s, MessageIcon::Exclamation}};
}

QString positionsText(PositionMask mask)
{
    QStringList positions;
    for (int p = 1; p <= MaxSystemNumbers; ++p) {
        if (mask & (PositionMask{1} << (p - 1)))
            positions.append(QString::number(p));
    }
    return positions.join(u", "_s);
}

} // namespace

Result<QList<PositionMask>> tableBetMasks(const ReductionTable &table)
{
    if (table.numbers < 6 || table.numbers > MaxSystemNumbers)
        return unusable(
            table, u"es de %1 números y una reducida ha de tener de 6 a 20."_s.arg(table.numbers));
    if (table.betCount < 1 || table.betCount > SyndicateRecord::MaxBets)
        return unusable(table,
                        u"tiene %1 apuestas y una peña admite de 1 a 205."_s.arg(table.betCount));
    if (table.guarantee < 1 || table.guarantee > 6)
        return unusable(
            table, u"promete %1 aciertos y una apuesta tiene 6 números."_s.arg(table.guarantee));
    if (!table.complete())
        return unusable(table,
                        u"el archivo termina tras %1 de sus %2 apuestas."_s.arg(table.bets.size())
                            .arg(table.betCount));
    QList<PositionMask> masks;
    masks.reserve(table.bets.size());
    for (qsizetype j = 0; j < table.bets.size(); ++j) {
        PositionMask mask = 0;
        for (const int position : table.bets[j]) {
            if (position < 1 || position > table.numbers)
                return unusable(table, u"la apuesta %1 señala la posición %2, fuera de los %3 "
                                       u"números."_s.arg(j + 1)
                                           .arg(position)
                                           .arg(table.numbers));
            const PositionMask bit = PositionMask{1} << (position - 1);
            if (mask & bit)
                return unusable(table,
                                u"la apuesta %1 repite la posición %2."_s.arg(j + 1).arg(position));
            mask |= bit;
        }
        masks.append(mask);
    }
    return masks;
}

TableVerdict verifyTable(const ReductionTable &table)
{
    TableVerdict verdict;
    Result<QList<PositionMask>> masks = tableBetMasks(table);
    if (!masks) {
        verdict.problem = masks.error().message.text;
        return verdict;
    }
    verdict.cover = checkDrawCover(table.numbers, table.guarantee, masks.value());
    verdict.holds = verdict.cover.holds();
    if (!verdict.holds)
        verdict.problem =
            u"La tabla de reducción %1 (%2) no cumple lo que promete: %3 de las %4 jugadas "
            u"posibles %5 %6 aciertos en ninguna apuesta; la primera, con los números de las "
            u"posiciones %7."_s.arg(table.index)
                .arg(tableEntryText(table))
                .arg(verdict.cover.uncovered)
                .arg(verdict.cover.draws)
                .arg(verdict.cover.uncovered == 1 ? u"no tiene"_s : u"no tienen"_s)
                .arg(table.guarantee)
                .arg(positionsText(verdict.cover.firstUncovered));
    return verdict;
}

} // namespace zafrano
