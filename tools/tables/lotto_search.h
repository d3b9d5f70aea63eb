// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace tablegen {

// A set of numbers 1..20 as bits: number p is bit p − 1.
using Mask = std::uint32_t;

// xoshiro256**: small, fast and the same sequence on every machine for a seed.
class Random
{
public:
    explicit Random(std::uint64_t seed);
    std::uint64_t next();
    // Uniform in 0..bound − 1 (bound > 0).
    std::uint32_t below(std::uint32_t bound);
    // Uniform in [0, 1).
    double unit();

private:
    std::uint64_t m_s[4];
};

// The k-subsets of the bits of pool, as masks, appended to out after clearing it.
void subsetsOf(Mask pool, int k, std::vector<Mask> &out);

// Local search for a lotto design: bets of six numbers among n such that every
// draw of six among the n meets some bet in at least g numbers.
//
// The state is a list of bets and, for every draw, how many bets cover it
// (indexed directly by the draw's mask), plus the list of uncovered draws.
// A move swaps one number of one bet for another. Only the draws that meet
// the bet in exactly g numbers change, so a move is evaluated by walking
// those: with S a (g − 1)-subset of the bet's other five numbers and T a
// (6 − g)-subset of the numbers in neither the bet nor the new number, the
// draw {out} ∪ S ∪ T loses this bet and {in} ∪ S ∪ T gains it.
class LottoSearch
{
public:
    LottoSearch(int n, int g, std::uint64_t seed);

    int numbers() const { return m_n; }
    int guarantee() const { return m_g; }
    const std::vector<Mask> &bets() const { return m_bets; }
    std::size_t uncovered() const { return m_uncovered.size(); }
    std::size_t drawCount() const { return m_drawCount; }
    // Draws one bet covers (with itself): Σ C(6, i) C(n − 6, 6 − i), i ≥ g.
    std::size_t drawsPerBet() const;

    // Replaces the bets: a greedy cover of `count` bets, each the best of a
    // sample of candidates for the draws still uncovered.
    void startGreedy(int count);
    // Adds the bet that covers most of the uncovered draws, from a sample.
    void addGreedyBet();
    // Removes the bet whose loss uncovers the fewest draws.
    void dropWeakestBet();

    // Simulated annealing over the uncovered draws for at most `steps` moves,
    // the temperature falling geometrically from t0 to t1 and starting again
    // every `cycle` moves. Stops early when every draw is covered; returns the
    // moves made.
    std::uint64_t anneal(std::uint64_t steps, std::uint64_t cycle, double t0, double t1);
    // Late acceptance instead: a move is taken when it makes things no worse
    // than they are now or than they were `history` moves ago. Blind to the
    // size of the changes, so one setting suits every N and G.
    std::uint64_t lateAcceptance(std::uint64_t steps, std::uint64_t history);

private:
    void addBet(Mask bet);
    void removeBet(std::size_t index);
    // Calls f(draw) for every draw the bet covers.
    template <typename F> void forEachCoveredDraw(Mask bet, F &&f);
    void cover(Mask draw);
    void uncover(Mask draw);
    // Change in the number of uncovered draws if bet `index` swapped out for in;
    // leaves the subset lists ready for applySwap.
    int swapDelta(std::size_t index, Mask out, Mask in);
    void applySwap(std::size_t index, Mask out, Mask in);
    Mask randomBit(Mask mask);
    // A bet one swap away from covering the draw, or any bet when there is none.
    std::size_t betNear(Mask draw);
    // One move of the search: an uncovered draw picked at random, a bet near it,
    // one number of the bet swapped for one of the draw, and what that changes.
    struct Move
    {
        std::size_t index;
        Mask out;
        Mask in;
        int delta;
    };
    Move randomMove();

    int m_n;
    int m_g;
    Mask m_all;
    std::size_t m_drawCount = 0;
    Random m_random;
    std::vector<Mask> m_bets;
    std::vector<std::uint8_t> m_coverCount; // by draw mask; bets covering the draw
    std::vector<std::int32_t> m_place;      // by draw mask; its index in m_uncovered
    std::vector<Mask> m_uncovered;
    std::vector<Mask> m_sSets, m_tSets, m_scratch, m_candidates;
};

} // namespace tablegen
