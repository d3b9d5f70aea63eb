// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "net/json_results.h"
#include "store/data_folder.h"

#include <QList>
#include <optional>

namespace zafrano {

// What taking in new draws did.
struct Intake
{
    QList<DrawRecord> appended;
    // Said when the draws went in but their prizes could not be kept.
    std::optional<ProgramMessage> notice;
};

// Appends draws that a source brought or the player typed in, oldest first,
// after checking them as an import checks a draws file and that each is
// newer than the newest stored draw; then keeps their prizes in zafrano.db,
// all in one transaction. Nothing is written when a draw is refused.
Result<Intake> takeInDraws(const DataFolder &folder, const QList<FetchedDraw> &draws);

// Keeps the prizes of one draw (the HTML draw page's), in one transaction;
// the notice to show when zafrano.db was found damaged and begun anew.
Result<std::optional<ProgramMessage>> keepPrizes(const DataFolder &folder,
                                                 const DrawPrizes &prizes);

// The stored prizes of the draw of `date`; nothing when none were kept (a
// folder without zafrano.db has none), the error when it cannot be read.
Result<std::optional<DrawPrizes>> prizesOfDraw(const DataFolder &folder, QDate date);

// A draw typed in by hand: the date must come after `newestStored` (invalid:
// none stored) and not after `today`, the numbers be a draw. Its message otherwise.
Result<FetchedDraw> drawTypedIn(QDate date, const std::array<int, 6> &numbers, int complementario,
                                int reintegro, QDate newestStored, QDate today);

// The prize texts of the HTML draw page (6, 5 + C, 5, 4, 3 hits) as prizes of `date`.
DrawPrizes prizesOfPage(const QStringList &pagePrizes, QDate date);

} // namespace zafrano
