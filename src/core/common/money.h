// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zafrano {

// Money in whole euro cents: a price stored as a single (0,45 is 0.4499999…)
// is taken to its cent once, so every product of it stays exact.
using Cents = qint64;

// The nearest cent of an amount in euros.
Cents centsFromEuros(double euros);
double eurosFromCents(Cents cents);

// "8,10": two decimals after a decimal comma, as a player reads an amount.
QString moneyText(Cents cents);

} // namespace zafrano
