// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "store/draw_record.h"

#include <QList>

namespace zafrano {

// What makes a Bonoloto draw: six distinct numbers of 1..49; a complementario
// of 1..49 drawn from the 43 balls left, so never one of the six; a reintegro
// of 0..9 (0 where the first years' draws have none); a whole day after
// 31/12/1899. Every road a draw comes in by, and every stored draws file,
// answers to this one rule. Otherwise the message names the draw and what is
// wrong with it: "El sorteo del 21/08/2026 no es válido: el complementario 6
// es uno de los seis números."
Status checkDraw(const DrawRecord &draw);

// The draw with its six numbers in rising order, once the rule accepts it.
Result<DrawRecord> sortedDraw(DrawRecord draw);

// A whole sequence as a draws file holds it: at least one draw, each one
// accepted by the rule, the dates strictly ascending. The first draw that
// breaks it is named in the message.
Status checkDrawSequence(const QList<DrawRecord> &draws);

} // namespace zafrano
