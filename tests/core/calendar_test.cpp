// SPDX-License-Identifier: GPL-3.0-or-later
// The calendar refresh (next draw, days to go, update reminder, draws played)
// and the weekday and long-date texts, always with a fixed today.
#include "calendar/calendar_status.h"
#include "calendar/draw_calendar.h"
#include "calendar/weekday.h"
#include "store/data_folder.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

const QDate Monday(2018, 10, 15);
const QDate Wednesday(2018, 10, 17);
const QDate Saturday(2018, 10, 20);
const QDate Sunday(2018, 10, 21);

DrawRecord drawOn(QDate date)
{
    DrawRecord draw;
    draw.numbers = {4, 9, 16, 25, 36, 49};
    draw.complementario = 1;
    draw.reintegro = 2;
    draw.drawDate = serialOf(date);
    return draw;
}

// One draw a day from `from` to `to`, Sundays left out unless asked for.
QList<DrawRecord> drawsBetween(QDate from, QDate to, bool sundays = false)
{
    QList<DrawRecord> draws;
    for (QDate d = from; d <= to; d = d.addDays(1)) {
        if (sundays || d.dayOfWeek() != Qt::Sunday)
            draws.append(drawOn(d));
    }
    return draws;
}

SyndicateRecord syndicate(const QString &days, QDate createdOn)
{
    SyndicateRecord record;
    record.setName(u"PEÑA"_s);
    record.setDays(days);
    record.betCount = 1;
    record.createdOn = serialOf(createdOn);
    return record;
}

// ---------------------------------------------------------------- weekday and long date

TEST(Diasemana, NamesTheWeekdayOfADaySerial)
{
    const QStringList expected = {u"Lunes"_s,   u"Martes"_s, u"Miércoles"_s, u"Jueves"_s,
                                  u"Viernes"_s, u"Sábado"_s, u"Domingo"_s};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(diasemana(43388 + i), expected[i]) << i;
    EXPECT_EQ(diasemana(0), u"Sábado"_s);  // 30 December 1899
    EXPECT_EQ(diasemana(1), u"Domingo"_s); // 31 December 1899
}

TEST(LongSpanishDate, WritesWeekdayDayMonthAndYear)
{
    EXPECT_EQ(longSpanishDate(Monday), u"Lunes, 15 de octubre del 2018"_s);
    EXPECT_EQ(longSpanishDate(QDate(2018, 9, 1)), u"Sábado, 1 de septiembre del 2018"_s);
    EXPECT_EQ(longSpanishDate(QDate(2023, 1, 8)), u"Domingo, 8 de enero del 2023"_s);
    EXPECT_EQ(longSpanishDate(QDate(2019, 12, 31)), u"Martes, 31 de diciembre del 2019"_s);
}

TEST(BasePath, EndsInOneSeparator)
{
    EXPECT_EQ(basePathFor(u"/"_s), u"/"_s);
    EXPECT_EQ(basePathFor(u"C:/"_s), u"C:/"_s);
    EXPECT_EQ(basePathFor(u"/opt/zafrano"_s), u"/opt/zafrano/"_s);
    EXPECT_EQ(basePathFor(u"/opt/zafrano/"_s), u"/opt/zafrano/"_s);
    EXPECT_EQ(DataFolder(u"/opt/zafrano"_s).filePath(u"bononume.dat"_s),
              u"/opt/zafrano/bononume.dat"_s);
}

// ---------------------------------------------------------------- no draws stored

TEST(Calendar, NoDrawsNeverUpdated)
{
    const CalendarStatus status = computeCalendar({}, {}, Wednesday);
    EXPECT_EQ(status.drawCount, 0);
    EXPECT_EQ(status.nextDrawRecord, 1);
    EXPECT_FALSE(status.hasDraws());
    EXPECT_EQ(status.lastDraw, DrawRecord{});
    EXPECT_EQ(status.lastDrawText, u"Fichero de datos vacío."_s);
    EXPECT_EQ(status.nextDraw, Wednesday);
    EXPECT_EQ(status.daysToGo, 0);
    EXPECT_EQ(status.daysToGoText, u"¡Hoy sorteo!"_s);
    EXPECT_EQ(status.reminder, u"No se ha actualizado nunca"_s);
}

