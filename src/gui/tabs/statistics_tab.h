// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTableView;

namespace zafrano::gui {

class DrawCommands;
class DrawsListModel;
class ProgramData;

// Tab "Estadísticas": the stored draws list with its total and the commands
// that import or delete draws.
class StatisticsTab : public QWidget
{
    Q_OBJECT

public:
    StatisticsTab(ProgramData &data, DrawCommands &commands, QWidget *parent = nullptr);

    QTableView *drawsView() const { return m_view; }

private:
    void showDraws();

    ProgramData &m_data;
    DrawsListModel *m_model = nullptr;
    QTableView *m_view = nullptr;
    QLabel *m_total = nullptr;
};

} // namespace zafrano::gui
