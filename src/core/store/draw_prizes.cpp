// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/draw_prizes.h"

#include <algorithm>

namespace zafrano {

bool DrawPrizes::known() const
{
    return std::any_of(cents.begin(), cents.end(), [](const auto &c) { return c.has_value(); });
}

QString prizeCategoryKey(int category)
{
    static const char16_t *const keys[DrawPrizes::CategoryCount] = {u"6", u"5C", u"5",
                                                                    u"4", u"3",  u"R"};
    return QString::fromUtf16(keys[category]);
}

} // namespace zafrano
