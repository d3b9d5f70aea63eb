// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/draw_prizes.h"

#include <QJsonObject>
#include <optional>

namespace zafrano::cli {

// {"6": c, "5C": c, …}: whole cents, null where unknown.
QJsonObject prizesJson(const std::optional<DrawPrizes> &prizes);

// "Premio de 5 + C del 07/12/2026: 1.234,56 €", a line per category known,
// the reintegro last: the same on every road.
void printPrizes(const DrawPrizes &prizes);

} // namespace zafrano::cli
