// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "checking/prize_category.h"
#include "store/draw_record.h"
#include "store/syndicate_record.h"

#include <QList>
#include <QString>
#include <optional>

namespace zafrano {

// One cell of a results list: its text and, when it has one, its colour (0xRRGGBB).
struct ResultCell
{
    QString text;
    std::optional<quint32> color;
};

// The rows a syndicate shows for one draw: a separator, the "PEÑA …" row, the
// draw's date row, then its bets (and, for a multiple, the prize lines).
struct ResultBlock
{
    quint32 firstRow = 0;
    qint32 draw = 0;        // index into the draws, oldest first
    qint32 syndicate = 0;   // index into the syndicates
    quint32 keptOffset = 0; // simple, prizes only: where its prize bets start in keptBets
    quint16 rowCount = 0;
    quint8 hits = 0;                // multiple: its numbers among the winning ones
    bool complementarioHit = false; // multiple: one of its numbers is the complementario
};

enum class ResultListKind
{
    Simple,
    Multiple
};

// A results list as the views show it. It keeps one small block per syndicate
// and draw; the texts and colours of a row are worked out when it is shown, so
// even every draw since 1988 against every syndicate stays light.
class ResultList
{
public:
    ResultList() = default;
    ResultList(ResultListKind kind, QList<DrawRecord> draws, QList<SyndicateRecord> syndicates,
               bool prizesOnly);

    ResultListKind kind() const { return m_kind; }
    // "1" (always empty), the numbers, "Comentario": 8 columns, or 13 for multiples.
    int columnCount() const;
    QString columnTitle(int column) const;
    int rowCount() const { return static_cast<int>(m_rowCount); }
    ResultCell cell(int row, int column) const;
    QList<ResultCell> rowCells(int row) const;

    const QList<ResultBlock> &blocks() const { return m_blocks; }
    // The rows of one block, in order, as the printed listing needs them.
    int blockIndexOfRow(int row) const;

    // Used while checking: adds a block with its prize bets (simple, prizes only).
    void appendSimpleBlock(int draw, int syndicate, int betCount, const QList<quint16> &prizeBets);
    void appendMultipleBlock(int draw, int syndicate, int hits, bool complementarioHit);

    std::size_t memoryBytes() const;

private:
    ResultCell simpleCell(const ResultBlock &block, int offset, int column) const;
    ResultCell multipleCell(const ResultBlock &block, int offset, int column) const;
    ResultCell headingCell(const ResultBlock &block, int offset, int column) const;
    ResultCell numberCell(qint16 number, const DrawRecord &draw) const;

    ResultListKind m_kind = ResultListKind::Simple;
    QList<DrawRecord> m_draws;
    QList<SyndicateRecord> m_syndicates;
    bool m_prizesOnly = false;
    QList<ResultBlock> m_blocks;
    QList<quint16> m_keptBets;
    quint32 m_rowCount = 0;
};

} // namespace zafrano
