// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

namespace zafrano {

// The prize a six-number bet wins. The complementario only splits the 5-hit
// category; the reintegro never counts.
enum class PrizeCategory : quint8
{
    None,
    Three,
    Four,
    Five,
    FivePlusC,
    Six
};

PrizeCategory prizeCategory(int hits, bool complementarioHit);

// How every road names and files a prize category.
struct PrizeCategoryInfo
{
    PrizeCategory category;
    const char16_t *key;       // where its prizes are stored, and in JSON: "5C"
    const char16_t *name;      // what the window says: "5 aciertos + complementario"
    const char16_t *shortName; // what lines and notifications say: "5 + C"
    int slot;                  // the tally it adds to: 3, 4, 5, 6, or 7 for 5 + C
    int prizeIndex;            // its place among a draw's prizes (DrawPrizes::cents)
};

// The categories from the highest down, the order the operator lists a
// draw's prizes in; the reintegro comes after them among a draw's prizes.
inline constexpr std::array<PrizeCategoryInfo, 5> PrizeCategories = {{
    {PrizeCategory::Six, u"6", u"6 aciertos", u"6 aciertos", 6, 0},
    {PrizeCategory::FivePlusC, u"5C", u"5 aciertos + complementario", u"5 + C", 7, 1},
    {PrizeCategory::Five, u"5", u"5 aciertos", u"5 aciertos", 5, 2},
    {PrizeCategory::Four, u"4", u"4 aciertos", u"4 aciertos", 4, 3},
    {PrizeCategory::Three, u"3", u"3 aciertos", u"3 aciertos", 3, 4},
}};
inline constexpr auto RefundKey = u"R";
inline constexpr auto RefundName = u"reintegro";

// The row of a category (not None).
constexpr const PrizeCategoryInfo &categoryInfo(PrizeCategory category)
{
    // Six..Three are 5..1: the table lists them backwards.
    return PrizeCategories[PrizeCategories.size() - static_cast<std::size_t>(category)];
}

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
