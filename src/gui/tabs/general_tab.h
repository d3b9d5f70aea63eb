// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class QTimer;

namespace zafrano::gui {

class ProgramData;
class ResultsPanel;

// Tab "General": the calendar's status block, the choices of the check
// (draws to check, syndicate filter, "Histórico", "Ver sólo si hay premio")
// and the results lists.
class GeneralTab : public QWidget
{
    Q_OBJECT

public:
    explicit GeneralTab(ProgramData &data, QWidget *parent = nullptr);

    ResultsPanel &results() const { return *m_results; }

    // How many of the newest draws the checking cycle checks (HScroll1).
    int drawsToCheck() const;
    // Moves the bar; a change runs the checking cycle.
    void setDrawsToCheck(int count);
    // Ticks or clears "Histórico" / "Ver sólo si hay premio" as a click would:
    // a change runs the check again.
    void setHistory(bool on);
    void setPrizesOnly(bool on);
    // Puts the syndicate filter (Combo2) back on every syndicate.
    void clearSyndicateFilter();

signals:
    void drawsToCheckChanged(int count);

private:
    QWidget *buildStatusBlock();
    QWidget *buildChoices();
    void showCalendar();
    void fillSyndicateFilter();
    void historyClicked();
    void prizesOnlyClicked();
    void filterChosen(int index);

    ProgramData &m_data;
    QList<QLabel *> m_status;         // Label9(0..7)
    QLabel *m_missingDraws = nullptr; // the draw days the draws file lacks
    QScrollBar *m_drawsToCheck = nullptr;
    QLineEdit *m_drawsToCheckText = nullptr;
    QComboBox *m_filter = nullptr;
    QCheckBox *m_history = nullptr;
    QCheckBox *m_prizesOnly = nullptr;
    QTimer *m_blink = nullptr;
    ResultsPanel *m_results = nullptr;
};

} // namespace zafrano::gui
