// SPDX-License-Identifier: GPL-3.0-or-later
#include "checking/check_run.h"

#include "checking/multiple_breakdown.h"
#include "common/weekday_names.h"

#include <algorithm>
#include <bit>

namespace zafrano {

namespace {

using Mask = quint64;

Mask numberMask(qint16 number)
{
    return number >= 1 && number <= 63 ? Mask{1} << number : 0;
}

Mask drawMask(const DrawRecord &draw)
{
    Mask mask = 0;
    for (qint16 n : draw.numbers)
        mask |= numberMask(n);
    return mask;
}

bool isMultipleCheck(const SyndicateRecord &syndicate)
{
    return syndicate.betCount >= MultipleCode::First;
}

// The bets of one syndicate as bit masks, worked out once per check.
struct SyndicateMasks
{
    QList<Mask> bets; // simple: one per bet; multiple: its numbers in one mask
    // Indexed by QDate::dayOfWeek() (0 for a date that is not valid): whether
    // the syndicate plays a draw of that weekday, worked out once per check.
    std::array<bool, 8> playsDay{};
    QString name;
    bool multiple = false;
    bool passesFilter = false;
};

SyndicateMasks masksOf(const SyndicateRecord &syndicate, const CheckOptions &options)
{
    SyndicateMasks masks;
    for (int day = 0; day <= 7; ++day)
        masks.playsDay[day] = syndicate.playsOn(weekdayNameOf(day));
    masks.name = syndicate.nameText();
    masks.multiple = isMultipleCheck(syndicate);
    masks.passesFilter = options.syndicateName.isEmpty() || options.syndicateName == masks.name;
    if (masks.multiple) {
        Mask mask = 0;
        const int count = multipleNumberCount(syndicate);
        for (int k = 0; k < count; ++k)
            mask |= numberMask(syndicate.bets[0][k]);
        masks.bets.append(mask);
        return masks;
    }
    const int betCount = std::clamp<int>(syndicate.betCount, 0, SyndicateRecord::MaxBets);
    masks.bets.reserve(betCount);
    for (int b = 0; b < betCount; ++b) {
        Mask mask = 0;
        for (int k = 0; k < 6; ++k)
            mask |= numberMask(syndicate.bets[b][k]);
        masks.bets.append(mask);
    }
    return masks;
}

bool playsOn(const SyndicateMasks &masks, const DrawRecord &draw)
{
    return masks.playsDay[draw.date().dayOfWeek()];
}

// Adds one draw's prizes of a syndicate to a tally, slots 3..7.
void addPrizes(std::array<int, 5> &tally, const SyndicateRecord &syndicate,
               const SyndicateMasks &masks, const DrawRecord &draw)
{
    const Mask winning = drawMask(draw);
    const Mask complementario = numberMask(draw.complementario);
    if (masks.multiple) {
        const Mask bet = masks.bets.first();
        const int hits = std::popcount(bet & winning);
        if (!isMultiplePrizeRow(syndicate.betCount, hits))
            return;
        for (const BreakdownLine &line :
             multiplePrizeBreakdown(syndicate.betCount, hits, (bet & complementario) != 0))
            tally[tallySlot(line.category) - 3] += line.bets;
        return;
    }
    for (Mask bet : masks.bets) {
        const PrizeCategory category =
            prizeCategory(std::popcount(bet & winning), (bet & complementario) != 0);
        if (category != PrizeCategory::None)
            ++tally[tallySlot(category) - 3];
    }
}

// Every prize of the played draws newer than the counted-through date goes into
// the tallies, and the date moves to the newest draw; so do the prizes of the
// draws still to count on or before that date (the later ones are counted as
// new). Each draw that won something is added to `finds`, when given.
bool bringTalliesUpToDate(SyndicateRecord &syndicate, const SyndicateMasks &masks,
                          const QList<DrawRecord> &draws, const QList<double> &toCount,
                          QList<PrizeFind> *finds)
{
    const double newest = draws.last().drawDate;
    const auto after = [](double date, const DrawRecord &draw) { return date < draw.drawDate; };
    const auto firstUncounted =
        std::upper_bound(draws.cbegin(), draws.cend(), syndicate.countedThrough, after);
    QList<const DrawRecord *> uncounted;
    for (double date : toCount) {
        const auto draw = std::upper_bound(draws.cbegin(), firstUncounted, date, after);
        if (draw != draws.cbegin() && std::prev(draw)->drawDate == date)
            uncounted.append(&*std::prev(draw));
    }
    std::sort(uncounted.begin(), uncounted.end());
    uncounted.erase(std::unique(uncounted.begin(), uncounted.end()), uncounted.end());
    for (auto draw = firstUncounted; draw != draws.cend(); ++draw)
        uncounted.append(&*draw);
    std::array<int, 5> tally{};
    for (const DrawRecord *draw : std::as_const(uncounted)) {
        if (draw->drawDate < syndicate.createdOn || !playsOn(masks, *draw))
            continue;
        if (!finds) {
            addPrizes(tally, syndicate, masks, *draw);
            continue;
        }
        std::array<int, 5> won{};
        addPrizes(won, syndicate, masks, *draw);
        if (std::all_of(won.begin(), won.end(), [](int bets) { return bets == 0; }))
            continue;
        finds->append({draw->date(), masks.name, won});
        for (int slot = 0; slot < 5; ++slot)
            tally[slot] += won[slot];
    }
    // The date only moves forward: after the newest draw is deleted and fetched
    // again, its prizes are already in the tallies.
    bool changed = newest > syndicate.countedThrough;
    if (changed)
        syndicate.countedThrough = newest;
    for (int slot = 0; slot < 5; ++slot) {
        if (tally[slot] == 0)
            continue;
        syndicate.hits[slot] = saturatingAdd(syndicate.hits[slot], tally[slot]);
        changed = true;
    }
    return changed;
}

} // namespace

bool playsDraw(const SyndicateRecord &syndicate, const DrawRecord &draw)
{
    return draw.drawDate >= syndicate.createdOn &&
           syndicate.playsOn(weekdayNameOf(draw.date().dayOfWeek()));
}

std::array<int, 5> prizesInDraw(const SyndicateRecord &syndicate, const DrawRecord &draw)
{
    return PrizeCounter(syndicate).prizesIn(draw);
}

struct PrizeCounter::Ready
{
    SyndicateRecord syndicate;
    SyndicateMasks masks;
};

PrizeCounter::PrizeCounter(const SyndicateRecord &syndicate)
    : m_ready(std::make_unique<const Ready>(Ready{syndicate, masksOf(syndicate, {})}))
{}

PrizeCounter::~PrizeCounter() = default;

bool PrizeCounter::playsOn(const DrawRecord &draw) const
{
    return zafrano::playsOn(m_ready->masks, draw);
}

std::array<int, 5> PrizeCounter::prizesIn(const DrawRecord &draw) const
{
    std::array<int, 5> tally{};
    addPrizes(tally, m_ready->syndicate, m_ready->masks, draw);
    return tally;
}

CheckResults runCheck(const QList<DrawRecord> &draws, const QList<SyndicateRecord> &syndicates,
                      const CheckOptions &options, const CheckProgress &progress)
{
    CheckResults results;
    results.simple = ResultList(ResultListKind::Simple, draws, syndicates, options.prizesOnly);
    results.multiple = ResultList(ResultListKind::Multiple, draws, syndicates, options.prizesOnly);
    results.syndicates = syndicates;
    results.draws = draws;

    QList<SyndicateMasks> masks;
    masks.reserve(syndicates.size());
    for (const SyndicateRecord &syndicate : syndicates) {
        masks.append(masksOf(syndicate, options));
        results.hasMultiples = results.hasMultiples || masks.last().multiple;
    }
    if (draws.isEmpty())
        return results;

    const int newestIndex = static_cast<int>(draws.size()) - 1;
    const int oldestShown = std::max(0, newestIndex - std::max(options.drawCount, 1) + 1);
    QList<quint16> prizeBets;
    for (int d = newestIndex; d >= oldestShown; --d) {
        const DrawRecord &draw = draws[d];
        const int dayOfWeek = draw.date().dayOfWeek();
        const Mask winning = drawMask(draw);
        const Mask complementario = numberMask(draw.complementario);
        for (int s = 0; s < syndicates.size(); ++s) {
            const SyndicateMasks &syndicate = masks[s];
            if (!syndicate.passesFilter || !syndicate.playsDay[dayOfWeek])
                continue;
            if (!options.history && draw.drawDate < syndicates[s].createdOn)
                continue;
            if (syndicate.multiple) {
                const Mask bet = syndicate.bets.first();
                const int hits = std::popcount(bet & winning);
                results.multiplePrize =
                    results.multiplePrize || isMultiplePrizeRow(syndicates[s].betCount, hits);
                results.multiple.appendMultipleBlock(d, s, hits, (bet & complementario) != 0);
                continue;
            }
            prizeBets.clear();
            for (int b = 0; b < syndicate.bets.size(); ++b) {
                if (std::popcount(syndicate.bets[b] & winning) >= 3)
                    prizeBets.append(static_cast<quint16>(b));
            }
            results.simplePrize = results.simplePrize || !prizeBets.isEmpty();
            results.simple.appendSimpleBlock(d, s, static_cast<int>(syndicate.bets.size()),
                                             prizeBets);
        }
        if (progress)
            progress(newestIndex - d + 1, newestIndex - oldestShown + 1);
    }

    for (int s = 0; s < syndicates.size(); ++s) {
        if (masks[s].passesFilter &&
            bringTalliesUpToDate(results.syndicates[s], masks[s], draws,
                                 options.drawsToCount.value(masks[s].name),
                                 options.prizeFinds ? &results.finds : nullptr))
            results.changedRecords.append(s + 1);
    }
    return results;
}

} // namespace zafrano
