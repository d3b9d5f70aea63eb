// SPDX-License-Identifier: GPL-3.0-or-later
#include "lotto_search.h"

#include <bit>
#include <cmath>
#include <limits>

namespace tablegen {

namespace {

constexpr int SampledTries = 48;

std::uint64_t rotl(std::uint64_t x, int k)
{
    return (x << k) | (x >> (64 - k));
}

std::uint64_t splitMix(std::uint64_t &state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::size_t binomial(int n, int k)
{
    if (k < 0 || k > n)
        return 0;
    std::size_t result = 1;
    for (int i = 1; i <= k; ++i)
        result = result * static_cast<std::size_t>(n - k + i) / static_cast<std::size_t>(i);
    return result;
}

Mask nextSameBitCount(Mask mask)
{
    const Mask lowest = mask & (~mask + 1);
    const Mask ripple = mask + lowest;
    return ripple | (((mask ^ ripple) >> 2) / lowest);
}

} // namespace

Random::Random(std::uint64_t seed)
{
    for (std::uint64_t &word : m_s)
        word = splitMix(seed);
}

std::uint64_t Random::next()
{
    const std::uint64_t result = rotl(m_s[1] * 5, 7) * 9;
    const std::uint64_t t = m_s[1] << 17;
    m_s[2] ^= m_s[0];
    m_s[3] ^= m_s[1];
    m_s[1] ^= m_s[2];
    m_s[0] ^= m_s[3];
    m_s[2] ^= t;
    m_s[3] = rotl(m_s[3], 45);
    return result;
}

std::uint32_t Random::below(std::uint32_t bound)
{
    // Lemire's multiply-shift; the tiny bias is irrelevant to a search.
    return static_cast<std::uint32_t>(((next() >> 32) * bound) >> 32);
}

double Random::unit()
{
    return static_cast<double>(next() >> 11) * 0x1.0p-53;
}

void subsetsOf(Mask pool, int k, std::vector<Mask> &out)
{
    out.clear();
    int bits[32];
    int size = 0;
    for (Mask rest = pool; rest != 0; rest &= rest - 1)
        bits[size++] = std::countr_zero(rest);
    if (k < 0 || k > size)
        return;
    int index[32];
    for (int i = 0; i < k; ++i)
        index[i] = i;
    while (true) {
        Mask subset = 0;
        for (int i = 0; i < k; ++i)
            subset |= Mask{1} << bits[index[i]];
        out.push_back(subset);
        int i = k - 1;
        while (i >= 0 && index[i] == size - k + i)
            --i;
        if (i < 0)
            return;
        ++index[i];
        for (int j = i + 1; j < k; ++j)
            index[j] = index[j - 1] + 1;
    }
}

LottoSearch::LottoSearch(int n, int g, std::uint64_t seed)
    : m_n(n), m_g(g), m_all((Mask{1} << n) - 1), m_random(seed),
      m_coverCount(std::size_t{1} << n, 0), m_place(std::size_t{1} << n, -1)
{
    for (Mask draw = 0b111111; draw <= m_all; draw = nextSameBitCount(draw)) {
        ++m_drawCount;
        uncover(draw);
    }
}

std::size_t LottoSearch::drawsPerBet() const
{
    std::size_t count = 0;
    for (int i = m_g; i <= 6; ++i)
        count += binomial(6, i) * binomial(m_n - 6, 6 - i);
    return count;
}

template <typename F> void LottoSearch::forEachCoveredDraw(Mask bet, F &&f)
{
    std::vector<Mask> inside, outside;
    for (int i = m_g; i <= 6; ++i) {
        subsetsOf(bet, i, inside);
        subsetsOf(m_all & ~bet, 6 - i, outside);
        for (const Mask a : inside)
            for (const Mask b : outside)
                f(a | b);
    }
}

void LottoSearch::cover(Mask draw)
{
    const std::int32_t place = m_place[draw];
    const Mask last = m_uncovered.back();
    m_uncovered[static_cast<std::size_t>(place)] = last;
    m_place[last] = place;
    m_uncovered.pop_back();
    m_place[draw] = -1;
}

void LottoSearch::uncover(Mask draw)
{
    m_place[draw] = static_cast<std::int32_t>(m_uncovered.size());
    m_uncovered.push_back(draw);
}

void LottoSearch::addBet(Mask bet)
{
    forEachCoveredDraw(bet, [this](Mask draw) {
        if (m_coverCount[draw]++ == 0)
            cover(draw);
    });
    m_bets.push_back(bet);
}

void LottoSearch::removeBet(std::size_t index)
{
    forEachCoveredDraw(m_bets[index], [this](Mask draw) {
        if (--m_coverCount[draw] == 0)
            uncover(draw);
    });
    m_bets[index] = m_bets.back();
    m_bets.pop_back();
}

Mask LottoSearch::randomBit(Mask mask)
{
    for (std::uint32_t skip = m_random.below(static_cast<std::uint32_t>(std::popcount(mask)));
         skip > 0; --skip)
        mask &= mask - 1;
    return mask & (~mask + 1);
}

void LottoSearch::addGreedyBet()
{
    // Candidates: a few uncovered draws taken as bets (each covers itself and
    // its neighbours) and a few random bets.
    constexpr int FromDraws = 8;
    constexpr int AtRandom = 24;
    Mask best = 0;
    long bestGain = -1;
    for (int c = 0; c < FromDraws + AtRandom; ++c) {
        Mask candidate = 0;
        if (c < FromDraws && !m_uncovered.empty()) {
            candidate = m_uncovered[m_random.below(static_cast<std::uint32_t>(m_uncovered.size()))];
        } else {
            while (std::popcount(candidate) < 6)
                candidate |= randomBit(m_all & ~candidate);
        }
        long gain = 0;
        forEachCoveredDraw(candidate, [&](Mask draw) { gain += m_coverCount[draw] == 0; });
        if (gain > bestGain) {
            bestGain = gain;
            best = candidate;
        }
    }
    addBet(best);
}

void LottoSearch::startGreedy(int count)
{
    while (!m_bets.empty())
        removeBet(m_bets.size() - 1);
    for (int i = 0; i < count; ++i)
        addGreedyBet();
}

void LottoSearch::dropWeakestBet()
{
    std::size_t weakest = 0;
    long fewest = std::numeric_limits<long>::max();
    for (std::size_t i = 0; i < m_bets.size(); ++i) {
        long alone = 0;
        forEachCoveredDraw(m_bets[i], [&](Mask draw) { alone += m_coverCount[draw] == 1; });
        if (alone < fewest) {
            fewest = alone;
            weakest = i;
        }
    }
    removeBet(weakest);
}

int LottoSearch::swapDelta(std::size_t index, Mask out, Mask in)
{
    const Mask bet = m_bets[index];
    subsetsOf(bet & ~out, m_g - 1, m_sSets);
    subsetsOf(m_all & ~(bet | in), 6 - m_g, m_tSets);
    const std::uint8_t *count = m_coverCount.data();
    int delta = 0;
    for (const Mask s : m_sSets) {
        const Mask lost = s | out;
        const Mask gained = s | in;
        for (const Mask t : m_tSets) {
            delta += count[lost | t] == 1;
            delta -= count[gained | t] == 0;
        }
    }
    return delta;
}

void LottoSearch::applySwap(std::size_t index, Mask out, Mask in)
{
    std::uint8_t *count = m_coverCount.data();
    for (const Mask s : m_sSets) {
        for (const Mask t : m_tSets) {
            const Mask lost = s | out | t;
            if (--count[lost] == 0)
                uncover(lost);
            const Mask gained = s | in | t;
            if (count[gained]++ == 0)
                cover(gained);
        }
    }
    m_bets[index] ^= out | in;
}

LottoSearch::Move LottoSearch::randomMove()
{
    const Mask draw = m_uncovered[m_random.below(static_cast<std::uint32_t>(m_uncovered.size()))];
    const std::size_t index = betNear(draw);
    const Mask bet = m_bets[index];
    const Mask out = randomBit(bet & ~draw);
    const Mask in = randomBit(draw & ~bet);
    return {index, out, in, swapDelta(index, out, in)};
}

std::size_t LottoSearch::betNear(Mask draw)
{
    // Sampled first, as such bets are common; scanned for when they are rare.
    const auto betCount = static_cast<std::uint32_t>(m_bets.size());
    for (int tries = 0; tries < SampledTries; ++tries) {
        const std::size_t index = m_random.below(betCount);
        if (std::popcount(m_bets[index] & draw) == m_g - 1)
            return index;
    }
    m_candidates.clear();
    for (std::size_t i = 0; i < m_bets.size(); ++i) {
        if (std::popcount(m_bets[i] & draw) == m_g - 1)
            m_candidates.push_back(static_cast<Mask>(i));
    }
    if (m_candidates.empty())
        return m_random.below(betCount);
    return m_candidates[m_random.below(static_cast<std::uint32_t>(m_candidates.size()))];
}

std::uint64_t LottoSearch::lateAcceptance(std::uint64_t steps, std::uint64_t history)
{
    std::vector<std::size_t> past(history, m_uncovered.size());
    std::uint64_t step = 0;
    for (; step < steps && !m_uncovered.empty(); ++step) {
        const Move move = randomMove();
        std::size_t &then = past[step % history];
        if (move.delta <= 0 || m_uncovered.size() + static_cast<std::size_t>(move.delta) <= then)
            applySwap(move.index, move.out, move.in);
        then = m_uncovered.size();
    }
    return step;
}

std::uint64_t LottoSearch::anneal(std::uint64_t steps, std::uint64_t cycle, double t0, double t1)
{
    const double fall = std::log(t1 / t0) / static_cast<double>(cycle);
    double temperature = t0;
    std::uint64_t step = 0;
    for (; step < steps && !m_uncovered.empty(); ++step) {
        if ((step & 255) == 0)
            temperature = t0 * std::exp(fall * static_cast<double>(step % cycle));
        const Move move = randomMove();
        if (move.delta <= 0 || m_random.unit() < std::exp(-move.delta / temperature))
            applySwap(move.index, move.out, move.in);
    }
    return step;
}

} // namespace tablegen
