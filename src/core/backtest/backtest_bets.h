// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "store/syndicate_record.h"
#include "systems/tables_file.h"

#include <QList>
#include <QStringView>

namespace zafrano {

// The bets a backtest plays, made from what the player typed or chose. Each
// refusal is the program's message saying what to write instead.

// Numbers of 1 to 49, none twice, written with spaces, commas or dashes
// between them: "3 7 12 25 33 41".
Result<QList<int>> numbersFromText(QStringView text);

// Bets of six numbers each, separated by ";": "1 2 3 4 5 6;7 8 9 10 11 12".
Result<QList<QList<int>>> betsFromText(QStringView text);

// The days a peña plays, as its days field names them: "Lunes" … "Domingo" or
// "Todos", in capitals or not.
Result<QString> playingDaysFromText(QStringView text);

// Simple bets: 1 to 205 of them, six different numbers each.
Result<SyndicateRecord> simpleBets(const QList<QList<int>> &bets);

// One multiple bet of K numbers, 5 to 11 (six numbers are one simple bet).
Result<SyndicateRecord> multipleBet(int numbers, const QList<int> &chosen);

// The reduction table of the chooser at `index` (0-based, as the table list
// numbers it) played on N chosen numbers.
Result<SyndicateRecord> reducedSystem(const ReductionTables &tables, int index,
                                      const QList<int> &chosen);

} // namespace zafrano
