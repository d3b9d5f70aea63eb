// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/editor_request.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;

class QPieSeries;

namespace zafrano::gui {

class BacktestPanel;
class LedgerPanel;
class ProgramData;
class ReportCommands;
class SyndicateCommands;
class SyndicateDetailPanel;
class SyndicatesListModel;

// Tab "Gestor de peñas": the syndicate list, the buttons on the selected one
// and the detail of the syndicate picked.
class SyndicatesTab : public QWidget
{
    Q_OBJECT

public:
    SyndicatesTab(ProgramData &data, SyndicateCommands &commands, ReportCommands &reports,
                  QWidget *parent = nullptr);

    // "¿Cuánto habría ganado?" shown with numbers not saved yet.
    void showBacktest(const EditorRequest &request);

private:
    void showSyndicates();
    void fitColumnsToTexts();
    // Row `row` (0-based) picked by a click or the keyboard: its detail, and
    // the selection.
    void pick(int row);
    QWidget *buildSummary();
    void showSummary();

    ProgramData &m_data;
    SyndicateCommands &m_commands;
    SyndicatesListModel *m_model = nullptr;
    QTableView *m_view = nullptr;
    QList<QPushButton *> m_buttons;
    QLabel *m_total = nullptr;            // Label13
    QLineEdit *m_effectiveness = nullptr; // Text4
    QLineEdit *m_drawsPlayed = nullptr;   // Text5
    QPieSeries *m_chart = nullptr;        // MSChart2
    SyndicateDetailPanel *m_detail = nullptr;
    LedgerPanel *m_ledger = nullptr; // "Cuentas"
    BacktestPanel *m_backtest = nullptr;
    QTabWidget *m_pages = nullptr;
    // While a rebuild puts the kept selection back, which it shows itself.
    bool m_restoring = false;
};

} // namespace zafrano::gui
