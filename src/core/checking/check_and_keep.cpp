// SPDX-License-Identifier: GPL-3.0-or-later
#include "checking/check_and_keep.h"

#include "checking/draws_to_count.h"
#include "checking/prize_category.h"
#include "store/program_database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <ranges>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

// The categories from the lowest up, each with the bets it grew by.
QStringList winningLines(const QList<SyndicateRecord> &before, const CheckResults &results)
{
    QStringList lines;
    for (int record : results.changedRecords) {
        const SyndicateRecord &old = before.at(record - 1);
        const SyndicateRecord &now = results.syndicates.at(record - 1);
        QStringList won;
        for (const PrizeCategoryInfo &category : std::views::reverse(PrizeCategories)) {
            if (const int added = now.hit(category.slot) - old.hit(category.slot); added > 0)
                won.append(u"%1 %2"_s.arg(QString::fromUtf16(category.shortName)).arg(added));
        }
        if (!won.isEmpty())
            lines.append(u"Premio en la peña "_s + now.nameText() + u": "_s + won.join(u", "_s));
    }
    return lines;
}

// The rows of the draws still to count, from the zafrano.db beside the
// syndicates file; none when there is no such file (reading creates nothing)
// or it cannot be read (the next check tries again).
std::optional<ProgramDatabase> databaseBeside(const SyndicatesFile &file)
{
    const QString path =
        QFileInfo(file.path()).dir().filePath(QString::fromUtf16(ProgramDatabase::FileName));
    if (!QFile::exists(path))
        return std::nullopt;
    Result<ProgramDatabase> db = ProgramDatabase::open(path);
    if (!db)
        return std::nullopt;
    return std::move(db).value();
}

// The rows this check counted, with the tallies its write brings.
QList<DrawToCount> settledRows(const QList<DrawToCount> &rows, const QList<DrawToCount> &done,
                               const QList<SyndicateRecord> &after)
{
    QHash<QString, QString> keys;
    for (const SyndicateRecord &syndicate : after)
        keys.insert(syndicate.nameText(), talliesKey(syndicate));
    QList<DrawToCount> settled;
    for (DrawToCount row : rows) {
        if (done.contains(row))
            continue;
        row.settling = keys.value(row.syndicate);
        settled.append(row);
    }
    return settled;
}

} // namespace

KeptCheck checkAndKeep(const SyndicatesFile &file, const QList<DrawRecord> &draws,
                       const QList<SyndicateRecord> &syndicates, const CheckOptions &options,
                       TallyWrite write, const CheckProgress &progress)
{
    KeptCheck check;
    const std::optional<ProgramDatabase> db = databaseBeside(file);
    QList<DrawToCount> rows;
    QList<DrawToCount> done;
    CheckOptions counting = options;
    if (db) {
        if (Result<QList<DrawToCount>> read = drawsToCount(*db); read && !read->isEmpty()) {
            rows = std::move(read).value();
            counting.drawsToCount = pendingCounts(rows, syndicates, done);
        }
    }
    check.results = runCheck(draws, syndicates, counting, progress);
    if (write == TallyWrite::DryRun) {
        check.winningLines = winningLines(syndicates, check.results);
        return check;
    }
    // Before the write, each row counted holds the tallies it brings: after a
    // crash, the next check finds them in the file and counts nothing again.
    const QList<DrawToCount> settled = settledRows(rows, done, check.results.syndicates);
    if (!settled.isEmpty() && !check.results.changedRecords.isEmpty()) {
        if (Status marked = settleDrawsToCount(*db, settled); !marked) {
            check.kept = marked;
            check.results.syndicates = syndicates;
            check.results.changedRecords.clear();
            check.results.finds.clear();
            return check;
        }
    }
    if (!check.results.changedRecords.isEmpty()) {
        check.kept = file.writeAll(check.results.syndicates);
        if (!check.kept) {
            check.results.syndicates = syndicates;
            check.results.changedRecords.clear();
            check.results.finds.clear();
            return check;
        }
    }
    // Counted: the rows go. Should this fail, their settling tallies still say so.
    if (db && !rows.isEmpty())
        (void)forgetDrawsToCount(*db, rows);
    check.winningLines = winningLines(syndicates, check.results);
    return check;
}

} // namespace zafrano
