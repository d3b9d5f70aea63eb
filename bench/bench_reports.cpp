// SPDX-License-Identifier: GPL-3.0-or-later
// The syndicate detail a pick in "Gestor de peñas" runs: the figures over every
// stored draw, and their copy into the report database.
#include "bench_folder.h"
#include "reports/report_database.h"
#include "reports/syndicate_detail.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace zafrano::bench {

namespace {

void BM_DescribeSyndicate(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    const SyndicateRecord &syndicate = folder->syndicates.at(state.range(0));
    for (auto _ : state) {
        Result<SyndicateDetail> detail =
            describeSyndicate(syndicate, folder->draws, 0.5f, QDate(2026, 8, 20));
        benchmark::DoNotOptimize(detail);
    }
    state.SetItemsProcessed(state.iterations() * DrawCount);
}
BENCHMARK(BM_DescribeSyndicate)->ArgName("record")->Arg(0)->Unit(benchmark::kMicrosecond);

// Each write opens its own connection, keys it and commits: the cost of a pick.
void BM_WriteSyndicateDetail(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    const ReportDatabase db(folder->path + QString::fromUtf16(ReportDatabase::FileName));
    const SyndicateRecord &syndicate = folder->syndicates.first();
    Result<SyndicateDetail> detail =
        describeSyndicate(syndicate, folder->draws, 0.5f, QDate(2026, 8, 20));
    if (!detail) {
        skipWithError(state, detail.error().message.text);
        return;
    }
    const SyndicateReportRow row = syndicateReportRow(syndicate, detail.value());
    for (auto _ : state) {
        if (Status written = db.writeSyndicate(detail->bets, row); !written) {
            skipWithError(state, written.error().message.text);
            break;
        }
    }
}
BENCHMARK(BM_WriteSyndicateDetail)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

} // namespace zafrano::bench
