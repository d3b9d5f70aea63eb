// SPDX-License-Identifier: GPL-3.0-or-later
// The number statistics: the counting pass shared with the draws list, the two
// halves of the chart, the ranking, the period and the texts that describe a
// selection.
#include "stats/draw_listing.h"
#include "stats/number_counts.h"
#include "stats/statistics_selection.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

DrawRecord draw(std::array<qint16, 6> numbers, qint16 complementario, qint16 reintegro, QDate date)
{
    DrawRecord record;
    record.numbers = numbers;
    record.complementario = complementario;
    record.reintegro = reintegro;
    record.drawDate = serialOf(date);
    return record;
}

WeekdayFilter onlyDays(std::initializer_list<int> days) // 0 = Monday … 6 = Sunday
{
    WeekdayFilter filter;
    filter.ticked.fill(false);
    for (int day : days)
        filter.ticked[day] = true;
    return filter;
}

NumberCounts countsOf(const QList<DrawRecord> &draws, double start = 0,
                      const WeekdayFilter &filter = {})
{
    Result<DrawListing> listing = listDraws(draws, start, filter);
    EXPECT_TRUE(listing.ok());
    return listing ? listing->counts : NumberCounts{};
}

constexpr int Monday = 0, Tuesday = 1, Saturday = 5, Sunday = 6;

// Monday 15 to Sunday 21 October 2018.
const QDate Mon(2018, 10, 15), Tue(2018, 10, 16), Sat(2018, 10, 20), Sun(2018, 10, 21);

// ---------------------------------------------------------------- counting

TEST(NumberCounting, CountsOnlyTheSixWinningNumbers)
{
    // 7 and 8 come out only as complementario; the reintegro 9 is a digit.
    const NumberCounts counts =
        countsOf({draw({1, 2, 3, 4, 5, 6}, 7, 9, Mon), draw({1, 10, 20, 30, 40, 49}, 8, 1, Tue)});
    EXPECT_EQ(counts.timesOf(1), 2);
    EXPECT_EQ(counts.timesOn(1, Monday), 1);
    EXPECT_EQ(counts.timesOn(1, Tuesday), 1);
    EXPECT_EQ(counts.timesOf(49), 1);
    EXPECT_EQ(counts.timesOn(49, Tuesday), 1);
    for (int number : {7, 8, 9})
        EXPECT_EQ(counts.timesOf(number), 0) << number;
    int total = 0;
    for (int times : counts.overall)
        total += times;
    EXPECT_EQ(total, 12);
}

