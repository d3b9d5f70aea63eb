// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QPushButton;
class QTableView;

namespace zafrano::gui {

class ProgramData;
class SyndicateCommands;
class SyndicatesListModel;

// Tab "Gestor de peñas": the syndicate list and the buttons on the selected one.
class SyndicatesTab : public QWidget
{
    Q_OBJECT

public:
    SyndicatesTab(ProgramData &data, SyndicateCommands &commands, QWidget *parent = nullptr);

private:
    void showSyndicates();

    ProgramData &m_data;
    SyndicateCommands &m_commands;
    SyndicatesListModel *m_model = nullptr;
    QTableView *m_view = nullptr;
    QList<QPushButton *> m_buttons;
};

} // namespace zafrano::gui
