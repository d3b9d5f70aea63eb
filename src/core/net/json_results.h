// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/program_message.h"
#include "store/draw_prizes.h"
#include "store/draw_record.h"

#include <QByteArrayView>
#include <QList>
#include <optional>

namespace zafrano {

// One draw as a results source brings it: the draw, its numbers sorted, and
// the prizes the source gave for it.
struct FetchedDraw
{
    DrawRecord draw;
    DrawPrizes prizes;
};

// What one answer of the operator's JSON service holds: its draws, or why it
// cannot be used.
struct JsonAnswer
{
    QList<FetchedDraw> draws; // in the answer's order
    std::optional<ProgramMessage> refusal;
};

// Reads one answer: a JSON array of draws, or a JSON string (the service's
// message when the days asked hold no draw). Fields it does not know are
// passed over; a draw whose date or combination cannot be read, or that the
// draw rule refuses, refuses the whole answer, naming the draw.
JsonAnswer readJsonAnswer(QByteArrayView body);

// The draw of a combination text, "01 - 15 - 18 - 22 - 30 - 47 C(40) R(1)",
// its numbers as written and no date; nothing when the text has not that
// shape. Whether it is a draw is the draw rule's to say.
std::optional<DrawRecord> drawOfCombination(QStringView text);

// The refusal every source message shares its title and icon with.
ProgramMessage sourceRefusal(const QString &text);

} // namespace zafrano
