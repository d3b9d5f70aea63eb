// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/syndicate_record.h"

#include <QList>
#include <QString>

namespace zafrano {

// The overall result of all syndicates shown under the syndicate list.
struct SyndicateSummary
{
    int winningBets = 0; // every tally of every syndicate added up
    int drawsPlayed = 0;
    float effectiveness = 0; // winning bets per draw played, as a percentage capped at 100
    // The two values of the small chart: draws without a prize, winning bets.
    double chartMissed = 1;
    double chartWon = 0;

    QString effectivenessText() const; // "12,5% de efectividad en premios"
    QString drawsPlayedText() const;   // "en 340 sorteos"
};

// Sums the tallies and works out the effectiveness over the draws played.
SyndicateSummary summarizeSyndicates(const QList<SyndicateRecord> &syndicates, int drawsPlayed);

// A value rounded to one decimal, ties to even, written with a decimal comma
// and without a trailing ",0": 12.25 → "12,2", 100 → "100".
QString oneDecimal(float value);

} // namespace zafrano
