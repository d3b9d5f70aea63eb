// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "store/draw_prizes.h"

#include <QDate>
#include <QList>
#include <QSet>

namespace zafrano {

class ProgramDatabase;

// The first day whose draws were paid in euros: earlier prizes were in
// pesetas, and none is asked for or kept.
QDate firstEuroDraw();

// The months of the prize history whose answer came back complete, each as
// its first day: they are not asked again.
Result<QSet<QDate>> completePrizeMonths(const ProgramDatabase &db);

// Keeps the prizes one month's answer brought and, when it came back
// complete, the month's mark, in one transaction.
Status storePrizeMonth(const ProgramDatabase &db, QDate month, const QList<DrawPrizes> &prizes,
                       bool complete, QDate today);

// The draw dates from `from` on whose five prize categories (6 to 3 hits) are
// all kept: the draws whose prizes are known.
Result<QSet<QDate>> datesWithEveryPrize(const ProgramDatabase &db, QDate from);

// Whether the five categories of a draw's prizes are known.
bool everyCategoryKnown(const DrawPrizes &prizes);

} // namespace zafrano
