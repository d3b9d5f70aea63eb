// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <bitset>

namespace zafrano {

// The editor's 49 numbers, each marked or not.
class BetGrid
{
public:
    static constexpr int Numbers = 49;

    bool isMarked(int n) const { return valid(n) && m_marks.test(std::size_t(n)); }
    int markedCount() const { return int(m_marks.count()); }
    // Marks an unmarked number and unmarks a marked one; false for a number off the grid.
    bool toggle(int n);
    void clear() { m_marks.reset(); }
    // The marked numbers in ascending order.
    QList<int> marked() const;

    static bool valid(int n) { return n >= 1 && n <= Numbers; }

private:
    std::bitset<Numbers + 1> m_marks;
};

// A bet as the bets list shows it: ascending, each number below 10 preceded
// by a space, joined with "-" (" 3- 7-12-25-33-49").
QString betEntryText(QList<int> numbers);

} // namespace zafrano
