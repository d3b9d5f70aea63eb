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
// syndicate's creation date the first time, from `since` otherwise, for a
// change no window or command kept when it was made (the price of bnums.ini
// written by an older program), so that the draws already played keep what
// they cost and won.
Status keepLedgerTerms(const ProgramDatabase &db, const SyndicateRecord &syndicate, Cents price,
                       QDate since);

// The syndicate `before` was edited into `after` (its bets or its days) on
// the day the change counts from, `since`: its account keeps the new bets
// from then, the draws before keep the old. An account opened now starts
// with `before` from the syndicate's creation. Nothing when what it plays is
// the same.
Status keepBetsChange(const ProgramDatabase &db, const SyndicateRecord &before,
                      const SyndicateRecord &after, QDate since);

// The open account of a syndicate name, else the one of that name closed
// last; nothing when there is none.
Result<std::optional<LedgerBook>> readLedger(const ProgramDatabase &db, const QString &syndicate);
// The account of that name closed last; nothing when none is closed. The
// name is found as written, else without regard to case and accents ("pena
// sol" finds "PEÑA SOL").
Result<std::optional<LedgerBook>> readClosedLedger(const ProgramDatabase &db,
                                                   const QString &syndicate);

// A closed account as the list of kept accounts shows it.
struct KeptAccount
{
    qint64 id = 0;
    QString syndicate;
    QDate createdOn;
    QDate closedOn;
};
// Every closed account, the one closed last first.
Result<QList<KeptAccount>> closedLedgers(const ProgramDatabase &db);
// The account of that number, open or closed; nothing when there is none.
Result<std::optional<LedgerBook>> readLedgerNumbered(const ProgramDatabase &db, qint64 id);
// A name as names are compared without regard to case and accents.
QString nameKey(const QString &name);

// The syndicate `from` is now called `to`: its open account follows it.
// Refused when `to` already has an open account; nothing when `from` has none.
Status renameLedger(const ProgramDatabase &db, const QString &from, const QString &to);

// Every change below is dated from the peña's creation to `today`, is kept
// in the account's history as made on `today`, and changes nothing when refused.
Status addMember(const ProgramDatabase &db, const QString &syndicate, const LedgerMember &member,
                 QDate today);
// A new name and number of shares for a member (their dates stay).
Status editMember(const ProgramDatabase &db, const QString &syndicate, const QString &name,
                  const QString &newName, int shares, QDate today);
// The member leaves on `on`: their shares no longer count from that day.
Status removeMember(const ProgramDatabase &db, const QString &syndicate, const QString &name,
                    QDate on, QDate today);
// A member added by mistake goes as if never added; refused once a movement names them.
Status deleteMember(const ProgramDatabase &db, const QString &syndicate, const QString &name,
                    QDate today);
Status addMovement(const ProgramDatabase &db, const QString &syndicate,
                   const LedgerMovement &movement, QDate today);
// The movement numbered `movement.id` becomes `movement`, under the rules of a new one.
Status editMovement(const ProgramDatabase &db, const QString &syndicate,
                    const LedgerMovement &movement, QDate today);
Status removeMovement(const ProgramDatabase &db, const QString &syndicate, qint64 id, QDate today);
Status setReintegro(const ProgramDatabase &db, const QString &syndicate, int digit, QDate since,
                    QDate today);
// The slip has no reintegro digit any more: no draw refunds its price.
Status clearReintegro(const ProgramDatabase &db, const QString &syndicate, QDate today);

// What becomes of the account of a deleted syndicate: kept readable, marked
// closed from `on`, or dropped with everything in it (the open one, else the
// one closed last).
Status closeLedger(const ProgramDatabase &db, const QString &syndicate, QDate on);
Status dropLedger(const ProgramDatabase &db, const QString &syndicate);

} // namespace zafrano
