// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <array>
#include <optional>

namespace zafrano {

// The euros paid to one winning bet in each category of one draw, in whole
// cents; nothing where the source did not say. The categories in the order
// the operator lists them: 6 hits, 5 + complementario, 5, 4, 3, reintegro.
struct DrawPrizes
{
    static constexpr int CategoryCount = 6;
    static constexpr int Refund = 5; // the reintegro's place

    QDate date;
    std::array<std::optional<qint64>, CategoryCount> cents{};

    bool known() const;
    friend bool operator==(const DrawPrizes &, const DrawPrizes &) = default;
};

// The key of a category where the prizes are stored and printed: "6", "5C", "5", "4", "3", "R"
// (the table of prize categories, then the reintegro).
QString prizeCategoryKey(int category);

} // namespace zafrano
