// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace zafrano {

// Money in whole euro cents: a price stored as a single (0,45 is 0.4499999…)
// is taken to its cent once, so every product of it stays exact.
using Cents = qint64;

// The nearest cent of an amount in euros.
Cents centsFromEuros(double euros);
double eurosFromCents(Cents cents);

// "8,10", "34.884,59": two decimals after a decimal comma and the thousands
// grouped by dots, as a player reads an amount.
QString moneyText(Cents cents);

// An amount of euros as whole cents, read from the text a results source
// gives: "34884.59", "34.884,59", "34,884.59", "612.345,67 €", "4". A lone
// separator followed by three digits groups thousands; otherwise the last
// separator is the decimal one. Nothing when the text holds no amount.
std::optional<Cents> centsFromText(QStringView text);

} // namespace zafrano
