// SPDX-License-Identifier: GPL-3.0-or-later
// The reduction tables: the exhaustive check of the largest shipped table (every
// draw of its numbers against every bet), of the whole file, and reading it.
#include "bench_folder.h"
#include "bench_paths.h"
#include "systems/table_check.h"
#include "systems/tables_file.h"

#include <algorithm>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace zafrano::bench {

namespace {

const ReductionTables *tablesOrSkip(benchmark::State &state)
{
    static const Result<ReductionTables> file = readReductionTables(QString::fromUtf8(TablesFile));
    if (!file || file->tables.isEmpty()) {
        skipWithError(state, u"cannot read "_s + QString::fromUtf8(TablesFile));
        return nullptr;
    }
    return &file.value();
}

// The most work for the check: the most draws, then the most bets.
const ReductionTable &largestTable(const ReductionTables &file)
{
    return *std::max_element(file.tables.begin(), file.tables.end(),
                             [](const ReductionTable &a, const ReductionTable &b) {
                                 return std::pair(a.numbers, a.betCount) <
                                        std::pair(b.numbers, b.betCount);
                             });
}

void BM_VerifyLargestTable(benchmark::State &state)
{
    const ReductionTables *file = tablesOrSkip(state);
    if (!file)
        return;
    const ReductionTable &table = largestTable(*file);
    std::int64_t draws = 0;
    for (auto _ : state) {
        const TableVerdict verdict = verifyTable(table);
        if (!verdict.holds) {
            skipWithError(state, verdict.problem);
            break;
        }
        draws = verdict.cover.draws;
        benchmark::DoNotOptimize(verdict);
    }
    state.SetItemsProcessed(state.iterations() * draws);
    state.counters["numbers"] = table.numbers;
    state.counters["guarantee"] = table.guarantee;
    state.counters["bets"] = table.betCount;
}
BENCHMARK(BM_VerifyLargestTable)->Unit(benchmark::kMillisecond);

void BM_VerifyEveryTable(benchmark::State &state)
{
    const ReductionTables *file = tablesOrSkip(state);
    if (!file)
        return;
    for (auto _ : state) {
        for (const ReductionTable &table : file->tables) {
            const TableVerdict verdict = verifyTable(table);
            benchmark::DoNotOptimize(verdict);
        }
    }
    state.SetItemsProcessed(state.iterations() * file->tables.size());
    state.counters["tables"] = static_cast<double>(file->tables.size());
}
BENCHMARK(BM_VerifyEveryTable)->Unit(benchmark::kMillisecond);

void BM_ReadTablesFile(benchmark::State &state)
{
    for (auto _ : state) {
        Result<ReductionTables> file = readReductionTables(QString::fromUtf8(TablesFile));
        if (!file) {
            skipWithError(state, file.error().message.text);
            break;
        }
        benchmark::DoNotOptimize(file);
    }
}
BENCHMARK(BM_ReadTablesFile)->Unit(benchmark::kMicrosecond);

} // namespace

} // namespace zafrano::bench
