// SPDX-License-Identifier: GPL-3.0-or-later
#include "checking/prize_category.h"

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace zafrano {

PrizeCategory prizeCategory(int hits, bool complementarioHit)
{
    switch (hits) {
    case 3:
        return PrizeCategory::Three;
    case 4:
        return PrizeCategory::Four;
    case 5:
        return complementarioHit ? PrizeCategory::FivePlusC : PrizeCategory::Five;
    case 6:
        return PrizeCategory::Six;
    default:
        return PrizeCategory::None;
    }
}

int tallySlot(PrizeCategory category)
{
    return category == PrizeCategory::None ? 0 : categoryInfo(category).slot;
}

quint32 categoryColor(PrizeCategory category)
{
    switch (category) {
    case PrizeCategory::Three:
        return 0x00C000; // green
    case PrizeCategory::Four:
        return 0x0000FF; // blue
    case PrizeCategory::Five:
        return 0x400040; // purple
    case PrizeCategory::FivePlusC:
        return 0xC04000; // brown
    case PrizeCategory::Six:
        return 0xFF0000; // red
    case PrizeCategory::None:
        break;
    }
    return 0;
}

QString simplePrizeMessage(PrizeCategory category)
{
    switch (category) {
    case PrizeCategory::Five:
        return u"¡¡ Premio !! Has acertado 5 números."_s;
    case PrizeCategory::FivePlusC:
        return u"¡¡ Premio !! 5 + COMPLEMENTARIO"_s;
    case PrizeCategory::None:
        return {};
    case PrizeCategory::Three:
    case PrizeCategory::Four:
    case PrizeCategory::Six:
        break;
    }
    const int hits = tallySlot(category);
    return u"¡¡ Premio !! Has acertado "_s + QString::number(hits) + u" números."_s;
}

qint16 saturatingAdd(qint16 tally, int amount)
{
    const int sum = std::clamp(static_cast<int>(tally) + amount,
                               static_cast<int>(std::numeric_limits<qint16>::min()),
                               static_cast<int>(std::numeric_limits<qint16>::max()));
    return static_cast<qint16>(sum);
}

} // namespace zafrano
