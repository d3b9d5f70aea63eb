// SPDX-License-Identifier: GPL-3.0-or-later
// The backtest the page "¿Cuánto habría ganado?" redraws on every change: a
// reduced system of 205 bets over every real draw from 2002 to 2026, the
// prizes of each known (read once from zafrano.db when the page opens; that
// read is measured on its own).
#include "backtest/backtest.h"
#include "backtest/backtest_sources.h"
#include "bench_paths.h"
#include "store/data_folder.h"
#include "store/draw_history_csv.h"
#include "store/prize_store.h"
#include "store/program_database.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <numeric>
#include <random>

using namespace Qt::StringLiterals;

namespace zafrano::bench {

namespace {

// The real draws of the euro years, oldest first; empty when the file cannot be read.
QList<DrawRecord> euroDraws()
{
    QFile csv(QString::fromUtf8(HistoryCsv));
    if (!csv.open(QIODevice::ReadOnly))
        return {};
    Result<QList<DrawRecord>> draws = parseDrawHistoryCsv(csv.readAll());
    if (!draws)
        return {};
    QList<DrawRecord> euros;
    for (const DrawRecord &draw : *draws) {
        if (draw.date() >= firstEuroDraw() && draw.date().year() <= 2026)
            euros.append(draw);
    }
    std::sort(euros.begin(), euros.end(),
              [](const DrawRecord &a, const DrawRecord &b) { return a.drawDate < b.drawDate; });
    return euros;
}

// 205 bets of six among 20 base numbers, as a reduced system stores them.
SyndicateRecord reducedOf205()
{
    std::mt19937 rng(205);
    SyndicateRecord system;
    system.reducedFrom = 20;
    system.reducedGuarantee = 3;
    std::array<qint16, 20> base{};
    std::iota(base.begin(), base.end(), qint16{3});
    std::copy(base.begin(), base.end(), system.reducedNumbers.begin());
    for (SyndicateRecord::Bet &bet : system.bets) {
        std::shuffle(base.begin(), base.end(), rng);
        std::copy_n(base.begin(), 6, bet.begin());
    }
    system.betCount = SyndicateRecord::MaxBets;
    return system;
}

// Euros per winning bet for every draw, as the escrutinio gives them.
QList<DrawPrizes> prizesOf(const QList<DrawRecord> &draws)
{
    QList<DrawPrizes> prizes;
    for (const DrawRecord &draw : draws)
        prizes.append(
            {draw.date(), {40'000'000, 7'000'000, 90'000 + draw.date().day(), 2'400, 400, 50}});
    return prizes;
}

} // namespace

void BM_Backtest205BetsEveryEuroDraw(benchmark::State &state)
{
    const QList<DrawRecord> draws = euroDraws();
    if (draws.isEmpty()) {
        state.SkipWithError("cannot read the draw history");
        return;
    }
    BacktestSources sources;
    sources.prices = {{QDate(1985, 1, 1), 50}};
    for (const DrawPrizes &prizes : prizesOf(draws))
        sources.prizes.insert(prizes.date, prizes);
    const BacktestRequest request{reducedOf205(),      u"Todos"_s,     draws.first().date(),
                                  draws.last().date(), sources.prices, std::nullopt};
    const PrizeLookup lookup = sources.lookup();
    for (auto _ : state) {
        Result<Backtest> backtest = runBacktest(request, draws, lookup);
        if (!backtest) {
            state.SkipWithError("the backtest was refused");
            break;
        }
        benchmark::DoNotOptimize(backtest);
    }
    state.SetItemsProcessed(state.iterations() * draws.size());
}
BENCHMARK(BM_Backtest205BetsEveryEuroDraw)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the page reads once: the price history and the prizes of every draw.
void BM_BacktestSourcesFromDatabase(benchmark::State &state)
{
    const QList<DrawRecord> draws = euroDraws();
    QTemporaryDir dir;
    const DataFolder folder(dir.path());
    Result<ProgramDatabase> db = ProgramDatabase::openIn(folder);
    if (draws.isEmpty() || !db || !storePrizes(*db, prizesOf(draws))) {
        state.SkipWithError("cannot prepare zafrano.db");
        return;
    }
    for (auto _ : state) {
        Result<BacktestSources> sources = readBacktestSources(*db, 50, QDate(2026, 12, 31));
        if (!sources) {
            state.SkipWithError("cannot read zafrano.db");
            break;
        }
        benchmark::DoNotOptimize(sources);
    }
    state.SetItemsProcessed(state.iterations() * draws.size());
}
BENCHMARK(BM_BacktestSourcesFromDatabase)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace zafrano::bench
