// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/editor_request.h"
#include "systems/table_list.h"
#include "systems/tables_file.h"

#include <QWidget>
#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace zafrano::gui {

class ProgramData;

// Step 3 of the assistant ("Paso 3"): the reduction tables for the numbers
// chosen in step 2, the three create buttons and, once a table is picked,
// what that table buys.
class BetKindPanel : public QWidget
{
    Q_OBJECT

public:
    explicit BetKindPanel(ProgramData &data, QWidget *parent = nullptr);

    // Offers the kinds of bet for `count` ranked numbers: the tables of that
    // many numbers, simple for 6, a multiple for 5 and 7..11. 0 offers nothing.
    void offerKindsFor(int count);
    // Lists the tables of `count` numbers and the hint line; entering the tab
    // lists them for 0, which fills the hint alone.
    void showTablesFor(int count);
    // Back at step 1: no list, the help panel instead of the coverage panel.
    void reset();

signals:
    void editorRequested(const zafrano::EditorRequest &request);
    // "-Volver al Paso 1:", and every create button before the editor opens.
    void stepOneRequested();
    // "¿Cuánto habría ganado?": the ranked numbers as the table picked, a
    // multiple or one simple bet, over the past draws.
    void backtestRequested(const zafrano::EditorRequest &request);

private:
    QGroupBox *buildHelpPanel();
    QGroupBox *buildCoveragePanel();
    void pickTable(int entry);
    void createReduced();
    void createSimple();
    void createMultiple();
    void backtestAsked();
    // The first `count` ranked numbers, handed to the editor.
    EditorRequest rankedRequest(int editorKind) const;

    ProgramData &m_data;
    ReductionTables m_file;
    TableList m_list;
    int m_count = 0;
    int m_pickedTable = -1;
    QComboBox *m_tables = nullptr;                  // Combo1
    QLabel *m_hint = nullptr;                       // Label51
    std::array<QPushButton *, 3> m_createButtons{}; // Image3(0) reduced, (1) simple, (2) multiple
    QPushButton *m_backtest = nullptr;
    QGroupBox *m_help = nullptr;     // Frame9
    QGroupBox *m_coverage = nullptr; // Frame10
};

} // namespace zafrano::gui
