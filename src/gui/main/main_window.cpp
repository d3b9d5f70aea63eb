// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/main_window.h"

#include "app/draw_commands.h"
#include "app/program_data.h"
#include "app/report_commands.h"
#include "app/syndicate_commands.h"
#include "common/texts.h"
#include "common/version.h"
#include "dialogs/about_dialog.h"
#include "dialogs/bet_kind_chooser.h"
#include "dialogs/manual_draw_dialog.h"
#include "dialogs/print_slips_dialog.h"
#include "dialogs/restore_copy_dialog.h"
#include "dialogs/settings_dialog.h"
#include "editor/editor_window.h"
#include "main/backup_commands.h"
#include "main/download_commands.h"
#include "main/news_commands.h"
#include "main/prize_history_commands.h"
#include "printing/results_listing.h"
#include "printing/slip_layout.h"
#include "startup/open_data_folder.h"
#include "store/program_database.h"
#include "tabs/create_tab.h"
#include "tabs/general_tab.h"
#include "tabs/last_draw_tab.h"
#include "tabs/results_panel.h"
#include "tabs/statistics_filter.h"
#include "tabs/statistics_tab.h"
#include "tabs/syndicates_tab.h"

#include <QEvent>
#include <QIcon>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolBar>
#include <QUrl>
#include <algorithm>
#include <functional>
#include <optional>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

namespace {

const QStringList &tabTitles()
{
    static const QStringList titles = {u"General"_s, u"Último sorteo"_s, u"Gestor de peñas"_s,
                                       u"Estadísticas"_s, u"Crear Combinación"_s};
    return titles;
}

} // namespace

