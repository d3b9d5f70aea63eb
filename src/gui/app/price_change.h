// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/money.h"
#include "common/result.h"

#include <QDate>
#include <optional>

namespace zafrano::gui {

class ProgramData;

// Keeps a change of the price of a bet, `before` until now, in the accounts'
// price history: from the day the treasurer `dated` it (not after today), or
// else from the day a change made now counts from (tomorrow once tonight's
// draw is stored). Gives the price that holds from now on.
Result<Cents> keepBetPrice(const ProgramData &data, Cents before, Cents price,
                           std::optional<QDate> dated = std::nullopt);

} // namespace zafrano::gui
