// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "ledger/ledger_account.h"
#include "store/prize_months.h"

#include <QDate>
#include <QList>
#include <array>
#include <optional>

namespace zafrano {

// What a backtest plays: bets over the stored draws of a period.
struct BacktestRequest
{
    // Simple, reduced or multiple bets; their own days and creation date are not read.
    SyndicateRecord bets;
    QString days; // "Lunes" … "Domingo", or "Todos"
    QDate from;   // both days included
    QDate to;
    QList<PriceChange> prices;               // the price per bet by date
    std::optional<ReintegroDigit> reintegro; // the slip's digit, when it has one
};

// The winning bets of one category and what they won where it is known.
struct CategoryTally
{
    int bets = 0;
    Cents cents = 0;
};

// The longest stretch of played draws in a row that won nothing.
struct DryRun
{
    int draws = 0;
    QDate from;
    QDate to;
};

struct NetPoint
{
    QDate date;
    Cents net = 0; // what the bets had won less what they had cost, by the end of that draw
};

// What the bets would have cost and won over the period, counted draw by draw
// as a peña's account counts it. The draws before firstEuroDraw() count their
// hits, never money; a draw whose prizes are not known counts its cost and its
// hits, and stays in `pending`, its prize not taken for nothing.
struct Backtest
{
    int played = 0;      // draws played, in both currencies
    int pesetaDraws = 0; // of them, before firstEuroDraw()
    int betsPerDraw = 0;
    Cents cost = 0;
    Cents prizes = 0;  // the known prizes of the categories
    Cents refunds = 0; // reintegros
    // In the order of PrizeCategories: 6, 5 + C, 5, 4, 3.
    std::array<CategoryTally, 5> categories{};
    QList<QDate> pending;
    // The euro draw that brought most back; none when none brought anything.
    std::optional<DrawAccount> best;
    DryRun longestDry;
    QList<NetPoint> cumulative; // one point per euro draw played
    // The draw days of the period, on the days played, with no stored draw: not counted.
    QList<QDate> missing;

    Cents net() const { return prizes + refunds - cost; }
    // What came back for every euro spent, in %; none when nothing was spent.
    std::optional<double> returnPercent() const;
};

// Plays the bets over every stored draw of the period on its days. Refused
// with the program's message when the period is upside down, the days are
// not a peña's days or no stored draw falls in it. `draws` in date order.
Result<Backtest> runBacktest(const BacktestRequest &request, const QList<DrawRecord> &draws,
                             const PrizeLookup &prizesOf);

} // namespace zafrano