TEST(NumberCounting, SundayCountsForItsOwnDayInTheRealHistory)
{
    const QList<DrawRecord> &history = test::realHistory();
    const auto listed = [&history](const WeekdayFilter &filter) {
        Result<DrawListing> listing = listDraws(history, 0, filter);
        EXPECT_TRUE(listing.ok());
        return listing ? std::move(listing).value() : DrawListing{};
    };
    const auto columnTotal = [](const NumberCounts &counts, int day) {
        int total = 0;
        for (int number = 1; number <= NumberCounts::Numbers; ++number)
            total += counts.timesOn(number, day);
        return total;
    };

    // Every day: all the draws, and the 471 Sunday draws in their own column.
    const DrawListing all = listed({});
    EXPECT_EQ(all.count(), 9361);
    EXPECT_EQ(columnTotal(all.counts, Sunday), 471 * 6);
    for (int number = 1; number <= NumberCounts::Numbers; ++number) {
        int byDay = 0;
        for (int day = 0; day < NumberCounts::DrawDays; ++day)
            byDay += all.counts.timesOn(number, day);
        EXPECT_EQ(byDay, all.counts.timesOf(number)) << number;
    }

    // Monday to Saturday leaves the Sundays out; Sunday alone keeps only them.
    const DrawListing weekdays = listed(onlyDays({0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(weekdays.count(), 9361 - 471);
    EXPECT_EQ(columnTotal(weekdays.counts, Sunday), 0);
    const DrawListing sundays = listed(onlyDays({Sunday}));
    EXPECT_EQ(sundays.count(), 471);
    EXPECT_EQ(sundays.oldestListed, QDate(1988, 2, 28));
    EXPECT_EQ(sundays.newestListed, QDate(2026, 8, 16));
    EXPECT_EQ(columnTotal(sundays.counts, Saturday), 0);
    for (int number = 1; number <= NumberCounts::Numbers; ++number)
        EXPECT_EQ(sundays.counts.timesOn(number, Sunday), all.counts.timesOn(number, Sunday));
}

TEST(NumberCounting, FollowsTheDaysAndTheStartDateLikeTheList)
{
    const QList<DrawRecord> draws = {draw({1, 2, 3, 4, 5, 6}, 7, 0, Mon),
                                     draw({1, 2, 3, 4, 5, 7}, 8, 0, Tue),
                                     draw({1, 2, 3, 4, 5, 8}, 9, 0, Sat)};
    Result<DrawListing> listing = listDraws(draws, serialOf(Tue), onlyDays({Monday, Tuesday}));
    ASSERT_TRUE(listing.ok());
    EXPECT_EQ(listing->count(), 1);
    EXPECT_EQ(listing->newestListed, Tue);
    EXPECT_EQ(listing->oldestListed, Tue);
    EXPECT_EQ(listing->counts.timesOf(1), 1);
    EXPECT_EQ(listing->counts.timesOf(7), 1);
    EXPECT_EQ(listing->counts.timesOf(6), 0);
    EXPECT_EQ(listing->counts.timesOf(8), 0);

    // No ticked day: nothing selected, nothing counted.
    Result<DrawListing> none = listDraws(draws, 0, onlyDays({}));
    ASSERT_TRUE(none.ok());
    EXPECT_EQ(none->count(), 0);
    EXPECT_EQ(none->counts.overall, NumberCounts{}.overall);
}

TEST(NumberCounting, NumberOutOfRangeMakesTheFileUnreadable)
{
    const QList<DrawRecord> draws = {draw({1, 2, 3, 4, 5, 50}, 7, 0, Mon)};
    EXPECT_FALSE(listDraws(draws, 0).ok());
}

// ---------------------------------------------------------------- the two halves

TEST(ChartHalves, NumberTwentyFiveIsInBothHalves)
{
    const NumberCounts counts = countsOf(
        {draw({1, 25, 26, 40, 48, 49}, 3, 0, Mon), draw({2, 25, 27, 41, 47, 49}, 3, 0, Sat)});
    const HalfTable low = halfTable(counts, ChartHalf::Low);
    const HalfTable high = halfTable(counts, ChartHalf::High);
    ASSERT_EQ(low.labels.size(), 25);
    ASSERT_EQ(high.labels.size(), 25);
    EXPECT_EQ(low.labels.first(), u"1"_s);
    EXPECT_EQ(low.labels.last(), u"25"_s);
    EXPECT_EQ(high.labels.first(), u"25"_s);
    EXPECT_EQ(high.labels.last(), u"49"_s);

    EXPECT_EQ(low.overall.last(), 2);
    EXPECT_EQ(high.overall.first(), 2);
    for (int day = 0; day < NumberCounts::DrawDays; ++day)
        EXPECT_EQ(high.byDay[day].first(), low.byDay[day].last()) << day;
    EXPECT_EQ(high.byDay[Monday].first(), 1);
    EXPECT_EQ(high.byDay[Saturday].first(), 1);
    EXPECT_EQ(high.overall.last(), 2);     // 49
    EXPECT_EQ(high.byDay[Monday][1], 1);   // 26
    EXPECT_EQ(high.byDay[Saturday][1], 0); // 26
}

// ---------------------------------------------------------------- ranking

TEST(Ranking, MostFrequentFirstAndTiesInAscendingOrder)
{
    // 30 three times; 5, 12 and 40 twice; 1, 44 once; everything else never.
    const NumberCounts counts =
        countsOf({draw({30, 40, 12, 5, 1, 44}, 2, 0, Mon), draw({40, 30, 12, 5, 20, 21}, 3, 0, Tue),
                  draw({30, 22, 23, 24, 26, 27}, 4, 0, Sat)});
    const QList<int> ranking = rankNumbers(counts);
    ASSERT_EQ(ranking.size(), 49);
    EXPECT_EQ(ranking.mid(0, 4), (QList<int>{30, 5, 12, 40}));
    EXPECT_EQ(ranking.mid(4, 3), (QList<int>{1, 20, 21}));
    // The numbers that never came out are still ranked, last, in order.
    EXPECT_EQ(ranking.mid(13, 3), (QList<int>{2, 3, 4}));
    EXPECT_EQ(ranking.last(), 49);

    EXPECT_EQ(chosenNumbers(counts, ranking, 3), (QList<RankedNumber>{{30, 3}, {5, 2}, {12, 2}}));
    EXPECT_TRUE(chosenNumbers(counts, ranking, 0).isEmpty());
    EXPECT_EQ(chosenNumbers(counts, ranking, 49).size(), 49);
}

// ---------------------------------------------------------------- period

TEST(StatisticsPeriod, StartsHalfADayEarlierForOddMonths)
{
    const QDate today(2026, 8, 21);
    EXPECT_EQ(periodStart({true, 5}, today), 0);
    EXPECT_DOUBLE_EQ(periodStart({false, 1}, today), serialOf(today) - 30.5);
    EXPECT_DOUBLE_EQ(periodStart({false, 2}, today), serialOf(today) - 61);

    // A draw exactly 61 days back is in the last 2 months; one a day earlier is not.
    const QList<DrawRecord> draws = {draw({1, 2, 3, 4, 5, 6}, 7, 0, today.addDays(-62)),
                                     draw({1, 2, 3, 4, 5, 6}, 7, 0, today.addDays(-61))};
    Result<DrawListing> listing = listDraws(draws, periodStart({false, 2}, today));
    ASSERT_TRUE(listing.ok());
    EXPECT_EQ(listing->count(), 1);
}

// ---------------------------------------------------------------- weekday texts

struct SetTexts
{
    std::initializer_list<int> days;
    const char16_t *longText;
    const char16_t *shortText;
};

TEST(WeekdaySetTexts, HandWrittenRowsKeepTheirTexts)
{
    const std::initializer_list<SetTexts> rows = {
        {{0, 1, 3},
         u"sólo los números de los sorteos del LUNES, MARTES y JUEVES",
         u"Lunes, Martes y Jueves."},
        {{0, 1, 5},
         u"sólo los números de los sorteos del LUNES, MARTES y SÁBADO",
         u"Lunes, Martes y Sábado."},
        {{0, 1, 3, 5},
         u"sólo los números de los sorteos del LUNES, MARTES, JUEVES y SÁBADO",
         u"Lunes, Martes, Jueves y Sábado."},
        {{0, 1, 2, 3},
         u"sólo los números de los sorteos del LUNES, MARTES, MIÉRCOLES y JUEVES",
         u"Lunes, Martes, Miércoles y Jueves."},
        {{0, 1, 2, 4},
         u"sólo los números de los sorteos del LUNES, MARTES, MIÉRCOLES y VIERNES",
         u"Lunes, Martes, Miércoles y Viernes."},
        {{0, 1, 2, 5},
         u"sólo los números de los sorteos del LUNES, MARTES, MIÉRCOLES y Sábado",
         u"Lunes, Martes, Miércoles y Sábado."},
        {{0, 1, 2, 3, 5},
         u"sólo los números de los sorteos del LUNES, MARTES, MIÉRCOLES, JUEVES y SÁBADO",
         u"Lunes, Martes, Miércoles, Jueves y Sábado."},
        {{0, 1, 2, 4, 5},
         u"sólo los números de los sorteos del LUNES, MARTES, MIÉRCOLES, VIERNES y SÁBADO",
         u"Lunes, Martes, Miércoles, Viernes y Sábado."},
        {{1, 3, 4, 5},
         u"sólo los números de los sorteos del MARTES, JUEVES, VIERNES Y SÁBADO.",
         u"Martes, Jueves, Viernes y Sábado."},
        {{1, 2, 3, 4, 5},
         u"sólo los números de los sorteos del MARTES, MIÉRCOLES, JUEVES, VIERNES Y SÁBADO.",
         u"Martes, Miércoles, Jueves, Viernes y Sábado."},
        {{2, 3, 5},
         u"sólo los números de los sorteos del MIÉRCOLES, JUEVES y SÁBADO.",
         u"Miércoles Jueves y Sábado."},
    };
    for (const SetTexts &row : rows) {
        const std::optional<WeekdaySetTexts> texts = weekdaySetTexts(onlyDays(row.days));
        ASSERT_TRUE(texts.has_value()) << QString::fromUtf16(row.longText).toStdString();
        EXPECT_EQ(texts->longText, QString::fromUtf16(row.longText));
        EXPECT_EQ(texts->shortText, QString::fromUtf16(row.shortText));
    }
}

TEST(WeekdaySetTexts, OtherRowsFollowTheRule)
{
    const std::initializer_list<SetTexts> rows = {
        {{0, 1, 2, 3, 4, 5, 6}, u"TODOS los sorteos de la semana.", u"Todos."},
        {{5}, u"sólo los números de los sorteos del SÁBADO.", u"Sábado."},
        // Monday to Saturday is no longer every draw.
        {{0, 1, 2, 3, 4, 5},
         u"sólo los números de los sorteos del LUNES, MARTES, MIÉRCOLES, JUEVES, VIERNES y SÁBADO.",
         u"Lunes, Martes, Miércoles, Jueves, Viernes y Sábado."},
        // Sunday comes last; a hand-written row with Sunday added follows the rule.
        {{1, 6}, u"sólo los números de los sorteos del MARTES y DOMINGO.", u"Martes y Domingo."},
        {{6}, u"sólo los números de los sorteos del DOMINGO.", u"Domingo."},
        {{0, 1, 3, 6},
         u"sólo los números de los sorteos del LUNES, MARTES, JUEVES y DOMINGO.",
         u"Lunes, Martes, Jueves y Domingo."},
        {{2, 4, 5},
         u"sólo los números de los sorteos del MIÉRCOLES, VIERNES y SÁBADO.",
         u"Miércoles, Viernes y Sábado."},
    };
    for (const SetTexts &row : rows) {
        const std::optional<WeekdaySetTexts> texts = weekdaySetTexts(onlyDays(row.days));
        ASSERT_TRUE(texts.has_value());
        EXPECT_EQ(texts->longText, QString::fromUtf16(row.longText));
        EXPECT_EQ(texts->shortText, QString::fromUtf16(row.shortText));
    }
}

TEST(WeekdaySetTexts, SixtyOneSetsWithoutSundayAndAllWithSundayHaveARow)
{
    int rows = 0;
    for (int bits = 0; bits < 128; ++bits) {
        WeekdayFilter filter;
        for (int day = 0; day < NumberCounts::DrawDays; ++day)
            filter.ticked[day] = bits & (1 << day);
        if (weekdaySetTexts(filter))
            ++rows;
    }
    EXPECT_EQ(rows, 61 + 64);
    EXPECT_FALSE(weekdaySetTexts(onlyDays({})));
    EXPECT_FALSE(weekdaySetTexts(onlyDays({0, 1, 3, 4})));
    EXPECT_FALSE(weekdaySetTexts(onlyDays({0, 1, 4, 5})));
}

// ---------------------------------------------------------------- description

TEST(SelectionDescription, PeriodLineNamesThePeriodDatesAndTotal)
{
    const QDate newest(2026, 8, 20), oldest(2026, 7, 21);
    EXPECT_EQ(describeSelection({true, 3}, {}, 9361, newest, QDate(1988, 2, 28)).periodLine,
              u"-Tiene seleccionados todos los sorteos. Desde el 28/02/1988 al 20/08/2026, en "
              u"total, 9361 sorteos en la base de datos."_s);
    EXPECT_EQ(describeSelection({false, 1}, {}, 26, newest, oldest).periodLine,
              u"-Tiene seleccionados sólo el último mes de sorteos, desde el 21/07/2026 al "
              u"20/08/2026, en total, 26 sorteos en la base de datos."_s);
    const SelectionDescription two =
        describeSelection({false, 2}, onlyDays({1, 3}), 17, newest, oldest);
    EXPECT_EQ(two.periodLine, u"-Tiene seleccionados los últimos 2 meses de sorteos, desde el "
                              u"21/07/2026 al 20/08/2026, en total, 17 sorteos en la base de "
                              u"datos."_s);
    EXPECT_EQ(two.weekdaysLine,
              u"-Ha seleccionado sólo los números de los sorteos del MARTES y JUEVES."_s);
    EXPECT_EQ(two.row.daysText, u"Martes y Jueves."_s);
    EXPECT_EQ(two.row.total, 17);
    EXPECT_EQ(two.row.oldest, oldest);
    EXPECT_EQ(two.row.newest, newest);
}

TEST(SelectionDescription, SetsWithoutARowStillReadWell)
{
    const QDate day(2026, 8, 20);
    const SelectionDescription four =
        describeSelection({true, 1}, onlyDays({0, 1, 3, 4}), 5, day, day);
    EXPECT_EQ(four.weekdaysLine, u"-Ha seleccionado sólo los números de los sorteos del LUNES, "
                                 u"MARTES, JUEVES y VIERNES."_s);
    EXPECT_EQ(four.row.daysText, u"Lunes, Martes, Jueves y Viernes."_s);
    const SelectionDescription none = describeSelection({true, 1}, onlyDays({}), 0, day, day);
    EXPECT_EQ(none.weekdaysLine,
              u"-Ha seleccionado ningún día de sorteo: no cuenta ningún sorteo."_s);
    EXPECT_EQ(none.row.daysText, u"Ninguno."_s);
}

} // namespace
