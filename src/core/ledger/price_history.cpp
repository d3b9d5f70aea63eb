// SPDX-License-Identifier: GPL-3.0-or-later
#include "ledger/price_history.h"

#include "store/day_serial.h"
#include "store/program_database.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

// Before the first draw: the first price kept holds for every earlier draw.
const QDate FirstPriceDate(1985, 1, 1);

Error refused(const QString &text)
{
    return {ErrorKind::InvalidData, {text, u"Error"_s, MessageIcon::Exclamation}};
}

} // namespace

QDate dayChangeCounts(QDate today, QDate newestDraw)
{
    return newestDraw.isValid() && newestDraw >= today ? newestDraw.addDays(1) : today;
}

Cents priceOn(const QList<PriceChange> &history, QDate date)
{
    const PriceChange *found = history.isEmpty() ? nullptr : &history.first();
    for (const PriceChange &change : history) {
        if (change.since <= date)
            found = &change;
    }
    return found ? found->cents : 0;
}

Status keepPriceChange(const ProgramDatabase &db, Cents before, Cents price, QDate since)
{
    if (!since.isValid())
        return refused(u"La fecha del cambio de precio no es válida."_s);
    if (price < 0 || before < 0 || price > MaxTypedAmount || before > MaxTypedAmount)
        return refused(u"El precio por apuesta debe estar entre 0 y "_s +
                       moneyText(MaxTypedAmount) + u" €."_s);
    return db.transaction([&]() -> Status {
        Result<QList<PriceChange>> kept = priceHistory(db);
        if (!kept)
            return kept.error();
        QList<PriceChange> history = kept.value();
        const sqlite::Connection &sql = db.connection();
        if (history.isEmpty()) {
            if (Status first =
                    sql.execute(u"INSERT INTO bet_prices (since, cents) VALUES (?, ?);"_s,
                                {FirstPriceDate, before});
                !first)
                return first;
            history.append({FirstPriceDate, before});
        }
        // The history without this day's own change: what held the day before.
        history.erase(std::remove_if(history.begin(), history.end(),
                                     [since](const PriceChange &c) { return c.since == since; }),
                      history.end());
        if (since > FirstPriceDate && priceOn(history, since.addDays(-1)) == price &&
            history.first().since < since)
            return sql.execute(u"DELETE FROM bet_prices WHERE since = ?;"_s, {since});
        return sql.execute(u"INSERT OR REPLACE INTO bet_prices (since, cents) VALUES (?, ?);"_s,
                           {since, price});
    });
}

Result<Cents> keepDatedPriceChange(const ProgramDatabase &db, Cents before, Cents price,
                                   QDate since, QDate today)
{
    if (since.isValid() && since > today)
        return refused(u"El cambio de precio no puede tener fecha posterior a hoy ("_s +
                       shortDate(today) + u")."_s);
    if (Status kept = keepPriceChange(db, before, price, since); !kept)
        return kept.error();
    Result<QList<PriceChange>> history = priceHistory(db);
    if (!history)
        return history.error();
    return history->isEmpty() ? price : history->last().cents;
}

Result<QList<PriceChange>> priceHistory(const ProgramDatabase &db)
{
    QList<PriceChange> history;
    Status read = db.connection().eachRow(u"SELECT since, cents FROM bet_prices ORDER BY since;"_s,
                                          {}, [&](const sqlite::Statement &row) {
                                              history.append({row.date(0), row.int64(1)});
                                          });
    if (!read)
        return read.error();
    return history;
}

} // namespace zafrano
