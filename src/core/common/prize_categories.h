// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <array>
#include <cstddef>

namespace zafrano {

// The prize categories of a six-number bet. The complementario only splits the
// 5-hit category; the reintegro never counts.
enum class PrizeCategory : quint8
{
    None,
    Three,
    Four,
    Five,
    FivePlusC,
    Six
};

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

// The table's places, kept in step with the enumeration and the stored prizes.
static_assert([] {
    for (std::size_t k = 0; k < PrizeCategories.size(); ++k) {
        if (PrizeCategories[k].prizeIndex != static_cast<int>(k) ||
            &categoryInfo(PrizeCategories[k].category) != &PrizeCategories[k])
            return false;
    }
    return true;
}());

} // namespace zafrano
