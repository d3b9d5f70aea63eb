// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ledger/ledger_account.h"

#include <optional>

namespace zafrano {

// One line of a member's own account: a movement of theirs, or a draw or a
// cost of the days they belonged with their part beside the peña's total.
struct MemberLine
{
    QDate date;
    QString what; // "Aportación", "Sorteo: 4 apuestas, premio 8,00 €", "Gasto: Sobre"
    std::optional<Cents> total; // what the line added to the peña's bote; none for a movement
    QString shares;             // "2 de 5": their shares of those that day; empty for a movement
    Cents amount = 0;           // what it added to their balance
    Cents balance = 0;          // their balance after it
};

// How the member's balance came to be, line by line in the order of the
// days (a day's movements first). The amounts add up to their balance: a
// cent the rounding of the running parts moved after their last line comes
// last, on a line of its own. Empty for a name that is not a member.
QList<MemberLine> memberLines(const LedgerBook &book, const LedgerAccount &account,
                              const QString &member);

} // namespace zafrano
