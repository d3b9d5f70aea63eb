// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "store/data_folder.h"
#include "store/draw_prizes.h"

#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QSet>

namespace zafrano {

// Reads prizes written as CSV, one line per draw and category:
// "fecha,categoria,premio,ganadores" (the header line may be left out). The
// date is 2025-01-31 or 31/01/2025, of a stored draw (`drawDates`) paid in
// euros; the category a key of the category table (6, 5C, 5, 4, 3); the prize
// in euros with a decimal comma or point ("1234,56", quoted or not, or
// "1234.56"); the winners a whole number, checked and not kept. Every bad
// line is named by its number in the one error, and then nothing is read.
Result<QList<DrawPrizes>> parsePrizeCsv(QByteArrayView csv, const QSet<QDate> &drawDates);

// Reads such a file against the folder's draws and keeps its prizes in
// zafrano.db in one transaction: all of them, or none. The count of the
// prizes kept.
Result<int> importPrizeCsv(const DataFolder &folder, const QString &path);

} // namespace zafrano
