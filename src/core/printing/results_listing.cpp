// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/results_listing.h"

#include "store/day_serial.h"

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

constexpr int HeadingRows = 3;
constexpr double BodySize = 8.2;

// A bet's numbers as the listing prints them: two spaces before each, two
// more before a one-digit number.
QString numbersText(const QList<ResultCell> &cells)
{
    QString text;
    for (qsizetype column = 1; column < cells.size() - 1; ++column) {
        if (cells[column].text.isEmpty())
            continue;
        text += cells[column].text.toInt() <= 9 ? u"    "_s : u"  "_s;
        text += cells[column].text;
    }
    return text;
}

QString withMessage(const QString &numbers, const QString &message)
{
    return message.isEmpty() ? numbers : numbers + u"  "_s + message;
}

// Prints one list's blocks; returns whether anything was printed.
bool printSection(PrintDocument &document, const ResultList &list, const QList<DrawRecord> &draws,
                  const QString &title, double titleX, bool startOnNewPage)
{
    int lastDraw = -1;
    bool titled = false;
    for (const ResultBlock &block : list.blocks()) {
        const int betRows = block.rowCount - HeadingRows;
        if (betRows <= 0)
            continue;
        if (block.draw != lastDraw) {
            if (!titled) {
                if (startOnNewPage) {
                    document.newPage();
                    document.addLogo();
                }
                document.setFont(22, true);
                document.printLine(titleX, title);
                titled = true;
            }
            const DrawRecord &draw = draws[block.draw];
            document.setFont(18);
            document.skipLine();
            document.printLine(20, u"Sorteo del "_s + shortDate(draw.date()) + u"  "_s +
                                       listingDrawText(draw));
            document.setFont(BodySize, false, true);
            lastDraw = block.draw;
        }
        const int first = static_cast<int>(block.firstRow);
        document.skipLine();
        document.printLine(30, list.cell(first + 1, list.columnCount() - 1).text);
        for (int row = first + HeadingRows; row < first + block.rowCount; ++row) {
            const QList<ResultCell> cells = list.rowCells(row);
            const QString message = cells.last().text;
            if (row == first + HeadingRows || list.kind() == ResultListKind::Simple)
                document.printLine(30, withMessage(numbersText(cells), message));
            else
                document.printLine(83.3, message);
        }
    }
    return titled;
}

} // namespace

QString listingDrawText(const DrawRecord &draw)
{
    QString text;
    for (int i = 0; i < 5; ++i)
        text += QString::number(draw.numbers[i]) + u'-';
    text += QString::number(draw.numbers[5]) + u"  C:"_s + QString::number(draw.complementario) +
            u"  R:"_s + QString::number(draw.reintegro);
    return text;
}

PrintDocument buildResultsListing(const CheckResults &results)
{
    PrintDocument document;
    document.addLogo();
    const QList<DrawRecord> draws = results.draws;
    const bool simplePrinted =
        printSection(document, results.simple, draws, u"PEÑAS SENCILLAS / REDUCIDAS"_s, 50, false);
    printSection(document, results.multiple, draws, u"PEÑAS MÚLTIPLES"_s, 70, simplePrinted);
    return document;
}

} // namespace zafrano
