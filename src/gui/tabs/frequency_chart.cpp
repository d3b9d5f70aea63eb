// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabs/frequency_chart.h"

#include "calendar/weekday.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

QColor FrequencyChart::dayColour(int day)
{
    static const std::array<QColor, NumberCounts::DrawDays> colours = {
        QColor(0x1f, 0x77, 0xb4), QColor(0xff, 0x7f, 0x0e), QColor(0x2c, 0xa0, 0x2c),
        QColor(0xd6, 0x27, 0x28), QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
        QColor(0xe3, 0x77, 0xc2)};
    return colours[day];
}

FrequencyChart::FrequencyChart(QWidget *parent) : QWidget(parent)
{
    m_chart = new QChart;
    m_chart->legend()->hide(); // Frame5 is the legend
    m_chart->setAnimationOptions(QChart::NoAnimation);
    m_chart->setMargins(QMargins(4, 4, 4, 4));
    m_numbersAxis = new QBarCategoryAxis(m_chart);
    QFont small = m_numbersAxis->labelsFont();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    m_numbersAxis->setLabelsFont(small);
    m_numbersAxis->setTruncateLabels(false);
    m_timesAxis = new QValueAxis(m_chart);
    m_timesAxis->setLabelFormat(u"%d"_s);
    m_chart->addAxis(m_numbersAxis, Qt::AlignBottom);
    m_chart->addAxis(m_timesAxis, Qt::AlignLeft);

    m_view = new QChartView(m_chart, this);
    m_view->setObjectName(u"MSChart1"_s);
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMinimumHeight(220);

    m_halves = new QScrollBar(Qt::Horizontal, this);
    m_halves->setObjectName(u"HScroll2"_s);
    m_halves->setRange(1, 2);
    m_halves->setPageStep(1);
    m_halves->setValue(1);
    connect(m_halves, &QScrollBar::valueChanged, this, &FrequencyChart::showHalf);

    m_legend = new QGroupBox(u"Leyenda"_s, this);
    m_legend->setObjectName(u"Frame5"_s);
    auto *legendLayout = new QVBoxLayout(m_legend);
    for (int day = 0; day < NumberCounts::DrawDays; ++day) {
        auto *swatch = new QLabel(m_legend);
        swatch->setFixedSize(14, 14);
        swatch->setStyleSheet(
            u"background-color: %1; border: 1px solid #444;"_s.arg(dayColour(day).name()));
        auto *row = new QHBoxLayout;
        row->addWidget(swatch);
        row->addWidget(new QLabel(weekdayCaptions()[day], m_legend), 1);
        legendLayout->addLayout(row);
    }
    legendLayout->addStretch(1);
    m_legend->setVisible(false);

    auto *chartColumn = new QVBoxLayout;
    chartColumn->addWidget(m_view, 1);
    chartColumn->addWidget(m_halves);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(chartColumn, 1);
    layout->addWidget(m_legend);
    showHalf();
}

void FrequencyChart::showFirstHalf()
{
    m_halves->setValue(1);
}

ChartHalf FrequencyChart::half() const
{
    return m_halves->value() == 1 ? ChartHalf::Low : ChartHalf::High;
}

void FrequencyChart::setCounts(const NumberCounts &counts)
{
    m_counts = counts;
    showHalf();
}

void FrequencyChart::setComparing(bool comparing)
{
    m_comparing = comparing;
    m_legend->setVisible(comparing);
    showHalf();
}

void FrequencyChart::showHalf()
{
    const HalfTable table = halfTable(m_counts, half());
    m_chart->removeAllSeries();
    auto *series = new QBarSeries;
    int highest = 0;
    if (m_comparing) {
        for (int day = 0; day < NumberCounts::DrawDays; ++day) {
            auto *set = new QBarSet(weekdayNames()[day]);
            set->setColor(dayColour(day));
            set->append(QList<qreal>(table.byDay[day].begin(), table.byDay[day].end()));
            highest = std::max(highest,
                               *std::max_element(table.byDay[day].begin(), table.byDay[day].end()));
            series->append(set);
        }
    } else {
        auto *set = new QBarSet(u"Veces"_s);
        set->setColor(QColor(0x34, 0x65, 0xa4));
        set->append(QList<qreal>(table.overall.begin(), table.overall.end()));
        highest = *std::max_element(table.overall.begin(), table.overall.end());
        series->append(set);
    }
    // Seven bars to a number need the whole slot to stay readable.
    series->setBarWidth(m_comparing ? 0.9 : 0.6);
    m_chart->addSeries(series);
    m_numbersAxis->setCategories(table.labels);
    m_timesAxis->setRange(0, std::max(highest, 1));
    m_timesAxis->applyNiceNumbers();
    series->attachAxis(m_numbersAxis);
    series->attachAxis(m_timesAxis);
}

} // namespace zafrano::gui
