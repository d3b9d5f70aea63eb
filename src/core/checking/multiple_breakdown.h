// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "checking/prize_category.h"

#include <QList>
#include <QString>

namespace zafrano {

// One line of a multiple's prize: so many of its six-number bets won in a category.
struct BreakdownLine
{
    int bets;
    PrizeCategory category;
    QString text; // "¡¡ Premio !! Tienes 5 apuestas de 4 aciertos."
};

// What a multiple (betCount 501..506) wins when `hits` of its numbers are among
// the six winning numbers and, with complementarioHit, one of its numbers is
// the complementario. Empty when it wins nothing (or for an unknown code).
const QList<BreakdownLine> &multiplePrizeBreakdown(int betCount, int hits, bool complementarioHit);

// A multiple's row is a prize row from 3 hits, or from 2 for the 5-number
// multiple, whose sixth number runs over the other 44.
bool isMultiplePrizeRow(int betCount, int hits);

} // namespace zafrano
