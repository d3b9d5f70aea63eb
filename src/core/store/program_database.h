// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"

#include <QString>
#include <functional>
#include <optional>

struct sqlite3;

namespace zafrano {

class DataFolder;

// The program's own database, zafrano.db in the data folder: the records of
// truth that the fixed record files have no room for (prizes per draw, and
// what later features add). SQLite in WAL mode; a schema-version table and
// one migration per version, each in its own transaction, so that a later
// program adds its tables without touching the earlier ones.
class ProgramDatabase
{
public:
    static constexpr auto FileName = u"zafrano.db";
    static constexpr auto DamagedName = u"zafrano.db.bad";
    // The newest schema this program knows.
    static int schemaVersion();

    // Opens (creating it when missing) the database and brings its schema up
    // to date. A damaged file is moved aside (zafrano.db.bad, …) and a new one
    // begun: notice() then says so. A file of a newer schema is left as it is
    // and not used: its own error.
    static Result<ProgramDatabase> open(const QString &path);
    static Result<ProgramDatabase> openIn(const DataFolder &folder);

    ProgramDatabase(ProgramDatabase &&other) noexcept;
    ProgramDatabase &operator=(ProgramDatabase &&other) noexcept;
    ProgramDatabase(const ProgramDatabase &) = delete;
    ProgramDatabase &operator=(const ProgramDatabase &) = delete;
    ~ProgramDatabase();

    sqlite3 *handle() const { return m_db; }
    const QString &path() const { return m_path; }
    const std::optional<ProgramMessage> &notice() const { return m_notice; }

    // Runs `work` in one write transaction: all of it is kept, or none.
    Status transaction(const std::function<Status()> &work) const;
    // The program's error for an SQLite result code met on this file.
    Error error(int code) const;

private:
    ProgramDatabase(sqlite3 *db, QString path) : m_db(db), m_path(std::move(path)) {}

    sqlite3 *m_db = nullptr;
    QString m_path;
    std::optional<ProgramMessage> m_notice;
};

} // namespace zafrano
