// SPDX-License-Identifier: GPL-3.0-or-later
#include "systems/coverage_panel.h"

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {
// 171! is beyond the largest double; a damaged file may hold any count.
constexpr int LargestFiniteFactorial = 170;
} // namespace

double Factorial(int n)
{
    if (n > LargestFiniteFactorial)
        return std::numeric_limits<double>::infinity();
    double product = 1;
    for (int i = 2; i <= n; ++i)
        product *= i;
    return product;
}

double fullSystemBets(int n)
{
    if (n <= LargestFiniteFactorial)
        return Factorial(n) / (Factorial(6) * Factorial(n - 6));
    // The same number without the factorials, which no longer fit.
    double product = 1;
    for (int i = 0; i < 6; ++i)
        product *= n - i;
    return product / Factorial(6);
}

QString twoDecimals(double value)
{
    const double hundredths = std::floor(std::fabs(value) * 100.0 + 0.5) / 100.0;
    QString text = QString::number(std::copysign(hundredths, value), 'f', 2);
    return text.replace(u'.', u',');
}

namespace {

// The guarantee as the panel words it: the second line's text and "aciertos".
QString guaranteeText(const ReductionTable &table)
{
    QString count = table.guaranteeLine.trimmed();
    if (count.isEmpty())
        count = QString::number(table.guarantee);
    return count + (table.guarantee == 1 ? u" acierto"_s : u" aciertos"_s);
}

} // namespace

CoveragePanel coveragePanelFor(const ReductionTable &table)
{
    CoveragePanel panel;
    panel.fullSystem = fullSystemBets(table.numbers);
    panel.chance = static_cast<float>(table.betCount * 100.0 / panel.fullSystem);
    panel.label44 = u"REDUCIDA"_s;
    panel.label43 = u"Si entre los %1 números seleccionados, se encuentran los 6 ganadores:"_s.arg(
        table.numbers);
    panel.label45 = u"Asegura al 100% un premio de:"_s;
    panel.label48 = guaranteeText(table);
    panel.label46 = u"Posibilidad de premio de 6:"_s;
    panel.label47 = twoDecimals(panel.chance) + u'%';
    panel.label49 = u"Jugar a %1 números sin reducir, tendría que rellenar:"_s.arg(table.numbers);
    panel.label50 = QString::number(panel.fullSystem, 'f', 0) + u" apuestas."_s;
    return panel;
}

} // namespace zafrano
