// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "store/draw_prizes.h"
#include "store/draw_record.h"

#include <QHash>
#include <QList>
#include <optional>

namespace zafrano {

class ProgramDatabase;

// Keeps the prizes of the given draws, in one transaction: a category a
// source named replaces what was stored for it, one it left out stays.
Status storePrizes(const ProgramDatabase &db, const QList<DrawPrizes> &prizes);
// The same inside a transaction the caller holds.
Status writePrizes(const ProgramDatabase &db, const QList<DrawPrizes> &prizes);

// Keeps the prizes a person found for a draw already among `stored` (a
// prize still pending once its draw was in): the categories given replace
// what was kept for them. Refused with the reason, nothing kept, when no draw
// of that day is stored or no prize is given.
Status storePrizesOfDraw(const ProgramDatabase &db, const QList<DrawRecord> &stored,
                         const DrawPrizes &prizes);

// The stored prizes of the draw of `date`; nothing when none was kept.
Result<std::optional<DrawPrizes>> storedPrizes(const ProgramDatabase &db, QDate date);

// The stored prizes of every draw from `from` to `to` (both included), by date.
Result<QHash<QDate, DrawPrizes>> storedPrizesBetween(const ProgramDatabase &db, QDate from,
                                                     QDate to);

} // namespace zafrano
