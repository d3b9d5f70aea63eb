// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/editor_request.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QSlider;

namespace zafrano::gui {

class BetKindPanel;
class ProgramData;
class StatisticsFilter;

// Tab "Crear Combinación": "Manual" and "Automática", and the assistant that
// "Automática" enters: step 1 filters the draws, step 2 ranks their numbers,
// step 3 offers the kinds of bet for that many numbers.
class CreateTab : public QWidget
{
    Q_OBJECT

public:
    CreateTab(ProgramData &data, StatisticsFilter &filter, QWidget *parent = nullptr);

    // Leaving the tab: the opening buttons and texts again, the assistant
    // back at step 1.
    void restoreOpeningState();
    // Entering the tab: the hint line of the reduction tables.
    void enterTab();
    // The statistics report button, Image2(1).
    void setStatisticsReportEnabled(bool enabled);

signals:
    // "Manual": the bet-kind chooser.
    void chooserRequested();
    // A create button of step 3.
    void editorRequested(const zafrano::EditorRequest &request);
    // Step 3's "¿Cuánto habría ganado?": the numbers over the past draws.
    void backtestRequested(const zafrano::EditorRequest &request);
    void statisticsReportRequested();

private:
    void enterAssistant();
    void chooseNumberCount(int count);
    void returnToStepOne();

    ProgramData &m_data;
    StatisticsFilter &m_filter;
    QWidget *m_opening = nullptr;
    QWidget *m_assistant = nullptr;
    QSlider *m_count = nullptr;                // Slider2
    QLabel *m_countText = nullptr;             // Label23
    QLabel *m_chosenText = nullptr;            // the ranked numbers of step 2
    BetKindPanel *m_betKinds = nullptr;        // step 3
    QPushButton *m_statisticsReport = nullptr; // Image2(1)
};

} // namespace zafrano::gui
