// SPDX-License-Identifier: GPL-3.0-or-later
// The check run: the draws against every syndicate, the rows ready for the
// lists, and the tallies brought up to date. Each case has a twin that does the
// bare work only (the hits of the same bets counted with bit masks), so the
// cost of everything around it can be read as a ratio.
#include "bench_folder.h"
#include "checking/check_run.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <bit>
#include <numeric>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;

namespace zafrano::bench {

namespace {

constexpr int NewDraws = 8;         // what a download after a week away brings
constexpr int FullSyndicates = 200; // each with the most bets a syndicate holds
constexpr int VisibleRows = 40;     // what a results view shows at once

// 200 syndicates of 205 random bets, playing every draw day, counted through
// the draw before the newest eight.
QList<SyndicateRecord> fullSyndicates(const QList<DrawRecord> &draws)
{
    std::mt19937 rng(8);
    QList<SyndicateRecord> syndicates;
    syndicates.reserve(FullSyndicates);
    for (int s = 0; s < FullSyndicates; ++s) {
        SyndicateRecord syndicate;
        syndicate.setName(u"Peña %1"_s.arg(s + 1));
        syndicate.setDays(u"Todos"_s);
        syndicate.betCount = SyndicateRecord::MaxBets;
        for (SyndicateRecord::Bet &bet : syndicate.bets) {
            std::array<qint16, 49> pool{};
            std::iota(pool.begin(), pool.end(), qint16{1});
            std::shuffle(pool.begin(), pool.end(), rng);
            std::copy_n(pool.begin(), 6, bet.begin());
        }
        syndicate.createdOn = draws.first().drawDate;
        syndicate.countedThrough = draws[draws.size() - NewDraws - 1].drawDate;
        syndicates.append(syndicate);
    }
    return syndicates;
}

// Reads every cell of `rows` rows from the top, as a view paints them.
qsizetype touchRows(const ResultList &list, int rows)
{
    qsizetype characters = 0;
    const int last = std::min(rows, list.rowCount());
    for (int row = 0; row < last; ++row) {
        for (int column = 0; column < list.columnCount(); ++column)
            characters += list.cell(row, column).text.size();
    }
    return characters;
}

void reportRows(benchmark::State &state, const CheckResults &results)
{
    const double rows = results.simple.rowCount() + results.multiple.rowCount();
    const double bytes =
        static_cast<double>(results.simple.memoryBytes() + results.multiple.memoryBytes());
    state.counters["rows"] = rows;
    state.counters["listBytes"] = bytes;
    state.counters["bytesPerRow"] = rows > 0 ? bytes / rows : 0;
}

// The six numbers of each draw, and every bet of the syndicates, as bit masks.
struct Masks
{
    std::vector<quint64> draws;
    std::vector<quint64> bets;
};

Masks masksOf(const QList<DrawRecord> &draws, int window, const QList<SyndicateRecord> &syndicates)
{
    auto mask = [](auto begin, auto end) {
        quint64 m = 0;
        for (auto n = begin; n != end; ++n)
            m |= quint64{1} << *n;
        return m;
    };
    Masks masks;
    for (qsizetype d = draws.size() - window; d < draws.size(); ++d)
        masks.draws.push_back(mask(draws[d].numbers.begin(), draws[d].numbers.end()));
    for (const SyndicateRecord &syndicate : syndicates) {
        if (syndicate.kind() == SyndicateKind::Multiple) {
            const auto &numbers = syndicate.bets[0];
            masks.bets.push_back(
                mask(numbers.begin(), numbers.begin() + cuantos(syndicate.betCount)));
            continue;
        }
        for (int b = 0; b < syndicate.betCount; ++b)
            masks.bets.push_back(mask(syndicate.bets[b].begin(), syndicate.bets[b].begin() + 6));
    }
    return masks;
}

// The bare work: every bet against every draw of the window, hits counted.
void countHits(benchmark::State &state, const Masks &masks)
{
    for (auto _ : state) {
        int prizes = 0;
        for (quint64 draw : masks.draws) {
            for (quint64 bet : masks.bets)
                prizes += std::popcount(bet & draw) >= 3;
        }
        benchmark::DoNotOptimize(prizes);
    }
    state.counters["betsChecked"] = static_cast<double>(masks.draws.size() * masks.bets.size());
}

// ---------------------------------------------------------------- after a download

void BM_CheckAfterDownload(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    const bool allRows = state.range(0) != 0;
    static const QList<SyndicateRecord> syndicates = fullSyndicates(folder->draws);
    CheckOptions options;
    options.drawCount = NewDraws;
    reportRows(state, runCheck(folder->draws, syndicates, options));
    for (auto _ : state) {
        CheckResults results = runCheck(folder->draws, syndicates, options);
        const int rows = allRows ? results.simple.rowCount() : VisibleRows;
        benchmark::DoNotOptimize(touchRows(results.simple, rows));
        benchmark::DoNotOptimize(results);
    }
    state.SetLabel(allRows ? "every row read" : "first 40 rows read");
}
BENCHMARK(BM_CheckAfterDownload)->ArgName("allRows")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_BareHitCountAfterDownload(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    countHits(state, masksOf(folder->draws, NewDraws, fullSyndicates(folder->draws)));
}
BENCHMARK(BM_BareHitCountAfterDownload)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------- the whole history

void BM_CheckWholeHistory(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    const bool alreadyCounted = state.range(0) != 0;
    const QList<SyndicateRecord> syndicates = historySyndicates(*folder, alreadyCounted);
    CheckOptions options;
    options.drawCount = DrawCount;
    reportRows(state, runCheck(folder->draws, syndicates, options));
    for (auto _ : state) {
        CheckResults results = runCheck(folder->draws, syndicates, options);
        benchmark::DoNotOptimize(touchRows(results.simple, VisibleRows));
        benchmark::DoNotOptimize(touchRows(results.multiple, VisibleRows));
        benchmark::DoNotOptimize(results);
    }
    state.SetLabel(alreadyCounted ? "tallies up to date" : "first check: every draw counted");
}
BENCHMARK(BM_CheckWholeHistory)->ArgName("counted")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_BareHitCountWholeHistory(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    countHits(state, masksOf(folder->draws, DrawCount, historySyndicates(*folder, true)));
}
BENCHMARK(BM_BareHitCountWholeHistory)->Unit(benchmark::kMillisecond);

// Scrolling the whole-history list: a page of rows read at a time, anywhere.
void BM_ScrollWholeHistory(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    CheckOptions options;
    options.drawCount = DrawCount;
    const CheckResults results = runCheck(folder->draws, historySyndicates(*folder, true), options);
    const ResultList &list = results.simple;
    std::mt19937 rng(40);
    std::uniform_int_distribution<int> top(0, std::max(0, list.rowCount() - VisibleRows));
    for (auto _ : state) {
        const int first = top(rng);
        qsizetype characters = 0;
        for (int row = first; row < first + VisibleRows; ++row) {
            for (int column = 0; column < list.columnCount(); ++column)
                characters += list.cell(row, column).text.size();
        }
        benchmark::DoNotOptimize(characters);
    }
    state.counters["rows"] = list.rowCount();
    state.SetLabel("40 rows of the simple list per page");
}
BENCHMARK(BM_ScrollWholeHistory)->Unit(benchmark::kMicrosecond);

} // namespace

} // namespace zafrano::bench
