// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/money.h"

#include <cmath>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace zafrano {

Cents centsFromEuros(double euros)
{
    return std::llround(euros * 100.0);
}

double eurosFromCents(Cents cents)
{
    return static_cast<double>(cents) / 100.0;
}

QString moneyText(Cents cents)
{
    const Cents whole = std::llabs(cents) / 100;
    const Cents rest = std::llabs(cents) % 100;
    return (cents < 0 ? u"-"_s : QString()) + QString::number(whole) + u',' +
           QString::number(rest).rightJustified(2, u'0');
}

} // namespace zafrano
