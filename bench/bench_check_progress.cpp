// SPDX-License-Identifier: GPL-3.0-or-later
// The whole history checked while the results tab's progress bar follows it
// on screen, against the same check with no bar: what the bar costs.
#include "bench_folder.h"
#include "checking/check_run.h"

#include <QApplication>
#include <QProgressBar>
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
    const QList<SyndicateRecord> syndicates = historySyndicates(*folder, true);
    CheckOptions options;
    options.drawCount = DrawCount;
    QProgressBar bar;
    bar.setTextVisible(false);
    bar.resize(BarWidth, 8);
    bar.show();
    QApplication::processEvents();
    CheckProgress progress;
    if (withBar) {
        progress = [&bar](int checked, int total) {
            bar.setMaximum(total);
            bar.setValue(checked);
        };
    }
    for (auto _ : state) {
        CheckResults results = runCheck(folder->draws, syndicates, options, progress);
        bar.setValue(0);
        benchmark::DoNotOptimize(results);
    }
    state.SetLabel(withBar ? "the bar moves per draw" : "no bar");
}
BENCHMARK(BM_CheckWholeHistoryWithProgressBar)
    ->ArgName("bar")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

} // namespace zafrano::bench
