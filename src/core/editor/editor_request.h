// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

namespace zafrano {

// The kinds of bet the syndicate editor builds: 0 simple; 1..6 one multiple
// bet of 7, 8, 5, 9, 10 or 11 numbers (stored as betCount 500 + kind); 7 reduced.
namespace EditorKind {
inline constexpr int Simple = 0;
inline constexpr int FirstMultiple = 1;
inline constexpr int LastMultiple = 6;
inline constexpr int Reduced = 7;
} // namespace EditorKind

// What the chooser, the assistant and "Editar Peña" hand to the syndicate editor.
struct EditorRequest
{
    int editorKind = EditorKind::Simple;
    // Kind 7: the chosen table's 0-based place in the tables file.
    int reductionTableIndex = 0;
    // The numbers come with the request (the assistant's ranking); the editor
    // marks them as clicks would instead of asking for them.
    bool numbersFromRanking = false;
    QList<int> numbers;
    // Edit mode: the syndicate's 1-based record; 0 opens the editor in new mode.
    int editRecord = 0;
};

// The numbers one bet of a kind holds: 6 for simple, 7, 8, 5, 9, 10 or 11 for
// the multiples; 0 for reduced (the table's N decides).
int numbersPerBetOfKind(int editorKind);
// The multiple kind of a bet of `numbers` numbers (5 → 3, 7 → 1, 8 → 2, 9 → 4,
// 10 → 5, 11 → 6), or -1 when no multiple has that many.
int multipleKindFor(int numbers);
// The kind a stored syndicate is edited as: betCount − 500 for a multiple
// (501..506 give 1..6), simple otherwise (a reduced syndicate is edited bet by bet).
int editorKindForBetCount(int betCount);

} // namespace zafrano
