// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backtest/backtest.h"

#include <QList>
#include <QString>

namespace zafrano {

// One line of a backtest's figures as the page, the printed comparison and
// the command line show it: "Coste" and "1.025,00 €".
struct BacktestFigure
{
    QString label;
    QString value;
};

// Every figure of a backtest, in the same order for every variant.
QList<BacktestFigure> backtestFigures(const Backtest &backtest);

// "14/02/2025, 21/03/2025": the dates whose prizes are not known yet.
QString pendingDatesText(const Backtest &backtest);

// What the figures leave out, said once under them: the draws in pesetas and
// the draw days with no stored draw. Empty when nothing is left out.
QStringList backtestNotes(const Backtest &backtest);

} // namespace zafrano
