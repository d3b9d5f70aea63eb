// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ledger/ledger_book.h"
#include "store/draw_prizes.h"
#include "store/draw_record.h"

#include <QHash>
#include <array>
#include <functional>

namespace zafrano {

// One draw the peña played: what its bets cost and what they won.
struct DrawAccount
{
    QDate date;
    int bets = 0;     // six-number bets
    Cents cost = 0;   // bets × the price of that date
    Cents prizes = 0; // winning bets × the euros per bet of that draw (0 while pending)
    Cents refund = 0; // the reintegro: the price of every bet back
    std::array<int, 5> winning{}; // bets with 3, 4, 5, 6 and 5 + complementario hits
    std::array<Cents, 5> won{};   // what those bets of each category won (0 while pending)
    bool pending = false;         // it won, and what a category paid is not known yet

    Cents net() const { return prizes + refund - cost; }
};

struct MemberBalance
{
    QString name;
    int shares = 0;
    bool active = false; // still belongs today
    Cents paid = 0;
    Cents received = 0;
    Cents balance = 0; // paid − received + their part of every shared amount
};

// The bote after each day something happened, for the chart.
struct BotePoint
{
    QDate date;
    Cents bote = 0;
};

// One amount the members share, a played draw's net or a cost, with each
// member's part of it: the parts of the lines add up to each balance's part
// of the draws and costs, and each line's parts to what it shared.
struct SharedLine
{
    QDate date;
    qsizetype draw = -1; // the index of its draw in LedgerAccount::draws; -1 for a cost
    QString note;        // the cost's note
    Cents total = 0;     // what it added to the bote
    int shares = 0;      // the shares of those who belonged that day; 0: nobody's
    QList<Cents> parts;  // in the order of LedgerAccount::members
};

struct LedgerAccount
{
    QString syndicate;
    bool closed = false;
    QList<DrawAccount> draws; // the played draws, oldest first
    Cents cost = 0;
    Cents prizes = 0;  // with the reintegro refunds
    Cents refunds = 0; // the reintegro refunds alone
    Cents otherCosts = 0;
    Cents paid = 0;
    Cents received = 0;
    Cents bote = 0;
    // What draws and costs added on days no member belonged: in the bote,
    // in nobody's balance.
    Cents unassigned = 0;
    QList<QDate> pending;
    QList<MemberBalance> members;
    QList<BotePoint> boteHistory;
    QList<SharedLine> shared; // by date, a day's draw before its costs

    int played() const { return static_cast<int>(draws.size()); }
};

// The stored euros per winning bet of a draw; nothing when none are known.
using PrizeLookup = std::function<std::optional<DrawPrizes>(QDate)>;

// What one played draw cost and won, as every account counts it: `bets`
// six-number bets at `price` each; the `winning` bets of each category (slots
// 3..7) paid the euros per bet kept for the draw, none of it counted (the
// draw pending) while what one of its categories paid is not known; when the
// draw's reintegro is the slip's digit counted by then, the price of every bet back.
DrawAccount playedDrawAccount(const DrawRecord &draw, int bets, Cents price,
                              const std::array<int, 5> &winning,
                              const std::optional<ReintegroDigit> &reintegro,
                              const PrizeLookup &prizesOf);

// Works the account out draw by draw: which draws were played and with which
// bets, by the checking engine's rules, their cost and prizes, and each
// member's part of every shared amount split by shares among those who
// belonged that day; each member's running part is rounded as a whole, so
// the balances and "Sin repartir" add up to the bote to the cent.
// A member is active when they still belong on `today`.
LedgerAccount workOutAccount(const LedgerBook &book, const QList<DrawRecord> &draws,
                             const PrizeLookup &prizesOf, QDate today);

} // namespace zafrano
