// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace zafrano {

// The Spanish name of a date's weekday: "Lunes", …, "Domingo".
QString weekdayName(QDate date);
// The name for QDate::dayOfWeek(): 1 "Lunes" … 7 "Domingo".
QString weekdayNameOf(int dayOfWeek);

// The seven weekdays, Monday first and Sunday last, as syndicates and the
// statistics name them.
const QStringList &weekdayNames();
// Their short captions, as the statistics boxes and legend show them: "Lun" … "Dom".
const QStringList &weekdayCaptions();

// What a syndicate's days field holds when it plays every draw.
QString everyDrawDay();

// "Lunes, 15 de octubre del 2018".
QString longSpanishDate(QDate date);
// "enero de 2025": the month of a date.
QString monthOfYearText(QDate date);

} // namespace zafrano
