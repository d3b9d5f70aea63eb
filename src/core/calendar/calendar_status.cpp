// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar_status.h"

#include "calendar/draw_calendar.h"
#include "common/weekday_names.h"
#include "store/day_serial.h"

#include <array>
#include <limits>

using namespace Qt::StringLiterals;

namespace zafrano {

int countDrawsPlayed(const QList<DrawRecord> &draws, const QList<SyndicateRecord> &syndicates)
{
    // For each weekday (QDate 1..7) the oldest creation date of a syndicate that
    // plays it: a draw is played when it is not older than that. One pass over
    // the syndicates and one over the draws instead of draws × syndicates.
    constexpr double Never = std::numeric_limits<double>::infinity();
    std::array<double, 8> earliest;
    earliest.fill(Never);
    for (const SyndicateRecord &syndicate : syndicates) {
        for (int day = 1; day <= 7; ++day) {
            if (syndicate.playsOn(weekdayNameOf(day)))
                earliest[day] = std::min(earliest[day], syndicate.createdOn);
        }
    }
    int played = 0;
    for (const DrawRecord &draw : draws) {
        const QDate date = draw.date();
        if (date.isValid() && draw.drawDate >= earliest[date.dayOfWeek()])
            ++played;
    }
    return played;
}

QString missingDrawsCount(qsizetype count)
{
    return count == 1 ? u"Falta 1 sorteo"_s : u"Faltan %1 sorteos"_s.arg(count);
}

CalendarStatus computeCalendar(const QList<DrawRecord> &draws,
                               const QList<SyndicateRecord> &syndicates, QDate today)
{
    CalendarStatus status;
    status.drawCount = static_cast<int>(draws.size());
    status.nextDrawRecord = status.drawCount + 1;
    if (!draws.isEmpty())
        status.lastDraw = draws.last();
    status.drawsPlayed = countDrawsPlayed(draws, syndicates);

    const QDate lastDate = status.lastDraw.date(); // day 0 when there is no draw
    status.lastDrawText =
        status.hasDraws() ? longSpanishDate(lastDate) : u"Fichero de datos vacío."_s;

    // Today's draw already stored: the next one is tomorrow at the earliest.
    const bool todaysStored = status.hasDraws() && lastDate == today;
    status.nextDraw = nextDrawDay(todaysStored ? today.addDays(1) : today);
    status.nextDrawText = longSpanishDate(status.nextDraw);

    status.daysToGo = static_cast<int>(today.daysTo(status.nextDraw));
    status.daysToGoText = status.daysToGo == 0
                              ? u"¡Hoy sorteo!"_s
                              : u"Faltan "_s + QString::number(status.daysToGo) + u" días"_s;

    // Days since the newest draw; with no draw, since day 0, so always overdue.
    const qint64 age = lastDate.isValid() ? lastDate.daysTo(today) : 0;
    if (age > 7) {
        if (age < 16)
            status.reminder = u"Falta 1 semana por actualizar"_s;
        else if (status.hasDraws())
            status.reminder =
                u"Faltan "_s + QString::number(age / 7) + u" semanas por actualizar"_s;
        else
            status.reminder = u"No se ha actualizado nunca"_s;
    }

    status.missingDraws = missingDrawDays(draws);
    if (!status.missingDraws.isEmpty()) {
        QStringList days;
        for (QDate day : std::as_const(status.missingDraws))
            days.append(shortDate(day));
        status.missingDrawsText =
            missingDrawsCount(status.missingDraws.size()) + u": "_s + days.join(u", "_s);
        if (!status.reminder)
            status.reminder = missingDrawsCount(status.missingDraws.size());
    }
    return status;
}

} // namespace zafrano
