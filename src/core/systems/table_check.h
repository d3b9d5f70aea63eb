// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "systems/draw_cover.h"
#include "systems/tables_file.h"

#include <QList>
#include <QString>

namespace zafrano {

// The bets of a table as position masks, when the program can play the table:
// N of 6..20, G of 1..6, M of 1..205 (what a syndicate holds), every bet line present
// and each of six distinct positions within 1..N. Otherwise InvalidData with
// the program's message naming what is wrong.
Result<QList<PositionMask>> tableBetMasks(const ReductionTable &table);

// Whether a table keeps its promise.
struct TableVerdict
{
    bool holds = false;
    QString problem;      // why not, in the player's words; empty when it holds
    DrawCoverCheck cover; // the exhaustive check, when the table could be checked
};

// Checks a table exhaustively: every draw of six of its N numbers must meet
// some bet in at least G numbers. A table that cannot be played fails too.
TableVerdict verifyTable(const ReductionTable &table);

} // namespace zafrano
