// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "systems/tables_file.h"

#include <QString>

namespace zafrano {

// 1 × 2 × … × n in double precision; 1 for n ≤ 0, infinity past 170.
double Factorial(int n);

// The six-number bets of the full system of n numbers: n! / (6! (n − 6)!).
double fullSystemBets(int n);

// A value with two decimals and a decimal comma, as the pattern "0.00" shows
// it to a Spanish player; halves round away from zero.
QString twoDecimals(double value);

// The coverage panel (Frame10) for a picked table: what it guarantees, the
// chance that one of its bets holds all six winning numbers (the share of the
// full system it plays, whatever G is) and the size of the full system.
struct CoveragePanel
{
    double fullSystem = 0; // C
    float chance = 0;      // P = M × 100 / C, kept in single precision

    QString label44; // "REDUCIDA"
    QString label43; // the sentence about the N numbers
    QString label45; // "Asegura al 100% un premio de:"
    QString label48; // the guarantee, from the table's second line
    QString label46; // "Posibilidad de premio de 6:"
    QString label47; // P & "%"
    QString label49; // the sentence about the full system
    QString label50; // C & " apuestas."
};

CoveragePanel coveragePanelFor(const ReductionTable &table);

} // namespace zafrano
