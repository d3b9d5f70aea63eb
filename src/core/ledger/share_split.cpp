// SPDX-License-Identifier: GPL-3.0-or-later
#include "ledger/share_split.h"

#include <algorithm>
#include <numeric>

namespace zafrano {

namespace {

// Wide enough for any amount times any total of shares: an account kept
// before its amounts and shares were bounded still splits exactly.
__extension__ typedef __int128 Wide;

} // namespace

QList<Cents> splitByShares(Cents amount, const QList<int> &shares)
{
    QList<Cents> parts(shares.size(), 0);
    QList<qint64> counted(shares.size());
    std::transform(shares.begin(), shares.end(), counted.begin(),
                   [](int s) { return qint64{std::max(s, 0)}; });
    const qint64 total = std::accumulate(counted.begin(), counted.end(), qint64{0});
    if (total <= 0)
        return parts;
    const Wide size = amount < 0 ? -Wide{amount} : Wide{amount};
    QList<qint64> remainders(shares.size());
    Wide given = 0;
    for (qsizetype i = 0; i < shares.size(); ++i) {
        const Wide product = size * counted[i];
        parts[i] = static_cast<Cents>(product / total);
        remainders[i] = static_cast<qint64>(product % total);
        given += parts[i];
    }
    QList<qsizetype> order(shares.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return remainders[a] > remainders[b]; });
    // Fewer cents are left over than there are parts.
    for (qsizetype k = 0; given < size && k < order.size(); ++k, ++given)
        ++parts[order[k]];
    if (amount < 0) {
        for (Cents &part : parts)
            part = -part;
    }
    return parts;
}

} // namespace zafrano
