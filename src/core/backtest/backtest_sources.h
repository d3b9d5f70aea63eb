// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "ledger/ledger_account.h"

#include <QHash>

namespace zafrano {

class ProgramDatabase;

// The price per bet by date as the accounts count it: the prices kept in
// zafrano.db, with the settings' price from `today` when it is not the last
// one kept (from the first draw when none is).
QList<PriceChange> pricesInForce(const QList<PriceChange> &kept, Cents settingsPrice, QDate today);

// What every backtest reads from zafrano.db once: the price history and the
// prizes kept for every draw.
struct BacktestSources
{
    QList<PriceChange> prices;
    QHash<QDate, DrawPrizes> prizes;

    // The prizes of a draw, nothing when none are kept; valid while this lives.
    PrizeLookup lookup() const;
};

Result<BacktestSources> readBacktestSources(const ProgramDatabase &db, Cents settingsPrice,
                                            QDate today);

// The reintegro digit the account of a peña counts, when it has one.
Result<std::optional<ReintegroDigit>> syndicateReintegro(const ProgramDatabase &db,
                                                         const QString &syndicate);

} // namespace zafrano
