// SPDX-License-Identifier: GPL-3.0-or-later
// The draws list: entry texts, order, start date, weekday filter and total.
#include "stats/draw_listing.h"
#include "store/draws_file.h"
#include "test_support.h"

#include <QTemporaryDir>
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

DrawRecord drawOn(QDate date)
{
    return draw({4, 9, 16, 25, 36, 49}, 1, 2, date);
}

// Monday 15 October 2018 to Sunday 21 October 2018, one draw a day.
QList<DrawRecord> oneWeek()
{
    QList<DrawRecord> draws;
    for (int day = 15; day <= 21; ++day)
        draws.append(drawOn(QDate(2018, 10, day)));
    return draws;
}

// ---------------------------------------------------------------- entry texts

TEST(DrawEntryText, AlignsNumbersForAMonospacedFont)
{
    EXPECT_EQ(drawEntryText(draw({3, 7, 12, 25, 33, 41}, 5, 3, QDate(2018, 10, 15))),
              u" 3- 7-12-25-33-41  C: 5  R: 3"_s);
    EXPECT_EQ(drawEntryText(draw({1, 2, 20, 26, 28, 8}, 39, 5, QDate(2018, 10, 15))),
              u" 1- 2-20-26-28-8   C: 39 R: 5"_s);
}

TEST(DrawEntryText, SixthNumberIsNeverPaddedButShiftsTheComplementario)
{
    EXPECT_EQ(drawEntryText(draw({10, 11, 12, 13, 14, 9}, 1, 0, QDate(2018, 10, 15))),
              u"10-11-12-13-14-9   C: 1  R: 0"_s);
    EXPECT_EQ(drawEntryText(draw({10, 11, 12, 13, 14, 10}, 10, 9, QDate(2018, 10, 15))),
              u"10-11-12-13-14-10  C: 10 R: 9"_s);
}

TEST(DrawDateText, ShowsTheShortDateAndTheWeekday)
{
    EXPECT_EQ(drawDateText(drawOn(QDate(2018, 10, 15))), u"15/10/2018  Lunes"_s);
    EXPECT_EQ(drawDateText(drawOn(QDate(2018, 10, 17))), u"17/10/2018  Miércoles"_s);
    EXPECT_EQ(drawDateText(drawOn(QDate(2018, 10, 20))), u"20/10/2018  Sábado"_s);
    EXPECT_EQ(drawDateText(drawOn(QDate(2022, 1, 2))), u"02/01/2022  Domingo"_s);
}

TEST(DrawTotalText, CountsTheListedDraws)
{
    EXPECT_EQ(drawTotalText(0), u"TOTAL: 0 sorteos."_s);
    EXPECT_EQ(drawTotalText(9361), u"TOTAL: 9361 sorteos."_s);
}

// ---------------------------------------------------------------- which draws, in what order

