// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "store/draw_record.h"

#include <QByteArrayView>
#include <QList>

namespace zafrano {

// Reads a history of draws written as CSV with the header
// "fecha,n1,n2,n3,n4,n5,n6,complementario,reintegro" (ISO dates, rows in any
// order) and returns the draws oldest first. Every row is checked; the first
// bad one is named in the error.
Result<QList<DrawRecord>> parseDrawHistoryCsv(QByteArrayView csv);

} // namespace zafrano
