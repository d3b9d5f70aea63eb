// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabs/statistics_filter.h"

#include "app/program_data.h"
#include "calendar/weekday.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QSignalBlocker>
#include <QSlider>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

namespace {

// Check3 members of the two groups, Monday … Sunday. Sunday came last, so
// its boxes carry the next free numbers.
constexpr int Days = NumberCounts::DrawDays;
constexpr std::array<int, Days> FilterDays = {0, 1, 9, 13, 10, 14, 17};
constexpr std::array<int, Days> StepOneDays = {3, 4, 11, 15, 12, 16, 18};
constexpr int FilterAll = 5, FilterPeriod = 6, StepOneAll = 7, StepOnePeriod = 8;
constexpr int Comparison = 2;

// The member of the other group that shows the same choice.
int twinOf(int index)
{
    for (int day = 0; day < Days; ++day) {
        if (FilterDays[day] == index)
            return StepOneDays[day];
        if (StepOneDays[day] == index)
            return FilterDays[day];
    }
    switch (index) {
    case FilterAll:
        return StepOneAll;
    case StepOneAll:
        return FilterAll;
    case FilterPeriod:
        return StepOnePeriod;
    case StepOnePeriod:
        return FilterPeriod;
    default:
        return index;
    }
}

} // namespace

StatisticsFilter::StatisticsFilter(ProgramData &data, QObject *parent)
    : QObject(parent), m_data(data)
{
    for (int i = 0; i < int(m_boxes.size()); ++i) {
        m_boxes[i] = new QCheckBox;
        m_boxes[i]->setObjectName(u"Check3_"_s + QString::number(i));
        connect(m_boxes[i], &QCheckBox::clicked, this, [this, i] { handleClick(i); });
    }
    m_comparison = m_boxes[Comparison];
    m_comparison->setText(u"Comparativa"_s);

    const auto buildGroup = [this](const QString &title, const std::array<int, Days> &days, int all,
                                   int period, int slider) {
        auto *group = new QGroupBox(title);
        auto *grid = new QGridLayout(group);
        for (int day = 0; day < Days; ++day) {
            QCheckBox *box = m_boxes[days[day]];
            box->setText(weekdayCaptions()[day]);
            box->setChecked(true);
            grid->addWidget(box, 0, day);
        }
        m_boxes[all]->setText(u"Todos"_s);
        m_boxes[all]->setChecked(true);
        m_boxes[period]->setText(periodBoxCaption(1));
        grid->addWidget(m_boxes[all], 1, 0, 1, 2);
        grid->addWidget(m_boxes[period], 1, 2, 1, Days - 2);
        auto *months = new QSlider(Qt::Horizontal, group);
        months->setObjectName(u"Slider1_"_s + QString::number(slider));
        months->setRange(1, monthsSliderMaximum(0));
        months->setSingleStep(1);
        months->setPageStep(5);
        months->setVisible(false);
        connect(months, &QSlider::valueChanged, this,
                [this, slider](int value) { handleSlider(slider, value); });
        m_sliders[slider] = months;
        grid->addWidget(months, 2, 0, 1, Days);
        return group;
    };
    m_filterGroup = buildGroup(u"Filtrado de datos:"_s, FilterDays, FilterAll, FilterPeriod, 0);
    m_stepOneGroup = buildGroup(u"Paso 1"_s, StepOneDays, StepOneAll, StepOnePeriod, 1);
}

StatisticsFilter::~StatisticsFilter()
{
    // A group no tab took over is still ours.
    for (QWidget *widget :
         {static_cast<QWidget *>(m_filterGroup), static_cast<QWidget *>(m_stepOneGroup),
          static_cast<QWidget *>(m_comparison)}) {
        if (widget && !widget->parent())
            delete widget;
    }
}

void StatisticsFilter::setMaxMonths(int maxMonths)
{
    for (QSlider *slider : m_sliders)
        slider->setMaximum(monthsSliderMaximum(maxMonths));
}

void StatisticsFilter::setStepOneLocked(bool locked)
{
    m_stepOneLocked = locked;
    updateEnabled();
}

void StatisticsFilter::updateEnabled()
{
    // While comparing, the seven days of both groups stay ticked and locked,
    // so the comparison always covers every day.
    const bool comparing = m_boxes[Comparison]->isChecked();
    for (int day = 0; day < Days; ++day) {
        m_boxes[FilterDays[day]]->setEnabled(!comparing);
        m_boxes[StepOneDays[day]]->setEnabled(!comparing && !m_stepOneLocked);
    }
    for (int box : {StepOneAll, StepOnePeriod})
        m_boxes[box]->setEnabled(!m_stepOneLocked);
    m_sliders[1]->setEnabled(!m_stepOneLocked);
}

void StatisticsFilter::handleClick(int index)
{
    // Ticking boxes from here emits no click, but a click queued while the
    // counting runs must not start a second pass inside this one.
    if (m_handlingClick)
        return;
    m_handlingClick = true;

    const bool comparing = m_boxes[Comparison]->isChecked();
    if (comparing) {
        for (int day = 0; day < Days; ++day) {
            m_boxes[FilterDays[day]]->setChecked(true);
            m_boxes[StepOneDays[day]]->setChecked(true);
        }
    }
    updateEnabled();
    if (index == Comparison)
        emit comparisonChanged(comparing);

    const bool ticked = m_boxes[index]->isChecked();
    m_boxes[twinOf(index)]->setChecked(ticked);
    if (index == FilterAll || index == StepOneAll) {
        m_boxes[FilterPeriod]->setChecked(!ticked);
        m_boxes[StepOnePeriod]->setChecked(!ticked);
        m_boxes[FilterAll]->setChecked(ticked);
        m_boxes[StepOneAll]->setChecked(ticked);
    } else if (index == FilterPeriod || index == StepOnePeriod) {
        m_boxes[FilterAll]->setChecked(!ticked);
        m_boxes[StepOneAll]->setChecked(!ticked);
        m_boxes[FilterPeriod]->setChecked(ticked);
        m_boxes[StepOnePeriod]->setChecked(ticked);
    }
    applyPeriodMode(m_boxes[FilterAll]->isChecked());
    m_handlingClick = false;
}

void StatisticsFilter::applyPeriodMode(bool allDraws)
{
    for (QSlider *slider : m_sliders)
        slider->setVisible(!allDraws);
    WeekdayFilter days;
    for (int day = 0; day < Days; ++day)
        days.ticked[day] = m_boxes[FilterDays[day]]->isChecked();
    m_data.setStatisticsFilter(days, {allDraws, m_sliders[0]->value()});
}

void StatisticsFilter::handleSlider(int index, int months)
{
    for (int box : {FilterPeriod, StepOnePeriod})
        m_boxes[box]->setText(periodBoxCaption(months));
    {
        const QSignalBlocker blocker(m_sliders[1 - index]);
        m_sliders[1 - index]->setValue(months);
    }
    StatisticsPeriod period = m_data.period();
    period.months = months;
    m_data.setStatisticsFilter(m_data.dayFilter(), period);
}

} // namespace zafrano::gui
