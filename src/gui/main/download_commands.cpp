// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/download_commands.h"

#include "app/program_data.h"
#include "checking/prize_marks.h"
#include "net/operator_site.h"
#include "net/results_page.h"
#include "store/day_serial.h"
#include "store/record_file.h"
#include "tabs/general_tab.h"
#include "tabs/last_draw_tab.h"
#include "tabs/results_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

DownloadConfig windowDownloadConfig()
{
    DownloadConfig config;
    config.operatorBase = operatorBaseUrl().value_or(QUrl(QString::fromUtf16(DefaultOperatorUrl)));
    return config;
}

DownloadCommands::DownloadCommands(ProgramData &data, GeneralTab &general, LastDrawTab &lastDraw,
                                   QTabWidget &tabs, const DownloadConfig &config, QObject *parent)
    : QObject(parent), m_data(data), m_general(general), m_lastDraw(lastDraw), m_tabs(tabs),
      m_controller(data.folder(), config)
{
    m_panel = new QWidget;
    m_panel->setObjectName(u"DownloadPanel"_s);
    auto *layout = new QHBoxLayout(m_panel);
    layout->setContentsMargins(4, 0, 4, 0);
    m_button = new QToolButton(m_panel);
    m_button->setObjectName(u"Picture2"_s);
    m_button->setText(u"Bajar sorteos"_s);
    m_button->setIcon(QIcon(u":/zafrano/import-draws.svg"_s));
    m_button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_button->setAutoRaise(true);
    m_progress = new QProgressBar(m_panel);
    m_progress->setObjectName(u"ProgressBar1"_s);
    m_progress->setRange(0, 5);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setMaximumWidth(160);
    m_status = new QLabel(m_panel);
    m_status->setObjectName(u"Label6"_s);
    m_status->setMinimumWidth(200);
    m_bytes = new QLabel(u"0 Bytes"_s, m_panel);
    m_bytes->setObjectName(u"Label58"_s);
    layout->addWidget(m_button);
    layout->addWidget(m_progress);
    layout->addWidget(m_status);
    layout->addWidget(m_bytes);

    connect(m_button, &QToolButton::clicked, this, &DownloadCommands::start);
    connect(&m_controller, &DownloadController::stateChanged, this, &DownloadCommands::showState);
    connect(&m_controller, &DownloadController::messageRaised, this,
            [this](const ProgramMessage &message) { m_data.platform().messages.show(message); });
    connect(&m_controller, &DownloadController::parseErrorTextRaised, &m_lastDraw,
            &LastDrawTab::showMessage);
    connect(&m_controller, &DownloadController::drawsAppended, this,
            &DownloadCommands::takeInDraws);
    connect(&m_controller, &DownloadController::checkRequested, this, &DownloadCommands::check);
    connect(&m_controller, &DownloadController::refreshRequested, this, &DownloadCommands::refresh);
    connect(&m_controller, &DownloadController::finished, this, [this] {
        m_lock.reset();
        if (m_controller.progress() == DownloadController::Finished)
            m_tabs.setCurrentIndex(0);
    });
}

void DownloadCommands::start()
{
    if (m_controller.running() || (m_blocked && m_blocked()))
        return;
    m_lock = m_data.lockForWriting();
    if (!m_lock)
        return;
    // The evening check may have added draws while the window was open: the
    // download asks from the newest draw the file holds now.
    m_data.refreshCalendar();
    m_lastDraw.forgetDocument();
    m_general.results().setNewDrawsNotice({});
    m_general.results().resetPrizeIndicator();
    const CalendarStatus &calendar = m_data.calendar();
    m_tabs.setCurrentIndex(0);
    m_controller.start(m_data.platform().clock.today(),
                       calendar.hasDraws() ? calendar.lastDraw.date() : QDate());
    showState();
}

void DownloadCommands::takeInTypedDraw()
{
    // The saved draw page is an older draw's: the prize tab shows the typed prizes.
    const QString drawPage =
        m_data.folder().filePath(QString::fromUtf16(DataFolder::SavedDrawPageName));
    (void)replaceFileAtomically(drawPage, drawPage + u".tmp"_s, savedPageBytes({}));
    m_lastDraw.forgetDocument();
    m_general.results().stopPrizeIndicator();
    m_general.results().setNewDrawsNotice(newDrawsText(1));
    m_data.refreshCalendar();
    m_data.listDraws();
    check(1, 1);
    m_data.refreshCalendar();
    m_data.listDraws();
    m_lastDraw.showReport(false);
}

void DownloadCommands::showUnattendedPrizes()
{
    const QList<PrizeFind> finds = takeUnshownPrizeFinds(m_data.folder());
    if (finds.isEmpty())
        return;
    // From the oldest draw with a prize to the newest: every find is on show,
    // however old its draw, since it is marked shown now.
    const double oldest = toDaySerial(finds.first().draw);
    const QList<DrawRecord> &draws = m_data.draws();
    const auto shown = std::count_if(draws.begin(), draws.end(), [oldest](const DrawRecord &draw) {
        return draw.drawDate >= oldest;
    });
    const int count = std::max(static_cast<int>(shown), 1);
    m_general.results().setNewDrawsNotice(newDrawsText(count));
    check(count, count);
}

void DownloadCommands::showState()
{
    m_progress->setValue(m_controller.progress());
    m_status->setText(m_controller.status());
    m_bytes->setText(m_controller.byteCount());
}

void DownloadCommands::takeInDraws()
{
    // The count of the draws read is the notice that lets a prize light the indicator.
    m_general.results().setNewDrawsNotice(m_controller.newDrawsText());
    m_data.refreshCalendar();
    m_data.listDraws();
}

void DownloadCommands::check(int drawCount, int drawsToView)
{
    m_data.checkOptions().drawCount = drawCount;
    // The new draws are checked for every syndicate, not just the one chosen.
    m_general.clearSyndicateFilter();
    m_data.check();
    if (drawsToView > 0)
        m_general.setDrawsToCheck(drawsToView);
}

void DownloadCommands::refresh()
{
    m_data.refreshCalendar();
    m_data.listDraws();
    m_lastDraw.showReport(true);
}

} // namespace zafrano::gui