MainWindow::MainWindow(const DataFolder &folder, Platform &platform, QWidget *parent)
    : QMainWindow(parent), m_platform(platform)
{
    setObjectName(u"Principal"_s);
    setWindowTitle(u"Zafrano "_s + QString::fromUtf16(ProgramVersion) +
                   u" - Comprueba tus números por internet."_s);
    setWindowIcon(QIcon(u":/zafrano/zafrano.svg"_s));

    m_data = new ProgramData(folder, platform, this);
    m_drawCommands = new DrawCommands(*m_data, this);
    m_backupCommands = new BackupCommands(*m_data, this);
    m_syndicateCommands = new SyndicateCommands(*m_data, this);
    m_reports = new ReportCommands(*m_data, this);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(u"SSTab1"_s);
    m_general = new GeneralTab(*m_data, m_tabs);
    const DownloadConfig download = windowDownloadConfig();
    m_lastDraw = new LastDrawTab(*m_data, download.operatorBase, download.requestTimeoutMs, m_tabs);
    m_download = new DownloadCommands(*m_data, *m_general, *m_lastDraw, *m_tabs, download, this);
    m_news = new NewsCommands(*m_data, *this, download.requestTimeoutMs);
    m_prizeHistory = new PrizeHistoryCommands(*m_data, *this, download, this);
    // While the news window is up, the download picture does nothing.
    m_download->setBlocked([this] { return m_news->newsShown(); });
    m_statisticsFilter = new StatisticsFilter(*m_data, this);
    m_statistics = new StatisticsTab(*m_data, *m_drawCommands, *m_statisticsFilter, m_tabs);
    m_create = new CreateTab(*m_data, *m_statisticsFilter, m_tabs);
    // Each page scrolls on a screen smaller than it (1024x700), instead of
    // pushing the window past the screen's edges.
    const auto addPage = [this](QWidget *page, const QString &title) {
        auto *area = new QScrollArea(m_tabs);
        area->setWidgetResizable(true);
        area->setFrameShape(QFrame::NoFrame);
        area->setWidget(page);
        m_tabs->addTab(area, title);
    };
    addPage(m_general, tabTitles()[0]);
    addPage(m_lastDraw, tabTitles()[1]);
    auto *syndicates = new SyndicatesTab(*m_data, *m_syndicateCommands, *m_reports, m_tabs);
    addPage(syndicates, tabTitles()[2]);
    addPage(m_statistics, tabTitles()[3]);
    addPage(m_create, tabTitles()[4]);
    setCentralWidget(m_tabs);

    // While a download rechecks, the bar it moves runs no check of its own.
    connect(m_general, &GeneralTab::drawsToCheckChanged, this, [this] {
        if (!m_download->rechecking())
            m_data->runCheckingCycle();
    });
    // Any change of tab stops the prize indicator.
    connect(m_tabs, &QTabWidget::currentChanged, &m_general->results(),
            &ResultsPanel::stopPrizeIndicator);
    connect(m_tabs, &QTabWidget::currentChanged, this, &MainWindow::tabChanged);
    connect(m_create, &CreateTab::chooserRequested, this, &MainWindow::showChooser);
    connect(m_create, &CreateTab::editorRequested, this, &MainWindow::openEditor);
    // Numbers not saved yet, played over the past draws in "Gestor de peñas".
    connect(m_create, &CreateTab::backtestRequested, this,
            [this, syndicates](const EditorRequest &request) {
                m_tabs->setCurrentIndex(2);
                syndicates->showBacktest(request);
            });
    connect(&m_general->results(), &ResultsPanel::printRequested, this, &MainWindow::printResults);
    // The news waits while a download is running.
    connect(&m_general->results(), &ResultsPanel::newsRequested, this, [this] {
        if (!m_download->running())
            m_news->showNews();
    });
    connect(m_syndicateCommands, &SyndicateCommands::printingRequested, this,
            &MainWindow::showPrintSlips);
    connect(m_syndicateCommands, &SyndicateCommands::editorRequested, this, [this](int record) {
        // The editor reads the record and takes its kind from the stored bet count.
        EditorRequest request;
        request.numbersFromRanking = true;
        request.editRecord = record;
        openEditor(request);
    });
    connect(m_drawCommands, &DrawCommands::manualEntryRequested, this, &MainWindow::showManualDraw);
    connect(m_drawCommands, &DrawCommands::resultsReset, this, [this] {
        // The old tallies leave the lists even when one draw was already on show.
        m_general->results().clearList(1);
        if (m_general->drawsToCheck() == 1)
            m_data->check();
        else
            m_general->setDrawsToCheck(1);
    });
    // The program's normal exit, once the running pass has returned.
    connect(m_reports, &ReportCommands::endRequested, this, [this] {
        m_endRequested = true;
        if (m_started)
            QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    });
    connect(m_create, &CreateTab::statisticsReportRequested, m_reports,
            [this] { m_reports->openReport(ReportKind::Statistics); });
    // The statistics report button is offered while there are syndicates.
    connect(m_data, &ProgramData::syndicatesLoaded, this,
            [this] { m_create->setStatisticsReportEnabled(!m_data->syndicates().isEmpty()); });
    buildMenus();
    buildToolbar();
    // The first size fits a 1024x700 screen with its panel and the window's frame.
    resize(1000, 620);
}

MainWindow::~MainWindow()
{
    ProgramDatabase::setDamageListener({});
}

