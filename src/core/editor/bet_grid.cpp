// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/bet_grid.h"

#include <QStringList>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano {

bool BetGrid::toggle(int n)
{
    if (!valid(n))
        return false;
    m_marks.flip(std::size_t(n));
    return true;
}

QList<int> BetGrid::marked() const
{
    QList<int> numbers;
    for (int n = 1; n <= Numbers; ++n) {
        if (m_marks.test(std::size_t(n)))
            numbers.append(n);
    }
    return numbers;
}

QString betEntryText(QList<int> numbers)
{
    std::sort(numbers.begin(), numbers.end());
    QStringList parts;
    for (const int n : numbers)
        parts.append(QString::number(n).rightJustified(2, u' '));
    return parts.join(u'-');
}

} // namespace zafrano
