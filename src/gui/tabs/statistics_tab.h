// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTableView;

namespace zafrano::gui {

class DrawCommands;
class DrawsListModel;
class FrequencyChart;
class ProgramData;
class StatisticsFilter;

// Tab "Estadísticas": the stored draws list with its total and the commands
// that import or delete draws; beside it the statistics filter, the frequency
// chart and the two lines that describe the selection.
class StatisticsTab : public QWidget
{
    Q_OBJECT

public:
    StatisticsTab(ProgramData &data, DrawCommands &commands, StatisticsFilter &filter,
                  QWidget *parent = nullptr);

    FrequencyChart *chart() const { return m_chart; }

private:
    void showDraws();

    ProgramData &m_data;
    DrawsListModel *m_model = nullptr;
    QTableView *m_view = nullptr;
    QLabel *m_total = nullptr;
    FrequencyChart *m_chart = nullptr;
    QLabel *m_periodLine = nullptr;
    QLabel *m_weekdaysLine = nullptr;
};

} // namespace zafrano::gui
