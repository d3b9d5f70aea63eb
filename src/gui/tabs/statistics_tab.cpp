// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabs/statistics_tab.h"

#include "app/draw_commands.h"
#include "app/program_data.h"
#include "models/draws_list_model.h"
#include "tabs/frequency_chart.h"
#include "tabs/statistics_filter.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

StatisticsTab::StatisticsTab(ProgramData &data, DrawCommands &commands, StatisticsFilter &filter,
                             QWidget *parent)
    : QWidget(parent), m_data(data)
{
    auto *box = new QGroupBox(u"Sorteos almacenados"_s, this);
    m_model = new DrawsListModel(this);
    m_view = new QTableView(box);
    m_view->setObjectName(u"ListView3"_s);
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 4);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->setAlternatingRowColors(true);
    m_view->setShowGrid(false);
    m_view->setWordWrap(false);

    m_total = new QLabel(box);
    m_total->setObjectName(u"Label12"_s);

    auto *importButton = new QPushButton(u"Añadir todos los sorteos"_s, box);
    importButton->setObjectName(u"Command8"_s);
    auto *deleteButton = new QPushButton(u"Borrar todos los sorteos"_s, box);
    deleteButton->setObjectName(u"Command5"_s);

    auto *manualButton = new QPushButton(u"Añadir sorteo a mano..."_s, box);
    manualButton->setObjectName(u"CommandAddDraw"_s);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(importButton);
    buttons->addWidget(deleteButton);
    auto *boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(m_view, 1);
    boxLayout->addWidget(m_total);
    boxLayout->addLayout(buttons);
    // Beside the two, the box would cut all three captions.
    boxLayout->addWidget(manualButton);

    m_chart = new FrequencyChart(this);
    m_periodLine = new QLabel(this);
    m_periodLine->setObjectName(u"Label21"_s);
    m_weekdaysLine = new QLabel(this);
    m_weekdaysLine->setObjectName(u"Label27"_s);
    for (QLabel *line : {m_periodLine, m_weekdaysLine})
        line->setWordWrap(true);

    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(filter.filterGroup(), 1);
    filterRow->addWidget(filter.comparison(), 0, Qt::AlignBottom);
    auto *statistics = new QVBoxLayout;
    statistics->addLayout(filterRow);
    statistics->addWidget(m_chart, 1);
    statistics->addWidget(m_periodLine);
    statistics->addWidget(m_weekdaysLine);

    // Wide enough for the widest entry and the longest day's date
    // ("Miércoles") at the window's first size, whatever the fonts.
    const QFontMetrics metrics(DrawsListModel::entryFont());
    const int cellPadding = 2 * 12;
    const QString widestEntry = u"49-49-49-49-49-49  C: 49  R: 9"_s;
    // Every entry has that length in the same monospaced font, so the first
    // column is given its width once: fitting it to the contents would lay
    // out a thousand rows on every change of the view's geometry.
    m_view->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    m_view->setColumnWidth(
        0, std::max(metrics.horizontalAdvance(widestEntry),
                    m_view->horizontalHeader()->fontMetrics().horizontalAdvance(
                        m_model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString())) +
               cellPadding);
    m_view->setMinimumWidth(
        metrics.horizontalAdvance(widestEntry) +
        metrics.horizontalAdvance(u"30/12/2026  Miércoles"_s) + 2 * cellPadding +
        m_view->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * m_view->frameWidth());
    box->setMaximumWidth(m_view->minimumWidth() + 40);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(statistics, 1);

    connect(&filter, &StatisticsFilter::comparisonChanged, m_chart, &FrequencyChart::setComparing);

    connect(importButton, &QPushButton::clicked, &commands, &DrawCommands::importDraws);
    connect(deleteButton, &QPushButton::clicked, &commands, &DrawCommands::deleteAllOrReset);
    connect(manualButton, &QPushButton::clicked, &commands, &DrawCommands::manualEntryRequested);
    connect(m_view, &QTableView::clicked, this, [this, &commands](const QModelIndex &index) {
        commands.deleteOneDraw(m_model->recordAt(index.row()));
    });
    connect(&m_data, &ProgramData::drawsListed, this, &StatisticsTab::showDraws);
    connect(&m_data, &ProgramData::drawsToCheckResetRequested, m_chart,
            &FrequencyChart::showFirstHalf);
}

void StatisticsTab::showDraws()
{
    m_model->setDraws(m_data.draws(), m_data.listing());
    m_total->setText(drawTotalText(m_data.listing().count()));
    m_chart->setCounts(m_data.listing().counts);
    m_periodLine->setText(m_data.selection().periodLine);
    m_weekdaysLine->setText(m_data.selection().weekdaysLine);
}

} // namespace zafrano::gui
