// SPDX-License-Identifier: GPL-3.0-or-later
// The prize table of the multiples, held against the six-number bets each
// multiple stands for, counted one by one.
#include "checking/check_run.h"
#include "checking/multiple_breakdown.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <array>
#include <bit>
#include <gtest/gtest.h>
#include <vector>

using namespace Qt::StringLiterals;
using namespace zafrano;

namespace {

// Tallies in slot order [3] [4] [5] [6] [7] (7 = 5 + complementario).
using Tally = std::array<int, 5>;

// The draw every case is checked against: 1..6, complementario 7.
DrawRecord testDraw()
{
    DrawRecord draw;
    draw.numbers = {1, 2, 3, 4, 5, 6};
    draw.complementario = 7;
    draw.reintegro = 0;
    draw.drawDate = 43388; // 15/10/2018
    return draw;
}

int slotOf(int hits, bool complementario)
{
    switch (hits) {
    case 3:
    case 4:
    case 6:
        return hits;
    case 5:
        return complementario ? 7 : 5;
    default:
        return 0;
    }
}

// One six-number bet against the test draw, added to a tally.
void countBet(Tally &tally, const std::vector<int> &bet)
{
    int hits = 0;
    bool complementario = false;
    for (int n : bet) {
        hits += n >= 1 && n <= 6;
        complementario = complementario || n == 7;
    }
    if (const int slot = slotOf(hits, complementario))
        ++tally[slot - 3];
}

// Every six-number bet of a multiple, counted one by one. The 5-number
// multiple stands for its numbers with each of the other 44 as the sixth.
Tally bruteForce(int code, const std::vector<int> &numbers)
{
    Tally tally{};
    if (code == 503) {
        for (int sixth = 1; sixth <= 49; ++sixth) {
            if (std::find(numbers.begin(), numbers.end(), sixth) != numbers.end())
                continue;
            std::vector<int> bet = numbers;
            bet.push_back(sixth);
            countBet(tally, bet);
        }
        return tally;
    }
    const int m = static_cast<int>(numbers.size());
    for (int subset = 0; subset < (1 << m); ++subset) {
        if (std::popcount(static_cast<unsigned>(subset)) != 6)
            continue;
        std::vector<int> bet;
        for (int i = 0; i < m; ++i) {
            if (subset & (1 << i))
                bet.push_back(numbers[i]);
        }
        countBet(tally, bet);
    }
    return tally;
}

int numbersOf(int code)
{
    static const std::array<int, 6> sizes = {7, 8, 5, 9, 10, 11};
    return sizes[code - 501];
}

// A multiple with `hits` winning numbers, the complementario when asked, and
// losing numbers from 20 up for the rest.
std::vector<int> multipleNumbers(int code, int hits, bool complementario)
{
    std::vector<int> numbers;
    for (int n = 1; n <= hits; ++n)
        numbers.push_back(n);
    if (complementario)
        numbers.push_back(7);
    for (int n = 20; static_cast<int>(numbers.size()) < numbersOf(code); ++n)
        numbers.push_back(n);
    // Winning numbers last, where a check that stops short would miss them.
    std::reverse(numbers.begin(), numbers.end());
    return numbers;
}

Tally tallyOfLines(const QList<BreakdownLine> &lines)
{
    Tally tally{};
    for (const BreakdownLine &line : lines)
        tally[tallySlot(line.category) - 3] += line.bets;
    return tally;
}

std::string caseName(int code, int hits, bool complementario)
{
    return std::to_string(code) + "/" + std::to_string(hits) + (complementario ? "/C" : "");
}

TEST(MultipleBreakdown, EveryCodeAndHitCountMatchesTheBetsItStandsFor)
{
    int casesWithPrize = 0;
    for (int code = 501; code <= 506; ++code) {
        const int m = numbersOf(code);
        for (int hits = 0; hits <= std::min(6, m); ++hits) {
            for (bool complementario : {false, true}) {
                if (complementario && hits == m)
                    continue; // no room left for the complementario
                const std::string name = caseName(code, hits, complementario);
                const std::vector<int> numbers = multipleNumbers(code, hits, complementario);
                const Tally expected = bruteForce(code, numbers);
                const bool wins = expected != Tally{};

                const QList<BreakdownLine> &lines =
                    multiplePrizeBreakdown(code, hits, complementario);
                EXPECT_EQ(tallyOfLines(lines), expected) << name;
                EXPECT_EQ(isMultiplePrizeRow(code, hits), wins) << name;
                casesWithPrize += wins;

                // The same through the check's own hit counting, from the record.
                SyndicateRecord syndicate;
                syndicate.betCount = static_cast<qint16>(code);
                std::copy(numbers.begin(), numbers.end(), syndicate.bets[0].begin());
                EXPECT_EQ(prizesInDraw(syndicate, testDraw()), expected) << name;
            }
        }
    }
    // Four winning hit counts per code, each with and without the complementario
    // where it fits: 5 × 8 for the larger multiples, 7 for the 5-number one.
    EXPECT_EQ(casesWithPrize, 47);
}

TEST(MultipleBreakdown, LinesComeInCategoryOrderAndSayWhatTheyCount)
{
    static const QRegularExpression pattern(
        u"^¡¡ Premio !! Tienes (\\d+) (apuestas?) de (\\d) aciertos( \\+ C)?\\.$"_s);
    // The wording players have always read: these say "apuesta" after a number above 1.
    const QSet<QString> singularAfterPlural = {
        u"502/5/C 2 apuesta de 5 aciertos."_s, u"503/4/C 2 apuesta de 5 aciertos + C."_s,
        u"504/5/C 3 apuesta de 5 aciertos."_s, u"505/5/C 4 apuesta de 5 aciertos."_s,
        u"506/5/C 5 apuesta de 5 aciertos."_s};
    QSet<QString> irregularSeen;
    for (int code = 501; code <= 506; ++code) {
        for (int hits = 0; hits <= 6; ++hits) {
            for (bool complementario : {false, true}) {
                const QList<BreakdownLine> &lines =
                    multiplePrizeBreakdown(code, hits, complementario);
                int lastSlotOrder = -1;
                for (const BreakdownLine &line : lines) {
                    const std::string name =
                        caseName(code, hits, complementario) + " " + line.text.toStdString();
                    const QRegularExpressionMatch match = pattern.match(line.text);
                    ASSERT_TRUE(match.hasMatch()) << name;
                    EXPECT_EQ(match.captured(1).toInt(), line.bets) << name;
                    EXPECT_EQ(prizeCategory(match.captured(3).toInt(), match.hasCaptured(4)),
                              line.category)
                        << name;
                    // Categories shown in the order 3, 4, 5, 5 + C, 6.
                    const int order = static_cast<int>(line.category);
                    EXPECT_GT(order, lastSlotOrder) << name;
                    lastSlotOrder = order;
                    const bool singular = match.captured(2) == u"apuesta"_s;
                    if (singular != (line.bets == 1)) {
                        irregularSeen.insert(
                            QString::fromStdString(caseName(code, hits, complementario)) + u' ' +
                            line.text.mid(20));
                    }
                }
            }
        }
    }
    EXPECT_EQ(irregularSeen, singularAfterPlural);
}

TEST(MultipleBreakdown, WordingOfSomeLinesVerbatim)
{
    auto texts = [](int code, int hits, bool complementario) {
        QStringList result;
        for (const BreakdownLine &line : multiplePrizeBreakdown(code, hits, complementario))
            result.append(line.text);
        return result;
    };
    EXPECT_EQ(texts(501, 5, true),
              (QStringList{u"¡¡ Premio !! Tienes 5 apuestas de 4 aciertos."_s,
                           u"¡¡ Premio !! Tienes 1 apuesta de 5 aciertos."_s,
                           u"¡¡ Premio !! Tienes 1 apuesta de 5 aciertos + C."_s}));
    EXPECT_EQ(texts(502, 5, true),
              (QStringList{u"¡¡ Premio !! Tienes 10 apuestas de 3 aciertos."_s,
                           u"¡¡ Premio !! Tienes 15 apuestas de 4 aciertos."_s,
                           u"¡¡ Premio !! Tienes 2 apuesta de 5 aciertos."_s,
                           u"¡¡ Premio !! Tienes 1 apuesta de 5 aciertos + C."_s}));
    EXPECT_EQ(texts(503, 2, false),
              QStringList{u"¡¡ Premio !! Tienes 4 apuestas de 3 aciertos."_s});
}

TEST(MultipleBreakdown, UnknownCodesAndHitCountsWinNothing)
{
    for (int code : {0, 12, 205, 500, 507, 600}) {
        for (int hits = -1; hits <= 7; ++hits) {
            EXPECT_TRUE(multiplePrizeBreakdown(code, hits, false).isEmpty()) << code << '/' << hits;
            EXPECT_TRUE(multiplePrizeBreakdown(code, hits, true).isEmpty()) << code << '/' << hits;
        }
    }
    EXPECT_TRUE(multiplePrizeBreakdown(501, 7, false).isEmpty());
    EXPECT_TRUE(multiplePrizeBreakdown(503, 6, false).isEmpty());
    EXPECT_TRUE(multiplePrizeBreakdown(503, 1, true).isEmpty());
}

} // namespace
