// SPDX-License-Identifier: GPL-3.0-or-later
#include "ledger/current_account.h"

#include "ledger/ledger_store.h"
#include "ledger/price_history.h"
#include "store/prize_store.h"
#include "store/program_database.h"

using namespace Qt::StringLiterals;

namespace zafrano {

Result<LedgerAccount> currentAccount(const ProgramDatabase &db, const SyndicateRecord &syndicate,
                                     Cents price, const QList<DrawRecord> &draws, QDate today)
{
    // What changed without being kept then counts from the next draw not stored.
    const QDate since = dayChangeCounts(today, draws.isEmpty() ? QDate() : draws.last().date());
    Status kept = keepLedgerTerms(db, syndicate, price, since);
    if (!kept)
        return kept.error();
    Result<std::optional<LedgerBook>> book = readLedger(db, syndicate.nameText());
    if (!book)
        return book.error();
    if (!book.value())
        return Error{ErrorKind::NotFound,
                     {u"La peña «"_s + syndicate.nameText() + u"» no tiene cuentas."_s, u"Error"_s,
                      MessageIcon::Exclamation}};
    return accountOfBook(db, **book, draws, today);
}

LedgerAccount accountOfBook(const ProgramDatabase &db, const LedgerBook &book,
                            const QList<DrawRecord> &draws, QDate today)
{
    // A prize that cannot be read is one not known yet: the draw stays pending.
    return workOutAccount(
        book, draws,
        [&db](QDate date) -> std::optional<DrawPrizes> {
            Result<std::optional<DrawPrizes>> stored = storedPrizes(db, date);
            return stored ? stored.value() : std::nullopt;
        },
        today);
}

} // namespace zafrano
