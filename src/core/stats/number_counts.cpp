// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/number_counts.h"

#include <algorithm>
#include <numeric>

namespace zafrano {

HalfTable halfTable(const NumberCounts &counts, ChartHalf half)
{
    const int first = half == ChartHalf::Low ? 1 : 25;
    HalfTable table;
    for (int number = first; number < first + 25; ++number) {
        table.labels.append(QString::number(number));
        table.overall.append(counts.timesOf(number));
        for (int day = 0; day < NumberCounts::DrawDays; ++day)
            table.byDay[day].append(counts.timesOn(number, day));
    }
    return table;
}

QList<int> rankNumbers(const NumberCounts &counts)
{
    QList<int> ranking(NumberCounts::Numbers);
    std::iota(ranking.begin(), ranking.end(), 1);
    // Stable: numbers with the same count keep their ascending order.
    std::stable_sort(ranking.begin(), ranking.end(),
                     [&counts](int a, int b) { return counts.timesOf(a) > counts.timesOf(b); });
    return ranking;
}

QList<RankedNumber> chosenNumbers(const NumberCounts &counts, const QList<int> &ranking, int count)
{
    QList<RankedNumber> chosen;
    const qsizetype n = std::clamp<qsizetype>(count, 0, ranking.size());
    for (qsizetype i = 0; i < n; ++i)
        chosen.append({ranking[i], counts.timesOf(ranking[i])});
    return chosen;
}

} // namespace zafrano
