// SPDX-License-Identifier: GPL-3.0-or-later
#include "backtest/backtest.h"

#include "calendar/draw_calendar.h"
#include "calendar/weekday.h"
#include "checking/check_run.h"
#include "checking/prize_category.h"
#include "ledger/price_history.h"
#include "store/day_serial.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

Error refused(const QString &text)
{
    return {ErrorKind::InvalidData, {text, u"¿Cuánto habría ganado?"_s, MessageIcon::Exclamation}};
}

// "de los lunes", "de los sábados"; nothing for every day.
QString daysPhrase(const QString &days)
{
    if (days == everyDrawDay())
        return {};
    const QString day = days.toLower();
    return u" de los "_s + (day.endsWith(u's') ? day : day + u's');
}

// The place of a tally slot (3..7) in PrizeCategories.
constexpr std::array<int, 5> categoryOfSlot = [] {
    std::array<int, 5> places{};
    for (std::size_t k = 0; k < PrizeCategories.size(); ++k)
        places[static_cast<std::size_t>(PrizeCategories[k].slot - 3)] = static_cast<int>(k);
    return places;
}();

} // namespace

std::optional<double> Backtest::returnPercent() const
{
    if (cost <= 0)
        return std::nullopt;
    return 100.0 * static_cast<double>(prizes + refunds) / static_cast<double>(cost);
}

Result<Backtest> runBacktest(const BacktestRequest &request, const QList<DrawRecord> &draws,
                             const PrizeLookup &prizesOf)
{
    if (!request.from.isValid() || !request.to.isValid())
        return refused(u"Falta una fecha del periodo."_s);
    if (request.from > request.to)
        return refused(u"La fecha de inicio ("_s + shortDate(request.from) +
                       u") es posterior a la final ("_s + shortDate(request.to) + u")."_s);
    if (!weekdayNames().contains(request.days) && request.days != everyDrawDay())
        return refused(u"«"_s + request.days + u"» no es un día de juego."_s);

    SyndicateRecord played = request.bets;
    played.setDays(request.days);
    const PrizeCounter counter(played);
    const auto first =
        std::lower_bound(draws.cbegin(), draws.cend(), toDaySerial(request.from),
                         [](const DrawRecord &draw, double day) { return draw.drawDate < day; });
    const auto last =
        std::upper_bound(first, draws.cend(), toDaySerial(request.to) + 0.999,
                         [](double day, const DrawRecord &draw) { return day < draw.drawDate; });

    Backtest result;
    result.betsPerDraw = played.sixNumberBets();
    const QDate euros = firstEuroDraw();
    DryRun dry;
    for (auto draw = first; draw != last; ++draw) {
        if (!counter.playsOn(*draw))
            continue;
        ++result.played;
        const std::array<int, 5> winning = counter.prizesIn(*draw);
        const bool won = std::any_of(winning.begin(), winning.end(), [](int n) { return n > 0; });
        for (std::size_t slot = 0; slot < winning.size(); ++slot)
            result.categories[categoryOfSlot[slot]].bets += winning[slot];
        const QDate date = draw->date();
        if (won) {
            dry = {};
        } else {
            dry = {dry.draws + 1, dry.draws == 0 ? date : dry.from, date};
            if (dry.draws > result.longestDry.draws)
                result.longestDry = dry;
        }
        if (date < euros) {
            ++result.pesetaDraws;
            continue;
        }
        const DrawAccount account =
            playedDrawAccount(*draw, result.betsPerDraw, priceOn(request.prices, date), winning,
                              request.reintegro, prizesOf);
        result.cost += account.cost;
        result.prizes += account.prizes;
        result.refunds += account.refund;
        for (std::size_t slot = 0; slot < account.won.size(); ++slot)
            result.categories[categoryOfSlot[slot]].cents += account.won[slot];
        if (account.pending)
            result.pending.append(date);
        const Cents back = account.prizes + account.refund;
        if (back > 0 && (!result.best || back > result.best->prizes + result.best->refund))
            result.best = account;
        result.cumulative.append({date, result.net()});
    }
    if (result.played == 0)
        return refused(u"No hay ningún sorteo guardado"_s + daysPhrase(request.days) + u" del "_s +
                       shortDate(request.from) + u" al "_s + shortDate(request.to) + u"."_s);
    const QList<DrawRecord> period(first, last);
    for (QDate day : missingDrawDays(period)) {
        if (played.playsOn(weekdayName(day)))
            result.missing.append(day);
    }
    return result;
}

} // namespace zafrano
