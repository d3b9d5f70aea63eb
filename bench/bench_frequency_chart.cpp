// SPDX-License-Identifier: GPL-3.0-or-later
// The chart update after a refresh: new counts into the frequency chart, one
// series or the six draw days, drawn offscreen.
#include "bench_folder.h"
#include "stats/draw_listing.h"
#include "tabs/frequency_chart.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace zafrano::bench {

namespace {

// Argument: 1 to compare the draw days (six series), 0 for one series.
void BM_FrequencyChartUpdate(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    Result<DrawListing> listing = listDraws(folder->draws, 0);
    if (!listing) {
        skipWithError(state, u"the draws did not list"_s);
        return;
    }
    gui::FrequencyChart chart;
    chart.resize(600, 400);
    chart.setComparing(state.range(0) == 1);
    chart.show();
    QApplication::processEvents();
    for (auto _ : state) {
        chart.setCounts(listing->counts);
        chart.repaint(); // the drawing the player waits for
    }
}
BENCHMARK(BM_FrequencyChartUpdate)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

} // namespace zafrano::bench
