// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

namespace zafrano {

// One line of a CSV file that holds data, numbered from 1 as an editor counts.
struct CsvLine
{
    qsizetype number = 0;
    QString text; // trimmed
};

// The lines of a UTF-8 CSV text that hold data: blank lines, a byte-order
// mark and a first line whose first field is `header` ("fecha", in any case)
// are left out.
QList<CsvLine> csvDataLines(QByteArrayView csv, QStringView header);

} // namespace zafrano
