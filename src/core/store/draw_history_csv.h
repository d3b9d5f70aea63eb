// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "store/draw_record.h"

#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QString>

namespace zafrano {

// Reads a history of draws written as CSV with the header
// "fecha,n1,n2,n3,n4,n5,n6,complementario,reintegro" (ISO dates, rows in any
// order) and returns the draws oldest first. Every row is checked; the first
// bad one is named in the error, and so is a draw after `today` (when valid).
Result<QList<DrawRecord>> parseDrawHistoryCsv(QByteArrayView csv, QDate today = {});

// The same read from a file (at most 64 MiB); the history the program ships
// is named HistoryFileName.
inline constexpr auto HistoryFileName = u"historico_bonoloto.csv";
Result<QList<DrawRecord>> readDrawHistoryCsv(const QString &path, QDate today);

} // namespace zafrano
