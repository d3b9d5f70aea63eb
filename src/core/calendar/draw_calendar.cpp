// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/draw_calendar.h"

#include "calendar/weekday.h"

namespace zafrano {

namespace {

const QDate MondayToSaturdayFrom(2015, 3, 23);
const QDate EveryDayFrom(2022, 9, 25);

} // namespace

DrawWeek drawWeekOn(QDate date)
{
    if (date >= EveryDayFrom)
        return DrawWeek::EveryDay;
    if (date >= MondayToSaturdayFrom)
        return DrawWeek::MondayToSaturday;
    return DrawWeek::AnyDay;
}

bool isDrawDay(QDate date)
{
    return drawWeekOn(date) != DrawWeek::MondayToSaturday || date.dayOfWeek() != Qt::Sunday;
}

QDate nextDrawDay(QDate from)
{
    QDate next = from;
    while (!isDrawDay(next))
        next = next.addDays(1);
    return next;
}

int drawsPerWeek(const QString &days, QDate date)
{
    const bool sundays = drawWeekOn(date) != DrawWeek::MondayToSaturday;
    const qsizetype day = weekdayNames().indexOf(days.trimmed());
    if (day < 0)
        return sundays ? 7 : 6;
    const bool isSunday = day == weekdayNames().size() - 1;
    return !isSunday || sundays ? 1 : 0;
}

} // namespace zafrano
