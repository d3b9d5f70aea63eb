// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/number_counts.h"

#include <QWidget>

class QBarCategoryAxis;
class QChart;
class QChartView;
class QGroupBox;
class QScrollBar;
class QValueAxis;

namespace zafrano::gui {

// The frequency chart: half of the numbers at a time (HScroll2: 1..25 or
// 25..49), overall as one series or, when comparing, one series per weekday
// with the legend Frame5.
class FrequencyChart : public QWidget
{
    Q_OBJECT

public:
    explicit FrequencyChart(QWidget *parent = nullptr);

    // Shows new counts; the half stays where the player left it.
    void setCounts(const NumberCounts &counts);
    void setComparing(bool comparing);

    ChartHalf half() const;
    // Back to numbers 1..25, as the re-check of the newest draw leaves it.
    void showFirstHalf();
    QChart *chart() const { return m_chart; }

    // The series colour of a weekday, Monday = 0 … Sunday = 6.
    static QColor dayColour(int day);

private:
    void showHalf();

    NumberCounts m_counts;
    bool m_comparing = false;
    QChart *m_chart = nullptr;
    QChartView *m_view = nullptr;
    QBarCategoryAxis *m_numbersAxis = nullptr;
    QValueAxis *m_timesAxis = nullptr;
    QScrollBar *m_halves = nullptr;
    QGroupBox *m_legend = nullptr;
};

} // namespace zafrano::gui