bool MainWindow::startUp()
{
    // Near the top left corner, and whole on a small screen.
    const QRect screenArea = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 700);
    move(screenArea.left() + std::min(25, std::max(0, screenArea.width() - width())),
         screenArea.top() + std::min(50, std::max(0, screenArea.height() - height() - 40)));
    // The start-up says its own damage, in its order.
    ProgramDatabase::setDamageListener({});
    Result<Settings> settings =
        openDataFolder(m_data->folder(), [this](const ProgramMessage &message) {
            m_platform.messages.show(message);
        });
    if (!settings) {
        m_platform.messages.show(settings.error().message);
        return false;
    }
    m_data->setSettings(settings.value());
    // From here on a damaged zafrano.db met on any road is said once, in a
    // box of its own after the command that met it.
    ProgramDatabase::setDamageListener(
        [window = QPointer<MainWindow>(this)](const ProgramMessage &message) {
            if (window)
                QMetaObject::invokeMethod(
                    window, [window, message] { window->m_platform.messages.show(message); },
                    Qt::QueuedConnection);
        });
    m_statisticsFilter->setMaxMonths(settings.value().maxMonths);
    // The syndicate on show, the newest draw and the selection go to the
    // report file on one connection.
    const ReportDatabase::Session reportCopies(m_data->reportDatabase());
    m_data->refreshCalendar();
    if (m_endRequested)
        return false;
    m_drawCommands->rescueDamagedDraws();
    m_drawCommands->offerShippedHistory();
    m_data->runCheckingCycle();
    m_download->showUnattendedPrizes();
    m_lastDraw->showReport(false);
    m_news->checkAtStartUp();
    // The checking cycle's listing counted the numbers and described the
    // selection: the statistics are up. The prize report, the results view and
    // the news check join the sequence here as they arrive.
    if (m_endRequested)
        return false;
    m_started = true;
    return true;
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_started)
        handleActivation();
}

void MainWindow::tabChanged(int index)
{
    // "Último sorteo" waits for a running download: back to the tab the player
    // was on, whose own change then does nothing more.
    if (index == 1 && m_download->running()) {
        m_tabs->setCurrentIndex(m_currentTab);
        return;
    }
    // Opened on its message, the report is read again.
    if (index == 1 && m_lastDraw->messageShown())
        m_lastDraw->refreshWhenOpened();
    // Leaving "Crear Combinación" puts it back in its opening state; entering
    // it lists the reduction tables' hint.
    if (m_currentTab == 4 && index != 4)
        m_create->restoreOpeningState();
    if (index == 4 && m_currentTab != 4)
        m_create->enterTab();
    m_currentTab = index;
}

void MainWindow::handleActivation()
{
    ++m_activations;
    if (m_activations == 1 && m_data->syndicates().isEmpty()) {
        m_platform.messages.show(
            {u"Bienvenido a Zafrano. Vaya a la pestaña 'Crear Combinación' y cree una peña. "
             u"Podrás comprobar tus resultados a partir de hoy. Instrucciones disponibles en "
             u"nuestra web, en la sección 'Tutorial' o en el programa, en el menú 'Ayuda'."_s,
             u"Fichero de peñas vacío"_s, MessageIcon::Information});
    }
    // An activation that comes before the editor ever was in front is the
    // window system catching up (after a message box), not the player
    // coming back: the editor just opened stays.
    // An edit-mode bet left half changed keeps the editor open, with the
    // refusal its own closing gives, rather than being dropped unsaid.
    if (m_editor && m_editor->hasBeenActive())
        m_editor->close();
    const ReportDatabase::Session reportCopies(m_data->reportDatabase());
    if (m_syndicatesChanged) {
        m_general->clearSyndicateFilter();
        m_data->recheckNewestDraw();
        m_data->refreshCalendar();
        m_syndicatesChanged = false;
    }
    if (m_chooser && m_chooser->hasBeenActive())
        m_chooser->close();
    if (m_about)
        m_about->close();
    if (m_settingsDialog)
        m_settingsDialog->close();
    if (m_printSlips)
        m_printSlips->close();
    m_data->recheckNewestDraw();
}

