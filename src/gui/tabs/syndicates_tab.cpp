// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabs/syndicates_tab.h"

#include "main/program_data.h"
#include "main/syndicate_commands.h"
#include "models/syndicates_list_model.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

SyndicatesTab::SyndicatesTab(ProgramData &data, SyndicateCommands &commands, QWidget *parent)
    : QWidget(parent), m_data(data), m_commands(commands)
{
    auto *box = new QGroupBox(u"Peñas registradas"_s, this);
    m_model = new SyndicatesListModel(this);
    m_view = new QTableView(box);
    m_view->setObjectName(u"ListView1"_s);
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_view->setShowGrid(false);
    m_view->setAlternatingRowColors(true);

    const QList<std::pair<QString, QString>> buttons = {{u"Command3"_s, u"Eliminar peña"_s},
                                                        {u"Command7"_s, u"Editar Peña"_s},
                                                        {u"Command2"_s, u"Imprimir boletos"_s}};
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    for (const auto &[name, text] : buttons) {
        auto *button = new QPushButton(text, box);
        button->setObjectName(name);
        buttonRow->addWidget(button);
        m_buttons.append(button);
    }
    connect(m_buttons[0], &QPushButton::clicked, &commands, &SyndicateCommands::deleteSelected);
    connect(m_buttons[1], &QPushButton::clicked, &commands, &SyndicateCommands::editSelected);
    connect(m_buttons[2], &QPushButton::clicked, &commands, &SyndicateCommands::printSelected);

    auto *boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(m_view, 1);
    boxLayout->addLayout(buttonRow);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(box);

    connect(m_view, &QTableView::clicked, this, [this](const QModelIndex &index) {
        if (!m_model->isEmpty())
            m_commands.select(index.row() + 1);
    });
    connect(&m_data, &ProgramData::syndicatesLoaded, this, &SyndicatesTab::showSyndicates);
}

void SyndicatesTab::showSyndicates()
{
    m_model->setSyndicates(m_data.syndicates());
    m_view->resizeColumnsToContents();
    m_view->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    const bool any = !m_model->isEmpty();
    for (QPushButton *button : m_buttons)
        button->setEnabled(any);
    // The list is rebuilt from the file: the selection starts again.
    m_commands.select(0);
}

} // namespace zafrano::gui
