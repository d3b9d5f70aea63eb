// SPDX-License-Identifier: GPL-3.0-or-later
#include "prize_output.h"

#include "checking/prize_category.h"
#include "common/money.h"
#include "output.h"
#include "store/day_serial.h"

using namespace Qt::StringLiterals;

namespace zafrano::cli {

QJsonObject prizesJson(const std::optional<DrawPrizes> &prizes)
{
    QJsonObject object;
    for (int k = 0; k < DrawPrizes::CategoryCount; ++k) {
        const std::optional<qint64> cents = prizes ? prizes->cents[k] : std::nullopt;
        object.insert(prizeCategoryKey(k), cents ? QJsonValue(*cents) : QJsonValue());
    }
    return object;
}

void printPrizes(const DrawPrizes &prizes)
{
    for (int k = 0; k < DrawPrizes::CategoryCount; ++k) {
        if (!prizes.cents[k])
            continue;
        const char16_t *name = k == DrawPrizes::Refund ? RefundName : PrizeCategories[k].shortName;
        printLine(u"Premio de %1 del %2: %3 €"_s.arg(
            QString::fromUtf16(name), shortDate(prizes.date), moneyText(*prizes.cents[k])));
    }
}

} // namespace zafrano::cli
