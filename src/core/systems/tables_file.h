// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <array>

namespace zafrano {

// One bet line of a table: six positions in the list of base numbers (1..N
// when the table is sound; whatever the line says otherwise).
using BetPositions = std::array<int, 6>;

// One reduction system of tablas.bin, as the reading rules make of it.
struct ReductionTable
{
    int index = 0;         // 0-based place in the file
    int numbers = 0;       // N, line 1
    int guarantee = 0;     // G, line 2 read as a number
    QString guaranteeLine; // line 2 as it stands (the coverage panel shows it)
    int betCount = 0;      // M, line 3
    // The bet lines that follow; fewer than betCount when the file ends early.
    QList<BetPositions> bets;

    bool complete() const { return bets.size() == betCount; }
};

// tablas.bin read whole: a text file of tables in ascending N, each of them
// N, G and M on a line each and then M bet lines. Nothing before, between or
// after the tables.
struct ReductionTables
{
    // Fifty-one tables of every N with 205 bets each stay far below this.
    static constexpr qint64 MaxBytes = 4 * 1024 * 1024;

    QList<ReductionTable> tables;

    // The N of the first and of the last table (0 when there are none): the
    // smallest and the largest count the assistant offers.
    int firstNumbers() const { return tables.isEmpty() ? 0 : tables.first().numbers; }
    int lastNumbers() const { return tables.isEmpty() ? 0 : tables.last().numbers; }
};

// A number as the file holds it: leading blanks skipped, then the digits up to
// the first other character. A line that is not a number reads as 0.
int readTableNumber(QByteArrayView text);

// The six two-character fields of a bet line (characters 1–2, 3–4, …, 11–12),
// each read as a number; a field cut off by the end of the line reads as 0 and
// anything after character 12 is ignored.
BetPositions readBetPositions(QByteArrayView line);

// Splits the file into tables as the program reads it: line 1 is N, line 2 G,
// line 3 M, then M lines are taken as bets. Lines end with CR LF (a lone LF
// or CR is taken as a line end too; the last line may lack one). Lines the
// file lacks read as empty. Never fails.
ReductionTables parseReductionTables(QByteArrayView bytes);

// Reads and parses tablas.bin; fails only when the file cannot be read.
Result<ReductionTables> readReductionTables(const QString &path);

// The table at a 0-based index, as positionAtTable finds it: N, G and M read,
// the bet lines ready to follow. InvalidData when the file has no such table.
Result<ReductionTable> positionAtTable(const ReductionTables &file, int index);

} // namespace zafrano
