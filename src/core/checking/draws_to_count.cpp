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

Status renameInDrawsToCount(const ProgramDatabase &db, const QString &from, const QString &to)
{
    return db.connection().execute(
        u"UPDATE draws_to_count SET syndicate = ? WHERE syndicate = ?;"_s, {to, from});
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
