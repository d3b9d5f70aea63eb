// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"

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
// The same with its sign, "8,10 €", wherever an amount is shown alone.
QString eurosText(Cents cents);

// An amount of euros as whole cents, read from the text a results source
// gives: "34884.59", "34.884,59", "34,884.59", "612.345,67 €", "4". A lone
// separator followed by three digits groups thousands; otherwise the last
// separator is the decimal one. Nothing when the text holds no amount.
std::optional<Cents> centsFromText(QStringView text);

// The most a treasurer may write down in one amount, 100.000.000,00 €: far
// beyond any peña, and small enough that no sum of an account can overflow.
inline constexpr Cents MaxTypedAmount = 10'000'000'000LL;
// "El importe no puede pasar de 100.000.000,00 €."
QString amountLimitText();

// An amount of euros a person typed: digits, a decimal comma with at most two
// decimals, thousands dots only in whole groups of three, an optional "€".
// A single dot followed by one or two digits is a decimal point ("12.50");
// followed by three it groups thousands ("1.500" is 1.500,00). Whole cents
// above zero and not above MaxTypedAmount; anything else ("1,500", "4 o 5",
// "-5", "0,005") is refused with a message that shows how to write it.
Result<Cents> amountFromText(QStringView text);

} // namespace zafrano
