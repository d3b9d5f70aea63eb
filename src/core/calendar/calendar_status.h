// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/draw_record.h"
#include "store/syndicate_record.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace zafrano {

// What the calendar refresh works out from the stored draws and syndicates:
// the counts and the texts of the status block on the "General" tab.
struct CalendarStatus
{
    int drawCount = 0;
    int nextDrawRecord = 1;
    DrawRecord lastDraw; // all zeros when there is no draw
    int drawsPlayed = 0;

    bool hasDraws() const { return lastDraw.drawDate != 0; }

    QString lastDrawText;            // label 3: long date or "Fichero de datos vacío."
    QDate nextDraw;                  // the next draw day of the draw calendar
    QString nextDrawText;            // label 5
    int daysToGo = 0;                // from today to the next draw
    QString daysToGoText;            // label 7
    std::optional<QString> reminder; // label 6 while it blinks; nothing when hidden
    // Draw days between the oldest and the newest stored draw with no draw stored.
    QList<QDate> missingDraws;
    QString missingDrawsText; // "Faltan 2 sorteos: 16/06/2026, 23/06/2026"; empty when none
};

// "Falta 1 sorteo" or "Faltan N sorteos".
QString missingDrawsCount(qsizetype count);

// The number of stored draws that at least one syndicate plays: the draw's
// weekday is the syndicate's day (or it plays "Todos") and the draw is not
// older than the syndicate.
int countDrawsPlayed(const QList<DrawRecord> &draws, const QList<SyndicateRecord> &syndicates);

// The calendar refresh for `today`. An unreadable draws file is passed as no draws.
CalendarStatus computeCalendar(const QList<DrawRecord> &draws,
                               const QList<SyndicateRecord> &syndicates, QDate today);

} // namespace zafrano
