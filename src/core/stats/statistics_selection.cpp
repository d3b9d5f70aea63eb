// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/statistics_selection.h"

#include "common/weekday_names.h"
#include "store/day_serial.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace zafrano {

double periodStart(const StatisticsPeriod &period, QDate today)
{
    if (period.allDraws)
        return 0;
    return toDaySerial(today) - period.months * 30.5;
}

int monthsSliderMaximum(int maxMonths)
{
    return maxMonths < 2 ? 12 : maxMonths;
}

QString periodBoxCaption(int months)
{
    return months < 2 ? u"Último mes"_s : u"Últimos "_s + QString::number(months) + u" meses"_s;
}

namespace {

// The days of a filter as bits, Monday = bit 0 … Sunday = bit 6.
int dayBits(const WeekdayFilter &filter)
{
    int bits = 0;
    for (int day = 0; day < NumberCounts::DrawDays; ++day) {
        if (filter.ticked[day])
            bits |= 1 << day;
    }
    return bits;
}

constexpr int Lu = 1, Ma = 2, Mi = 4, Ju = 8, Vi = 16, Sa = 32, Do = 64;
constexpr int AllDays = Lu | Ma | Mi | Ju | Vi | Sa | Do;

QString joinedDays(int bits, const QStringList &names)
{
    QStringList days;
    for (int day = 0; day < NumberCounts::DrawDays; ++day) {
        if (bits & (1 << day))
            days.append(names[day]);
    }
    const QString last = days.takeLast();
    return days.isEmpty() ? last : days.join(u", "_s) + u" y "_s + last;
}

// The rows whose texts were written by hand and do not follow the rule. All
// are sets without Sunday, which the rows of the six-day week never had.
struct IrregularRow
{
    int bits;
    const char16_t *longText;  // nullptr: the rule
    const char16_t *shortText; // nullptr: the rule
};

constexpr IrregularRow IrregularRows[] = {
    {Lu | Ma | Ju, u"sólo los números de los sorteos del LUNES, MARTES y JUEVES", nullptr},
    {Lu | Ma | Sa, u"sólo los números de los sorteos del LUNES, MARTES y SÁBADO", nullptr},
    {Lu | Ma | Ju | Sa, u"sólo los números de los sorteos del LUNES, MARTES, JUEVES y SÁBADO",
     nullptr},
    {Lu | Ma | Mi | Ju, u"sólo los números de los sorteos del LUNES, MARTES, MIÉRCOLES y JUEVES",
     nullptr},
    {Lu | Ma | Mi | Vi, u"sólo los números de los sorteos del LUNES, MARTES, MIÉRCOLES y VIERNES",
     nullptr},
    {Lu | Ma | Mi | Sa, u"sólo los números de los sorteos del LUNES, MARTES, MIÉRCOLES y Sábado",
     nullptr},
    {Lu | Ma | Mi | Ju | Sa,
     u"sólo los números de los sorteos del LUNES, MARTES, MIÉRCOLES, JUEVES y SÁBADO", nullptr},
    {Lu | Ma | Mi | Vi | Sa,
     u"sólo los números de los sorteos del LUNES, MARTES, MIÉRCOLES, VIERNES y SÁBADO", nullptr},
    {Ma | Ju | Vi | Sa, u"sólo los números de los sorteos del MARTES, JUEVES, VIERNES Y SÁBADO.",
     nullptr},
    {Ma | Mi | Ju | Vi | Sa,
     u"sólo los números de los sorteos del MARTES, MIÉRCOLES, JUEVES, VIERNES Y SÁBADO.", nullptr},
    {Mi | Ju | Sa, nullptr, u"Miércoles Jueves y Sábado."},
};

// The sets that never had a row of their own.
constexpr int SetsWithoutTexts[] = {0, Lu | Ma | Ju | Vi, Lu | Ma | Vi | Sa};

} // namespace

namespace {

// The texts as the rule builds them for a non-empty set of days.
WeekdaySetTexts ruleTexts(int bits)
{
    static const QStringList upper = {u"LUNES"_s,   u"MARTES"_s, u"MIÉRCOLES"_s, u"JUEVES"_s,
                                      u"VIERNES"_s, u"SÁBADO"_s, u"DOMINGO"_s};
    return {u"sólo los números de los sorteos del "_s + joinedDays(bits, upper) + u'.',
            joinedDays(bits, weekdayNames()) + u'.'};
}

} // namespace

std::optional<WeekdaySetTexts> weekdaySetTexts(const WeekdayFilter &filter)
{
    const int bits = dayBits(filter);
    for (int missing : SetsWithoutTexts) {
        if (bits == missing)
            return std::nullopt;
    }
    if (bits == AllDays)
        return WeekdaySetTexts{u"TODOS los sorteos de la semana."_s, u"Todos."_s};

    WeekdaySetTexts texts = ruleTexts(bits);
    for (const IrregularRow &row : IrregularRows) {
        if (row.bits != bits)
            continue;
        if (row.longText)
            texts.longText = QString::fromUtf16(row.longText);
        if (row.shortText)
            texts.shortText = QString::fromUtf16(row.shortText);
    }
    return texts;
}

SelectionDescription describeSelection(const StatisticsPeriod &period, const WeekdayFilter &filter,
                                       int total, QDate newest, QDate oldest)
{
    QString periodText;
    if (period.allDraws)
        periodText = u"todos los sorteos. Desde el "_s;
    else if (period.months == 1)
        periodText = u"sólo el último mes de sorteos, desde el "_s;
    else
        periodText =
            u"los últimos "_s + QString::number(period.months) + u" meses de sorteos, desde el "_s;

    SelectionDescription description;
    description.periodLine = u"-Tiene seleccionados "_s + periodText + shortDate(oldest) +
                             u" al "_s + shortDate(newest) + u", en total, "_s +
                             QString::number(total) + u" sorteos en la base de datos."_s;

    // The sets without texts of their own read as the rule makes them, and no
    // day at all says so.
    const int bits = dayBits(filter);
    const WeekdaySetTexts texts =
        bits == 0
            ? WeekdaySetTexts{u"ningún día de sorteo: no cuenta ningún sorteo."_s, u"Ninguno."_s}
            : weekdaySetTexts(filter).value_or(ruleTexts(bits));
    description.weekdaysLine = u"-Ha seleccionado "_s + texts.longText;
    description.row = {oldest, newest, total, texts.shortText};
    return description;
}

} // namespace zafrano
