// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/draw_listing.h"

#include <QDate>
#include <QString>
#include <optional>

namespace zafrano {

// The period of the statistics filter: every stored draw, or the last N months.
struct StatisticsPeriod
{
    bool allDraws = true;
    int months = 1;
};

// The day serial a draw must not be earlier than: 0 for every draw, otherwise
// today minus N × 30.5 days (half a day for odd N).
double periodStart(const StatisticsPeriod &period, QDate today);

// The top of the months sliders. The settings window never stores less than 2;
// a file that was never set (0) or holds less gets a year.
int monthsSliderMaximum(int maxMonths);

// "Último mes" or "Últimos N meses".
QString periodBoxCaption(int months);

// The texts of a set of draw days: the long one describes the selection, the
// short one is what the reports print as the days played.
struct WeekdaySetTexts
{
    QString longText;
    QString shortText;
};

// The texts of the set of ticked days. Two sets of four days and the empty
// set have none.
std::optional<WeekdaySetTexts> weekdaySetTexts(const WeekdayFilter &filter);

// The one-row description of the selection the reports read ("Sorteos").
struct SelectionRow
{
    QDate oldest;     // "Dia1"
    QDate newest;     // "Dia2"
    int total = 0;    // "Total"
    QString daysText; // "Diasajugar"
};

struct SelectionDescription
{
    QString periodLine;   // Label21
    QString weekdaysLine; // Label27
    SelectionRow row;
};

// Describes a selection of `total` draws between `oldest` and `newest`. The
// sets of days without texts of their own get the rule's texts, and no day at
// all says that nothing is counted.
SelectionDescription describeSelection(const StatisticsPeriod &period, const WeekdayFilter &filter,
                                       int total, QDate newest, QDate oldest);

} // namespace zafrano
