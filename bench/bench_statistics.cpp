// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics refresh: the one pass that lists the selected draws and
// counts their numbers, next to a bare counting loop over the same draws, so
// the price of the list and the filter shows as a ratio.
#include "bench_folder.h"
#include "stats/draw_listing.h"
#include "stats/number_counts.h"
#include "stats/statistics_selection.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace zafrano::bench {

namespace {

// The floor: every winning number of every draw added to a table, nothing else.
void BM_BareCounting(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    for (auto _ : state) {
        NumberCounts counts;
        for (const DrawRecord &draw : folder->draws) {
            for (qint16 number : draw.numbers)
                ++counts.overall[number - 1];
        }
        benchmark::DoNotOptimize(counts);
    }
    state.SetItemsProcessed(state.iterations() * DrawCount);
}
BENCHMARK(BM_BareCounting)->Unit(benchmark::kMicrosecond);

// What a click on the filter or a step of a months slider costs in core: the
// pass (every draw visited, listed and counted), the description and the
// ranking. Argument: months of the period, 0 for every draw.
void BM_StatisticsRefresh(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    const StatisticsPeriod period{state.range(0) == 0, int(state.range(0))};
    const double start = periodStart(period, folder->today);
    const WeekdayFilter filter;
    for (auto _ : state) {
        Result<DrawListing> listing = listDraws(folder->draws, start, filter);
        if (!listing) {
            skipWithError(state, u"the draws did not list"_s);
            break;
        }
        const SelectionDescription description = describeSelection(
            period, filter, listing->count(), listing->newestListed, listing->oldestListed);
        const QList<int> ranking = rankNumbers(listing->counts);
        benchmark::DoNotOptimize(description);
        benchmark::DoNotOptimize(ranking);
    }
    state.SetItemsProcessed(state.iterations() * DrawCount);
}
BENCHMARK(BM_StatisticsRefresh)->Arg(0)->Arg(12)->Unit(benchmark::kMicrosecond);

// The same pass with three days ticked: the weekday test on every draw.
void BM_StatisticsRefreshSomeDays(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    WeekdayFilter filter;
    filter.ticked = {true, false, true, false, true, false};
    for (auto _ : state) {
        Result<DrawListing> listing = listDraws(folder->draws, 0, filter);
        benchmark::DoNotOptimize(listing);
    }
    state.SetItemsProcessed(state.iterations() * DrawCount);
}
BENCHMARK(BM_StatisticsRefreshSomeDays)->Unit(benchmark::kMicrosecond);

} // namespace

} // namespace zafrano::bench
