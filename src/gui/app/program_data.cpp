// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program_data.h"

#include "checking/check_and_keep.h"
#include "common/texts.h"
#include "reports/report_messages.h"

#include <algorithm>

namespace zafrano::gui {

ProgramData::ProgramData(const DataFolder &folder, Platform &platform, QObject *parent)
    : QObject(parent), m_folder(folder), m_platform(platform)
{}

void ProgramData::saveSettings()
{
    bool failureShown = false;
    saveSettings(failureShown);
}

void ProgramData::saveSettings(bool &failureShown)
{
    // The command line may be writing the settings too (the price, the timer).
    const Result<FolderLock::Held> lock = FolderLock::take(m_folder.basePath());
    const Status written = lock ? m_folder.settings().write(m_settings) : Status(lock.error());
    if (written || failureShown)
        return;
    failureShown = true;
    showFailure(written.error());
}

void ProgramData::refreshCalendar()
{
    // An unreadable draws file counts as empty here; the listing recovers it.
    // The draws are kept: the syndicate detail, run from the list rebuilt
    // below, counts every stored draw.
    Result<QList<DrawRecord>> draws = m_folder.draws().readAll();
    m_draws = draws ? std::move(draws).value() : QList<DrawRecord>{};
    Result<QList<SyndicateRecord>> syndicates = m_folder.syndicates().readAll();
    m_syndicates = syndicates ? syndicates.value() : QList<SyndicateRecord>{};
    m_calendar = computeCalendar(m_draws, m_syndicates, m_platform.clock.today());
    emit calendarRefreshed();
    emit syndicatesLoaded();
}

void ProgramData::listDraws()
{
    // The checking cycle lists with the filter as the player left it, so the
    // list, the counts and the filter boxes always agree.
    Result<LoadedDraws> loaded = loadDrawsList(
        m_folder.draws(), periodStart(m_period, m_platform.clock.today()), m_dayFilter);
    if (!loaded) {
        m_draws.clear();
        m_listing = {};
        describeSelection();
        emit drawsListed();
        m_platform.messages.show(loaded.error().message);
        // The draws file is empty now, so the checking cycle has nothing to add.
        refreshCalendar();
        return;
    }
    m_draws = std::move(loaded.value().draws);
    m_listing = std::move(loaded.value().listing);
    // Only the statistics report prints it; a database that cannot take it is
    // said by the syndicate detail, and must never cost the draws.
    const Status written = reportDatabase().writeNewestDrawText(m_listing.newestEntryText);
    m_statisticsCopied[0] = written.ok();
    if (!written && written.error().kind == ErrorKind::PermissionDenied)
        showReportPermissionProblem();
    describeSelection();
    emit drawsListed();
}

void ProgramData::setStatisticsFilter(const WeekdayFilter &days, const StatisticsPeriod &period)
{
    m_dayFilter = days;
    m_period = period;
    listDraws();
}

void ProgramData::describeSelection()
{
    if (m_listing.count() > 0) {
        m_selectionNewest = m_listing.newestListed;
        m_selectionOldest = m_listing.oldestListed;
    }
    m_selection = zafrano::describeSelection(m_period, m_dayFilter, m_listing.count(),
                                             m_selectionNewest, m_selectionOldest);
    const Status written = reportDatabase().writeSelection(m_selection.row);
    m_statisticsCopied[1] = written.ok();
    if (!written)
        showStatisticsFailure(written.error());
}

void ProgramData::rankNumbers(int count)
{
    m_rankedNumbers = zafrano::rankNumbers(m_listing.counts);
    m_chosenNumbers = zafrano::chosenNumbers(m_listing.counts, m_rankedNumbers, count);
    const Status written = reportDatabase().writeChosenNumbers(m_chosenNumbers);
    m_statisticsCopied[2] = written.ok();
    if (!written)
        showStatisticsFailure(written.error());
}

void ProgramData::runCheckingCycle()
{
    const ReportDatabase::Session reportCopies(reportDatabase());
    // Listing first: a damaged draws file is put aside before anything reads it.
    listDraws();
    check();
}

void ProgramData::check()
{
    // Only a list just read may be written back: the editor may have appended
    // a syndicate since the cached one was read.
    Result<QList<SyndicateRecord>> syndicates = m_folder.syndicates().readAll();
    if (syndicates)
        m_syndicates = syndicates.value();
    CheckOptions options = m_checkOptions;
    options.drawCount = std::clamp(options.drawCount, 1, std::max<int>(1, m_draws.size()));
    // The tallies are written under the folder's lock; while another writer
    // holds it the check only shows, and the next check counts them.
    const std::optional<FolderLock::Held> lock = syndicates ? lockForWriting() : std::nullopt;
    KeptCheck checked =
        checkAndKeep(m_folder.syndicates(), m_draws, m_syndicates, options,
                     syndicates && lock ? TallyWrite::Keep : TallyWrite::DryRun,
                     [this](int done, int total) { emit checkProgressed(done, total); });
    m_checkResults = std::move(checked.results);
    if (!checked.kept) {
        showFailure(checked.kept.error());
    } else if (syndicates && !m_checkResults.changedRecords.isEmpty()) {
        m_syndicates = m_checkResults.syndicates;
        emit syndicatesLoaded();
    }
    emit resultsChecked();
}

void ProgramData::recheckNewestDraw()
{
    if (m_checkOptions.drawCount <= 1)
        check();
    else
        emit drawsToCheckResetRequested();
}

void ProgramData::showFailure(const Error &error)
{
    m_platform.messages.show(error.message);
}

std::optional<FolderLock::Held> ProgramData::lockForWriting()
{
    Result<FolderLock::Held> taken = FolderLock::take(m_folder.basePath());
    if (!taken) {
        showFailure(taken.error());
        return std::nullopt;
    }
    return std::move(taken).value();
}

ReportDatabase ProgramData::reportDatabase() const
{
    return ReportDatabase(m_folder.filePath(QString::fromUtf16(ReportDatabase::FileName)));
}

void ProgramData::showReportPermissionProblem()
{
    if (m_reportPermissionShown)
        return;
    m_reportPermissionShown = true;
    m_platform.messages.show(texts::permissionDenied());
}

void ProgramData::showStatisticsFailure(const Error &error)
{
    if (error.kind == ErrorKind::PermissionDenied)
        showReportPermissionProblem();
    else
        m_platform.messages.show(statisticsFailure(error.number));
}

} // namespace zafrano::gui
