// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "ledger/ledger_account.h"

namespace zafrano {

class ProgramDatabase;

// The account of a syndicate as the window and the command line show it: its
// bets and the price in force kept first, then worked out over the stored
// draws with the prizes kept in zafrano.db.
Result<LedgerAccount> currentAccount(const ProgramDatabase &db, const SyndicateRecord &syndicate,
                                     Cents price, const QList<DrawRecord> &draws, QDate today);

// The same for an account read as it stands (a closed one among them).
LedgerAccount accountOfBook(const ProgramDatabase &db, const LedgerBook &book,
                            const QList<DrawRecord> &draws, QDate today);

} // namespace zafrano
