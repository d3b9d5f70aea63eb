// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/money.h"
#include "store/syndicate_record.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace zafrano {

// One member of a peña: their shares count for the draws from the day they
// joined up to (not including) the day they left.
struct LedgerMember
{
    QString name;
    int shares = 1;
    QDate joined;
    QDate left; // not valid while they belong

    bool belongsOn(QDate date) const { return date >= joined && (!left.isValid() || date < left); }
};

enum class MovementKind
{
    Contribution, // paid in by a member
    Payout,       // a prize handed to a member ("reparto")
    Cost          // any other cost of the peña, shared like the bets
};

struct LedgerMovement
{
    qint64 id = 0;
    MovementKind kind = MovementKind::Contribution;
    QString member; // empty for a cost
    Cents cents = 0;
    QDate date;
    QString note;
};

// The price of a bet from a date on; the newest change not after a draw holds for it.
struct PriceChange
{
    QDate since;
    Cents cents = 0;
};

// The bets a syndicate played from a date on, so that an edit only changes later draws.
struct BetsChange
{
    QDate since;
    SyndicateRecord syndicate;
};

// The slip's reintegro digit, counted from a date on.
struct ReintegroDigit
{
    int digit = 0;
    QDate since;
};

// One change made to an account: the day it was made and what it did, as
// the treasurer reads it ("Movimiento corregido: …").
struct LedgerEvent
{
    QDate madeOn;
    QString what;
};

// Everything the account of one peña is worked out from, as zafrano.db keeps it.
struct LedgerBook
{
    QString syndicate;
    QDate createdOn;
    QDate closedOn; // valid once its syndicate was deleted and the account kept
    QList<LedgerMember> members;
    QList<LedgerMovement> movements; // by date
    QList<PriceChange> prices;       // by date
    QList<BetsChange> bets;          // by date
    std::optional<ReintegroDigit> reintegro;
    qint64 id = 0;              // the account's own number in zafrano.db
    QList<LedgerEvent> history; // oldest first
};

// "Aportación de Ana, 12,50 € del 03/11/2026 («agosto»)"; a cost names its note
// in place of the member: "Gasto «Sobre», 1,00 € del 03/11/2026".
QString movementText(const LedgerMovement &movement);

QString movementKindName(MovementKind kind); // "Aportación", "Reparto", "Gasto"

} // namespace zafrano
