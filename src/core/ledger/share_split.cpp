// SPDX-License-Identifier: GPL-3.0-or-later
#include "ledger/share_split.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

namespace zafrano {

namespace {

// Wide enough for a running part times the common denominator of every total of shares.
__extension__ typedef __int128 Wide;

// Beyond this common denominator the remainders are compared in long double.
constexpr Wide WidestDenominator = Wide(1) << 80;

Wide greatestCommonDivisor(Wide a, Wide b)
{
    while (b != 0)
        a = std::exchange(b, a % b);
    return a;
}

template <typename T> T floorDiv(T a, T b)
{
    const T q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

ShareTally::ShareTally(qsizetype people) : m_whole(people, 0) {}

void ShareTally::add(Cents amount, const QList<int> &shares)
{
    const qint64 total = std::accumulate(shares.begin(), shares.end(), qint64{0});
    if (total <= 0) {
        m_unassigned += amount;
        return;
    }
    m_shared += amount;
    QList<qint64> &rests = m_rests[total];
    rests.resize(m_whole.size(), 0);
    for (qsizetype i = 0; i < shares.size() && i < m_whole.size(); ++i) {
        if (shares[i] <= 0)
            continue;
        // Wide: an account kept before amounts and shares were bounded still splits.
        const Wide exact = Wide(rests[i]) + Wide(amount) * shares[i];
        const Wide whole = floorDiv(exact, Wide(total));
        m_whole[i] += Cents(whole);
        rests[i] = qint64(exact - whole * total);
    }
}

QList<Cents> ShareTally::parts() const
{
    const qsizetype n = m_whole.size();
    const int sign = m_shared < 0 ? -1 : 1;
    Wide common = 1;
    for (auto it = m_rests.cbegin(); it != m_rests.cend() && common <= WidestDenominator; ++it)
        common = common / greatestCommonDivisor(common, it.key()) * it.key();
    const bool exact = common <= WidestDenominator;

    // Each part, signed as the total, as whole cents plus a remainder in [0, 1).
    QList<Cents> base(n);
    QList<Wide> rest(n, 0);
    QList<long double> roughRest(n, 0);
    for (qsizetype i = 0; i < n; ++i) {
        if (exact) {
            Wide scaled = Wide(m_whole[i]) * common;
            for (auto it = m_rests.cbegin(); it != m_rests.cend(); ++it)
                scaled += Wide(it.value().value(i)) * (common / it.key());
            scaled *= sign;
            const Wide whole = floorDiv(scaled, common);
            base[i] = Cents(whole);
            rest[i] = scaled - whole * common;
        } else {
            long double fraction = 0;
            for (auto it = m_rests.cbegin(); it != m_rests.cend(); ++it)
                fraction += static_cast<long double>(it.value().value(i)) / it.key();
            const long double value = sign * (static_cast<long double>(m_whole[i]) + fraction);
            base[i] = Cents(std::floor(value));
            roughRest[i] = value - std::floor(value);
        }
    }
    QList<qsizetype> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return exact ? rest[a] > rest[b] : roughRest[a] > roughRest[b];
    });
    Cents left = sign * m_shared - std::accumulate(base.begin(), base.end(), Cents{0});
    for (qsizetype k = 0; k < n && left > 0; ++k, --left)
        ++base[order[k]];
    for (Cents &part : base)
        part *= sign;
    return base;
}

QList<Cents> splitByShares(Cents amount, const QList<int> &shares)
{
    ShareTally tally(shares.size());
    tally.add(amount, shares);
    return tally.parts();
}

} // namespace zafrano
