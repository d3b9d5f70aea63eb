// SPDX-License-Identifier: GPL-3.0-or-later
#include "systems/tables_file.h"

#include "store/record_file.h"
#include "store/windows1252.h"

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

// More digits than this cannot be a count or a position; they read as this.
constexpr int NumberCeiling = 999'999'999;

QList<QByteArrayView> splitLines(QByteArrayView bytes)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(bytes.sliced(start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.append(bytes.sliced(start));
    return lines;
}

} // namespace

int readTableNumber(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    int value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value > (NumberCeiling - 9) / 10 ? NumberCeiling : value * 10 + (text[i] - '0');
    return value;
}

BetPositions readBetPositions(QByteArrayView line)
{
    BetPositions positions{};
    for (qsizetype k = 0; k < 6; ++k) {
        const qsizetype from = 2 * k;
        positions[k] = from < line.size() ? readTableNumber(line.sliced(from).first(
                                                std::min<qsizetype>(2, line.size() - from)))
                                          : 0;
    }
    return positions;
}

ReductionTables parseReductionTables(QByteArrayView bytes)
{
    const QList<QByteArrayView> lines = splitLines(bytes);
    const auto lineAt = [&lines](qsizetype i) {
        return i < lines.size() ? lines[i] : QByteArrayView();
    };
    ReductionTables file;
    qsizetype next = 0;
    while (next < lines.size()) {
        ReductionTable table;
        table.index = static_cast<int>(file.tables.size());
        table.numbers = readTableNumber(lineAt(next));
        table.guaranteeLine = windows1252::decode(lineAt(next + 1));
        table.guarantee = readTableNumber(lineAt(next + 1));
        table.betCount = readTableNumber(lineAt(next + 2));
        next += 3;
        const qsizetype present = std::clamp<qsizetype>(lines.size() - next, 0, table.betCount);
        table.bets.reserve(present);
        for (qsizetype j = 0; j < present; ++j)
            table.bets.append(readBetPositions(lines[next + j]));
        next += table.betCount;
        file.tables.append(std::move(table));
    }
    return file;
}

Result<ReductionTables> readReductionTables(const QString &path)
{
    Result<QByteArray> bytes = readFileCapped(path, ReductionTables::MaxBytes);
    if (!bytes)
        return bytes.error();
    return parseReductionTables(bytes.value());
}

Result<ReductionTable> positionAtTable(const ReductionTables &file, int index)
{
    if (index < 0 || index >= file.tables.size())
        return Error{ErrorKind::InvalidData,
                     {u"El archivo de tablas no tiene la tabla de reducción %1."_s.arg(index),
                      u"¡Vaya hombre!"_s, MessageIcon::Exclamation}};
    return file.tables[index];
}

} // namespace zafrano
