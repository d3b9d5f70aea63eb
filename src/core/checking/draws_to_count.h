// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "store/draw_record.h"
#include "store/syndicate_record.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

namespace zafrano {

class DataFolder;
class ProgramDatabase;

// A syndicate's tallies hold every played draw up to its counted-through date
// that was stored when it was checked. A draw put in later behind that date
// (a missing day filled by a download, typed in, or brought by an import) is
// not in them: zafrano.db keeps one row per such draw and syndicate until a
// check has counted it. While the syndicates file is being written the row
// holds the tallies the write brings (`settling`), so that after a crash the
// next check knows whether the write went through: counted once, never twice.
struct DrawToCount
{
    QDate draw;
    QString syndicate; // its name: records move when one is deleted
    QString settling;  // empty, or the tallies of the write under way

    friend bool operator==(const DrawToCount &, const DrawToCount &) = default;
};

// The tallies and counted-through date of a syndicate as one text, the way
// `settling` keeps them.
QString talliesKey(const SyndicateRecord &syndicate);

// The draws of `inserted` each syndicate plays and has already counted past:
// a row for each, kept in one transaction. A syndicate whose counted-through
// date is before a draw counts it as any new draw and gets no row; nor does
// one that had counted the draw before it was deleted (deleteDraw).
Status keepDrawsToCount(const ProgramDatabase &db, const QList<DrawRecord> &inserted,
                        const QList<SyndicateRecord> &syndicates);

// The same for the syndicates of `folder`, in its zafrano.db (begun when missing).
Status keepDrawsToCountIn(const DataFolder &folder, const QList<DrawRecord> &inserted);

// Deletes draw record `k` of the folder. The syndicates that had counted it
// are remembered in zafrano.db (when the folder has one): should the same day
// come back, by a download filling the hole or typed in, it is not counted
// for them a second time.
Status deleteDraw(const DataFolder &folder, int k);

// The rows and remembered deleted draws of a renamed syndicate take its new
// name. Runs inside the caller's transaction (the rename of its account).
Status renameInDrawsToCount(const ProgramDatabase &db, const QString &from, const QString &to);

// Every row, the oldest draw first.
Result<QList<DrawToCount>> drawsToCount(const ProgramDatabase &db);

// Sets the settling tallies of these rows (empty: clears them), in one transaction.
Status settleDrawsToCount(const ProgramDatabase &db, const QList<DrawToCount> &rows);

// Drops these rows: the draws were counted, or the check found nothing to count.
Status forgetDrawsToCount(const ProgramDatabase &db, const QList<DrawToCount> &rows);

// The draws still to count, by syndicate name, as a check takes them: the rows
// whose settling tallies the syndicate already has are left out (their write
// went through) and listed in `done`.
QHash<QString, QList<double>> pendingCounts(const QList<DrawToCount> &rows,
                                            const QList<SyndicateRecord> &syndicates,
                                            QList<DrawToCount> &done);

} // namespace zafrano
