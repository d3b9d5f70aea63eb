// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/backtest_sheet.h"

#include "store/day_serial.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

constexpr double LabelWidthMm = 52;
constexpr double ColumnWidthMm = 46;
constexpr double PageWidthMm = 190;
constexpr double ChartHeightMm = 70;
constexpr double LineMm = 4.2; // a line of 8-point text

double columnX(qsizetype column)
{
    return LabelWidthMm + static_cast<double>(column) * ColumnWidthMm;
}

// A value too wide for its column goes on two lines, before its bracket.
QStringList valueLines(const QString &value)
{
    const qsizetype bracket = value.indexOf(u" ("_s);
    if (value.size() <= 26 || bracket < 0)
        return {value};
    return {value.left(bracket), value.mid(bracket + 1)};
}

// A note cut into lines of at most `width` characters, between words.
QStringList wrapped(const QString &text, qsizetype width)
{
    QStringList lines;
    QString line;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            lines.append(line);
            line.clear();
        }
        line += (line.isEmpty() ? QString() : u" "_s) + word;
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

void frame(PrintDocument &sheet, double left, double top, double right, double bottom)
{
    sheet.addPolyline({{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}},
                      0x808080, 0.2);
}

// The net lines of the variants in a box `top` mm down the page.
void chart(PrintDocument &sheet, const QList<BacktestVariant> &variants, double top)
{
    QDate first, last;
    Cents lowest = 0, highest = 100;
    for (const BacktestVariant &variant : variants) {
        if (!variant.result || variant.result->cumulative.isEmpty())
            continue;
        const QList<NetPoint> &points = variant.result->cumulative;
        if (!first.isValid() || points.first().date < first)
            first = points.first().date;
        if (!last.isValid() || points.last().date > last)
            last = points.last().date;
        for (const NetPoint &point : points) {
            lowest = std::min(lowest, point.net);
            highest = std::max(highest, point.net);
        }
    }
    const double left = 22, right = PageWidthMm, bottom = top + ChartHeightMm;
    frame(sheet, left, top, right, bottom);
    sheet.setFont(7);
    sheet.placeText(0, top, moneyText(highest) + u" €"_s);
    sheet.placeText(0, bottom - 3, moneyText(lowest) + u" €"_s);
    if (!first.isValid())
        return;
    sheet.placeText(left, bottom + 1, shortDate(first));
    sheet.placeText(right - 16, bottom + 1, shortDate(last));
    const double days = std::max<qint64>(1, first.daysTo(last));
    const double span = static_cast<double>(highest - lowest);
    const auto at = [&](QDate date, Cents net) {
        return QPointF(left + (right - left) * static_cast<double>(first.daysTo(date)) / days,
                       bottom - ChartHeightMm * static_cast<double>(net - lowest) / span);
    };
    sheet.addPolyline({at(first, 0), at(last, 0)}, 0xb0b0b0, 0.2); // the line of 0 €
    for (qsizetype v = 0; v < variants.size(); ++v) {
        if (!variants[v].result)
            continue;
        QList<QPointF> line;
        for (const NetPoint &point : chartPoints(variants[v].result->cumulative, 800))
            line.append(at(point.date, point.net));
        if (!line.isEmpty())
            sheet.addPolyline(line, VariantColors[static_cast<std::size_t>(v)], 0.4);
    }
}

} // namespace

PrintDocument backtestSheet(const QString &period, const QList<BacktestVariant> &variants)
{
    PrintDocument sheet;
    sheet.addLogo();
    sheet.setFont(14, false, false, true);
    sheet.printLine(0, u"¿Cuánto habría ganado?"_s);
    sheet.setFont(9);
    sheet.printLine(0, period);
    sheet.skipLine();

    // The heads of the columns, each with its line's colour under it.
    const double head = sheet.currentY();
    sheet.setFont(8, false, false, true);
    for (qsizetype v = 0; v < variants.size(); ++v) {
        sheet.placeText(columnX(v), head, variants[v].label);
        sheet.addPolyline(
            {{columnX(v), head + LineMm + 0.5}, {columnX(v) + 30, head + LineMm + 0.5}},
            VariantColors[static_cast<std::size_t>(v)], 0.8);
    }
    double y = head + LineMm + 2;
    sheet.setFont(8);
    QList<QList<BacktestFigure>> figures;
    for (const BacktestVariant &variant : variants)
        figures.append(variant.result ? backtestFigures(*variant.result) : QList<BacktestFigure>());
    const auto withFigures = std::find_if(figures.begin(), figures.end(),
                                          [](const auto &list) { return !list.isEmpty(); });
    const QList<BacktestFigure> labels =
        withFigures == figures.end() ? QList<BacktestFigure>() : *withFigures;
    for (qsizetype row = 0; row < labels.size(); ++row) {
        sheet.placeText(0, y, labels[row].label);
        int lines = 1;
        for (qsizetype v = 0; v < variants.size(); ++v) {
            if (figures[v].isEmpty())
                continue;
            const QStringList parts = valueLines(figures[v][row].value);
            for (qsizetype p = 0; p < parts.size(); ++p)
                sheet.placeText(columnX(v), y + static_cast<double>(p) * LineMm, parts[p]);
            lines = std::max(lines, static_cast<int>(parts.size()));
        }
        y += lines * LineMm;
    }
    for (qsizetype v = 0; v < variants.size(); ++v) {
        if (!variants[v].result)
            sheet.placeText(columnX(v), head + LineMm + 2, variants[v].problem.left(30));
    }

    const double chartTop = y + 6;
    chart(sheet, variants, chartTop);
    sheet.moveTo(chartTop + ChartHeightMm + 7);
    sheet.setFont(8);
    QStringList notes;
    for (qsizetype v = 0; v < variants.size(); ++v) {
        if (!variants[v].result)
            continue;
        for (const QString &note : backtestNotes(*variants[v].result)) {
            const QString said =
                note.startsWith(u"Premios aún"_s) ? variants[v].label + u": "_s + note : note;
            if (!notes.contains(said))
                notes.append(said);
        }
    }
    for (const QString &note : notes) {
        for (const QString &line : wrapped(note, 115))
            sheet.printLine(0, line);
    }
    return sheet;
}

} // namespace zafrano
