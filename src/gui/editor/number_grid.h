// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/bet_grid.h"

#include <QWidget>

class QPushButton;

namespace zafrano::gui {

// The editor's 49 numbers laid out like a slip's number block: seven columns,
// each number a big button that shows a mark when chosen.
class NumberGrid : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Columns = 7;

    explicit NumberGrid(QWidget *parent = nullptr);

    // Shows the marks of the grid as they stand.
    void showMarks(const BetGrid &grid);

signals:
    void numberClicked(int number);

private:
    QList<QPushButton *> m_numbers; // number n at n - 1
};

} // namespace zafrano::gui