TEST(Calendar, NoDrawsOnASundayPointsAtMonday)
{
    const CalendarStatus status = computeCalendar({}, {}, Sunday);
    EXPECT_EQ(status.nextDraw, Sunday.addDays(1));
    EXPECT_EQ(status.nextDrawText, u"Lunes, 22 de octubre del 2018"_s);
    EXPECT_EQ(status.daysToGoText, u"Faltan 1 días"_s);
}

// ---------------------------------------------------------------- next draw

TEST(Calendar, TodaysDrawStoredMovesTheNextDrawToTomorrow)
{
    const CalendarStatus status = computeCalendar(drawsBetween(Monday, Wednesday), {}, Wednesday);
    EXPECT_EQ(status.drawCount, 3);
    EXPECT_EQ(status.nextDrawRecord, 4);
    EXPECT_EQ(status.lastDraw, drawOn(Wednesday));
    EXPECT_EQ(status.lastDrawText, u"Miércoles, 17 de octubre del 2018"_s);
    EXPECT_EQ(status.nextDrawText, u"Jueves, 18 de octubre del 2018"_s);
    EXPECT_EQ(status.daysToGoText, u"Faltan 1 días"_s);
    EXPECT_FALSE(status.reminder.has_value());
}

TEST(Calendar, TodaysDrawNotYetStoredIsTheNextOne)
{
    const CalendarStatus status = computeCalendar(drawsBetween(Monday, Monday), {}, Wednesday);
    EXPECT_EQ(status.nextDraw, Wednesday);
    EXPECT_EQ(status.daysToGoText, u"¡Hoy sorteo!"_s);
}

TEST(Calendar, SaturdaysDrawStoredOnSaturdayPointsAtMonday)
{
    const CalendarStatus status = computeCalendar(drawsBetween(Monday, Saturday), {}, Saturday);
    EXPECT_EQ(status.nextDraw, QDate(2018, 10, 22));
    EXPECT_EQ(status.daysToGo, 2);
    EXPECT_EQ(status.daysToGoText, u"Faltan 2 días"_s);
}

TEST(Calendar, SundayWithSaturdayStored)
{
    const CalendarStatus status = computeCalendar(drawsBetween(Monday, Saturday), {}, Sunday);
    EXPECT_EQ(status.nextDraw, QDate(2018, 10, 22));
    EXPECT_EQ(status.daysToGoText, u"Faltan 1 días"_s);
    EXPECT_FALSE(status.reminder.has_value());
}

TEST(Calendar, SundayDrawStoredOnSunday)
{
    const QDate sunday(2023, 1, 8);
    const CalendarStatus status = computeCalendar({drawOn(sunday)}, {}, sunday);
    EXPECT_EQ(status.lastDrawText, u"Domingo, 8 de enero del 2023"_s);
    EXPECT_EQ(status.nextDraw, QDate(2023, 1, 9));
    EXPECT_EQ(status.daysToGo, 1);
}

// ---------------------------------------------------------------- draw calendar

TEST(DrawCalendar, DrawDaysFollowTheGameThroughTheYears)
{
    EXPECT_EQ(drawWeekOn(QDate(1993, 4, 14)), DrawWeek::MondayTuesdayWednesdaySunday);
    EXPECT_EQ(drawWeekOn(QDate(1993, 4, 19)), DrawWeek::MondayTuesdayWednesdayFriday);
    EXPECT_EQ(drawWeekOn(QDate(2015, 3, 22)), DrawWeek::MondayTuesdayWednesdayFriday);
    EXPECT_EQ(drawWeekOn(QDate(2015, 3, 23)), DrawWeek::MondayToSaturday);
    EXPECT_EQ(drawWeekOn(QDate(2022, 9, 24)), DrawWeek::MondayToSaturday);
    EXPECT_EQ(drawWeekOn(QDate(2022, 9, 25)), DrawWeek::EveryDay);
    EXPECT_FALSE(isDrawDay(QDate(2014, 6, 7)));  // a Saturday before 2015
    EXPECT_FALSE(isDrawDay(QDate(1993, 4, 18))); // the Sunday between two draw weeks
    EXPECT_EQ(nextDrawDay(QDate(2022, 9, 18)), QDate(2022, 9, 19));
    EXPECT_EQ(nextDrawDay(QDate(2014, 6, 7)), QDate(2014, 6, 9));
    EXPECT_EQ(nextDrawDay(QDate(2020, 3, 15)), QDate(2020, 5, 25));
    EXPECT_EQ(nextDrawDay(QDate(1980, 1, 1)), QDate(1988, 2, 28));

    // The calendar and 38 years of real draws agree day by day: every draw
    // fell on a draw day, and every draw day has its draw but one, the
    // 16/06/2026 the shipped history lacks.
    const QList<DrawRecord> history = realHistory();
    for (const DrawRecord &draw : history)
        EXPECT_TRUE(isDrawDay(draw.date())) << draw.date().toString(Qt::ISODate).toStdString();
    EXPECT_EQ(missingDrawDays(history), QList<QDate>{QDate(2026, 6, 16)});
    EXPECT_TRUE(missingDrawDays({}).isEmpty());
}

