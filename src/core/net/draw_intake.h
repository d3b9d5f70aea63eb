// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "net/json_results.h"
#include "store/data_folder.h"

#include <QList>
#include <optional>

namespace zafrano {

// What taking in draws did.
struct Intake
{
    QList<DrawRecord> appended; // after the newest stored draw, oldest first
    QList<DrawRecord> inserted; // missing draw days filled, oldest first
    // Draws the source brought after a draw day it lacked: not appended, so
    // that the next download asks for that day again.
    QList<DrawRecord> heldBack;
    // Stored draws whose prizes the source brought again.
    int prizesRecovered = 0;
    // Said when the draws went in but their prizes could not be kept.
    std::optional<ProgramMessage> notice;
    // What else the intake has to say: a draw held back, a stored draw the
    // source gives otherwise.
    QList<ProgramMessage> remarks;

    bool added() const { return !appended.isEmpty() || !inserted.isEmpty(); }
};

// Where the draws come from: a download keeps the draws file free of holes it
// would make itself; the player may type a draw after a day not yet known.
enum class IntakeRoad
{
    Typed,
    Download
};

// Takes in draws that a source brought or the player typed in, after checking
// them as an import checks a draws file: a draw newer than the newest stored
// one is appended (by a download, only up to the first draw day it lacks); a
// draw of a missing draw day before it is inserted in its place, the automatic
// copy made first and the whole file rewritten in date order, and every
// syndicate that played it and had counted past it is owed it (see
// draws_to_count.h); a draw already stored is passed over, its prizes kept
// when it is the same draw. Then the prizes of them all are kept in zafrano.db,
// in one transaction. Nothing is written when a draw is refused.
Result<Intake> takeInDraws(const DataFolder &folder, const QList<FetchedDraw> &draws,
                           IntakeRoad road = IntakeRoad::Typed, QDate today = {});

// Keeps the prizes of one draw (the HTML draw page's), in one transaction;
// the notice to show when zafrano.db was found damaged and begun anew.
Result<std::optional<ProgramMessage>> keepPrizes(const DataFolder &folder,
                                                 const DrawPrizes &prizes);

// The stored prizes of the draw of `date`; nothing when none were kept (a
// folder without zafrano.db has none), the error when it cannot be read.
Result<std::optional<DrawPrizes>> prizesOfDraw(const DataFolder &folder, QDate date);

// A draw typed in by hand: the date must come after the newest of `stored`
// (oldest first) or be a missing draw day among them, and not after `today`;
// the numbers be a draw. Its message otherwise.
Result<FetchedDraw> drawTypedIn(QDate date, const std::array<int, 6> &numbers, int complementario,
                                int reintegro, const QList<DrawRecord> &stored, QDate today);

// Whether `date` is a draw day the stored draws (oldest first) lack between
// their oldest and their newest.
bool isMissingDrawDay(const QList<DrawRecord> &stored, QDate date);

// The prize texts of the HTML draw page (6, 5 + C, 5, 4, 3 hits) as prizes of `date`.
DrawPrizes prizesOfPage(const QStringList &pagePrizes, QDate date);

} // namespace zafrano
