// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringList>
#include <array>

namespace zafrano {

// How often each number 1..49 came out among the six winning numbers of the
// selected draws, overall and per weekday. The complementario and the
// reintegro never count.
struct NumberCounts
{
    static constexpr int Numbers = 49;
    static constexpr int DrawDays = 7; // Monday … Sunday

    std::array<int, Numbers> overall{};
    // [number − 1][day], day 0 = Monday … 6 = Sunday.
    std::array<std::array<int, DrawDays>, Numbers> byDay{};

    int timesOf(int number) const { return overall[number - 1]; }
    int timesOn(int number, int day) const { return byDay[number - 1][day]; }
};

// The chart shows 25 numbers at a time: 1..25 or 25..49. Number 25 is in both.
enum class ChartHalf
{
    Low,
    High
};

struct HalfTable
{
    QStringList labels; // "1" … "25" or "25" … "49"
    QList<int> overall;
    // One list per weekday, Monday first, each in the order of the labels.
    std::array<QList<int>, NumberCounts::DrawDays> byDay;
};

// The 25 rows of one half of the frequency tables.
HalfTable halfTable(const NumberCounts &counts, ChartHalf half);

// The 49 numbers from the most to the least frequent; numbers with the same
// count in ascending order.
QList<int> rankNumbers(const NumberCounts &counts);

// One row of the "Numeros" report table: a chosen number and its count.
struct RankedNumber
{
    int number = 0;
    int times = 0;
    friend bool operator==(const RankedNumber &, const RankedNumber &) = default;
};

// The first `count` numbers of a ranking with their counts, in ranking order.
QList<RankedNumber> chosenNumbers(const NumberCounts &counts, const QList<int> &ranking, int count);

} // namespace zafrano