TEST(DrawCalendar, DrawsPerWeekOnTheSyndicatesDays)
{
    const QDate y1990(1990, 5, 1), y2010(2010, 5, 1), y2021(2021, 5, 1), y2026(2026, 8, 15);
    const struct
    {
        const char16_t *days;
        QDate on;
        int draws;
    } cases[] = {
        {u"Todos", y1990, 4},   {u"Todos", y2010, 4},   {u"Todos", y2021, 6},
        {u"Todos", y2026, 7},   {u"Domingo", y1990, 1}, {u"Domingo", y2010, 0},
        {u"Domingo", y2021, 0}, {u"Domingo", y2026, 1}, {u"Viernes", y1990, 0},
        {u"Viernes", y2010, 1}, {u"Jueves", y2010, 0},  {u"Miércoles", y2021, 1},
        {u"???", y2021, 6}, // a field that names no day counts as every draw
    };
    for (const auto &c : cases)
        EXPECT_EQ(drawsPerWeek(QString::fromUtf16(c.days), c.on), c.draws)
            << QString::fromUtf16(c.days).toStdString() << " " << c.on.year();
}

TEST(DrawCalendar, MissingDrawDaysAreSaidAndRemindedOf)
{
    // 15, 17 and 19 June 2026 stored: 16 and 18 are missing.
    const QList<DrawRecord> draws = {drawOn(QDate(2026, 6, 15)), drawOn(QDate(2026, 6, 17)),
                                     drawOn(QDate(2026, 6, 19))};
    const CalendarStatus status = computeCalendar(draws, {}, QDate(2026, 6, 20));
    EXPECT_EQ(status.missingDraws, (QList<QDate>{QDate(2026, 6, 16), QDate(2026, 6, 18)}));
    EXPECT_EQ(status.missingDrawsText, u"Faltan 2 sorteos: 16/06/2026, 18/06/2026"_s);
    EXPECT_EQ(status.reminder, u"Faltan 2 sorteos"_s);
    // A reminder to update comes first.
    EXPECT_EQ(computeCalendar(draws, {}, QDate(2026, 7, 6)).reminder,
              u"Faltan 2 semanas por actualizar"_s);
    EXPECT_EQ(missingDrawsCount(1), u"Falta 1 sorteo"_s);
}

// The real draws up to and including `last`.
QList<DrawRecord> realDrawsThrough(QDate last)
{
    QList<DrawRecord> draws;
    for (const DrawRecord &draw : realHistory()) {
        if (draw.date() <= last)
            draws.append(draw);
    }
    return draws;
}

TEST(Calendar, SaturdayEveningPointsAtMondayIn2021AndAtSundayIn2026)
{
    // Today is a Saturday and its real draw is stored.
    const QDate saturday2021(2021, 5, 1), saturday2026(2026, 8, 15);
    const CalendarStatus in2021 = computeCalendar(realDrawsThrough(saturday2021), {}, saturday2021);
    EXPECT_EQ(in2021.lastDraw.date(), saturday2021);
    EXPECT_EQ(in2021.nextDrawText, u"Lunes, 3 de mayo del 2021"_s);
    EXPECT_EQ(in2021.daysToGoText, u"Faltan 2 días"_s);

    const CalendarStatus in2026 = computeCalendar(realDrawsThrough(saturday2026), {}, saturday2026);
    EXPECT_EQ(in2026.lastDraw.date(), saturday2026);
    EXPECT_EQ(in2026.nextDrawText, u"Domingo, 16 de agosto del 2026"_s);
    EXPECT_EQ(in2026.daysToGoText, u"Faltan 1 días"_s);

    // On that Sunday its draw is today's.
    EXPECT_EQ(computeCalendar(realDrawsThrough(saturday2026), {}, QDate(2026, 8, 16)).daysToGoText,
              u"¡Hoy sorteo!"_s);
}

