// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "checking/prize_news.h"
#include "common/result.h"

#include <QList>

namespace zafrano {

class DataFolder;
class ProgramDatabase;

// What became of a prize an unattended check found: the desktop notification
// said it, the window lit its indicator for it. Each happens once.
enum class PrizeMark
{
    Announced,
    Shown
};

// Keeps the prizes an unattended check found, neither announced nor shown; a
// prize kept before keeps its marks.
Status keepPrizeFinds(const ProgramDatabase &db, const QList<PrizeFind> &finds);

// The kept prizes still without the mark, oldest draw first.
Result<QList<PrizeFind>> unmarkedPrizeFinds(const ProgramDatabase &db, PrizeMark mark);

// Sets the mark on those prizes, in one transaction.
Status markPrizeFinds(const ProgramDatabase &db, const QList<PrizeFind> &finds, PrizeMark mark);

// For the window at start: the kept prizes no window has shown yet, marked
// shown now. Creates no zafrano.db; nothing when it cannot be read.
QList<PrizeFind> takeUnshownPrizeFinds(const DataFolder &folder);

} // namespace zafrano
