// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "ledger/ledger_book.h"

#include <QList>

namespace zafrano {

class ProgramDatabase;

// The day a change of the price or of the bets made on `today` counts from:
// today, or the day after the newest stored draw when that draw is already
// in, for it was played as things stood (an invalid `newestDraw`: none stored).
QDate dayChangeCounts(QDate today, QDate newestDraw);

// The price of a bet on `date` by the history (oldest first): the newest
// change not after it; before the first change, the first; 0 without any.
Cents priceOn(const QList<PriceChange> &history, QDate date);

// The price of a bet is `price` from `since` on, for every peña: the draws
// before keep theirs. `before` is the price that held until now, kept for
// every earlier draw when there is no history yet. A change that leaves the
// price as it was the day before is dropped. Refused with the reason, nothing
// kept, when `since` is not a date or the price is not between 0 and
// MaxTypedAmount.
Status keepPriceChange(const ProgramDatabase &db, Cents before, Cents price, QDate since);

// A change the treasurer dated: as keepPriceChange, refused when `since` is
// after `today`. Gives the price that holds from now on, the newest kept, for
// the settings record to hold.
Result<Cents> keepDatedPriceChange(const ProgramDatabase &db, Cents before, Cents price,
                                   QDate since, QDate today);

// The kept changes of the price of a bet, oldest first.
Result<QList<PriceChange>> priceHistory(const ProgramDatabase &db);

} // namespace zafrano
