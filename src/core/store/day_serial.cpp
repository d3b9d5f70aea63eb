// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/day_serial.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {
// 30/12/1899, day 0 of the stored dates, as a Julian day: every stored date is
// read through it, so it is not worked out again from its year, month and day.
constexpr qint64 DayZeroJulian = 2'415'019;
} // namespace

QDate dayZero()
{
    return QDate::fromJulianDay(DayZeroJulian);
}

double toDaySerial(QDate date)
{
    // An invalid date stays 0, as the days from day 0 to it count.
    return date.isValid() ? static_cast<double>(date.toJulianDay() - DayZeroJulian) : 0.0;
}

QDate fromDaySerial(double serial)
{
    // Far beyond any draw; keeps damaged values from overflowing the day arithmetic.
    constexpr double Limit = 3'000'000.0;
    if (!std::isfinite(serial) || serial < -Limit || serial > Limit)
        return {};
    return QDate::fromJulianDay(DayZeroJulian + static_cast<qint64>(std::floor(serial)));
}

QString shortDate(QDate date)
{
    return date.toString(u"dd/MM/yyyy"_s);
}

} // namespace zafrano
