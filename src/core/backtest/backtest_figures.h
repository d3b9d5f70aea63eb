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

// One of the variants compared side by side: its name, and what it would
// have won or why it could not be worked out.
struct BacktestVariant
{
    QString label;
    std::optional<Backtest> result;
    QString problem;
};

// The most variants compared at once, and the colour of each one's line (0xRRGGBB).
inline constexpr int MostVariants = 3;
inline constexpr std::array<quint32, MostVariants> VariantColors = {0x0b5394, 0xe69138, 0x38761d};

// The points of a net line worth drawing: at most `most`, the first and the
// last kept, the lowest and highest of every stretch between.
QList<NetPoint> chartPoints(const QList<NetPoint> &points, int most);

} // namespace zafrano
