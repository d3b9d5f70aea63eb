// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/draw_record.h"
#include "store/syndicate_record.h"

#include <QDate>
#include <QList>
#include <QString>
#include <benchmark/benchmark.h>

namespace zafrano::bench {

inline constexpr int DrawCount = 12'000;
inline constexpr int SyndicateCount = 200;

// A data folder as a long-time player has it: the real draw history carried on
// to 12,000 draws, 200 syndicates of every kind, the settings and tablas.bin.
// Written once per run into a temporary folder that goes when the run ends.
struct BenchFolder
{
    QString path;                      // the data folder, with a trailing separator
    QString importPath;                // a second folder the import benchmark rewrites
    QString error;                     // why the folder could not be prepared; empty when ready
    QList<DrawRecord> draws;           // as stored, oldest first
    QList<SyndicateRecord> syndicates; // as stored
    int realDraws = 0;                 // how many of the draws are real ones
    qint64 drawsFileBytes = 0;
    qint64 syndicatesFileBytes = 0;
    QDate today; // the day after the newest draw
};

const BenchFolder &benchFolder();

// The folder, or nullptr after marking the benchmark as skipped with the reason.
const BenchFolder *folderOrSkip(benchmark::State &state);

// 20 of the folder's syndicates, simple, reduced and multiple, all playing
// every draw day since the first draw: the whole history shows for each.
// alreadyCounted: their tallies are up to date, so a check writes nothing.
QList<SyndicateRecord> historySyndicates(const BenchFolder &folder, bool alreadyCounted);

// Reports a failed step of a timed loop and ends the benchmark.
void skipWithError(benchmark::State &state, const QString &what);

} // namespace zafrano::bench
