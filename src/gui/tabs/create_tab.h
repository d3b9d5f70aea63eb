// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

namespace zafrano::gui {

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
    // The statistics report button, Image2(1).
    void setStatisticsReportEnabled(bool enabled);

signals:
    void statisticsReportRequested();

private:
    void enterAssistant();
    void chooseNumberCount(int count);
    void returnToStepOne();

    ProgramData &m_data;
    StatisticsFilter &m_filter;
    QWidget *m_opening = nullptr;
    QWidget *m_assistant = nullptr;
    QSlider *m_count = nullptr;                     // Slider2
    QLabel *m_countText = nullptr;                  // Label23
    QComboBox *m_tables = nullptr;                  // Combo1
    std::array<QPushButton *, 3> m_createButtons{}; // Image3(0) reduced, (1) simple, (2) multiple
    QPushButton *m_statisticsReport = nullptr;      // Image2(1)
};

} // namespace zafrano::gui
