// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/editor_request.h"
#include "store/data_folder.h"
#include "ui/platform.h"

#include <QMainWindow>
#include <QPointer>

class QMenu;
class QTabWidget;

namespace zafrano::gui {

class DownloadCommands;
class BackupCommands;
class DrawCommands;
class LastDrawTab;
class NewsCommands;
class PrizeHistoryCommands;
class GeneralTab;
class ProgramData;
class PrintSlipsDialog;
class RestoreCopyDialog;
class ReportCommands;
class SettingsDialog;
class ManualDrawDialog;
class AboutDialog;
class BetKindChooser;
class CreateTab;
class EditorWindow;
class StatisticsFilter;
class StatisticsTab;
class SyndicateCommands;

// The main window ("Principal"): it assembles the tabs, the menus and the
// passes that bring every view up to date.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(const DataFolder &folder, Platform &platform, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The start-up sequence. False when the program cannot run (a required
    // file is missing); its message has been shown.
    bool startUp();

    // What happens each time the window becomes active again.
    void handleActivation();

    // Opens the syndicate editor for a new syndicate of the requested kind,
    // or on a stored one (edit mode).
    void openEditor(const EditorRequest &request);
    // "Crear peña nueva" and "Manual": the bet-kind chooser.
    void showChooser();

    ProgramData &data() const { return *m_data; }
    DownloadCommands &downloadCommands() const { return *m_download; }
    NewsCommands &newsCommands() const { return *m_news; }
    PrizeHistoryCommands &prizeHistoryCommands() const { return *m_prizeHistory; }
    SyndicateCommands &syndicateCommands() const { return *m_syndicateCommands; }
    ReportCommands &reportCommands() const { return *m_reports; }

protected:
    void changeEvent(QEvent *event) override;

private:
    // "Añadir sorteo a mano...": the window for a draw typed in.
    void showManualDraw();
    // "Restaurar copia...": the list of the automatic copies.
    void showRestoreCopy();
    void tabChanged(int index);
    void buildMenus();
    // General ▸ "Sencillas" and "Múltiples": the results views and their filters.
    void addResultsMenus(QMenu *general);
    // The pictures Image1(0..4): each does what its button does.
    void buildToolbar();
    void openUrl(const QString &path);
    void showAbout();
    // The print picture of the results: the lists as they stand, on paper.
    void printResults();
    void showSettings();
    // "Imprimir boletos" for syndicate record k.
    void showPrintSlips(int record);
    // The editor became active: the chooser goes, and a long check is cut back
    // to the newest draw.
    void editorActivated();
    // Closes the editor, if open, without its refusal.
    void closeEditor();

    Platform &m_platform;
    ProgramData *m_data = nullptr;
    DrawCommands *m_drawCommands = nullptr;
    BackupCommands *m_backupCommands = nullptr;
    DownloadCommands *m_download = nullptr;
    LastDrawTab *m_lastDraw = nullptr;
    NewsCommands *m_news = nullptr;
    PrizeHistoryCommands *m_prizeHistory = nullptr;
    SyndicateCommands *m_syndicateCommands = nullptr;
    ReportCommands *m_reports = nullptr;
    // A missing or damaged report database: the program ends after its message.
    bool m_endRequested = false;
    QTabWidget *m_tabs = nullptr;
    GeneralTab *m_general = nullptr;
    StatisticsTab *m_statistics = nullptr;
    StatisticsFilter *m_statisticsFilter = nullptr;
    CreateTab *m_create = nullptr;
    int m_currentTab = 0; // the tab shown, until the next change has been handled
    QPointer<AboutDialog> m_about;
    QPointer<BetKindChooser> m_chooser;
    QPointer<SettingsDialog> m_settingsDialog;
    QPointer<ManualDrawDialog> m_manualDraw;
    QPointer<PrintSlipsDialog> m_printSlips;
    QPointer<RestoreCopyDialog> m_restoreCopy;
    QPointer<EditorWindow> m_editor;
    // The editor saved or edited a syndicate since the last activation.
    bool m_syndicatesChanged = false;
    int m_activations = 0;
    bool m_started = false;
};

} // namespace zafrano::gui
