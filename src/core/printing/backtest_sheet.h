// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backtest/backtest_figures.h"
#include "printing/print_document.h"

namespace zafrano {

// The comparison of up to three variants on one A4 page: their figures side
// by side, one chart with a line of net euros each, and what the figures
// leave out. `period` says the dates, days and price they share.
PrintDocument backtestSheet(const QString &period, const QList<BacktestVariant> &variants);

} // namespace zafrano
