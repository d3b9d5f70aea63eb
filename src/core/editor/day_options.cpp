// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/day_options.h"

#include "common/weekday_names.h"

using namespace Qt::StringLiterals;

namespace zafrano {

const QStringList &editorDayOptions()
{
    static const QStringList options = {u"Lunes"_s,   u"Martes"_s, u"Semanal"_s, u"Miércoles"_s,
                                        u"Viernes"_s, u"Jueves"_s, u"Sábado"_s,  u"Domingo"_s};
    return options;
}

QString storedDaysOf(int option)
{
    if (option < 0 || option >= editorDayOptions().size() || option == WeeklyDayOption)
        return everyDrawDay();
    return editorDayOptions()[option];
}

int dayOptionOf(const QString &storedDays)
{
    const int option = int(editorDayOptions().indexOf(storedDays.trimmed()));
    return option < 0 ? WeeklyDayOption : option;
}

} // namespace zafrano
