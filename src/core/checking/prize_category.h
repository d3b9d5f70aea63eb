// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/prize_categories.h"

#include <QString>

namespace zafrano {

// The prize a six-number bet wins.
PrizeCategory prizeCategory(int hits, bool complementarioHit);

// The tally slot the category adds to: 3, 4, 5, 6, or 7 for 5 + complementario.
int tallySlot(PrizeCategory category);

// Colours of the result lists as 0xRRGGBB.
namespace ResultColor {
inline constexpr quint32 HitNumber = 0xFF0000;    // red
inline constexpr quint32 SyndicateRow = 0x800000; // maroon
inline constexpr quint32 DrawRow = 0x008000;      // dark green
} // namespace ResultColor

quint32 categoryColor(PrizeCategory category);

// "¡¡ Premio !! Has acertado 4 números." and the two fixed 5-hit texts.
QString simplePrizeMessage(PrizeCategory category);

// Adds to a 16-bit tally, stopping at 32767 instead of wrapping.
qint16 saturatingAdd(qint16 tally, int amount);

} // namespace zafrano
