// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/program_data.h"

namespace zafrano::gui {

ProgramData::ProgramData(const DataFolder &folder, Platform &platform, QObject *parent)
    : QObject(parent), m_folder(folder), m_platform(platform)
{}

void ProgramData::saveSettings()
{
    if (Status written = m_folder.settings().write(m_settings); !written)
        showFailure(written.error());
}

void ProgramData::refreshCalendar()
{
    // An unreadable draws file counts as empty here; the listing recovers it.
    Result<QList<DrawRecord>> draws = m_folder.draws().readAll();
    Result<QList<SyndicateRecord>> syndicates = m_folder.syndicates().readAll();
    m_syndicates = syndicates ? syndicates.value() : QList<SyndicateRecord>{};
    m_calendar = computeCalendar(draws ? draws.value() : QList<DrawRecord>{}, m_syndicates,
                                 m_platform.clock.today());
    emit calendarRefreshed();
    emit syndicatesLoaded();
}

void ProgramData::listDraws()
{
    Result<LoadedDraws> loaded = loadDrawsList(m_folder.draws(), 0);
    if (!loaded) {
        m_draws.clear();
        m_listing = {};
        emit drawsListed();
        m_platform.messages.show(loaded.error().message);
        // The draws file is empty now, so the checking cycle has nothing to add.
        refreshCalendar();
        return;
    }
    m_draws = std::move(loaded.value().draws);
    m_listing = std::move(loaded.value().listing);
    emit drawsListed();
}

void ProgramData::runCheckingCycle()
{
    // The checking engine joins here; until then the cycle only lists the draws.
    listDraws();
}

void ProgramData::recheckNewestDraw()
{
    // Nothing to check yet: the checking engine joins here.
}

void ProgramData::showFailure(const Error &error)
{
    m_platform.messages.show(error.message);
}

} // namespace zafrano::gui
