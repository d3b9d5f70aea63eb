// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QStackedWidget;
class QTimer;
class QTreeView;

namespace zafrano::gui {

class CheckProgressBar;
class ProgramData;
class ResultsListModel;

// The two results lists that take turns in one place, "S E N C I L L A" for
// simple and reduced syndicates and "M Ú L T I P L E" for multiples, with the
// blinking prize indicator on their buttons.
class ResultsPanel : public QWidget
{
    Q_OBJECT

public:
    explicit ResultsPanel(ProgramData &data, QWidget *parent = nullptr);

    // Brings list 0 (simple) or 1 (multiple) to the front; stops the indicator.
    void showResultsList(int index);
    // Stops the blinking of the view buttons; the indicator's state stays.
    void stopPrizeIndicator();
    // A download starts: the blinking stops and the state goes back to idle,
    // so that only the new draws' prizes light the buttons.
    void resetPrizeIndicator();
    // Empties list 0 (simple) or 1 (multiple) until the next check.
    void clearList(int index);
    // The list on show: 0 simple, 1 multiple.
    int shownList() const;
    bool prizeIndicatorRunning() const;
    // The notice of new draws left by a download; the indicator only starts while it shows one.
    void setNewDrawsNotice(const QString &text);

signals:
    void printRequested();
    // "Ver mensaje": the maker's news.
    void newsRequested();

private:
    void showResults();
    void blink();
    void startIndicator(bool simplePrize, bool multiplePrize);
    void restoreButton(int index);

    ProgramData &m_data;
    ResultsListModel *m_models[2] = {};
    QTreeView *m_views[2] = {};
    QPushButton *m_viewButtons[2] = {};
    QStackedWidget *m_stack = nullptr;
    CheckProgressBar *m_progress = nullptr; // ProgressBar2
    QLabel *m_notice = nullptr;             // Label59
    QTimer *m_indicator = nullptr;          // Timer3
    int m_indicatorState = 0;               // 0 idle, 1 simple, 2 multiple, 3 both
};

} // namespace zafrano::gui
