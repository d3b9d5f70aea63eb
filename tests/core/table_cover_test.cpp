// SPDX-License-Identifier: GPL-3.0-or-later
// The promise of a reduction table, checked against every possible draw: the
// bit-mask check against a plain one, and every table the program ships.
#include "systems/draw_cover.h"
#include "systems/table_check.h"
#include "systems/tables_file.h"
#include "test_paths.h"
#include "test_support.h"

#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <vector>

using namespace Qt::StringLiterals;
using namespace zafrano;

namespace {

PositionMask maskOf(std::initializer_list<int> positions)
{
    PositionMask mask = 0;
    for (const int p : positions)
        mask |= PositionMask{1} << (p - 1);
    return mask;
}

// The same question asked the slow way: every draw as a set of numbers.
std::int64_t uncoveredTheSlowWay(int n, int g, const std::vector<std::set<int>> &bets)
{
    std::vector<int> pick = {1, 2, 3, 4, 5, 6};
    std::int64_t uncovered = 0;
    while (true) {
        const bool covered = std::any_of(bets.begin(), bets.end(), [&](const std::set<int> &bet) {
            return std::count_if(pick.begin(), pick.end(),
                                 [&](int x) { return bet.count(x) > 0; }) >= g;
        });
        uncovered += covered ? 0 : 1;
        int i = 5;
        while (i >= 0 && pick[i] == n - 5 + i)
            --i;
        if (i < 0)
            return uncovered;
        ++pick[i];
        for (int j = i + 1; j < 6; ++j)
            pick[j] = pick[j - 1] + 1;
    }
}

ReductionTables shippedTables()
{
    Result<ReductionTables> file = readReductionTables(QString::fromUtf8(test::TablesFile));
    EXPECT_TRUE(file.ok()) << test::TablesFile;
    return file ? file.value() : ReductionTables();
}

} // namespace

TEST(DrawCover, FullSystemOfSevenAndOneMissingBet)
{
    std::vector<PositionMask> all;
    for (int left = 1; left <= 7; ++left)
        all.push_back(allPositions(7) & ~maskOf({left}));
    const DrawCoverCheck whole = checkDrawCover(7, 6, all);
    EXPECT_EQ(whole.draws, 7);
    EXPECT_TRUE(whole.holds());

    // For six hits a draw is covered only by itself.
    all.erase(all.begin() + 2);
    const DrawCoverCheck missing = checkDrawCover(7, 6, all);
    EXPECT_EQ(missing.uncovered, 1);
    EXPECT_EQ(missing.firstUncovered, maskOf({1, 2, 4, 5, 6, 7}));
    EXPECT_TRUE(checkDrawCover(7, 5, std::vector<PositionMask>{all.front()}).holds());
}

TEST(DrawCover, CountsEveryDrawOfTwentyNumbers)
{
    const DrawCoverCheck none = checkDrawCover(20, 3, {});
    EXPECT_EQ(none.draws, 38760);
    EXPECT_EQ(none.uncovered, 38760);
    EXPECT_EQ(none.firstUncovered, maskOf({1, 2, 3, 4, 5, 6}));
}

TEST(DrawCover, AgreesWithTheSlowCheckOnRandomSystems)
{
    QRandomGenerator random(7);
    for (int round = 0; round < 120; ++round) {
        const int n = 6 + static_cast<int>(random.bounded(6));
        const int g = 2 + static_cast<int>(random.bounded(5));
        const int count = 1 + static_cast<int>(random.bounded(8));
        std::vector<PositionMask> masks;
        std::vector<std::set<int>> sets;
        for (int j = 0; j < count; ++j) {
            std::set<int> bet;
            while (bet.size() < 6)
                bet.insert(1 + static_cast<int>(random.bounded(n)));
            PositionMask mask = 0;
            for (const int p : bet)
                mask |= PositionMask{1} << (p - 1);
            masks.push_back(mask);
            sets.push_back(bet);
        }
        ASSERT_EQ(checkDrawCover(n, g, masks).uncovered, uncoveredTheSlowWay(n, g, sets))
            << "N=" << n << " G=" << g << " bets=" << count;
    }
}

TEST(VerifyTable, NamesTheTableAndADrawItLeavesWithoutItsPrize)
{
    // Two bets of nine numbers promising four hits: 1 2 3 7 8 9 meets each in three.
    const ReductionTable table =
        parseReductionTables("9\r\n4\r\n2\r\n010203040506\r\n040506070809\r\n").tables[0];
    const TableVerdict verdict = verifyTable(table);
    EXPECT_FALSE(verdict.holds);
    EXPECT_GT(verdict.cover.uncovered, 0);
    EXPECT_EQ(verdict.cover.firstUncovered, maskOf({1, 2, 3, 7, 8, 9}));
    EXPECT_TRUE(verdict.problem.contains(u"9 números al 4, 2 apuestas."_s))
        << qPrintable(verdict.problem);
    EXPECT_TRUE(verdict.problem.contains(u"1, 2, 3, 7, 8, 9"_s)) << qPrintable(verdict.problem);

    const TableVerdict cut = verifyTable(parseReductionTables("9\r\n3\r\n2\r\n").tables[0]);
    EXPECT_FALSE(cut.holds);
    EXPECT_FALSE(cut.problem.isEmpty());
}

TEST(ShippedTables, EveryTableKeepsItsPromiseForEveryDraw)
{
    const ReductionTables file = shippedTables();
    ASSERT_FALSE(file.tables.isEmpty());
    for (const ReductionTable &table : file.tables) {
        const TableVerdict verdict = verifyTable(table);
        EXPECT_TRUE(verdict.holds) << qPrintable(verdict.problem);
    }
}

TEST(ShippedTables, OrderedCoveringSevenToTwentyWithNoTableBeatenByAnother)
{
    const ReductionTables file = shippedTables();
    ASSERT_FALSE(file.tables.isEmpty());
    std::set<int> counts;
    for (qsizetype i = 0; i < file.tables.size(); ++i) {
        const ReductionTable &table = file.tables[i];
        counts.insert(table.numbers);
        EXPECT_TRUE(table.guarantee >= 3 && table.guarantee <= 5) << table.index;
        EXPECT_LE(table.betCount, 205) << table.index;
        if (i > 0) {
            const ReductionTable &before = file.tables[i - 1];
            EXPECT_TRUE(before.numbers < table.numbers ||
                        (before.numbers == table.numbers && before.guarantee < table.guarantee))
                << "table " << table.index << " out of order";
            // Same N: a higher guarantee must cost more bets, or the lower one is pointless.
            if (before.numbers == table.numbers) {
                EXPECT_LT(before.betCount, table.betCount) << "table " << before.index;
            }
        }
    }
    EXPECT_EQ(counts.size(), 14u);
    EXPECT_EQ(*counts.begin(), 7);
    EXPECT_EQ(*counts.rbegin(), 20);
}

TEST(ShippedTables, WrittenWithCrLfLineEnds)
{
    const QByteArray bytes = test::readBytes(QString::fromUtf8(test::TablesFile));
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    EXPECT_EQ(bytes.count('\r'), bytes.count("\r\n"));
}
