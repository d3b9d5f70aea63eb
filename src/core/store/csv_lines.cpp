// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/csv_lines.h"

namespace zafrano {

QList<CsvLine> csvDataLines(QByteArrayView csv, QStringView header)
{
    const QStringList lines = QString::fromUtf8(csv).split(u'\n');
    QList<CsvLine> data;
    bool first = true;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i].trimmed();
        if (line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        if (line.isEmpty())
            continue;
        if (first) {
            first = false;
            if (QStringView(line)
                    .left(line.indexOf(u','))
                    .trimmed()
                    .compare(header, Qt::CaseInsensitive) == 0)
                continue;
        }
        data.append({i + 1, line});
    }
    return data;
}

} // namespace zafrano
