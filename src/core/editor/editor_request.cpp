// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editor_request.h"

#include <array>

namespace zafrano {

namespace {
// Numbers per bet, indexed by kind 0..6.
constexpr std::array<int, 7> numbersOfKind = {6, 7, 8, 5, 9, 10, 11};
} // namespace

int numbersPerBetOfKind(int editorKind)
{
    if (editorKind < 0 || editorKind >= int(numbersOfKind.size()))
        return 0;
    return numbersOfKind[editorKind];
}

int multipleKindFor(int numbers)
{
    for (int kind = EditorKind::FirstMultiple; kind <= EditorKind::LastMultiple; ++kind) {
        if (numbersOfKind[kind] == numbers)
            return kind;
    }
    return -1;
}

int editorKindForBetCount(int betCount)
{
    return betCount >= 500 ? betCount - 500 : EditorKind::Simple;
}

} // namespace zafrano
