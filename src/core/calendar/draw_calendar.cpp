// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/draw_calendar.h"

#include "common/weekday_names.h"

#include <array>

namespace zafrano {

namespace {

// One draw week: from its first day to its last (invalid: still in force),
// with the weekdays it drew on (bit n for QDate's day n, Monday = 1).
struct DrawWeekSpan
{
    DrawWeek week;
    QDate from;
    QDate to;
    unsigned weekdays;
};

constexpr unsigned bit(int day)
{
    return 1u << day;
}

const std::array<DrawWeekSpan, 4> &drawWeeks()
{
    static const std::array<DrawWeekSpan, 4> weeks = {{
        {DrawWeek::MondayTuesdayWednesdaySunday, QDate(1988, 2, 28), QDate(1993, 4, 14),
         bit(Qt::Monday) | bit(Qt::Tuesday) | bit(Qt::Wednesday) | bit(Qt::Sunday)},
        {DrawWeek::MondayTuesdayWednesdayFriday, QDate(1993, 4, 19), QDate(2015, 3, 22),
         bit(Qt::Monday) | bit(Qt::Tuesday) | bit(Qt::Wednesday) | bit(Qt::Friday)},
        {DrawWeek::MondayToSaturday, QDate(2015, 3, 23), QDate(2022, 9, 24), 0x7Eu},
        {DrawWeek::EveryDay, QDate(2022, 9, 25), QDate(), 0xFEu},
    }};
    return weeks;
}

// The stretches with no draw at all inside a draw week, first and last day included.
struct Suspension
{
    QDate from;
    QDate to;
};

const std::array<Suspension, 2> &suspensions()
{
    static const std::array<Suspension, 2> stretches = {{
        {QDate(1988, 12, 22), QDate(1988, 12, 31)},
        {QDate(2020, 3, 15), QDate(2020, 5, 24)},
    }};
    return stretches;
}

// The span in force on `date`: the first before the game, the one just ended between two.
const DrawWeekSpan &spanOn(QDate date)
{
    const auto &weeks = drawWeeks();
    for (auto it = weeks.rbegin(); it != weeks.rend(); ++it) {
        if (date >= it->from)
            return *it;
    }
    return weeks.front();
}

int weekdayCount(unsigned weekdays)
{
    int count = 0;
    for (int day = Qt::Monday; day <= Qt::Sunday; ++day)
        count += (weekdays & bit(day)) != 0;
    return count;
}

} // namespace

QDate firstDrawDay()
{
    return drawWeeks().front().from;
}

DrawWeek drawWeekOn(QDate date)
{
    return spanOn(date).week;
}

bool isDrawDay(QDate date)
{
    if (!date.isValid() || date < firstDrawDay())
        return false;
    const DrawWeekSpan &span = spanOn(date);
    if (span.to.isValid() && date > span.to)
        return false;
    for (const Suspension &stretch : suspensions()) {
        if (date >= stretch.from && date <= stretch.to)
            return false;
    }
    return (span.weekdays & bit(date.dayOfWeek())) != 0;
}

QDate nextDrawDay(QDate from)
{
    QDate next = std::max(from, firstDrawDay());
    while (!isDrawDay(next))
        next = next.addDays(1);
    return next;
}

int drawsPerWeek(const QString &days, QDate date)
{
    const unsigned weekdays = spanOn(date).weekdays;
    const qsizetype day = weekdayNames().indexOf(days.trimmed());
    if (day < 0)
        return weekdayCount(weekdays);
    return (weekdays & bit(static_cast<int>(day) + 1)) != 0 ? 1 : 0;
}

QList<QDate> missingDrawDays(const QList<DrawRecord> &draws)
{
    QList<QDate> missing;
    if (draws.isEmpty())
        return missing;
    qsizetype next = 0; // the first stored draw not yet passed
    const QDate last = draws.last().date();
    for (QDate day = draws.first().date(); day.isValid() && day <= last; day = day.addDays(1)) {
        while (next < draws.size() && draws[next].date() < day)
            ++next;
        if (next < draws.size() && draws[next].date() == day)
            continue;
        if (isDrawDay(day))
            missing.append(day);
    }
    return missing;
}

} // namespace zafrano
