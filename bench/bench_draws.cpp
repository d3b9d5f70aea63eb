// SPDX-License-Identifier: GPL-3.0-or-later
// The draws file: reading it, listing it, and replacing it by an import.
#include "bench_folder.h"
#include "bench_paths.h"
#include "stats/draw_listing.h"
#include "store/draw_history_csv.h"
#include "store/draw_rule.h"
#include "store/draws_file.h"

#include <QFile>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace zafrano::bench {

namespace {

// Reads bononume.dat and decodes every record.
void BM_DrawsFileReadAll(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    const DrawsFile file(folder->path);
    for (auto _ : state) {
        Result<QList<DrawRecord>> draws = file.readAll();
        if (!draws || draws->size() != DrawCount) {
            skipWithError(state, u"the draws file did not read back whole"_s);
            break;
        }
        benchmark::DoNotOptimize(draws);
    }
    state.SetItemsProcessed(state.iterations() * DrawCount);
    state.SetBytesProcessed(state.iterations() * folder->drawsFileBytes);
}
BENCHMARK(BM_DrawsFileReadAll)->Unit(benchmark::kMicrosecond);

// The draws list's pass over draws already in memory: every draw listed,
// newest first, each one's date and numbers checked.
void BM_ListDraws(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    for (auto _ : state) {
        Result<DrawListing> listing = listDraws(folder->draws, 0);
        if (!listing || listing->count() != DrawCount) {
            skipWithError(state, u"the draws list left draws out"_s);
            break;
        }
        benchmark::DoNotOptimize(listing);
    }
    state.SetItemsProcessed(state.iterations() * DrawCount);
}
BENCHMARK(BM_ListDraws)->Unit(benchmark::kMicrosecond);

// Both together, as the program loads the list: read the file, then list it.
void BM_LoadDrawsList(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    const DrawsFile file(folder->path);
    for (auto _ : state) {
        Result<LoadedDraws> loaded = loadDrawsList(file, 0);
        if (!loaded || loaded->listing.count() != DrawCount) {
            skipWithError(state, u"the draws file did not load whole"_s);
            break;
        }
        benchmark::DoNotOptimize(loaded);
    }
    state.SetItemsProcessed(state.iterations() * DrawCount);
    state.SetBytesProcessed(state.iterations() * folder->drawsFileBytes);
}
BENCHMARK(BM_LoadDrawsList)->Unit(benchmark::kMicrosecond);

// The check an import makes of every record before it touches the file.
void BM_FindInvalidDraw(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    for (auto _ : state) {
        Status valid = checkDrawSequence(folder->draws);
        if (!valid) {
            skipWithError(state,
                          u"a stored draw was taken for invalid: "_s + valid.error().message.text);
            break;
        }
        benchmark::DoNotOptimize(valid);
    }
    state.SetItemsProcessed(state.iterations() * DrawCount);
}
BENCHMARK(BM_FindInvalidDraw)->Unit(benchmark::kMicrosecond);

// A whole import: every record checked, the previous file kept as
// bononume.bak, the new one written; each file flushed to disk and renamed
// into place, so the disk's flush time is part of the figure: timed by the
// clock on the wall, not by the processor.
void BM_DrawsFileImportDraws(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    const DrawsFile file(folder->importPath);
    for (auto _ : state) {
        Result<int> imported = file.importDraws(folder->draws);
        if (!imported) {
            skipWithError(state, imported.error().message.text);
            break;
        }
        benchmark::DoNotOptimize(imported);
    }
    state.SetItemsProcessed(state.iterations() * DrawCount);
    // The backup and the new file, one draws file each.
    state.SetBytesProcessed(state.iterations() * 2 * folder->drawsFileBytes);
}
BENCHMARK(BM_DrawsFileImportDraws)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reading a CSV history for the import: the real 9,361 draws, each row checked.
void BM_ParseDrawHistoryCsv(benchmark::State &state)
{
    QFile csvFile(QString::fromUtf8(HistoryCsv));
    if (!csvFile.open(QIODevice::ReadOnly)) {
        skipWithError(state, u"cannot read "_s + csvFile.fileName());
        return;
    }
    const QByteArray csv = csvFile.readAll();
    qsizetype rows = 0;
    for (auto _ : state) {
        Result<QList<DrawRecord>> draws = parseDrawHistoryCsv(csv);
        if (!draws) {
            skipWithError(state, draws.error().message.text);
            break;
        }
        rows = draws->size();
        benchmark::DoNotOptimize(draws);
    }
    state.SetItemsProcessed(state.iterations() * rows);
    state.SetBytesProcessed(state.iterations() * csv.size());
}
BENCHMARK(BM_ParseDrawHistoryCsv)->Unit(benchmark::kMillisecond);

} // namespace

} // namespace zafrano::bench
