// SPDX-License-Identifier: GPL-3.0-or-later
#include "checking/syndicate_summary.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace zafrano {

QString oneDecimal(float value)
{
    // nearbyint follows the default rounding mode: to nearest, ties to even.
    const double tenths = std::nearbyint(static_cast<double>(value) * 10.0);
    QString text = QString::number(tenths / 10.0, 'f', 1);
    if (text.endsWith(u".0"_s))
        text.chop(2);
    return text.replace(u'.', u',');
}

QString SyndicateSummary::effectivenessText() const
{
    return oneDecimal(effectiveness) + u"% de efectividad en premios"_s;
}

QString SyndicateSummary::drawsPlayedText() const
{
    return u"en "_s + QString::number(drawsPlayed) + u" sorteos"_s;
}

SyndicateSummary summarizeSyndicates(const QList<SyndicateRecord> &syndicates, int drawsPlayed)
{
    SyndicateSummary summary;
    summary.drawsPlayed = drawsPlayed;
    for (const SyndicateRecord &syndicate : syndicates)
        summary.winningBets += syndicate.totalHits();
    const int won = summary.winningBets;
    if (won < drawsPlayed) {
        summary.chartMissed = drawsPlayed - won;
        summary.chartWon = won;
        summary.effectiveness = static_cast<float>(won) / static_cast<float>(drawsPlayed) * 100.0f;
    } else if (won != 0) {
        // A multiple can win hundreds of bets in one draw: the share stops at 100.
        summary.chartMissed = 0;
        summary.chartWon = won;
        summary.effectiveness = 100;
    }
    return summary;
}

} // namespace zafrano
