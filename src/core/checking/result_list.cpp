// SPDX-License-Identifier: GPL-3.0-or-later
#include "checking/result_list.h"

#include "calendar/weekday.h"
#include "checking/multiple_breakdown.h"
#include "store/day_serial.h"
#include "store/windows1252.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

constexpr int HeadingRows = 3;
constexpr int SimpleNumbers = 6;
constexpr int MultipleNumbers = 11;

} // namespace

ResultList::ResultList(ResultListKind kind, QList<DrawRecord> draws,
                       QList<SyndicateRecord> syndicates, bool prizesOnly)
    : m_kind(kind), m_draws(std::move(draws)), m_syndicates(std::move(syndicates)),
      m_prizesOnly(prizesOnly)
{}

int ResultList::columnCount() const
{
    return (m_kind == ResultListKind::Simple ? SimpleNumbers : MultipleNumbers) + 2;
}

QString ResultList::columnTitle(int column) const
{
    return column == columnCount() - 1 ? u"Comentario"_s : QString::number(column + 1);
}

void ResultList::appendSimpleBlock(int draw, int syndicate, int betCount,
                                   const QList<quint16> &prizeBets)
{
    ResultBlock block;
    block.firstRow = m_rowCount;
    block.draw = draw;
    block.syndicate = syndicate;
    if (m_prizesOnly) {
        // Only the bets with a prize stay, and a block without one leaves no row.
        if (prizeBets.isEmpty())
            return;
        block.keptOffset = static_cast<quint32>(m_keptBets.size());
        m_keptBets.append(prizeBets);
        block.rowCount = static_cast<quint16>(HeadingRows + prizeBets.size());
    } else {
        block.rowCount = static_cast<quint16>(HeadingRows + betCount);
    }
    m_rowCount += block.rowCount;
    m_blocks.append(block);
}

void ResultList::appendMultipleBlock(int draw, int syndicate, int hits, bool complementarioHit)
{
    const qint16 code = m_syndicates[syndicate].betCount;
    const bool prizeRow = isMultiplePrizeRow(code, hits);
    const qsizetype lines =
        prizeRow ? multiplePrizeBreakdown(code, hits, complementarioHit).size() : 0;
    // The bet row carries the first line; each further line gets its own row,
    // and the 5-number multiple closes its lines with an empty row.
    int rows = HeadingRows + 1 + static_cast<int>(std::max<qsizetype>(lines - 1, 0));
    if (prizeRow && code == 503)
        ++rows;
    if (m_prizesOnly) {
        if (!prizeRow)
            return;
        if (hits < 3)
            --rows; // the 5-number multiple with 2 hits loses its closing empty row
    }
    ResultBlock block;
    block.firstRow = m_rowCount;
    block.draw = draw;
    block.syndicate = syndicate;
    block.rowCount = static_cast<quint16>(rows);
    block.hits = static_cast<quint8>(hits);
    block.complementarioHit = complementarioHit;
    m_rowCount += block.rowCount;
    m_blocks.append(block);
}

int ResultList::blockIndexOfRow(int row) const
{
    const auto after =
        std::upper_bound(m_blocks.cbegin(), m_blocks.cend(), static_cast<quint32>(row),
                         [](quint32 r, const ResultBlock &block) { return r < block.firstRow; });
    return static_cast<int>(after - m_blocks.cbegin()) - 1;
}

ResultCell ResultList::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    const ResultBlock &block = m_blocks[blockIndexOfRow(row)];
    const int offset = row - static_cast<int>(block.firstRow);
    if (offset < HeadingRows)
        return headingCell(block, offset, column);
    return m_kind == ResultListKind::Simple ? simpleCell(block, offset - HeadingRows, column)
                                            : multipleCell(block, offset - HeadingRows, column);
}

QList<ResultCell> ResultList::rowCells(int row) const
{
    QList<ResultCell> cells;
    for (int column = 0; column < columnCount(); ++column)
        cells.append(cell(row, column));
    return cells;
}

ResultCell ResultList::headingCell(const ResultBlock &block, int offset, int column) const
{
    if (column != columnCount() - 1 || offset == 0)
        return {};
    if (offset == 1) {
        // The name as stored, padding kept.
        const SyndicateRecord &syndicate = m_syndicates[block.syndicate];
        return {u"PEÑA "_s + windows1252::decode(
                                 QByteArrayView(syndicate.name.data(), SyndicateRecord::NameWidth)),
                ResultColor::SyndicateRow};
    }
    const DrawRecord &draw = m_draws[block.draw];
    return {shortDate(draw.date()) + u' ' + diasemana(draw.drawDate), ResultColor::DrawRow};
}

ResultCell ResultList::numberCell(qint16 number, const DrawRecord &draw) const
{
    const bool hit =
        std::find(draw.numbers.begin(), draw.numbers.end(), number) != draw.numbers.end();
    ResultCell cell{QString::number(number), std::nullopt};
    if (hit)
        cell.color = ResultColor::HitNumber;
    return cell;
}

ResultCell ResultList::simpleCell(const ResultBlock &block, int offset, int column) const
{
    const int bet = m_prizesOnly ? m_keptBets[block.keptOffset + offset] : offset;
    const SyndicateRecord &syndicate = m_syndicates[block.syndicate];
    const DrawRecord &draw = m_draws[block.draw];
    const SyndicateRecord::Bet &numbers = syndicate.bets[bet];
    if (column >= 1 && column <= SimpleNumbers)
        return numberCell(numbers[column - 1], draw);
    if (column != SimpleNumbers + 1)
        return {};
    int hits = 0;
    bool complementarioHit = false;
    for (int k = 0; k < SimpleNumbers; ++k) {
        hits += std::count(draw.numbers.begin(), draw.numbers.end(), numbers[k]) > 0;
        complementarioHit = complementarioHit || numbers[k] == draw.complementario;
    }
    const PrizeCategory category = prizeCategory(hits, complementarioHit);
    if (category == PrizeCategory::None)
        return {};
    return {simplePrizeMessage(category), categoryColor(category)};
}

ResultCell ResultList::multipleCell(const ResultBlock &block, int offset, int column) const
{
    const SyndicateRecord &syndicate = m_syndicates[block.syndicate];
    const int last = columnCount() - 1;
    if (offset == 0 && column >= 1 && column < last) {
        if (column > multipleNumberCount(syndicate))
            return {};
        return numberCell(syndicate.bets[0][column - 1], m_draws[block.draw]);
    }
    if (column != last)
        return {};
    static const QList<BreakdownLine> noLines;
    const QList<BreakdownLine> &lines =
        isMultiplePrizeRow(syndicate.betCount, block.hits)
            ? multiplePrizeBreakdown(syndicate.betCount, block.hits, block.complementarioHit)
            : noLines;
    if (offset >= lines.size())
        return {};
    return {lines[offset].text, categoryColor(lines[offset].category)};
}

std::size_t ResultList::memoryBytes() const
{
    return sizeof(*this) + static_cast<std::size_t>(m_blocks.capacity()) * sizeof(ResultBlock) +
           static_cast<std::size_t>(m_keptBets.capacity()) * sizeof(quint16);
}

} // namespace zafrano
