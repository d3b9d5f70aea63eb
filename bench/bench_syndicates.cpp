// SPDX-License-Identifier: GPL-3.0-or-later
// The syndicates file: every record read and decoded, as each refresh does.
#include "bench_folder.h"
#include "store/syndicates_file.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace zafrano::bench {

namespace {

void BM_SyndicatesFileReadAll(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    const SyndicatesFile file(folder->path);
    for (auto _ : state) {
        Result<QList<SyndicateRecord>> syndicates = file.readAll();
        if (!syndicates || syndicates->size() != SyndicateCount) {
            skipWithError(state, u"the syndicates file did not read back whole"_s);
            break;
        }
        benchmark::DoNotOptimize(syndicates);
    }
    state.SetItemsProcessed(state.iterations() * SyndicateCount);
    state.SetBytesProcessed(state.iterations() * folder->syndicatesFileBytes);
}
BENCHMARK(BM_SyndicatesFileReadAll)->Unit(benchmark::kMicrosecond);

} // namespace

} // namespace zafrano::bench
