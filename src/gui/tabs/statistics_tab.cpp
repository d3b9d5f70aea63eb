// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabs/statistics_tab.h"

#include "main/draw_commands.h"
#include "main/program_data.h"
#include "models/draws_list_model.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

StatisticsTab::StatisticsTab(ProgramData &data, DrawCommands &commands, QWidget *parent)
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
    m_view->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
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

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_total, 1);
    buttons->addWidget(importButton);
    buttons->addWidget(deleteButton);
    auto *boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(m_view, 1);
    boxLayout->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(box);

    connect(importButton, &QPushButton::clicked, &commands, &DrawCommands::importDraws);
    connect(deleteButton, &QPushButton::clicked, &commands, &DrawCommands::deleteAllOrReset);
    connect(m_view, &QTableView::clicked, this, [this, &commands](const QModelIndex &index) {
        commands.deleteOneDraw(m_model->recordAt(index.row()));
    });
    connect(&m_data, &ProgramData::drawsListed, this, &StatisticsTab::showDraws);
}

void StatisticsTab::showDraws()
{
    m_model->setDraws(m_data.draws(), m_data.listing());
    m_total->setText(drawTotalText(m_data.listing().count()));
}

} // namespace zafrano::gui
