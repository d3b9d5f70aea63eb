// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace zafrano {

// The editor's day options in the order the window shows them: "Lunes",
// "Martes", "Semanal", "Miércoles", "Viernes", "Jueves", "Sábado", "Domingo".
const QStringList &editorDayOptions();
// The option every syndicate starts with: "Semanal".
inline constexpr int WeeklyDayOption = 2;

// What a syndicate's days field stores for option i ("Semanal" is "Todos").
QString storedDaysOf(int option);
// The option of a stored days field; "Semanal" for a field that names no day.
int dayOptionOf(const QString &storedDays);

} // namespace zafrano
