// SPDX-License-Identifier: GPL-3.0-or-later
// The overall result under the syndicate list: winning bets, effectiveness and chart.
#include "checking/syndicate_summary.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;

namespace {

SyndicateRecord withHits(qint16 three, qint16 four, qint16 five, qint16 six, qint16 fiveC)
{
    SyndicateRecord syndicate;
    syndicate.hits = {three, four, five, six, fiveC};
    return syndicate;
}

TEST(SyndicateSummary, OneDecimalRoundsTiesToEven)
{
    EXPECT_EQ(oneDecimal(6.25f), u"6,2"_s);
    EXPECT_EQ(oneDecimal(18.75f), u"18,8"_s);
    EXPECT_EQ(oneDecimal(0.25f), u"0,2"_s);
    EXPECT_EQ(oneDecimal(12.5f), u"12,5"_s);
    EXPECT_EQ(oneDecimal(100.0f), u"100"_s);
    EXPECT_EQ(oneDecimal(0.0f), u"0"_s);
    EXPECT_EQ(oneDecimal(99.96f), u"100"_s);
    EXPECT_EQ(oneDecimal(100.0f / 3.0f), u"33,3"_s);
}

TEST(SyndicateSummary, EffectivenessIsWinningBetsPerDrawPlayed)
{
    // Every slot counts, 5 + complementario included, over every syndicate.
    const SyndicateSummary sixteenth =
        summarizeSyndicates({withHits(0, 0, 0, 0, 1), withHits(0, 0, 0, 0, 0)}, 16);
    EXPECT_EQ(sixteenth.winningBets, 1);
    EXPECT_EQ(sixteenth.effectivenessText(), u"6,2% de efectividad en premios"_s);
    EXPECT_EQ(sixteenth.drawsPlayedText(), u"en 16 sorteos"_s);
    EXPECT_EQ(sixteenth.chartMissed, 15);
    EXPECT_EQ(sixteenth.chartWon, 1);

    const SyndicateSummary threeSixteenths =
        summarizeSyndicates({withHits(1, 1, 0, 0, 0), withHits(0, 0, 0, 1, 0)}, 16);
    EXPECT_EQ(threeSixteenths.effectivenessText(), u"18,8% de efectividad en premios"_s);
}

TEST(SyndicateSummary, MoreWinningBetsThanDrawsStopsAt100)
{
    for (int played : {340, 462}) {
        const SyndicateSummary summary =
            summarizeSyndicates({withHits(200, 150, 30, 1, 81)}, played);
        EXPECT_EQ(summary.winningBets, 462);
        EXPECT_EQ(summary.effectivenessText(), u"100% de efectividad en premios"_s);
        EXPECT_EQ(summary.chartMissed, 0);
        EXPECT_EQ(summary.chartWon, 462);
    }
}

TEST(SyndicateSummary, NothingWon)
{
    const SyndicateSummary never = summarizeSyndicates({withHits(0, 0, 0, 0, 0)}, 340);
    EXPECT_EQ(never.winningBets, 0);
    EXPECT_EQ(never.effectivenessText(), u"0% de efectividad en premios"_s);
    EXPECT_EQ(never.drawsPlayedText(), u"en 340 sorteos"_s);
    EXPECT_EQ(never.chartMissed, 340);
    EXPECT_EQ(never.chartWon, 0);

    // No draw played and nothing won: the chart still has something to draw.
    for (const QList<SyndicateRecord> &syndicates :
         {QList<SyndicateRecord>{}, QList<SyndicateRecord>{withHits(0, 0, 0, 0, 0)}}) {
        const SyndicateSummary empty = summarizeSyndicates(syndicates, 0);
        EXPECT_EQ(empty.effectivenessText(), u"0% de efectividad en premios"_s);
        EXPECT_EQ(empty.chartMissed, 1);
        EXPECT_EQ(empty.chartWon, 0);
    }
}

TEST(SyndicateSummary, TalliesNearTheirLimitDoNotOverflowTheTotal)
{
    const SyndicateSummary summary = summarizeSyndicates(
        {withHits(32767, 32767, 32767, 32767, 32767), withHits(32767, 0, 0, 0, 0)}, 100);
    EXPECT_EQ(summary.winningBets, 6 * 32767);
    EXPECT_EQ(summary.effectiveness, 100.0f);
}

} // namespace
