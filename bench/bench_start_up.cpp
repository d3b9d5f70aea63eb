// SPDX-License-Identifier: GPL-3.0-or-later
// What the program does with its data folder before the window shows.
#include "bench_folder.h"
#include "calendar/calendar_status.h"
#include "startup/open_data_folder.h"
#include "stats/draw_listing.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace zafrano::bench {

namespace {

// Nothing to tell: the folder holds no legacy syndicates file to convert.
void ignoreMessage(const ProgramMessage &) {}

// The work file dropped, the missing files created, tablas.bin looked for,
// the settings read and the syndicates file's format checked.
void BM_OpenDataFolder(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    const DataFolder data(folder->path);
    for (auto _ : state) {
        Result<Settings> settings = openDataFolder(data, ignoreMessage);
        if (!settings) {
            skipWithError(state, settings.error().message.text);
            break;
        }
        benchmark::DoNotOptimize(settings);
    }
}
BENCHMARK(BM_OpenDataFolder)->Unit(benchmark::kMicrosecond);

// Open the folder, read and list the draws, read the syndicates, work out the
// calendar: everything start-up reads from disk, once.
void BM_StartUpDataPass(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    const DataFolder data(folder->path);
    for (auto _ : state) {
        Result<Settings> settings = openDataFolder(data, ignoreMessage);
        Result<LoadedDraws> loaded = loadDrawsList(data.draws(), 0);
        Result<QList<SyndicateRecord>> syndicates = data.syndicates().readAll();
        if (!settings || !loaded || !syndicates) {
            skipWithError(state, u"a start-up step failed"_s);
            break;
        }
        CalendarStatus status = computeCalendar(loaded->draws, syndicates.value(), folder->today);
        benchmark::DoNotOptimize(settings);
        benchmark::DoNotOptimize(loaded);
        benchmark::DoNotOptimize(status);
    }
    state.SetBytesProcessed(state.iterations() *
                            (folder->drawsFileBytes + folder->syndicatesFileBytes));
}
BENCHMARK(BM_StartUpDataPass)->Unit(benchmark::kMillisecond);

} // namespace

} // namespace zafrano::bench
