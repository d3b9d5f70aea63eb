// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "ledger/ledger_book.h"

#include <optional>

namespace zafrano {

class ProgramDatabase;

// The most shares one member may hold.
inline constexpr int MaxShares = 1000;

// The accounts of the peñas in zafrano.db. Each account has its own number;
// a syndicate reaches its open account by its name (one open account per
// name), and a rename moves it. A deleted syndicate's kept account is closed:
// it still reads, takes no change, and a new syndicate of the same name gets
// an account of its own. Every change is one transaction and is refused, with
// the reason, when it would make the account wrong: nothing of a refused
// change is kept. Amounts above MaxTypedAmount and more than MaxShares shares
// are refused, so that no sum of an account can overflow.

// Opens the account of a syndicate when it has none, and keeps the bets and
// the price per bet in force when they differ from the last kept: from the
// syndicate's creation date the first time, from `today` after an edit, so
// that the draws already played keep what they cost and won.
Status keepLedgerTerms(const ProgramDatabase &db, const SyndicateRecord &syndicate, Cents price,
                       QDate today);

// The open account of a syndicate name, else the one of that name closed
// last; nothing when there is none.
Result<std::optional<LedgerBook>> readLedger(const ProgramDatabase &db, const QString &syndicate);
// The account of that name closed last; nothing when none is closed.
Result<std::optional<LedgerBook>> readClosedLedger(const ProgramDatabase &db,
                                                   const QString &syndicate);

// The price per bet kept from the settings, by date: every account's prices.
Result<QList<PriceChange>> readBetPrices(const ProgramDatabase &db);

// The syndicate `from` is now called `to`: its open account follows it.
// Refused when `to` already has an open account; nothing when `from` has none.
Status renameLedger(const ProgramDatabase &db, const QString &from, const QString &to);

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
// closed from `on`, or dropped with everything in it (the open one, else the
// one closed last).
Status closeLedger(const ProgramDatabase &db, const QString &syndicate, QDate on);
Status dropLedger(const ProgramDatabase &db, const QString &syndicate);

} // namespace zafrano
