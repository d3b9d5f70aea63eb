// SPDX-License-Identifier: GPL-3.0-or-later
#include "backtest/backtest_sources.h"

#include "ledger/ledger_store.h"
#include "ledger/price_history.h"
#include "store/prize_store.h"

namespace zafrano {

QList<PriceChange> pricesInForce(const QList<PriceChange> &kept, Cents settingsPrice, QDate today)
{
    QList<PriceChange> prices = kept;
    if (prices.isEmpty())
        prices.append({QDate(1985, 1, 1), settingsPrice});
    else if (prices.last().cents != settingsPrice && prices.last().since >= today)
        prices.last().cents = settingsPrice;
    else if (prices.last().cents != settingsPrice)
        prices.append({today, settingsPrice});
    return prices;
}

PrizeLookup BacktestSources::lookup() const
{
    return [this](QDate date) -> std::optional<DrawPrizes> {
        const auto found = prizes.constFind(date);
        if (found == prizes.constEnd())
            return std::nullopt;
        return *found;
    };
}

Result<BacktestSources> readBacktestSources(const ProgramDatabase &db, Cents settingsPrice,
                                            QDate today)
{
    Result<QList<PriceChange>> kept = priceHistory(db);
    if (!kept)
        return kept.error();
    Result<QHash<QDate, DrawPrizes>> prizes =
        storedPrizesBetween(db, QDate(1985, 1, 1), QDate(9999, 12, 31));
    if (!prizes)
        return prizes.error();
    return BacktestSources{pricesInForce(*kept, settingsPrice, today), std::move(prizes).value()};
}

Result<std::optional<ReintegroDigit>> syndicateReintegro(const ProgramDatabase &db,
                                                         const QString &syndicate)
{
    Result<std::optional<LedgerBook>> book = readLedger(db, syndicate);
    if (!book)
        return book.error();
    if (!book.value())
        return std::optional<ReintegroDigit>();
    return (*book)->reintegro;
}

} // namespace zafrano
