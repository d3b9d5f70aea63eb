// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QObject>
#include <QPointer>
#include <array>

class QSlider;

namespace zafrano::gui {

class ProgramData;

// The statistics filter as two groups of boxes that mirror each other: the
// "Filtrado de datos:" group of the statistics tab and the "Paso 1" group of
// the assistant. Only the first is read; a click in either is copied to the
// other, and every change lists and counts the draws again.
class StatisticsFilter : public QObject
{
    Q_OBJECT

public:
    explicit StatisticsFilter(ProgramData &data, QObject *parent = nullptr);
    ~StatisticsFilter() override;

    // The two groups, to be placed by their tabs (which take them over).
    QGroupBox *filterGroup() const { return m_filterGroup; }
    QGroupBox *stepOneGroup() const { return m_stepOneGroup; }
    // "Comparativa": the chart compares the seven weekdays.
    QCheckBox *comparison() const { return m_comparison; }

    // The months the sliders reach, from the settings.
    void setMaxMonths(int maxMonths);
    // A chosen ranking locks the "Paso 1" boxes until the player goes back.
    void setStepOneLocked(bool locked);

signals:
    void comparisonChanged(bool comparing);

private:
    void handleClick(int index);
    void applyPeriodMode(bool allDraws);
    void handleSlider(int index, int months);
    void updateEnabled();

    ProgramData &m_data;
    // Owned by the tabs that place them; deleted here only if never placed.
    QPointer<QGroupBox> m_filterGroup;
    QPointer<QGroupBox> m_stepOneGroup;
    QPointer<QCheckBox> m_comparison;
    std::array<QCheckBox *, 19> m_boxes{}; // Check3(0) … Check3(18)
    std::array<QSlider *, 2> m_sliders{};  // Slider1(0), Slider1(1)
    bool m_handlingClick = false;
    bool m_stepOneLocked = false;
};

} // namespace zafrano::gui
