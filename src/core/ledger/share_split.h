// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/money.h"

#include <QList>

namespace zafrano {

// An amount of cents split in proportion to whole shares so that the parts add
// up to it exactly: each part is rounded towards zero and the cents left over
// go one each to the largest remainders (the first on a tie). A negative
// amount splits as its opposite. Empty shares or a total of 0 give zeros.
QList<Cents> splitByShares(Cents amount, const QList<int> &shares);

} // namespace zafrano