TEST(DrawListing, ListsNewestFirstWithRecordNumbers)
{
    const Result<DrawListing> listing = listDraws(oneWeek(), 0);
    ASSERT_TRUE(listing.ok());
    EXPECT_EQ(listing->records, (QList<int>{7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(listing->newestListed, QDate(2018, 10, 21));
    EXPECT_EQ(listing->oldestListed, QDate(2018, 10, 15));
    EXPECT_EQ(listing->newestEntryText, drawEntryText(oneWeek().last()));
}

TEST(DrawListing, EmptyFileListsNothing)
{
    const Result<DrawListing> listing = listDraws({}, 0);
    ASSERT_TRUE(listing.ok());
    EXPECT_EQ(listing->count(), 0);
    EXPECT_TRUE(listing->newestEntryText.isEmpty());
}

TEST(DrawListing, StartDateKeepsDrawsOnOrAfterIt)
{
    const Result<DrawListing> listing = listDraws(oneWeek(), serialOf(2018, 10, 19));
    ASSERT_TRUE(listing.ok());
    EXPECT_EQ(listing->records, (QList<int>{7, 6, 5}));
    EXPECT_EQ(listing->oldestListed, QDate(2018, 10, 19));
}

TEST(DrawListing, WeekdayFilterKeepsTheTickedDays)
{
    QList<DrawRecord> draws = oneWeek();
    draws.append(drawOn(QDate(2018, 10, 22))); // Monday, record 8
    WeekdayFilter mondays;
    mondays.ticked = {true, false, false, false, false, false, false};
    const Result<DrawListing> listing = listDraws(draws, 0, mondays);
    ASSERT_TRUE(listing.ok());
    EXPECT_EQ(listing->records, (QList<int>{8, 1}));
    EXPECT_EQ(listing->newestEntryText, drawEntryText(draws.last()));
}

TEST(DrawListing, SundayDrawsPassWhenSundayIsTicked)
{
    WeekdayFilter allButMonday;
    allButMonday.ticked = {false, true, true, true, true, true, false};
    const Result<DrawListing> filtered = listDraws(oneWeek(), 0, allButMonday);
    ASSERT_TRUE(filtered.ok());
    EXPECT_EQ(filtered->records, (QList<int>{6, 5, 4, 3, 2}));
    // The newest stored draw (Sunday) is not listed: no text for it.
    EXPECT_TRUE(filtered->newestEntryText.isEmpty());

    const Result<DrawListing> all = listDraws(oneWeek(), 0, WeekdayFilter{});
    ASSERT_TRUE(all.ok());
    EXPECT_EQ(all->records.first(), 7);
    WeekdayFilter sundays;
    sundays.ticked = {false, false, false, false, false, false, true};
    EXPECT_EQ(listDraws(oneWeek(), 0, sundays)->records, QList<int>{7});
}

// ---------------------------------------------------------------- validity rule

TEST(DrawListing, ListedNumberOutsideTheRangeMakesTheFileUnreadable)
{
    // A number outside 1..49, or any other break of the draw rule.
    QList<DrawRecord> outside = oneWeek();
    outside[3].numbers[5] = 50;
    QList<DrawRecord> complementarioAmongThem = oneWeek();
    complementarioAmongThem[3].complementario = complementarioAmongThem[3].numbers[0];
    for (const QList<DrawRecord> &draws : {outside, complementarioAmongThem}) {
        const Result<DrawListing> listing = listDraws(draws, 0);
        ASSERT_FALSE(listing.ok());
        EXPECT_EQ(listing.error().kind, ErrorKind::InvalidData);
        EXPECT_EQ(listing.error().message.text,
                  u"Archivo de números ganadores no válido. ¡Se perderán los sorteos grabados!."_s);
        EXPECT_EQ(listing.error().message.title, u"Error de lectura"_s);
    }
}

TEST(DrawListing, DatesOutOfOrderMakeTheFileUnreadable)
{
    // The tallies count draws by date, oldest first, so a file out of order is
    // damaged, even where the listing would not show the draws.
    QList<DrawRecord> swapped = oneWeek();
    std::swap(swapped[1].drawDate, swapped[2].drawDate);
    QList<DrawRecord> repeated = oneWeek();
    repeated[2].drawDate = repeated[1].drawDate;
    for (const QList<DrawRecord> &draws : {swapped, repeated}) {
        const Result<DrawListing> listing = listDraws(draws, serialOf(2018, 10, 19));
        ASSERT_FALSE(listing.ok());
        EXPECT_EQ(listing.error().kind, ErrorKind::InvalidData);
    }
}

TEST(DrawListing, UnlistedDrawsAreNotChecked)
{
    QList<DrawRecord> draws = oneWeek();
    draws[0].numbers[0] = 50; // Monday, before the start date and filtered out
    EXPECT_TRUE(listDraws(draws, serialOf(2018, 10, 16)).ok());
    WeekdayFilter noMonday;
    noMonday.ticked = {false, true, true, true, true, true, true};
    EXPECT_TRUE(listDraws(draws, 0, noMonday).ok());
}

TEST(DrawListing, LoadsTheDrawsFileAsStored)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const DrawsFile file(dir.path());
    // No file at all lists nothing and creates nothing.
    Result<LoadedDraws> none = loadDrawsList(file, 0);
    ASSERT_TRUE(none.ok());
    EXPECT_EQ(none->listing.count(), 0);

    writeBytes(file.path(), drawBytes({3, 7, 12, 25, 33, 41}, 5, 3, serialOf(2018, 10, 15)) +
                                drawBytes({1, 2, 20, 26, 28, 8}, 39, 5, serialOf(2018, 10, 16)));
    Result<LoadedDraws> loaded = loadDrawsList(file, 0);
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(loaded->draws.size(), 2);
    EXPECT_EQ(loaded->listing.records, (QList<int>{2, 1}));
    EXPECT_EQ(loaded->listing.newestEntryText, u" 1- 2-20-26-28-8   C: 39 R: 5"_s);
}

} // namespace
