// SPDX-License-Identifier: GPL-3.0-or-later
#include "systems/reduced_bets.h"

#include "systems/table_check.h"

#include <bitset>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

bool distinctDrawNumbers(const QList<int> &numbers)
{
    std::bitset<50> seen;
    for (const int number : numbers) {
        if (number < 1 || number > 49 || seen.test(static_cast<std::size_t>(number)))
            return false;
        seen.set(static_cast<std::size_t>(number));
    }
    return true;
}

} // namespace

Result<SyndicateRecord> expandReducedBets(SyndicateRecord syndicate, const ReductionTable &table,
                                          const QList<int> &baseNumbers)
{
    if (Result<QList<PositionMask>> masks = tableBetMasks(table); !masks)
        return masks.error();
    if (baseNumbers.size() != table.numbers || !distinctDrawNumbers(baseNumbers))
        return Error{ErrorKind::InvalidData,
                     {u"La tabla de reducción elegida pide %1 números distintos del 1 al 49."_s.arg(
                          table.numbers),
                      u"¡Vaya hombre!"_s, MessageIcon::Exclamation}};

    syndicate.reducedFrom = static_cast<qint16>(table.numbers);
    syndicate.reducedGuarantee = static_cast<qint16>(table.guarantee);
    syndicate.reducedNumbers.fill(0);
    for (qsizetype i = 0; i < baseNumbers.size(); ++i)
        syndicate.reducedNumbers[i] = static_cast<qint16>(baseNumbers[i]);
    for (SyndicateRecord::Bet &bet : syndicate.bets)
        bet.fill(0);
    for (qsizetype j = 0; j < table.bets.size(); ++j) {
        for (qsizetype k = 0; k < 6; ++k)
            syndicate.bets[j][k] = static_cast<qint16>(baseNumbers[table.bets[j][k] - 1]);
    }
    syndicate.betCount = static_cast<qint16>(table.betCount);
    return syndicate;
}

} // namespace zafrano
