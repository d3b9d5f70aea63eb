// SPDX-License-Identifier: GPL-3.0-or-later
// The whole history checked while the results tab's progress bar follows it
// on screen, against the same check with no bar: what the bar costs.
#include "bench_folder.h"
#include "checking/check_run.h"
#include "tabs/check_progress_bar.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace zafrano::bench {

namespace {

// As wide as the results lists at the window's first size.
constexpr int BarWidth = 950;

void BM_CheckWholeHistoryWithProgressBar(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    const bool withBar = state.range(0) != 0;
    // 20 syndicates over the whole history, or all 200 as stored: a longer
    // check, over which the bar is painted several times.
    const QList<SyndicateRecord> syndicates =
        state.range(1) != 0 ? folder->syndicates : historySyndicates(*folder, true);
    CheckOptions options;
    options.drawCount = DrawCount;
    gui::CheckProgressBar bar;
    bar.resize(BarWidth, 8);
    bar.show();
    QApplication::processEvents();
    CheckProgress progress;
    if (withBar) {
        progress = [&bar](int checked, int total) { bar.showChecked(checked, total); };
    }
    for (auto _ : state) {
        CheckResults results = runCheck(folder->draws, syndicates, options, progress);
        bar.finish();
        benchmark::DoNotOptimize(results);
    }
    state.SetLabel(withBar ? "with ProgressBar2" : "no bar");
}
BENCHMARK(BM_CheckWholeHistoryWithProgressBar)
    ->ArgNames({"bar", "all"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace

} // namespace zafrano::bench
