// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/money.h"

#include <QList>
#include <QMap>

namespace zafrano {

// Amounts shared by whole shares, one after another, each person's part kept
// exact: the cents are rounded once, on each person's running total, so that
// nobody is ever more than a cent from their exact part, whatever the number
// of amounts, and the parts add up exactly to what was shared.
class ShareTally
{
public:
    explicit ShareTally(qsizetype people = 0);

    // Adds an amount shared in proportion to `shares` (one per person, 0 for
    // those who have no part of it). With no shares at all it is nobody's.
    void add(Cents amount, const QList<int> &shares);

    // Each person's part of everything shared: the exact parts rounded
    // towards zero and the cents left over handed one each to the largest
    // remainders (the first on a tie); a negative total rounds as its opposite.
    QList<Cents> parts() const;
    // What was shared, and what was added with nobody to share it.
    Cents shared() const { return m_shared; }
    Cents unassigned() const { return m_unassigned; }

private:
    QList<Cents> m_whole;                // each part's whole cents so far
    QMap<qint64, QList<qint64>> m_rests; // by total of shares: each part's remainder below it
    Cents m_shared = 0;
    Cents m_unassigned = 0;
};

// One amount of cents split in proportion to whole shares so that the parts
// add up to it exactly, rounded as ShareTally rounds. Empty shares or a total
// of 0 give zeros.
QList<Cents> splitByShares(Cents amount, const QList<int> &shares);

} // namespace zafrano
