// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/weekday_names.h"

#include <array>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

// Indexed by QDate::dayOfWeek(): 1 = Monday … 7 = Sunday.
const std::array<QString, 8> &names()
{
    static const std::array<QString, 8> list = {QString(),      u"Lunes"_s,  u"Martes"_s,
                                                u"Miércoles"_s, u"Jueves"_s, u"Viernes"_s,
                                                u"Sábado"_s,    u"Domingo"_s};
    return list;
}

const std::array<QString, 12> &monthNames()
{
    static const std::array<QString, 12> list = {
        u"enero"_s, u"febrero"_s, u"marzo"_s,      u"abril"_s,   u"mayo"_s,      u"junio"_s,
        u"julio"_s, u"agosto"_s,  u"septiembre"_s, u"octubre"_s, u"noviembre"_s, u"diciembre"_s};
    return list;
}

} // namespace

QString weekdayName(QDate date)
{
    return date.isValid() ? names()[date.dayOfWeek()] : QString();
}

QString weekdayNameOf(int dayOfWeek)
{
    return dayOfWeek >= 1 && dayOfWeek <= 7 ? names()[dayOfWeek] : QString();
}

const QStringList &weekdayNames()
{
    // Monday to Sunday, as names() holds them.
    static const QStringList list(names().begin() + 1, names().end());
    return list;
}

const QStringList &weekdayCaptions()
{
    static const QStringList list = {u"Lun"_s, u"Mar"_s, u"Mié"_s, u"Jue"_s,
                                     u"Vie"_s, u"Sáb"_s, u"Dom"_s};
    return list;
}

QString everyDrawDay()
{
    return u"Todos"_s;
}

QString longSpanishDate(QDate date)
{
    if (!date.isValid())
        return {};
    return u"%1, %2 de %3 del %4"_s.arg(weekdayName(date))
        .arg(date.day())
        .arg(monthNames()[date.month() - 1])
        .arg(date.year(), 4, 10, QChar(u'0'));
}

QString monthOfYearText(QDate date)
{
    if (!date.isValid())
        return {};
    return u"%1 de %2"_s.arg(monthNames()[date.month() - 1]).arg(date.year(), 4, 10, QChar(u'0'));
}

} // namespace zafrano
