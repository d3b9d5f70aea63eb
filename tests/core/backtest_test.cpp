// SPDX-License-Identifier: GPL-3.0-or-later
// What bets would have won: a small season counted by hand (a pending draw, a
// reintegro, a draw day with no stored draw, the pesetas before 2002), and
// the same figures as the peña's account over a year of real draws.
#include "backtest/backtest.h"
#include "backtest/backtest_bets.h"
#include "backtest/backtest_sources.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

DrawRecord drawOn(QDate date, std::initializer_list<int> numbers, int complementario, int reintegro)
{
    return DrawRecord::fromBytes(drawBytes(numbers, complementario, reintegro, serialOf(date)));
}

// The categories in the table's order: 6, 5 + C, 5, 4, 3, then the reintegro.
DrawPrizes paid(QDate date, std::array<std::optional<qint64>, 6> cents)
{
    DrawPrizes prizes;
    prizes.date = date;
    prizes.cents = cents;
    return prizes;
}

} // namespace

TEST(Backtest, CountsASeasonByHand)
{
    const QDate mon(2024, 1, 1), tue(2024, 1, 2), wed(2024, 1, 3), nextMon(2024, 1, 8);
    const QDate pesetas(2001, 12, 31);
    const QList<DrawRecord> draws = {
        drawOn(pesetas, {1, 2, 3, 4, 5, 6}, 7, 0),     // 6 and 3 hits, in pesetas
        drawOn(mon, {1, 2, 3, 4, 5, 6}, 7, 3),         // A: 6 hits, B: 3
        drawOn(tue, {1, 2, 3, 10, 11, 12}, 13, 5),     // A and B: 3 hits; the reintegro
        drawOn(wed, {40, 41, 42, 43, 44, 45}, 46, 0),  // nothing
        drawOn(nextMon, {1, 2, 3, 4, 20, 21}, 22, 1)}; // A: 4 hits, B: 3; prizes unknown
    BacktestSources known;
    known.prizes = {{mon, paid(mon, {100'000'000, 5'000'000, 90'000, 2'500, 400, 50})},
                    {tue, paid(tue, {std::nullopt, std::nullopt, std::nullopt, 2'100, 400, 50})}};
    BacktestRequest request;
    request.bets = simpleBets({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 7, 8, 9}}).value();
    request.days = u"Todos"_s;
    request.from = mon;
    request.to = nextMon;
    request.prices = {{QDate(1985, 1, 1), 50}};
    request.reintegro = ReintegroDigit{5, QDate(2020, 1, 1)};

    const Result<Backtest> season = runBacktest(request, draws, known.lookup());
    ASSERT_TRUE(season) << season.error().message.text.toStdString();
    EXPECT_EQ(season->played, 4);
    EXPECT_EQ(season->betsPerDraw, 2);
    EXPECT_EQ(season->cost, 4 * 2 * 50);
    // 6 hits on Monday; 3 hits once on Monday and twice on Tuesday; the 4 and
    // the 3 of the next Monday are not known, and not taken for nothing.
    EXPECT_EQ(season->categories[0].bets, 1);
    EXPECT_EQ(season->categories[0].cents, 100'000'000);
    EXPECT_EQ(season->categories[3].bets, 1);
    EXPECT_EQ(season->categories[3].cents, 0);
    EXPECT_EQ(season->categories[4].bets, 4);
    EXPECT_EQ(season->categories[4].cents, 3 * 400);
    EXPECT_EQ(season->prizes, 100'001'200);
    EXPECT_EQ(season->refunds, 2 * 50);
    EXPECT_EQ(season->net(), 100'001'200 + 100 - 400);
    EXPECT_EQ(season->pending, QList<QDate>{nextMon});
    ASSERT_TRUE(season->best);
    EXPECT_EQ(season->best->date, mon);
    EXPECT_EQ(season->longestDry.draws, 1);
    EXPECT_EQ(season->longestDry.from, wed);
    ASSERT_EQ(season->cumulative.size(), 4);
    EXPECT_EQ(season->cumulative.first().net, 100'000'400 - 100);
    EXPECT_EQ(season->cumulative.last().net, season->net());
    // Thursday to Sunday were draw days with no stored draw.
    EXPECT_EQ(season->missing,
              (QList<QDate>{{2024, 1, 4}, {2024, 1, 5}, {2024, 1, 6}, {2024, 1, 7}}));

    // Mondays only, from the last draw in pesetas: its hits count, no money.
    request.days = u"Lunes"_s;
    request.from = pesetas;
    const Result<Backtest> mondays = runBacktest(request, draws, known.lookup());
    ASSERT_TRUE(mondays);
    EXPECT_EQ(mondays->played, 3);
    EXPECT_EQ(mondays->pesetaDraws, 1);
    EXPECT_EQ(mondays->cost, 2 * 2 * 50);
    EXPECT_EQ(mondays->categories[0].bets, 2);
    EXPECT_EQ(mondays->categories[0].cents, 100'000'000);
    EXPECT_EQ(mondays->refunds, 0);
    EXPECT_EQ(mondays->cumulative.size(), 2);
}

// The backtest of a peña over the draws its account counted gives the
// account's own figures: the same function turns each draw's hits into cents.
TEST(Backtest, AgreesWithThePenasAccount)
{
    QList<DrawRecord> year;
    for (const DrawRecord &draw : realHistory()) {
        if (draw.date().year() == 2025)
            year.append(draw);
    }
    ASSERT_GT(year.size(), 300);
    // Made-up euros for every draw; those of every seventh day not known yet.
    const PrizeLookup prizes = [](QDate date) -> std::optional<DrawPrizes> {
        if (date.day() % 7 == 0)
            return std::nullopt;
        return paid(date, {60'000'000, 8'000'000 + date.day(), 120'000 + date.dayOfYear(),
                           2'000 + date.month(), 400, 50});
    };
    SyndicateRecord nine = multipleBet(9, {3, 9, 14, 22, 27, 31, 38, 44, 47}).value();
    nine.setDays(u"Todos"_s);
    nine.createdOn = serialOf(2025, 2, 3);
    LedgerBook book;
    book.syndicate = u"NUEVE"_s;
    book.createdOn = QDate(2025, 2, 3);
    book.bets = {{book.createdOn, nine}};
    book.prices = {{QDate(1985, 1, 1), 50}, {QDate(2025, 7, 1), 60}};
    book.reintegro = ReintegroDigit{4, QDate(2025, 3, 1)};
    const LedgerAccount account = workOutAccount(book, year, prizes, QDate(2026, 1, 1));

    const Result<Backtest> backtest = runBacktest(
        {nine, u"Todos"_s, book.createdOn, year.last().date(), book.prices, book.reintegro}, year,
        prizes);
    ASSERT_TRUE(backtest);
    EXPECT_EQ(backtest->played, account.played());
    EXPECT_EQ(backtest->cost, account.cost);
    EXPECT_EQ(backtest->prizes + backtest->refunds, account.prizes);
    EXPECT_EQ(backtest->pending, account.pending);
    EXPECT_GT(backtest->prizes, 0);
    EXPECT_GT(backtest->refunds, 0);
    EXPECT_FALSE(backtest->pending.isEmpty());
}
