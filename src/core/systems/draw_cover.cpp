// SPDX-License-Identifier: GPL-3.0-or-later
#include "systems/draw_cover.h"

#include <bit>

namespace zafrano {

DrawCoverCheck checkDrawCover(int numbers, int guarantee, std::span<const PositionMask> bets)
{
    DrawCoverCheck check;
    if (numbers < 6 || numbers > MaxSystemNumbers)
        return check;
    const PositionMask limit = PositionMask{1} << numbers;
    // Gosper's walk through every six-bit mask below 2^numbers, in ascending order.
    for (PositionMask draw = 0b111111; draw < limit;) {
        ++check.draws;
        bool covered = false;
        for (const PositionMask bet : bets) {
            if (std::popcount(draw & bet) >= guarantee) {
                covered = true;
                break;
            }
        }
        if (!covered) {
            if (check.uncovered == 0)
                check.firstUncovered = draw;
            ++check.uncovered;
        }
        const PositionMask lowest = draw & (~draw + 1);
        const PositionMask ripple = draw + lowest;
        draw = ripple | (((draw ^ ripple) >> 2) / lowest);
    }
    return check;
}

} // namespace zafrano
