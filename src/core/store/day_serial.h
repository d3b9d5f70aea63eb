// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

// Stored dates are day serials: whole days counted from 30 December 1899 (day 0),
// kept as an IEEE double.
namespace zafrano {

QDate dayZero();

double toDaySerial(QDate date);

// The date of a serial; an invalid QDate for a value that is not a whole day
// within the calendar (NaN, infinities, fractions are cut to the day).
QDate fromDaySerial(double serial);

// dd/mm/yyyy, whatever the system locale.
QString shortDate(QDate date);

} // namespace zafrano
