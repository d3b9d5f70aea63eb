// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/download_controller.h"
#include "store/folder_lock.h"

#include <QObject>
#include <functional>
#include <optional>

class QLabel;
class QProgressBar;
class QTabWidget;
class QToolButton;
class QWidget;

namespace zafrano::gui {

class GeneralTab;
class LastDrawTab;
class ProgramData;

// The download of new results in the window: the picture that starts it, its
// progress bar and status labels, the messages, and the passes that follow it
// (check, calendar, draws list, prize report) in the order the download asks.
class DownloadCommands : public QObject
{
    Q_OBJECT
public:
    DownloadCommands(ProgramData &data, GeneralTab &general, LastDrawTab &lastDraw,
                     QTabWidget &tabs, const DownloadConfig &config, QObject *parent = nullptr);

    // The picture Picture2 and "Bajar Sorteos nuevos"; nothing while `blocked` holds.
    void start();
    void setBlocked(std::function<bool()> blocked) { m_blocked = std::move(blocked); }
    bool running() const { return m_controller.running(); }
    // While the download rechecks, a change of the draws to check runs no check of its own.
    bool rechecking() const { return m_controller.progress() == DownloadController::Rechecking; }
    DownloadController &controller() { return m_controller; }

    // A draw typed in was appended: checked and shown as a downloaded one.
    void takeInTypedDraw();
    // At start: the prizes the evening check found since the window last ran
    // are shown as after a download, the indicator blinking.
    void showUnattendedPrizes();

    // Picture2, ProgressBar1, Label6 and Label58 in one strip.
    QWidget *panel() const { return m_panel; }

private:
    void showState();
    void takeInDraws();
    void check(int drawCount, int drawsToView);
    void refresh();

    ProgramData &m_data;
    GeneralTab &m_general;
    LastDrawTab &m_lastDraw;
    QTabWidget &m_tabs;
    DownloadController m_controller;
    std::function<bool()> m_blocked;
    // The data folder's lock, held from the start of a download to its end.
    std::optional<FolderLock::Held> m_lock;
    QWidget *m_panel = nullptr;
    QToolButton *m_button = nullptr;    // Picture2
    QProgressBar *m_progress = nullptr; // ProgressBar1
    QLabel *m_status = nullptr;         // Label6
    QLabel *m_bytes = nullptr;          // Label58
};

// The operator's address and time-outs the window uses: ZAFRANO_OPERATOR_URL
// or the real host.
DownloadConfig windowDownloadConfig();

} // namespace zafrano::gui
