// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

class QBarSet;
class QLabel;
class QListWidget;
class QToolButton;
class QValueAxis;

namespace zafrano::gui {

class ReportCommands;

// The detail of the syndicate picked in "Gestor de peñas": its bets, kind,
// prizes per category, draws played, hit share, chart, weekly spend and the
// button of its report.
class SyndicateDetailPanel : public QWidget
{
    Q_OBJECT

public:
    explicit SyndicateDetailPanel(ReportCommands &commands, QWidget *parent = nullptr);

    // Shows syndicate record k (1-based); a record past the stored ones shows
    // the empty detail.
    void showSyndicate(int record);

private:
    void showEmpty();
    void sizeBetsList(int rows);

    ReportCommands &m_commands;
    QLabel *m_kind = nullptr;           // Label28
    QLabel *m_baseNumbers = nullptr;    // Label29
    QListWidget *m_bets = nullptr;      // ListView5
    std::array<QLabel *, 5> m_prizes{}; // Label3(0..4): 3, 4, 5, 5 + C, 6 hits
    QLabel *m_drawsPlayed = nullptr;    // Label17
    QLabel *m_hitShare = nullptr;       // Label16
    QBarSet *m_missedBar = nullptr;     // MSChart3
    QBarSet *m_wonBar = nullptr;
    QValueAxis *m_values = nullptr;
    QLabel *m_spend = nullptr;       // Label37
    QToolButton *m_report = nullptr; // Image2(0)
};

} // namespace zafrano::gui
