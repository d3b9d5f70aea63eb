// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/draw_prizes.h"

#include "common/prize_categories.h"

#include <algorithm>

namespace zafrano {

bool DrawPrizes::known() const
{
    return std::any_of(cents.begin(), cents.end(), [](const auto &c) { return c.has_value(); });
}

static_assert(DrawPrizes::CategoryCount == PrizeCategories.size() + 1 &&
              DrawPrizes::Refund == PrizeCategories.size());

QString prizeCategoryKey(int category)
{
    return QString::fromUtf16(category == DrawPrizes::Refund ? RefundKey
                                                             : PrizeCategories[category].key);
}

} // namespace zafrano
