// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calendar/calendar_status.h"
#include "checking/check_run.h"
#include "reports/report_database.h"
#include "stats/draw_listing.h"
#include "stats/number_counts.h"
#include "stats/statistics_selection.h"
#include "store/data_folder.h"
#include "store/folder_lock.h"
#include "ui/platform.h"

#include <QObject>
#include <algorithm>
#include <array>

namespace zafrano::gui {

// What the main window knows of the data files between two passes: the
// settings, the stored draws and their list, the syndicates and the calendar.
// Every change of the files ends with the passes that rebuild this.
class ProgramData : public QObject
{
    Q_OBJECT

public:
    ProgramData(const DataFolder &folder, Platform &platform, QObject *parent = nullptr);

    const DataFolder &folder() const { return m_folder; }
    Platform &platform() const { return m_platform; }

    Settings &settings() { return m_settings; }
    void setSettings(const Settings &settings) { m_settings = settings; }
    // Writes the settings record; a failure is shown, the program goes on.
    void saveSettings();
    // The same for a window whose boxes write on every keystroke: a failure is
    // shown only while `failureShown` is false, and sets it.
    void saveSettings(bool &failureShown);

    // Every stored draw, as the last calendar refresh or listing read them.
    const QList<DrawRecord> &draws() const { return m_draws; }
    const DrawListing &listing() const { return m_listing; }
    const QList<SyndicateRecord> &syndicates() const { return m_syndicates; }
    const CalendarStatus &calendar() const { return m_calendar; }

    // The calendar refresh: recounts the draws and the syndicates, works out
    // the status block and rebuilds the syndicate list.
    void refreshCalendar();
    // Lists the stored draws the statistics filter selects and counts their
    // numbers (one pass), then describes the selection; an unreadable file is
    // recovered with its message, followed by the calendar refresh.
    void listDraws();

    // The statistics filter: the ticked draw days and the period. Setting it
    // lists and counts again.
    const WeekdayFilter &dayFilter() const { return m_dayFilter; }
    const StatisticsPeriod &period() const { return m_period; }
    void setStatisticsFilter(const WeekdayFilter &days, const StatisticsPeriod &period);
    // The description of the last selection: the two lines and the row the
    // reports read ("Sorteos").
    const SelectionDescription &selection() const { return m_selection; }

    // Ranks the numbers of the selected draws and keeps the first `count` of
    // them ("Numeros") for the reports and the syndicate editor.
    void rankNumbers(int count);
    // The 49 numbers, most frequent first, as of the last ranking.
    const QList<int> &rankedNumbers() const { return m_rankedNumbers; }
    const QList<RankedNumber> &chosenNumbers() const { return m_chosenNumbers; }
    // The results tab's choices the checks follow: draws to check, "Histórico",
    // "Ver sólo si hay premio" and the syndicate filter.
    CheckOptions &checkOptions() { return m_checkOptions; }
    const CheckResults &checkResults() const { return m_checkResults; }

    // The checking cycle: list the draws, then check the newest of them.
    void runCheckingCycle();
    // Checks every syndicate against the newest draws of the list and writes
    // the tallies it added.
    void check();
    // The re-check of the newest draw after a change of the syndicates.
    void recheckNewestDraw();

    // Shows a failed change of a file: the permission message or the error's own.
    void showFailure(const Error &error);

    // The data folder's lock, for a command that writes: held while the
    // result lives. Another writer (the evening check) holding it past the
    // wait is said, naming it, and nothing is held: the command does not run.
    std::optional<FolderLock::Held> lockForWriting();

    // Zafrano.mdb beside the program.
    ReportDatabase reportDatabase() const;
    // A report database that may not be written is said once a run: every
    // detail and every statistics change would say it again.
    void showReportPermissionProblem();
    // False while the report database lacks the statistics on show, so that
    // its report would print other figures.
    bool statisticsCopied() const
    {
        return std::all_of(m_statisticsCopied.begin(), m_statisticsCopied.end(),
                           [](bool copied) { return copied; });
    }

signals:
    void calendarRefreshed();
    void syndicatesLoaded();
    void drawsListed();
    void resultsChecked();
    // During a check, once per checked draw.
    void checkProgressed(int checked, int total);
    // The draws to check (HScroll1) and the chart's half (HScroll2) should go
    // back to 1; the change of the draws runs the cycle.
    void drawsToCheckResetRequested();

private:
    void describeSelection();
    // A statistics table could not be written to the report database.
    void showStatisticsFailure(const Error &error);

    DataFolder m_folder;
    Platform &m_platform;
    Settings m_settings;
    QList<DrawRecord> m_draws;
    DrawListing m_listing;
    WeekdayFilter m_dayFilter;
    StatisticsPeriod m_period;
    // The dates of the last selection that held a draw: an empty selection
    // keeps describing them, as the reports always did.
    QDate m_selectionNewest;
    QDate m_selectionOldest;
    SelectionDescription m_selection;
    QList<int> m_rankedNumbers;
    QList<RankedNumber> m_chosenNumbers;
    QList<SyndicateRecord> m_syndicates;
    CalendarStatus m_calendar;
    CheckOptions m_checkOptions;
    CheckResults m_checkResults;
    bool m_reportPermissionShown = false;
    // The newest draw's text, the selection and the chosen numbers.
    std::array<bool, 3> m_statisticsCopied{true, true, true};
};

} // namespace zafrano::gui
