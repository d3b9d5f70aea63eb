// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "ledger/ledger_book.h"

#include <optional>

namespace zafrano {

class ProgramDatabase;

// The most shares one member may hold.
inline constexpr int MaxShares = 1000;

// The accounts of the peñas in zafrano.db, one per syndicate name. Every
// change is one transaction and is refused, with the reason, when it would
// make the account wrong: nothing of a refused change is kept. Amounts above
// MaxTypedAmount and more than MaxShares shares are refused, so that no sum
// of an account can overflow.

// Opens the account of a syndicate when it has none, and keeps the bets and
// the price per bet in force when they differ from the last kept: from the
// syndicate's creation date the first time, from `today` after an edit, so
// that the draws already played keep what they cost and won.
Status keepLedgerTerms(const ProgramDatabase &db, const SyndicateRecord &syndicate, Cents price,
                       QDate today);

// The account of a syndicate; nothing when it has none.
Result<std::optional<LedgerBook>> readLedger(const ProgramDatabase &db, const QString &syndicate);

Status addMember(const ProgramDatabase &db, const QString &syndicate, const LedgerMember &member);
// A new name and number of shares for a member (their dates stay).
Status editMember(const ProgramDatabase &db, const QString &syndicate, const QString &name,
                  const QString &newName, int shares);
// The member leaves on `on`: their shares no longer count from that day.
Status removeMember(const ProgramDatabase &db, const QString &syndicate, const QString &name,
                    QDate on);
Status addMovement(const ProgramDatabase &db, const QString &syndicate,
                   const LedgerMovement &movement);
Status removeMovement(const ProgramDatabase &db, const QString &syndicate, qint64 id);
Status setReintegro(const ProgramDatabase &db, const QString &syndicate, int digit, QDate since);

// What becomes of the account of a deleted syndicate: kept readable, marked
// closed from `on`, or dropped with everything in it.
Status closeLedger(const ProgramDatabase &db, const QString &syndicate, QDate on);
Status dropLedger(const ProgramDatabase &db, const QString &syndicate);

} // namespace zafrano
