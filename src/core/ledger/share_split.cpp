// SPDX-License-Identifier: GPL-3.0-or-later
#include "ledger/share_split.h"

#include <algorithm>
#include <numeric>

namespace zafrano {

QList<Cents> splitByShares(Cents amount, const QList<int> &shares)
{
    QList<Cents> parts(shares.size(), 0);
    const qint64 total = std::accumulate(shares.begin(), shares.end(), qint64{0});
    if (total <= 0)
        return parts;
    const Cents size = amount < 0 ? -amount : amount;
    QList<qint64> remainders(shares.size());
    Cents given = 0;
    for (qsizetype i = 0; i < shares.size(); ++i) {
        parts[i] = size * shares[i] / total;
        remainders[i] = size * shares[i] % total;
        given += parts[i];
    }
    QList<qsizetype> order(shares.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return remainders[a] > remainders[b]; });
    for (qsizetype k = 0; given < size; ++k, ++given)
        ++parts[order[k]];
    if (amount < 0) {
        for (Cents &part : parts)
            part = -part;
    }
    return parts;
}

} // namespace zafrano
