// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/day_serial.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace zafrano {

QDate dayZero()
{
    return QDate(1899, 12, 30);
}

double toDaySerial(QDate date)
{
    return static_cast<double>(dayZero().daysTo(date));
}

QDate fromDaySerial(double serial)
{
    // Far beyond any draw; keeps damaged values from overflowing the day arithmetic.
    constexpr double Limit = 3'000'000.0;
    if (!std::isfinite(serial) || serial < -Limit || serial > Limit)
        return {};
    return dayZero().addDays(static_cast<qint64>(std::floor(serial)));
}

QString shortDate(QDate date)
{
    return date.toString(u"dd/MM/yyyy"_s);
}

} // namespace zafrano
