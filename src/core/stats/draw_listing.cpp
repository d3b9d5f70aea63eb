// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/draw_listing.h"

#include "common/texts.h"
#include "store/draw_rule.h"
#include "store/draws_file.h"

using namespace Qt::StringLiterals;

namespace zafrano {

bool WeekdayFilter::passes(QDate date) const
{
    const int day = date.dayOfWeek(); // 1 = Monday … 7 = Sunday
    return day >= 1 && ticked[day - 1];
}

namespace {

// Adds the six winning numbers of a listed draw (already checked to be 1..49).
void countNumbers(NumberCounts &counts, const DrawRecord &draw, int dayOfWeek)
{
    const int day = dayOfWeek - 1; // 0 = Monday … 6 = Sunday
    for (qint16 number : draw.numbers) {
        ++counts.overall[number - 1];
        ++counts.byDay[number - 1][day];
    }
}

} // namespace

Result<DrawListing> listDraws(const QList<DrawRecord> &draws, double startSerial,
                              const WeekdayFilter &filter)
{
    DrawListing listing;
    listing.records.reserve(draws.size());
    for (qsizetype i = draws.size() - 1; i >= 0; --i) {
        const DrawRecord &draw = draws[i];
        const QDate date = draw.date();
        if (!date.isValid())
            return Error{ErrorKind::InvalidData, texts::unreadableDrawsFile()};
        // The tallies count each draw once by its date, oldest first: a file out
        // of order would lose prizes, so it is as damaged as the import finds it.
        if (i + 1 < draws.size() && draw.drawDate >= draws[i + 1].drawDate)
            return Error{ErrorKind::InvalidData, texts::unreadableDrawsFile()};
        const int dayOfWeek = date.dayOfWeek();
        if (draw.drawDate < startSerial || !filter.passes(date))
            continue;
        if (!checkDraw(draw))
            return Error{ErrorKind::InvalidData, texts::unreadableDrawsFile()};
        const int record = static_cast<int>(i + 1);
        if (listing.records.isEmpty())
            listing.newestListed = date;
        listing.oldestListed = date;
        listing.records.append(record);
        if (record == draws.size())
            listing.newestEntryText = drawEntryText(draw);
        countNumbers(listing.counts, draw, dayOfWeek);
    }
    return listing;
}

QString drawTotalText(int count)
{
    return u"TOTAL: "_s + QString::number(count) + u" sorteos."_s;
}

} // namespace zafrano

namespace zafrano {

Result<LoadedDraws> loadDrawsList(const DrawsFile &file, double startSerial,
                                  const WeekdayFilter &filter)
{
    Result<QList<DrawRecord>> draws = file.readAll();
    Result<DrawListing> listing =
        draws ? listDraws(draws.value(), startSerial, filter)
              : Result<DrawListing>(Error{ErrorKind::InvalidData, texts::unreadableDrawsFile()});
    if (!listing) {
        // The damaged file is kept aside; an error while moving it changes nothing.
        const Result<std::optional<QString>> kept = file.recoverUnreadable();
        return Error{ErrorKind::InvalidData,
                     texts::unreadableDrawsFile(kept && kept.value() ? *kept.value() : QString())};
    }
    return LoadedDraws{std::move(draws).value(), std::move(listing).value()};
}

} // namespace zafrano
