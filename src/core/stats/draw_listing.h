// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "stats/number_counts.h"
#include "store/draw_record.h"

#include <QDate>
#include <QList>
#include <QString>
#include <array>

namespace zafrano {

// The weekdays ticked in the statistics filter, Monday to Sunday. A draw
// passes when the box of its weekday is ticked.
struct WeekdayFilter
{
    std::array<bool, NumberCounts::DrawDays> ticked{true, true, true, true, true, true, true};

    bool passes(QDate date) const;
};

// The draws list: which stored draws are listed, newest first, and how often
// each number came out in them (the statistics read the same pass).
struct DrawListing
{
    QList<int> records; // 1-based record numbers, newest first
    QDate newestListed;
    QDate oldestListed;
    NumberCounts counts;
    // The entry text of the newest stored draw, or empty when it is not listed.
    QString newestEntryText;

    int count() const { return static_cast<int>(records.size()); }
};

// Lists the draws dated on or after startSerial that pass the filter and
// counts their winning numbers. A listed draw with a number outside 1..49, or
// dates that do not go strictly forward, make the file unreadable: InvalidData.
Result<DrawListing> listDraws(const QList<DrawRecord> &draws, double startSerial,
                              const WeekdayFilter &filter = {});

// "TOTAL: 12 sorteos."
QString drawTotalText(int count);

} // namespace zafrano

namespace zafrano {

class DrawsFile;

struct LoadedDraws
{
    QList<DrawRecord> draws; // oldest first
    DrawListing listing;
};

// Reads the draws file and lists it. A file that cannot be read, or a listed
// draw that breaks the rule, is recovered (moved aside, an empty file in its
// place) and the error carries the message that says so.
Result<LoadedDraws> loadDrawsList(const DrawsFile &file, double startSerial,
                                  const WeekdayFilter &filter = {});

} // namespace zafrano