void MainWindow::buildMenus()
{
    QMenu *general = menuBar()->addMenu(u"General"_s);
    general->setObjectName(u"mnuGeneral"_s);
    QAction *download = general->addAction(u"Bajar Sorteos nuevos"_s);
    download->setObjectName(u"mnuBajar"_s);
    connect(download, &QAction::triggered, m_download, &DownloadCommands::start);
    QAction *create = general->addAction(u"Crear peña nueva"_s);
    create->setObjectName(u"mnuCrear"_s);
    connect(create, &QAction::triggered, this, &MainWindow::showChooser);
    QAction *importCsv = general->addAction(u"Importar histórico (CSV)..."_s);
    importCsv->setObjectName(u"mnuImportarCsv"_s);
    connect(importCsv, &QAction::triggered, m_drawCommands, &DrawCommands::importHistoryCsv);
    QAction *manual = general->addAction(u"Añadir sorteo a mano..."_s);
    manual->setObjectName(u"mnuAnadirSorteo"_s);
    connect(manual, &QAction::triggered, m_drawCommands, &DrawCommands::manualEntryRequested);
    QAction *prizes = general->addAction(u"Bajar premios de sorteos anteriores..."_s);
    prizes->setObjectName(u"mnuBajarPremios"_s);
    connect(prizes, &QAction::triggered, m_prizeHistory, &PrizeHistoryCommands::start);
    connect(m_prizeHistory, &PrizeHistoryCommands::prizesKept, this,
            [this] { m_lastDraw->showReport(false); });
    QAction *deleteAll = general->addAction(u"Borrar sorteos almacenados/Reset aciertos peñas"_s);
    addResultsMenus(general);
    deleteAll->setObjectName(u"mnuBorrar"_s);
    connect(deleteAll, &QAction::triggered, m_drawCommands, &DrawCommands::deleteAllOrReset);
    general->addSeparator();
    QAction *backup = general->addAction(u"Copia de seguridad..."_s);
    backup->setObjectName(u"mnuCopia"_s);
    connect(backup, &QAction::triggered, m_backupCommands, &BackupCommands::saveBackup);
    QAction *restore = general->addAction(u"Restaurar copia..."_s);
    restore->setObjectName(u"mnuRestaurar"_s);
    connect(restore, &QAction::triggered, this, &MainWindow::showRestoreCopy);
    general->addSeparator();
    QAction *quit = general->addAction(u"Salir"_s);
    quit->setObjectName(u"mnuSalir"_s);
    connect(quit, &QAction::triggered, this, &QWidget::close);

    QMenu *view = menuBar()->addMenu(u"Ver"_s);
    for (int i = 0; i < tabTitles().size(); ++i) {
        QAction *action = view->addAction(u"Pestaña "_s + tabTitles()[i]);
        connect(action, &QAction::triggered, this, [this, i] { m_tabs->setCurrentIndex(i); });
    }

    QMenu *options = menuBar()->addMenu(u"Opciones"_s);
    QAction *settings = options->addAction(u"Configuración"_s);
    settings->setObjectName(u"mnuConfiguracion"_s);
    connect(settings, &QAction::triggered, this, &MainWindow::showSettings);

    QMenu *help = menuBar()->addMenu(u"Ayuda"_s);
    connect(help->addAction(u"Instrucciones"_s), &QAction::triggered, this,
            [this] { openUrl(u"/descargas/Instrucciones%20Tolvanic%203.2.pdf"_s); });
    QAction *news = help->addAction(u"Leer mensaje del Jefe"_s);
    news->setObjectName(u"mnuMensaje"_s);
    connect(news, &QAction::triggered, m_news, &NewsCommands::showNews);
    connect(help->addAction(u"Web del programa"_s), &QAction::triggered, this,
            [this] { openUrl({}); });
    QAction *about = help->addAction(u"Acerca de..."_s);
    about->setObjectName(u"mnuAcercade"_s);
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::addResultsMenus(QMenu *general)
{
    // Each entry shows its list with the two check boxes set in one step; a box
    // that changes runs the check again.
    struct Entry
    {
        const char16_t *name;
        const char16_t *caption;
        std::optional<bool> prizesOnly;
        std::optional<bool> history;
    };
    const QList<Entry> simple = {
        {u"sencillas", u"Todos los resultados", std::nullopt, std::nullopt},
        {u"verpremio", u"Sólo si hay premio", true, false},
        {u"verhisto",
         u"Histórico (resultados sorteos anteriores a la fecha de creación de las peñas)", false,
         true},
        {u"verprehi", u"Sólo si hay premios + histórico", true, true}};
    const QList<Entry> multiple = {
        {u"Multiples", u"Todos los resultados", std::nullopt, std::nullopt},
        {u"verpremiom", u"Sólo si hay premio", true, false},
        {u"verhistom",
         u"Histórico (resultados sorteos anteriores a la fecha de creacón de las peñas)", false,
         true},
        {u"verpreim", u"Sólo si hay premios + histórico", true, true}};
    const QList<std::pair<QString, QList<Entry>>> menus = {{u"Sencillas"_s, simple},
                                                           {u"Múltiples"_s, multiple}};
    for (int list = 0; list < 2; ++list) {
        QMenu *menu = general->addMenu(menus[list].first);
        for (const Entry &entry : menus[list].second) {
            QAction *action = menu->addAction(QString::fromUtf16(entry.caption));
            action->setObjectName(QString::fromUtf16(entry.name));
            connect(action, &QAction::triggered, this, [this, list, entry] {
                m_tabs->setCurrentIndex(0);
                m_general->results().showResultsList(list);
                if (entry.prizesOnly)
                    m_general->setPrizesOnly(*entry.prizesOnly);
                if (entry.history)
                    m_general->setHistory(*entry.history);
            });
        }
    }
}

void MainWindow::buildToolbar()
{
    QToolBar *toolbar = addToolBar(u"Herramientas"_s);
    toolbar->setObjectName(u"Toolbar"_s);
    toolbar->setMovable(false);
    toolbar->setIconSize(QSize(28, 28));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    struct Tool
    {
        const char16_t *picture;
        const char16_t *text;
        std::function<void()> run;
    };
    const QList<Tool> tools = {
        {u"delete-syndicate", u"Eliminar peña", [this] { m_syndicateCommands->deleteSelected(); }},
        {u"edit-syndicate", u"Editar peña", [this] { m_syndicateCommands->editSelected(); }},
        {u"delete-draws", u"Borrar sorteos", [this] { m_drawCommands->deleteAllOrReset(); }},
        {u"print-slips", u"Imprimir boletos", [this] { m_syndicateCommands->printSelected(); }},
        {u"import-draws", u"Añadir sorteos", [this] { m_drawCommands->importDraws(); }}};
    for (qsizetype i = 0; i < tools.size(); ++i) {
        QAction *action = toolbar->addAction(
            QIcon(u":/zafrano/"_s + QString::fromUtf16(tools[i].picture) + u".svg"_s),
            QString::fromUtf16(tools[i].text));
        action->setObjectName(u"Image1_"_s + QString::number(i));
        connect(action, &QAction::triggered, this, tools[i].run);
    }
    // The download picture with its progress, on a line of its own so it is
    // never folded away.
    addToolBarBreak();
    QToolBar *download = addToolBar(u"Descarga"_s);
    download->setObjectName(u"DownloadBar"_s);
    download->setMovable(false);
    download->addWidget(m_download->panel());
}

void MainWindow::printResults()
{
    m_data->check();
    const PrintDocument listing = buildResultsListing(m_data->checkResults());
    if (!listing.hasText()) {
        m_platform.messages.show(texts::emptyResultsListing());
        return;
    }
    if (m_platform.desktop.printDocument(listing, u"Resultados de las peñas"_s) ==
        PrintOutcome::Failed)
        m_platform.messages.show(texts::printFailed());
}

void MainWindow::openUrl(const QString &path)
{
    m_platform.desktop.openUrl(
        QUrl(u"http://"_s + m_data->settings().webAddressText() + path, QUrl::TolerantMode));
}

void MainWindow::showAbout()
{
    if (!m_about) {
        m_about = new AboutDialog(m_platform.desktop, m_data->settings().webAddressText(),
                                  m_data->folder().basePath(), this);
        m_about->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_about->show();
    m_about->raise();
}

void MainWindow::openEditor(const EditorRequest &request)
{
    // One editor at a time: a new request replaces the one open.
    closeEditor();
    auto *editor = new EditorWindow(*m_data, {}, this);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    if (!editor->open(request)) {
        delete editor;
        return;
    }
    // Edit mode writes as it goes: the next activation re-checks even when the
    // editor was closed before it.
    if (editor->editing())
        m_syndicatesChanged = true;
    connect(editor, &EditorWindow::activated, this, &MainWindow::editorActivated);
    connect(editor, &EditorWindow::syndicatesWritten, this, [this] { m_syndicatesChanged = true; });
    m_editor = editor;
    editor->show();
    editor->raise();
    editor->activateWindow();
}

void MainWindow::closeEditor()
{
    if (m_editor)
        m_editor->closeDiscarding();
}

void MainWindow::editorActivated()
{
    if (m_chooser)
        m_chooser->close();
    if (m_general->drawsToCheck() > 20)
        m_general->setDrawsToCheck(1);
}

void MainWindow::showChooser()
{
    if (!m_chooser) {
        m_chooser = new BetKindChooser(m_data->folder().tablesPath(), this);
        m_chooser->setAttribute(Qt::WA_DeleteOnClose);
        // The editor takes over: the chooser's work is done.
        connect(m_chooser, &BetKindChooser::editorRequested, this,
                [this](const EditorRequest &request) {
                    openEditor(request);
                    if (m_chooser)
                        m_chooser->close();
                });
    }
    // Down and to the right of the main window's corner, over the tabs.
    m_chooser->move(pos() + QPoint(213, 187));
    m_chooser->show();
    m_chooser->raise();
}

void MainWindow::showPrintSlips(int record)
{
    Result<SyndicateRecord> syndicate = m_data->folder().syndicates().read(record);
    if (!syndicate) {
        m_data->showFailure(syndicate.error());
        return;
    }
    if (Status printable = slipsPrintable(syndicate.value()); !printable) {
        m_platform.messages.show(printable.error().message);
        return;
    }
    if (m_printSlips)
        m_printSlips->close();
    m_printSlips = new PrintSlipsDialog(*m_data, syndicate.value(), this);
    m_printSlips->setAttribute(Qt::WA_DeleteOnClose);
    m_printSlips->show();
}

void MainWindow::showRestoreCopy()
{
    if (m_restoreCopy)
        m_restoreCopy->close();
    m_restoreCopy =
        new RestoreCopyDialog(copies::describeCopies(m_data->folder().basePath()), this);
    m_restoreCopy->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_restoreCopy, &RestoreCopyDialog::copyChosen, m_backupCommands,
            &BackupCommands::restoreFrom);
    connect(m_restoreCopy, &RestoreCopyDialog::otherFileWanted, m_backupCommands,
            &BackupCommands::restoreOtherFile);
    m_restoreCopy->show();
    m_restoreCopy->raise();
}

void MainWindow::showManualDraw()
{
    if (!m_manualDraw) {
        m_manualDraw = new ManualDrawDialog(*m_data, this);
        m_manualDraw->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_manualDraw, &ManualDrawDialog::drawAdded, m_download,
                &DownloadCommands::takeInTypedDraw);
    }
    m_manualDraw->show();
    m_manualDraw->raise();
}

void MainWindow::showSettings()
{
    if (!m_settingsDialog) {
        m_settingsDialog = new SettingsDialog(*m_data, this);
        m_settingsDialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_settingsDialog, &SettingsDialog::maxMonthsChanged, m_statisticsFilter,
                &StatisticsFilter::setMaxMonths);
    }
    m_settingsDialog->show();
    m_settingsDialog->raise();
}

} // namespace zafrano::gui
