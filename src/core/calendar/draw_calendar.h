// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/draw_record.h"

#include <QDate>
#include <QList>
#include <QString>

namespace zafrano {

// The days of the week Bonoloto was drawn on, as the game changed over the years.
enum class DrawWeek
{
    MondayTuesdayWednesdaySunday, // from the first draw, 28 February 1988, to 14 April 1993
    MondayTuesdayWednesdayFriday, // 19 April 1993 to 22 March 2015
    MondayToSaturday,             // 23 March 2015 to 24 September 2022
    EveryDay,                     // from Sunday 25 September 2022
};

// The first Bonoloto draw ever: Sunday 28 February 1988.
QDate firstDrawDay();

// The draw week in force on `date` (the first one before the game began; the
// one just ended between two of them).
DrawWeek drawWeekOn(QDate date);

// Whether `date` had, or will have, a draw: a draw weekday of its week, not
// before the first draw, not between two draw weeks (15 to 18 April 1993) and
// not in a suspension (22 to 31 December 1988; 15 March to 24 May 2020).
bool isDrawDay(QDate date);

// The first draw day on or after `from`.
QDate nextDrawDay(QDate from);

// How many draws a week a syndicate's days field ("Lunes" … "Domingo",
// "Todos") plays in the draw week in force on `date`: a day that had no draw
// then plays none. "Todos" plays every draw; a field that names no day plays
// every draw too, as the old program figured its spend.
int drawsPerWeek(const QString &days, QDate date);

// The draw days between the oldest and the newest stored draw that have no
// stored draw, oldest first: the holes a download or a typed draw should fill.
// `draws` must be in date order, as the draws file keeps them.
QList<QDate> missingDrawDays(const QList<DrawRecord> &draws);

} // namespace zafrano
