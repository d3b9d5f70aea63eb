// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/number_grid.h"

#include <QGridLayout>
#include <QPushButton>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

namespace {

// The slip's red print on its pale paper; a chosen number is inked over.
const QString CellStyle =
    u"QPushButton { background: #fff6ef; color: #c0262d; border: 1px solid #e5a0a0;"
    u" font-weight: bold; font-size: 15px; }"
    u"QPushButton:hover { border: 2px solid #c0262d; }"
    u"QPushButton[marked=\"true\"] { background: #c0262d; color: white;"
    u" border: 2px solid #7a1016; }"_s;

} // namespace

NumberGrid::NumberGrid(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"NumberGrid"_s);
    setStyleSheet(CellStyle);
    auto *layout = new QGridLayout(this);
    layout->setSpacing(3);
    for (int n = 1; n <= BetGrid::Numbers; ++n) {
        auto *button = new QPushButton(QString::number(n), this);
        button->setObjectName(u"Number_"_s + QString::number(n));
        button->setFixedSize(44, 36);
        button->setFocusPolicy(Qt::NoFocus);
        button->setProperty("marked", false);
        layout->addWidget(button, (n - 1) / Columns, (n - 1) % Columns);
        connect(button, &QPushButton::clicked, this, [this, n] { emit numberClicked(n); });
        m_numbers.append(button);
    }
}

void NumberGrid::showMarks(const BetGrid &grid)
{
    for (int n = 1; n <= BetGrid::Numbers; ++n) {
        QPushButton *button = m_numbers[n - 1];
        const bool marked = grid.isMarked(n);
        if (button->property("marked").toBool() == marked)
            continue;
        button->setProperty("marked", marked);
        // A dynamic property only takes effect once the style is applied again.
        button->style()->unpolish(button);
        button->style()->polish(button);
    }
}

} // namespace zafrano::gui