// ---------------------------------------------------------------- update reminder

struct ReminderCase
{
    int daysOld;
    const char *reminder; // nullptr: hidden
};

class CalendarReminder : public ::testing::TestWithParam<ReminderCase>
{
};

TEST_P(CalendarReminder, DependsOnTheAgeOfTheNewestDraw)
{
    const QDate today = Wednesday.addDays(GetParam().daysOld);
    const CalendarStatus status = computeCalendar({drawOn(Wednesday)}, {}, today);
    if (GetParam().reminder)
        EXPECT_EQ(status.reminder, QString::fromUtf8(GetParam().reminder));
    else
        EXPECT_FALSE(status.reminder.has_value()) << status.reminder->toStdString();
}

INSTANTIATE_TEST_SUITE_P(DaysOld, CalendarReminder,
                         ::testing::Values(ReminderCase{0, nullptr}, ReminderCase{1, nullptr},
                                           ReminderCase{7, nullptr},
                                           ReminderCase{8, "Falta 1 semana por actualizar"},
                                           ReminderCase{15, "Falta 1 semana por actualizar"},
                                           ReminderCase{16, "Faltan 2 semanas por actualizar"},
                                           ReminderCase{21, "Faltan 3 semanas por actualizar"},
                                           ReminderCase{22, "Faltan 3 semanas por actualizar"},
                                           ReminderCase{70, "Faltan 10 semanas por actualizar"}));

// ---------------------------------------------------------------- draws played

TEST(DrawsPlayed, NoSyndicatesPlayNothing)
{
    EXPECT_EQ(computeCalendar(drawsBetween(Monday, Sunday), {}, Sunday).drawsPlayed, 0);
}

TEST(DrawsPlayed, CountsDrawsOnTheSyndicatesDaysFromTheirCreation)
{
    // Three weeks of draws, Monday 15 October to Saturday 3 November.
    const QList<DrawRecord> draws = drawsBetween(Monday, QDate(2018, 11, 3));
    // Mondays 15, 22, 29: the syndicate exists from the 22nd (that draw counts).
    EXPECT_EQ(countDrawsPlayed(draws, {syndicate(u"Lunes"_s, QDate(2018, 10, 22))}), 2);
    // Wednesdays 17, 24, 31 and Saturdays 20, 27, 3: all of them.
    EXPECT_EQ(countDrawsPlayed(draws,
                               {syndicate(u"Miércoles"_s, Monday), syndicate(u"Sábado"_s, Monday)}),
              6);
    // Created after the last draw: none.
    EXPECT_EQ(countDrawsPlayed(draws, {syndicate(u"Todos"_s, QDate(2018, 11, 4))}), 0);
}

TEST(DrawsPlayed, ADrawPlayedByManySyndicatesCountsOnce)
{
    const QList<DrawRecord> draws = drawsBetween(Monday, Saturday);
    const QList<SyndicateRecord> syndicates = {syndicate(u"Todos"_s, Wednesday),
                                               syndicate(u"Jueves"_s, Monday),
                                               syndicate(u"Jueves"_s, Monday)};
    // Wednesday to Saturday through "Todos"; Thursday is also played by the others.
    EXPECT_EQ(countDrawsPlayed(draws, syndicates), 4);
    EXPECT_EQ(computeCalendar(draws, syndicates, Saturday).drawsPlayed, 4);
}

TEST(DrawsPlayed, OlderSyndicateOnTheSameDayWidensTheCount)
{
    const QList<DrawRecord> draws = drawsBetween(Monday, QDate(2018, 11, 3));
    EXPECT_EQ(countDrawsPlayed(draws, {syndicate(u"Martes"_s, QDate(2018, 10, 30)),
                                       syndicate(u"Martes"_s, QDate(2018, 10, 23))}),
              2);
}

TEST(DrawsPlayed, UnknownDaysFieldPlaysNothing)
{
    EXPECT_EQ(countDrawsPlayed(drawsBetween(Monday, Saturday),
                               {syndicate(u"lunes"_s, Monday), syndicate(QString(), Monday)}),
              0);
}

} // namespace
