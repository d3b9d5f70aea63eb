// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "common/sqlite_connection.h"

#include <QString>
#include <functional>
#include <optional>

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
    // and not used: its own error. `beforeMigration` runs before the schema of
    // a file in use changes (the start-up's copy), and its error stops the open.
    static Result<ProgramDatabase> open(const QString &path,
                                        const std::function<Status()> &beforeMigration = {});
    static Result<ProgramDatabase> openIn(const DataFolder &folder,
                                          const std::function<Status()> &beforeMigration = {});

    const sqlite::Connection &connection() const { return m_connection; }
    const QString &path() const { return m_connection.path(); }
    const std::optional<ProgramMessage> &notice() const { return m_notice; }

    // Told of every damaged file put aside from now on, whichever road opened
    // it, so that a damage met while the window is open, or by a command, is
    // said once, where it happens. The start-up says its own through its
    // notice; the programs listen once it is done, and notice() is then
    // empty. An empty listener stops it.
    static void setDamageListener(std::function<void(const ProgramMessage &)> listener);

    // Runs `work` in one write transaction: all of it is kept, or none.
    Status transaction(const std::function<Status()> &work) const;

private:
    explicit ProgramDatabase(sqlite::Connection connection) : m_connection(std::move(connection)) {}

    sqlite::Connection m_connection;
    std::optional<ProgramMessage> m_notice;
};

} // namespace zafrano
