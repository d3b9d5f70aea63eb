// SPDX-License-Identifier: GPL-3.0-or-later
// The calendar refresh: the draws played by any syndicate, and the status texts.
#include "bench_folder.h"
#include "calendar/calendar_status.h"
#include "store/draws_file.h"
#include "store/syndicates_file.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace zafrano::bench {

namespace {

void BM_CountDrawsPlayed(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    for (auto _ : state) {
        int played = countDrawsPlayed(folder->draws, folder->syndicates);
        benchmark::DoNotOptimize(played);
    }
    state.SetItemsProcessed(state.iterations() * DrawCount);
    state.counters["played"] = countDrawsPlayed(folder->draws, folder->syndicates);
}
BENCHMARK(BM_CountDrawsPlayed)->Unit(benchmark::kMicrosecond);

void BM_ComputeCalendar(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    for (auto _ : state) {
        CalendarStatus status = computeCalendar(folder->draws, folder->syndicates, folder->today);
        benchmark::DoNotOptimize(status);
    }
    state.SetItemsProcessed(state.iterations() * DrawCount);
}
BENCHMARK(BM_ComputeCalendar)->Unit(benchmark::kMicrosecond);

// The refresh as the window runs it after a change: both files read afresh.
void BM_CalendarRefreshFromFiles(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    const DrawsFile drawsFile(folder->path);
    const SyndicatesFile syndicatesFile(folder->path);
    for (auto _ : state) {
        Result<QList<DrawRecord>> draws = drawsFile.readAll();
        Result<QList<SyndicateRecord>> syndicates = syndicatesFile.readAll();
        if (!draws || !syndicates) {
            skipWithError(state, u"the data files did not read"_s);
            break;
        }
        CalendarStatus status = computeCalendar(draws.value(), syndicates.value(), folder->today);
        benchmark::DoNotOptimize(status);
    }
    state.SetBytesProcessed(state.iterations() *
                            (folder->drawsFileBytes + folder->syndicatesFileBytes));
}
BENCHMARK(BM_CalendarRefreshFromFiles)->Unit(benchmark::kMicrosecond);

} // namespace

} // namespace zafrano::bench
