// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "checking/result_list.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <memory>

namespace zafrano {

// The choices of the results tab that a check follows.
struct CheckOptions
{
    int drawCount = 1;       // the newest draws to show (the draws-to-check bar)
    bool history = false;    // "Histórico": also draws before a syndicate was created
    bool prizesOnly = false; // "Ver sólo si hay premio"
    QString syndicateName;   // one syndicate by name; empty for "TODAS LAS PEÑAS"
    bool prizeFinds = false; // also list the prizes newly counted (CheckResults::finds)
    // By syndicate name, the draws put in behind its counted-through date that
    // its tallies do not hold yet (see draws_to_count.h): each is counted once.
    QHash<QString, QList<double>> drawsToCount;
};

// The prizes one syndicate won in one draw, as a check counted them into its
// tallies: winning bets of 3, 4, 5, 6 and 5 + complementario hits (slots 3..7).
struct PrizeFind
{
    QDate draw;
    QString syndicate; // its name: records move when one is deleted
    std::array<int, 5> bets{};

    friend bool operator==(const PrizeFind &, const PrizeFind &) = default;
};

// What a check found and what it changed.
struct CheckResults
{
    ResultList simple;
    ResultList multiple;
    bool simplePrize = false;   // a simple or reduced syndicate won in a shown draw
    bool multiplePrize = false; // a multiple won in a shown draw
    bool hasMultiples = false;
    QList<DrawRecord> draws; // the draws checked, oldest first, as the lists refer to them
    // The syndicates with their tallies and counted-through dates brought up to
    // date; changedRecords lists the records (1-based) that differ from before.
    QList<SyndicateRecord> syndicates;
    QList<int> changedRecords;
    // With CheckOptions::prizeFinds, the prizes newly counted into those
    // tallies: for every syndicate, each played draw after its old
    // counted-through date, oldest first.
    QList<PrizeFind> finds;
};

// Told once per checked draw, newest first: how many are done of how many.
using CheckProgress = std::function<void(int checked, int total)>;

// Checks every syndicate against the newest draws. A syndicate plays a draw on
// its weekday (or every day with "Todos") from its creation date on. Every
// prize of a played draw newer than the syndicate's counted-through date is
// added to its tallies once, whether or not the draw is among those shown, and
// the date then moves forward to the newest draw (never back); so is every
// played draw of options.drawsToCount on or before that date.
CheckResults runCheck(const QList<DrawRecord> &draws, const QList<SyndicateRecord> &syndicates,
                      const CheckOptions &options, const CheckProgress &progress = {});

// Whether a syndicate plays a draw: on its weekday (or every day with
// "Todos"), from its creation date on.
bool playsDraw(const SyndicateRecord &syndicate, const DrawRecord &draw);

// The tallies of a syndicate for one draw, as a check adds them: its six-number
// bets with 3, 4, 5, 6 and 5 + complementario hits (slots 3..7).
std::array<int, 5> prizesInDraw(const SyndicateRecord &syndicate, const DrawRecord &draw);

// The same over many draws: the syndicate's bets are made ready once.
class PrizeCounter
{
public:
    explicit PrizeCounter(const SyndicateRecord &syndicate);
    ~PrizeCounter();
    PrizeCounter(const PrizeCounter &) = delete;
    PrizeCounter &operator=(const PrizeCounter &) = delete;

    // Whether the syndicate plays on the weekday of the draw (its creation date aside).
    bool playsOn(const DrawRecord &draw) const;
    std::array<int, 5> prizesIn(const DrawRecord &draw) const;

private:
    struct Ready;
    const std::unique_ptr<const Ready> m_ready;
};

} // namespace zafrano
