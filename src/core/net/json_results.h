// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/program_message.h"
#include "common/result.h"
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

// Reads one answer of the operator's JSON service, its draws in the answer's
// order: a JSON array of draws, or a JSON string (the service's message when
// the days asked hold no draw). Fields it does not know are passed over; a
// draw whose date or combination cannot be read refuses the whole answer,
// naming the draw, and so does a draw whose game_id is not "BONO". Whether a
// draw read is a possible one is the intake's to say.
Result<QList<FetchedDraw>> readJsonAnswer(QByteArrayView body);

// The draw of a combination text, "01 - 15 - 18 - 22 - 30 - 47 C(40) R(1)",
// its numbers sorted; nothing when the text is not six numbers, a
// complementario and a reintegro in that shape.
std::optional<DrawRecord> drawOfCombination(QStringView text);

// The refusal of a results source: every one shares its title and icon.
Error sourceRefusal(const QString &text, ErrorKind kind = ErrorKind::InvalidData);

} // namespace zafrano
