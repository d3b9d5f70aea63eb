// SPDX-License-Identifier: GPL-3.0-or-later
#include "checking/draws_to_count.h"

#include "checking/check_run.h"
#include "store/data_folder.h"
#include "store/day_serial.h"
#include "store/program_database.h"

using namespace Qt::StringLiterals;

namespace zafrano {

QString talliesKey(const SyndicateRecord &syndicate)
{
    QStringList parts;
    for (qint16 hit : syndicate.hits)
        parts.append(QString::number(hit));
    return parts.join(u',') + u'@' + QString::number(syndicate.countedThrough, 'f', 6);
}

Status keepDrawsToCount(const ProgramDatabase &db, const QList<DrawRecord> &inserted,
                        const QList<SyndicateRecord> &syndicates)
{
    return db.transaction([&]() -> Status {
        for (const DrawRecord &draw : inserted) {
            for (const SyndicateRecord &syndicate : syndicates) {
                if (syndicate.countedThrough < draw.drawDate || !playsDraw(syndicate, draw))
                    continue;
                // Counted before it was deleted: in the tallies already.
                Status forgotten = db.connection().execute(
                    u"DELETE FROM draws_counted_when_deleted WHERE draw_date = ? AND syndicate = ?;"_s,
                    {draw.date(), syndicate.nameText()});
                if (!forgotten)
                    return forgotten;
                if (db.connection().changes() > 0)
                    continue;
                Status kept = db.connection().execute(
                    u"INSERT OR REPLACE INTO draws_to_count (draw_date, syndicate, settling) "
                    u"VALUES (?, ?, '');"_s,
                    {draw.date(), syndicate.nameText()});
                if (!kept)
                    return kept;
            }
        }
        return {};
    });
}

Status keepDrawsToCountIn(const DataFolder &folder, const QList<DrawRecord> &inserted)
{
    if (inserted.isEmpty())
        return {};
    Result<QList<SyndicateRecord>> syndicates = folder.syndicates().readAll();
    if (!syndicates)
        return syndicates.error();
    if (syndicates->isEmpty())
        return {};
    Result<ProgramDatabase> db = ProgramDatabase::openIn(folder);
    if (!db)
        return db.error();
    return keepDrawsToCount(db.value(), inserted, syndicates.value());
}

Status deleteDraw(const DataFolder &folder, int k)
{
    const DrawsFile file = folder.draws();
    Result<QList<DrawRecord>> draws = file.readAll();
    if (!draws)
        return draws.error();
    if (k < 1 || k > draws->size())
        return file.removeRecord(k);
    const DrawRecord removed = draws->at(k - 1);
    // The newest draw comes back after the counted-through dates, which the
    // check never counts again; only a draw behind the newest is remembered.
    const bool behindNewest = k < draws->size();
    const Result<QList<SyndicateRecord>> syndicates = folder.syndicates().readAll();
    QList<SyndicateRecord> counted;
    if (behindNewest && syndicates) {
        for (const SyndicateRecord &syndicate : syndicates.value()) {
            if (syndicate.countedThrough >= removed.drawDate && playsDraw(syndicate, removed))
                counted.append(syndicate);
        }
    }
    if (counted.isEmpty())
        return file.removeRecord(k);
    Result<ProgramDatabase> db = ProgramDatabase::openIn(folder);
    if (!db)
        return db.error();
    // Remembered first: a draw gone from the file without its memory would
    // be counted twice when it came back.
    Status remembered = db->transaction([&]() -> Status {
        for (const SyndicateRecord &syndicate : std::as_const(counted)) {
            Status kept = db->connection().execute(
                u"INSERT OR REPLACE INTO draws_counted_when_deleted (draw_date, syndicate) "
                u"VALUES (?, ?);"_s,
                {removed.date(), syndicate.nameText()});
            if (!kept)
                return kept;
        }
        return {};
    });
    if (!remembered)
        return remembered;
    return file.removeRecord(k);
}

Status renameInDrawsToCount(const ProgramDatabase &db, const QString &from, const QString &to)
{
    for (const QString &table : {u"draws_to_count"_s, u"draws_counted_when_deleted"_s}) {
        Status moved = db.connection().execute(
            u"UPDATE %1 SET syndicate = ? WHERE syndicate = ?;"_s.arg(table), {to, from});
        if (!moved)
            return moved;
    }
    return {};
}

Result<QList<DrawToCount>> drawsToCount(const ProgramDatabase &db)
{
    QList<DrawToCount> rows;
    Status read = db.connection().eachRow(
        u"SELECT draw_date, syndicate, settling FROM draws_to_count ORDER BY draw_date;"_s, {},
        [&](const sqlite::Statement &row) {
            rows.append({QDate::fromString(row.text(0), Qt::ISODate), row.text(1), row.text(2)});
        });
    if (!read)
        return read.error();
    return rows;
}

Status settleDrawsToCount(const ProgramDatabase &db, const QList<DrawToCount> &rows)
{
    return db.transaction([&]() -> Status {
        for (const DrawToCount &row : rows) {
            Status set = db.connection().execute(
                u"UPDATE draws_to_count SET settling = ? WHERE draw_date = ? AND syndicate = ?;"_s,
                {row.settling, row.draw, row.syndicate});
            if (!set)
                return set;
        }
        return {};
    });
}

Status forgetDrawsToCount(const ProgramDatabase &db, const QList<DrawToCount> &rows)
{
    return db.transaction([&]() -> Status {
        for (const DrawToCount &row : rows) {
            Status dropped = db.connection().execute(
                u"DELETE FROM draws_to_count WHERE draw_date = ? AND syndicate = ?;"_s,
                {row.draw, row.syndicate});
            if (!dropped)
                return dropped;
        }
        return {};
    });
}

QHash<QString, QList<double>> pendingCounts(const QList<DrawToCount> &rows,
                                            const QList<SyndicateRecord> &syndicates,
                                            QList<DrawToCount> &done)
{
    QHash<QString, QString> keys;
    for (const SyndicateRecord &syndicate : syndicates)
        keys.insert(syndicate.nameText(), talliesKey(syndicate));
    QHash<QString, QList<double>> pending;
    for (const DrawToCount &row : rows) {
        if (!row.settling.isEmpty() && keys.value(row.syndicate) == row.settling)
            done.append(row);
        else
            pending[row.syndicate].append(toDaySerial(row.draw));
    }
    return pending;
}

} // namespace zafrano
