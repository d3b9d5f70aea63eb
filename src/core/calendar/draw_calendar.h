// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

namespace zafrano {

// Which days of the week Bonoloto is drawn on, as the game changed over the years.
enum class DrawWeek
{
    // Before 23 March 2015 the days changed several times, Sundays included up
    // to April 1993: only the stored draws say which days had one.
    AnyDay,
    MondayToSaturday, // 23 March 2015 to 24 September 2022
    EveryDay,         // from Sunday 25 September 2022
};

// The draw week in force on `date`.
DrawWeek drawWeekOn(QDate date);

// Whether `date` may have a draw. Before 2015 every day may.
bool isDrawDay(QDate date);

// The first draw day on or after `from`.
QDate nextDrawDay(QDate from);

// How many draws a week a syndicate's days field ("Lunes" … "Domingo",
// "Todos") plays in the draw week in force on `date`. "Todos" plays every
// draw; a field that names no day plays every draw too, as the old program
// figured its spend.
int drawsPerWeek(const QString &days, QDate date);

} // namespace zafrano
