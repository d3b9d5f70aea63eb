// SPDX-License-Identifier: GPL-3.0-or-later
// The check run on small hand-made draws and syndicates: what the two result
// lists show, row by row, and what goes into the tallies.
#include "checking/check_run.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <initializer_list>

using namespace Qt::StringLiterals;
using namespace zafrano;
using zafrano::test::serialOf;

namespace {

using Numbers = std::initializer_list<int>;
using Bets = QList<QList<int>>;
// Tallies in slot order [3] [4] [5] [6] [7] (7 = 5 + complementario).
using Tally = std::array<qint16, 5>;

DrawRecord makeDraw(QDate date, Numbers numbers, int complementario, int reintegro = 0)
{
    DrawRecord draw;
    std::copy(numbers.begin(), numbers.end(), draw.numbers.begin());
    draw.complementario = static_cast<qint16>(complementario);
    draw.reintegro = static_cast<qint16>(reintegro);
    draw.drawDate = serialOf(date);
    return draw;
}

SyndicateRecord simpleSyndicate(const QString &name, const QString &days, QDate createdOn,
                                const Bets &bets)
{
    SyndicateRecord syndicate;
    syndicate.setName(name);
    syndicate.setDays(days);
    syndicate.createdOn = serialOf(createdOn);
    for (const QList<int> &bet : bets)
        std::copy(bet.begin(), bet.end(), syndicate.bets[syndicate.betCount++].begin());
    return syndicate;
}

// A multiple playing every draw day since 1 October 2018.
SyndicateRecord multipleSyndicate(const QString &name, int code, Numbers numbers)
{
    SyndicateRecord syndicate;
    syndicate.setName(name);
    syndicate.setDays(u"Todos"_s);
    syndicate.createdOn = serialOf(2018, 10, 1);
    syndicate.betCount = static_cast<qint16>(code);
    std::copy(numbers.begin(), numbers.end(), syndicate.bets[0].begin());
    return syndicate;
}

// A row as one line: the cells joined by '|', a colour as {rrggbb} after its text.
QString describe(const ResultList &list, int row)
{
    QStringList parts;
    for (const ResultCell &cell : list.rowCells(row)) {
        parts.append(cell.color ? cell.text + u"{%1}"_s.arg(*cell.color, 6, 16, QChar(u'0'))
                                : cell.text);
    }
    return parts.join(u'|');
}

QStringList describeAll(const ResultList &list)
{
    QStringList rows;
    for (int row = 0; row < list.rowCount(); ++row)
        rows.append(describe(list, row));
    return rows;
}

// The rows of the first block of a syndicate (index into the syndicates).
QStringList blockOf(const ResultList &list, int syndicate)
{
    for (const ResultBlock &block : list.blocks()) {
        if (block.syndicate != syndicate)
            continue;
        QStringList rows;
        for (int row = 0; row < block.rowCount; ++row)
            rows.append(describe(list, static_cast<int>(block.firstRow) + row));
        return rows;
    }
    return {};
}

// (draw, syndicate) of each block, in list order.
QList<std::pair<int, int>> blockOrder(const ResultList &list)
{
    QList<std::pair<int, int>> order;
    for (const ResultBlock &block : list.blocks())
        order.append({block.draw, block.syndicate});
    return order;
}

// The three heading rows of a block as describe() writes them.
QStringList headingRows(const QString &paddedName, const QString &dateAndDay, int numberColumns = 6)
{
    const QString empty = QString(u'|').repeated(numberColumns + 1);
    return {empty, empty + u"PEÑA "_s + paddedName + u"{800000}"_s,
            empty + dateAndDay + u"{008000}"_s};
}

// Monday 15, Tuesday 16, Thursday 18 October 2018 and a Sunday draw as the
// game had in its first years.
const QDate Monday(2018, 10, 15);
const QDate Tuesday(2018, 10, 16);
const QDate Wednesday(2018, 10, 17);
const QDate Thursday(2018, 10, 18);
const QDate Sunday(2018, 10, 21);

const QList<DrawRecord> Week = {makeDraw(Monday, {3, 7, 12, 25, 33, 41}, 5, 3),
                                makeDraw(Tuesday, {1, 2, 20, 26, 28, 8}, 39, 5),
                                makeDraw(Thursday, {5, 14, 22, 30, 31, 47}, 9, 0),
                                makeDraw(Sunday, {10, 11, 12, 13, 14, 15}, 16, 1)};

// Four bets, each with 3 hits in one draw of the week and none in the others.
const Bets ThreeEachDraw = {{3, 7, 12, 40, 42, 43},
                            {1, 2, 20, 40, 42, 43},
                            {5, 22, 30, 40, 42, 43},
                            {10, 11, 13, 40, 42, 43}};

CheckOptions showing(int drawCount)
{
    CheckOptions options;
    options.drawCount = drawCount;
    return options;
}

// ---------------------------------------------------------------- simple bets

TEST(CheckSimple, EachCategoryShowsItsMessageColourAndTallySlot)
{
    const QList<DrawRecord> draws = {Week[0]};
    const QList<SyndicateRecord> syndicates = {simpleSyndicate(u"PEÑA DEL BAR"_s, u"Todos"_s,
                                                               QDate(2018, 10, 1),
                                                               {{3, 7, 12, 25, 33, 5},
                                                                {41, 33, 25, 12, 7, 3},
                                                                {3, 7, 12, 25, 33, 44},
                                                                {3, 7, 12, 25, 44, 45},
                                                                {3, 7, 12, 44, 45, 46},
                                                                {3, 7, 5, 44, 45, 46},
                                                                {1, 2, 4, 6, 8, 9}})};
    const CheckResults results = runCheck(draws, syndicates, showing(1));

    // 5 + complementario: the complementario's own cell keeps the default colour.
    const QStringList expected =
        headingRows(u"PEÑA DEL BAR        "_s, u"15/10/2018 Lunes"_s) +
        QStringList{u"|3{ff0000}|7{ff0000}|12{ff0000}|25{ff0000}|33{ff0000}|5|"
                    u"¡¡ Premio !! 5 + COMPLEMENTARIO{c04000}"_s,
                    u"|41{ff0000}|33{ff0000}|25{ff0000}|12{ff0000}|7{ff0000}|3{ff0000}|"
                    u"¡¡ Premio !! Has acertado 6 números.{ff0000}"_s,
                    u"|3{ff0000}|7{ff0000}|12{ff0000}|25{ff0000}|33{ff0000}|44|"
                    u"¡¡ Premio !! Has acertado 5 números.{400040}"_s,
                    u"|3{ff0000}|7{ff0000}|12{ff0000}|25{ff0000}|44|45|"
                    u"¡¡ Premio !! Has acertado 4 números.{0000ff}"_s,
                    u"|3{ff0000}|7{ff0000}|12{ff0000}|44|45|46|"
                    u"¡¡ Premio !! Has acertado 3 números.{00c000}"_s,
                    // Two hits and the complementario win nothing.
                    u"|3{ff0000}|7{ff0000}|5|44|45|46|"_s, u"|1|2|4|6|8|9|"_s};
    EXPECT_EQ(describeAll(results.simple), expected);
    EXPECT_EQ(results.multiple.rowCount(), 0);

    // 5 + C goes to slot 7 alone, never to slot 5 as well.
    EXPECT_EQ(results.syndicates[0].hits, (Tally{1, 1, 1, 1, 1}));
    EXPECT_EQ(results.syndicates[0].countedThrough, serialOf(Monday));
    EXPECT_EQ(results.changedRecords, QList<int>{1});
    EXPECT_TRUE(results.simplePrize);
    EXPECT_FALSE(results.multiplePrize);
    EXPECT_FALSE(results.hasMultiples);
}

TEST(CheckSimple, SyndicatePlaysItsWeekdayOrEveryDrawIncludingSundays)
{
    const QList<SyndicateRecord> syndicates = {
        simpleSyndicate(u"JUEVES"_s, u"Jueves"_s, QDate(2018, 10, 1), ThreeEachDraw),
        simpleSyndicate(u"TODOS"_s, u"Todos"_s, QDate(2018, 10, 1), ThreeEachDraw)};
    const CheckResults results = runCheck(Week, syndicates, showing(4));

    // Newest draw first, syndicates in record order within a draw.
    EXPECT_EQ(blockOrder(results.simple),
              (QList<std::pair<int, int>>{{3, 1}, {2, 0}, {2, 1}, {1, 1}, {0, 1}}));
    EXPECT_EQ(describe(results.simple, 2), u"|||||||21/10/2018 Domingo{008000}"_s);
    EXPECT_EQ(blockOf(results.simple, 0)[2], u"|||||||18/10/2018 Jueves{008000}"_s);
    EXPECT_EQ(results.syndicates[0].hits, (Tally{1, 0, 0, 0, 0}));
    EXPECT_EQ(results.syndicates[1].hits, (Tally{4, 0, 0, 0, 0}));
    // Both are counted through the newest draw, played or not.
    EXPECT_EQ(results.syndicates[0].countedThrough, serialOf(Sunday));
    EXPECT_EQ(results.syndicates[1].countedThrough, serialOf(Sunday));
}

TEST(CheckSimple, DomingoPlaysTheRealSundayDrawsOnly)
{
    // The real draws of September 2022 to 9 October: every day from the 25th.
    QList<DrawRecord> draws;
    for (const DrawRecord &draw : test::realHistory()) {
        if (draw.date() >= QDate(2022, 9, 1) && draw.date() <= QDate(2022, 10, 9))
            draws.append(draw);
    }
    // Bet 1 is Sunday 25 September's six; bet 2 has 3 hits on Sunday 2 October.
    const Bets bets = {{12, 14, 29, 35, 37, 39}, {1, 2, 3, 5, 17, 18}};
    const QList<SyndicateRecord> syndicates = {
        simpleSyndicate(u"DOMINGO"_s, u"Domingo"_s, QDate(2022, 9, 1), bets),
        simpleSyndicate(u"TODOS"_s, u"Todos"_s, QDate(2022, 9, 1), bets),
        simpleSyndicate(u"SABADO"_s, u"Sábado"_s, QDate(2022, 9, 1), bets)};
    const CheckResults results = runCheck(draws, syndicates, showing(8));

    // Of the shown week only the two Sundays list the "Domingo" syndicate.
    QList<QDate> shownSundays;
    for (const ResultBlock &block : results.simple.blocks()) {
        if (block.syndicate == 0)
            shownSundays.append(results.draws[block.draw].date());
    }
    EXPECT_EQ(shownSundays, (QList<QDate>{QDate(2022, 10, 9), QDate(2022, 10, 2)}));
    // Six hits on the first Sunday draw, three on the second; "Todos" also
    // has 3 hits on Friday 7 October.
    EXPECT_EQ(results.syndicates[0].hits, (Tally{1, 0, 0, 1, 0}));
    EXPECT_EQ(results.syndicates[1].hits, (Tally{2, 0, 0, 1, 0}));
    EXPECT_EQ(results.syndicates[2].hits, (Tally{0, 0, 0, 0, 0}));
    EXPECT_EQ(results.syndicates[0].countedThrough, serialOf(2022, 10, 9));
}

TEST(CheckSimple, HistoryShowsDrawsBeforeCreationButNeverCountsThem)
{
    const QList<DrawRecord> draws = Week.first(3);
    const QList<SyndicateRecord> syndicates = {
        simpleSyndicate(u"NUEVA"_s, u"Todos"_s, Wednesday, ThreeEachDraw)};

    const CheckResults current = runCheck(draws, syndicates, showing(3));
    EXPECT_EQ(blockOrder(current.simple), (QList<std::pair<int, int>>{{2, 0}}));

    CheckOptions withHistory = showing(3);
    withHistory.history = true;
    const CheckResults history = runCheck(draws, syndicates, withHistory);
    EXPECT_EQ(blockOrder(history.simple), (QList<std::pair<int, int>>{{2, 0}, {1, 0}, {0, 0}}));
    EXPECT_EQ(describe(history.simple, (3 + 4) * 2 + 3),
              u"|3{ff0000}|7{ff0000}|12{ff0000}|40|42|43|"
              u"¡¡ Premio !! Has acertado 3 números.{00c000}"_s);

    for (const CheckResults *results : {&current, &history}) {
        EXPECT_EQ(results->syndicates[0].hits, (Tally{1, 0, 0, 0, 0}));
        EXPECT_EQ(results->syndicates[0].countedThrough, serialOf(Thursday));
    }

    // The draw of the creation day itself is played and counted.
    const QList<SyndicateRecord> sinceTuesday = {
        simpleSyndicate(u"DEL MARTES"_s, u"Todos"_s, Tuesday, ThreeEachDraw)};
    const CheckResults fromTuesday = runCheck(draws, sinceTuesday, showing(3));
    EXPECT_EQ(blockOrder(fromTuesday.simple), (QList<std::pair<int, int>>{{2, 0}, {1, 0}}));
    EXPECT_EQ(fromTuesday.syndicates[0].hits, (Tally{2, 0, 0, 0, 0}));
}

TEST(CheckSimple, PrizesOnlyKeepsTheHeadingAndThePrizeBetsOnly)
{
    const QList<DrawRecord> draws = {Week[0]};
    const QList<SyndicateRecord> syndicates = {
        simpleSyndicate(u"SIN PREMIO"_s, u"Todos"_s, QDate(2018, 10, 1),
                        {{3, 7, 5, 44, 45, 46}, {1, 2, 4, 6, 8, 9}}),
        simpleSyndicate(u"CON PREMIO"_s, u"Todos"_s, QDate(2018, 10, 1),
                        {{1, 2, 4, 6, 8, 9}, {41, 3, 12, 25, 1, 2}, {3, 7, 10, 11, 13, 14}})};

    CheckOptions prizesOnly = showing(1);
    prizesOnly.prizesOnly = true;
    const CheckResults pruned = runCheck(draws, syndicates, prizesOnly);
    EXPECT_EQ(describeAll(pruned.simple),
              headingRows(u"CON PREMIO          "_s, u"15/10/2018 Lunes"_s) +
                  QStringList{u"|41{ff0000}|3{ff0000}|12{ff0000}|25{ff0000}|1|2|"
                              u"¡¡ Premio !! Has acertado 4 números.{0000ff}"_s});
    // What is shown does not change what is counted.
    EXPECT_EQ(pruned.syndicates[1].hits, (Tally{0, 1, 0, 0, 0}));
    EXPECT_EQ(pruned.syndicates[0].countedThrough, serialOf(Monday));

    const CheckResults whole = runCheck(draws, syndicates, showing(1));
    EXPECT_EQ(whole.simple.rowCount(), (3 + 2) + (3 + 3));

    // Nobody wins: no row at all.
    const CheckResults none = runCheck(draws, syndicates.first(1), prizesOnly);
    EXPECT_EQ(none.simple.rowCount(), 0);
    EXPECT_TRUE(none.simple.blocks().isEmpty());
    EXPECT_FALSE(none.simplePrize);
}

TEST(CheckSimple, NameFilterShowsAndCountsOnlyThatSyndicate)
{
    const QList<DrawRecord> draws = Week.first(3);
    QList<SyndicateRecord> syndicates = {
        simpleSyndicate(u"PRIMERA"_s, u"Todos"_s, QDate(2018, 10, 1), ThreeEachDraw),
        simpleSyndicate(u"SEGUNDA"_s, u"Todos"_s, QDate(2018, 10, 1), ThreeEachDraw),
        multipleSyndicate(u"TERCERA"_s, 501, {3, 7, 12, 25, 40, 42, 43})};
    for (SyndicateRecord &syndicate : syndicates)
        syndicate.countedThrough = serialOf(QDate(2018, 10, 13));

    CheckOptions filtered = showing(3);
    filtered.syndicateName = u"SEGUNDA"_s;
    const CheckResults results = runCheck(draws, syndicates, filtered);
    EXPECT_EQ(blockOrder(results.simple), (QList<std::pair<int, int>>{{2, 1}, {1, 1}, {0, 1}}));
    EXPECT_EQ(results.multiple.rowCount(), 0);
    EXPECT_EQ(results.changedRecords, QList<int>{2});
    EXPECT_EQ(results.syndicates[0], syndicates[0]);
    EXPECT_EQ(results.syndicates[2], syndicates[2]);
    EXPECT_EQ(results.syndicates[1].hits, (Tally{3, 0, 0, 0, 0}));
    EXPECT_EQ(results.syndicates[1].countedThrough, serialOf(Thursday));

    // The others are still counted in full by the next unfiltered run.
    const CheckResults later = runCheck(draws, results.syndicates, showing(1));
    EXPECT_EQ(later.syndicates[0].hits, (Tally{3, 0, 0, 0, 0}));
    EXPECT_EQ(later.syndicates[1].hits, (Tally{3, 0, 0, 0, 0}));
    EXPECT_EQ(later.syndicates[2].hits, (Tally{4, 3, 0, 0, 0}));
    EXPECT_EQ(later.changedRecords, (QList<int>{1, 3}));
}

TEST(CheckSimple, RunningTwiceAddsNothing)
{
    const QList<SyndicateRecord> syndicates = {
        simpleSyndicate(u"TODOS"_s, u"Todos"_s, QDate(2018, 10, 1), ThreeEachDraw),
        multipleSyndicate(u"MULTIPLE"_s, 503, {3, 7, 40, 42, 44}),
        multipleSyndicate(u"ONCE"_s, 506, {5, 14, 22, 30, 31, 47, 9, 1, 2, 3, 7})};
    const CheckResults first = runCheck(Week, syndicates, showing(4));
    ASSERT_EQ(first.changedRecords, (QList<int>{1, 2, 3}));

    const CheckResults second = runCheck(Week, first.syndicates, showing(4));
    EXPECT_TRUE(second.changedRecords.isEmpty());
    EXPECT_EQ(second.syndicates, first.syndicates);
    // The lists show the same prizes again.
    EXPECT_EQ(describeAll(second.simple), describeAll(first.simple));
    EXPECT_EQ(describeAll(second.multiple), describeAll(first.multiple));
    EXPECT_TRUE(second.simplePrize);
    EXPECT_TRUE(second.multiplePrize);
}

TEST(CheckSimple, NewDrawsBeyondTheShownOnesAreStillCountedOnce)
{
    const QList<DrawRecord> draws = Week.first(3);
    SyndicateRecord syndicate =
        simpleSyndicate(u"TODOS"_s, u"Todos"_s, QDate(2018, 10, 1), ThreeEachDraw);

    const CheckResults fresh = runCheck(draws, {syndicate}, showing(1));
    EXPECT_EQ(blockOrder(fresh.simple), (QList<std::pair<int, int>>{{2, 0}}));
    EXPECT_EQ(fresh.syndicates[0].hits, (Tally{3, 0, 0, 0, 0}));

    // Counted through Tuesday: Monday and Tuesday are not counted again.
    syndicate.countedThrough = serialOf(Tuesday);
    const CheckResults partly = runCheck(draws, {syndicate}, showing(3));
    EXPECT_EQ(partly.syndicates[0].hits, (Tally{1, 0, 0, 0, 0}));
    EXPECT_EQ(partly.syndicates[0].countedThrough, serialOf(Thursday));
}

TEST(CheckSimple, ADeletedNewestDrawFetchedAgainIsNotCountedTwice)
{
    const SyndicateRecord syndicate =
        simpleSyndicate(u"TODOS"_s, u"Todos"_s, QDate(2018, 10, 1), ThreeEachDraw);
    const CheckResults all = runCheck(Week.first(3), {syndicate}, showing(1));

    // The newest draw is deleted: the counted-through date stays where it was.
    const CheckResults shorter = runCheck(Week.first(2), all.syndicates, showing(1));
    EXPECT_TRUE(shorter.changedRecords.isEmpty());
    EXPECT_EQ(shorter.syndicates[0].countedThrough, all.syndicates[0].countedThrough);

    // Fetched again, it adds nothing.
    const CheckResults again = runCheck(Week.first(3), shorter.syndicates, showing(1));
    EXPECT_EQ(again.syndicates[0].hits, all.syndicates[0].hits);
}

// ---------------------------------------------------------------- multiples

TEST(CheckMultiple, SevenNumbersWithFiveWinningAndTheComplementario)
{
    const QList<SyndicateRecord> syndicates = {
        multipleSyndicate(u"SIETE"_s, 501, {3, 7, 12, 25, 33, 5, 44})};
    const CheckResults results = runCheck({Week[0]}, syndicates, showing(1));

    const QString empty12 = QString(u'|').repeated(12);
    EXPECT_EQ(
        describeAll(results.multiple),
        headingRows(u"SIETE               "_s, u"15/10/2018 Lunes"_s, 11) +
            QStringList({u"|3{ff0000}|7{ff0000}|12{ff0000}|25{ff0000}|33{ff0000}|5|44|||||"
                         u"¡¡ Premio !! Tienes 5 apuestas de 4 aciertos.{0000ff}"_s,
                         empty12 + u"¡¡ Premio !! Tienes 1 apuesta de 5 aciertos.{400040}"_s,
                         empty12 + u"¡¡ Premio !! Tienes 1 apuesta de 5 aciertos + C.{c04000}"_s}));
    EXPECT_EQ(results.multiple.columnCount(), 13);
    EXPECT_EQ(results.multiple.columnTitle(12), u"Comentario"_s);
    EXPECT_EQ(results.simple.rowCount(), 0);
    EXPECT_EQ(results.syndicates[0].hits, (Tally{0, 5, 1, 0, 1}));
    EXPECT_TRUE(results.multiplePrize);
    EXPECT_FALSE(results.simplePrize);
    EXPECT_TRUE(results.hasMultiples);
}

TEST(CheckMultiple, FiveNumbersWithTwoHitsIsAPrizeEvenWithPrizesOnly)
{
    const QList<SyndicateRecord> syndicates = {
        multipleSyndicate(u"CINCO"_s, 503, {3, 7, 40, 42, 44})};
    const QString betRow = u"|3{ff0000}|7{ff0000}|40|42|44|||||||"
                           u"¡¡ Premio !! Tienes 4 apuestas de 3 aciertos.{00c000}"_s;
    const QStringList heading = headingRows(u"CINCO               "_s, u"15/10/2018 Lunes"_s, 11);

    const CheckResults whole = runCheck({Week[0]}, syndicates, showing(1));
    // Its lines end with an empty row.
    EXPECT_EQ(describeAll(whole.multiple),
              heading + QStringList({betRow, QString(u'|').repeated(12)}));
    EXPECT_EQ(whole.syndicates[0].hits, (Tally{4, 0, 0, 0, 0}));

    CheckOptions prizesOnly = showing(1);
    prizesOnly.prizesOnly = true;
    const CheckResults pruned = runCheck({Week[0]}, syndicates, prizesOnly);
    EXPECT_EQ(describeAll(pruned.multiple), heading + QStringList{betRow});
    EXPECT_TRUE(pruned.multiplePrize);
}

TEST(CheckMultiple, ElevenNumbersWithSixHits)
{
    const QList<SyndicateRecord> syndicates = {
        multipleSyndicate(u"ONCE"_s, 506, {1, 2, 3, 7, 12, 25, 33, 41, 44, 45, 46})};
    const CheckResults results = runCheck({Week[0]}, syndicates, showing(1));
    const QStringList rows = blockOf(results.multiple, 0);
    ASSERT_EQ(rows.size(), 3 + 4);
    EXPECT_EQ(rows[3], u"|1|2|3{ff0000}|7{ff0000}|12{ff0000}|25{ff0000}|33{ff0000}|41{ff0000}|"
                       u"44|45|46|¡¡ Premio !! Tienes 200 apuestas de 3 aciertos.{00c000}"_s);
    EXPECT_TRUE(rows[6].endsWith(u"|¡¡ Premio !! Tienes 1 apuesta de 6 aciertos.{ff0000}"_s));
    EXPECT_EQ(results.syndicates[0].hits, (Tally{200, 150, 30, 1, 0}));
}

TEST(CheckMultiple, TwoHitsShowTheNumbersWithoutMessage)
{
    const QList<SyndicateRecord> syndicates = {
        multipleSyndicate(u"OCHO"_s, 502, {3, 7, 40, 42, 44, 45, 46, 5})};
    const CheckResults results = runCheck({Week[0]}, syndicates, showing(1));
    EXPECT_EQ(describeAll(results.multiple),
              headingRows(u"OCHO                "_s, u"15/10/2018 Lunes"_s, 11) +
                  QStringList{u"|3{ff0000}|7{ff0000}|40|42|44|45|46|5||||"_s});
    EXPECT_EQ(results.syndicates[0].hits, (Tally{}));
    EXPECT_FALSE(results.multiplePrize);

    CheckOptions prizesOnly = showing(1);
    prizesOnly.prizesOnly = true;
    const CheckResults pruned = runCheck({Week[0]}, syndicates, prizesOnly);
    EXPECT_EQ(pruned.multiple.rowCount(), 0);
    EXPECT_EQ(pruned.syndicates[0].countedThrough, serialOf(Monday));
}

// ---------------------------------------------------------------- damaged and full records

TEST(CheckTallies, TallyStopsAt32767AndTheRunGoesOn)
{
    SyndicateRecord simple = simpleSyndicate(u"LLENA"_s, u"Todos"_s, QDate(2018, 10, 1),
                                             {{3, 7, 12, 40, 42, 43}, {3, 7, 25, 40, 42, 43}});
    simple.setHit(3, 32766);
    SyndicateRecord multiple =
        multipleSyndicate(u"ONCE"_s, 506, {1, 2, 3, 7, 12, 25, 33, 41, 44, 45, 46});
    multiple.setHit(3, 32700);
    multiple.setHit(4, 5);
    const SyndicateRecord after =
        simpleSyndicate(u"DESPUES"_s, u"Todos"_s, QDate(2018, 10, 1), {{3, 7, 12, 25, 40, 42}});

    const CheckResults results = runCheck({Week[0]}, {simple, multiple, after}, showing(1));
    EXPECT_EQ(results.syndicates[0].hits, (Tally{32767, 0, 0, 0, 0}));
    EXPECT_EQ(results.syndicates[1].hits, (Tally{32767, 155, 30, 1, 0}));
    EXPECT_EQ(results.syndicates[2].hits, (Tally{0, 1, 0, 0, 0}));
    for (const SyndicateRecord &syndicate : results.syndicates)
        EXPECT_EQ(syndicate.countedThrough, serialOf(Monday));
    // Later syndicates are still listed.
    EXPECT_EQ(blockOrder(results.simple), (QList<std::pair<int, int>>{{0, 0}, {0, 2}}));

    const CheckResults again = runCheck({Week[0]}, results.syndicates, showing(1));
    EXPECT_EQ(again.syndicates, results.syndicates);
}

TEST(CheckTallies, DamagedBetCountNeverReadsOutOfRange)
{
    SyndicateRecord tooMany;
    tooMany.setName(u"DEMASIADAS"_s);
    tooMany.setDays(u"Todos"_s);
    tooMany.betCount = 300;
    for (auto &bet : tooMany.bets)
        bet = {1, 2, 4, 6, 8, 9};
    tooMany.bets.back() = {3, 7, 12, 40, 42, 43}; // bet 205 wins

    SyndicateRecord none = simpleSyndicate(u"NINGUNA"_s, u"Todos"_s, QDate(1990, 1, 1), {});
    SyndicateRecord negative = none;
    negative.betCount = -4;
    negative.bets[0] = {3, 7, 12, 25, 33, 41};
    SyndicateRecord unknownCode = multipleSyndicate(u"RARA"_s, 600, {3, 7, 12, 25, 33, 41, 5});
    SyndicateRecord nonsense = multipleSyndicate(u"RARA2"_s, 32767, {3, 7, 12, 25, 33, 41, 5});

    const QList<SyndicateRecord> syndicates = {tooMany, none, negative, unknownCode, nonsense};
    for (bool prizesOnly : {false, true}) {
        CheckOptions options = showing(1);
        options.prizesOnly = prizesOnly;
        const CheckResults results = runCheck({Week[0]}, syndicates, options);
        for (const ResultList *list : {&results.simple, &results.multiple}) {
            for (int row = -1; row <= list->rowCount(); ++row) {
                for (int column = -1; column <= list->columnCount(); ++column)
                    (void)list->cell(row, column);
            }
            EXPECT_EQ(list->cell(list->rowCount(), 0).text, QString());
            EXPECT_EQ(list->cell(0, list->columnCount()).text, QString());
        }
        EXPECT_EQ(results.syndicates[0].hits, (Tally{1, 0, 0, 0, 0}));
        for (int s = 1; s < syndicates.size(); ++s)
            EXPECT_EQ(results.syndicates[s].hits, Tally{}) << s;
        if (prizesOnly) {
            EXPECT_EQ(blockOf(results.simple, 0).size(), 4);
            EXPECT_EQ(results.multiple.rowCount(), 0);
        } else {
            EXPECT_EQ(blockOf(results.simple, 0).size(), 3 + 205);
            EXPECT_EQ(blockOf(results.simple, 1).size(), 3);
            EXPECT_EQ(blockOf(results.simple, 2).size(), 3);
            // A code the table does not know shows no numbers and no message.
            EXPECT_EQ(blockOf(results.multiple, 3).value(3), QString(u'|').repeated(12));
        }
    }
}

} // namespace
