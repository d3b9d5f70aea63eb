// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

namespace zafrano {

// A set of positions 1..20 of a reduction system as bits: position p is bit p − 1.
using PositionMask = std::uint32_t;

// Positions of a reduction system fit in the syndicate's list of base numbers.
inline constexpr int MaxSystemNumbers = 20;

// The outcome of checking a system against every possible draw.
struct DrawCoverCheck
{
    std::int64_t draws = 0;          // six-position draws among the N numbers
    std::int64_t uncovered = 0;      // draws that meet no bet in the guaranteed count
    PositionMask firstUncovered = 0; // the lowest such draw, 0 when none

    bool holds() const { return uncovered == 0; }
};

// Checks every six-position draw among positions 1..numbers: a draw is covered
// when some bet shares at least `guarantee` positions with it. Exhaustive.
// Numbers outside 6..20 or a guarantee above 6 give no draws / no cover as the
// arithmetic says; the caller checks the bets themselves.
DrawCoverCheck checkDrawCover(int numbers, int guarantee, std::span<const PositionMask> bets);

// The mask of positions 1..numbers (numbers ≤ 20).
constexpr PositionMask allPositions(int numbers)
{
    return numbers <= 0 ? 0u : (numbers >= 32 ? ~0u : (PositionMask{1} << numbers) - 1);
}

} // namespace zafrano
