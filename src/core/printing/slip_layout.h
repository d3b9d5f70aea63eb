// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "store/syndicate_record.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <optional>

namespace zafrano {

// Official slips fed into the printer, or participation slips drawn on plain
// paper (two to a page) that reproduce the official layout.
enum class SlipMode
{
    Official,
    Plain
};

struct SlipOptions
{
    SlipMode mode = SlipMode::Official;
    float offsetX = 0; // the player's corrections for official slips, mm
    float offsetY = 0;
    bool extraMark = false; // the box under the first column of block 8
};

// Whether the record can be printed, or the message that refuses it. A bet
// count that is neither 1..205 nor a multiple's code is damage, and its slips
// would not match what the printing window says.
Status slipsPrintable(const SyndicateRecord &syndicate);

// Eight bets to a slip; a multiple fills one slip.
int slipCount(const SyndicateRecord &syndicate);
int betsToPrint(const SyndicateRecord &syndicate);

// Where the mark for a number goes inside block 1..8 of a slip, in mm from the
// slip's origin: five columns (1–9, 10–19, … 40–49) 3.8 mm apart, blocks 18.7 mm
// apart, the units digit 5 mm a row. Official slips add the corrections.
QPointF markPosition(int number, int block, const SlipOptions &options);

// The boxes under the grid, BoxBelowGrid mm below number `number` of block
// `block`: the one that says which multiple is played (betCount 501..506,
// nothing otherwise) and the extra box of block 8.
struct KindBox
{
    int number;
    int block;
};
inline constexpr double BoxBelowGrid = 10;
inline constexpr KindBox ExtraMarkBox{9, 8};
std::optional<KindBox> multipleKindBox(qint16 betCount);

// One printed slip: where it starts on its page and every "X" on it.
struct SlipPrint
{
    int slip = 1;         // 1-based
    int page = 1;         // 1-based
    QPointF origin;       // mm from the printable area's corner
    double band = 0;      // plain paper: 0 for the upper slip, 104 for the lower
    QList<QPointF> marks; // top-left corners of the "X" marks, mm, page coordinates
};

// Every slip of the syndicate's bets, with its marks: the bets eight to a slip,
// a multiple's kind in the box under its grid cell, and the extra mark.
QList<SlipPrint> layoutSlips(const SyndicateRecord &syndicate, const SlipOptions &options);

} // namespace zafrano
