// SPDX-License-Identifier: GPL-3.0-or-later
#include "checking/check_and_keep.h"

#include "checking/prize_category.h"

#include <ranges>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

// The categories from the lowest up, each with the bets it grew by.
QStringList winningLines(const QList<SyndicateRecord> &before, const CheckResults &results)
{
    QStringList lines;
    for (int record : results.changedRecords) {
        const SyndicateRecord &old = before.at(record - 1);
        const SyndicateRecord &now = results.syndicates.at(record - 1);
        QStringList won;
        for (const PrizeCategoryInfo &category : std::views::reverse(PrizeCategories)) {
            if (const int added = now.hit(category.slot) - old.hit(category.slot); added > 0)
                won.append(u"%1 %2"_s.arg(QString::fromUtf16(category.shortName)).arg(added));
        }
        if (!won.isEmpty())
            lines.append(u"Premio en la peña "_s + now.nameText() + u": "_s + won.join(u", "_s));
    }
    return lines;
}

} // namespace

KeptCheck checkAndKeep(const SyndicatesFile &file, const QList<DrawRecord> &draws,
                       const QList<SyndicateRecord> &syndicates, const CheckOptions &options,
                       TallyWrite write, const CheckProgress &progress)
{
    KeptCheck check;
    check.results = runCheck(draws, syndicates, options, progress);
    if (write == TallyWrite::Keep && !check.results.changedRecords.isEmpty()) {
        check.kept = file.writeAll(check.results.syndicates);
        if (!check.kept) {
            check.results.syndicates = syndicates;
            check.results.changedRecords.clear();
            check.results.finds.clear();
            return check;
        }
    }
    check.winningLines = winningLines(syndicates, check.results);
    return check;
}

} // namespace zafrano
