// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

// The one way the program opens and reads its SQLite files (zafrano.db, the
// copies of it, the report database): a connection, its statements with
// bound values, typed columns and transactions, every failure an Error.
namespace zafrano::sqlite {

// Whether a failure came while the file was being opened or once it was open:
// a file that cannot be opened then is missing, later it may not be written.
enum class Phase
{
    Opening,
    Working
};

// The program's error for an SQLite result code on the file at `path`.
Error databaseError(int code, Phase phase, const QString &path);

// Whether an error of this layer means the file is no database or a damaged one.
bool isDamage(const Error &error);

enum class OpenMode
{
    ReadOnly,
    // Read-only, and nothing else may change the file while it is open: a
    // database in WAL mode in a folder nobody may write is read as it stands.
    ReadOnlyUnchanging,
    ReadWrite,
    // Read-write, and the file is made when it is missing.
    Create
};

// One prepared statement, finalized when it goes out of scope. A failure to
// prepare or bind is kept in code() and every later call does nothing.
class Statement
{
public:
    Statement(sqlite3 *db, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    int code() const { return m_code; }

    // Binds a null (an invalid QVariant or date), a whole number, a real, a
    // date (as ISO text) or a text.
    void bind(int index, const QVariant &value);
    // Binds the values in order from the first parameter.
    void bindAll(const QVariantList &values);
    // Steps to the next row: false at the end or on a failure, which code() then holds.
    bool next();
    // Runs the statement to its end; the SQLite result code.
    int run();

    // The columns of the current row.
    bool isNull(int column) const;
    QString text(int column) const;
    int integer(int column) const;
    qint64 int64(int column) const;
    double real(int column) const;
    // An ISO date text; an invalid date for a null or another text.
    QDate date(int column) const;
    std::optional<int> optionalInteger(int column) const;
    // The column's storage class (SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, …).
    int type(int column) const;

private:
    int bindText(int index, const QString &text);

    sqlite3_stmt *m_stmt = nullptr;
    int m_code = 0;
};

// One open database file, closed when it goes out of scope.
class Connection
{
public:
    // Opens the file and checks that it reads as a database (with `key`, the
    // statements that give SQLCipher its password, for an encrypted file): a
    // missing, damaged or foreign file, or a wrong password, is an error of
    // the Opening phase.
    static Result<Connection> open(const QString &path, OpenMode mode, const char *key = nullptr);

    Connection(Connection &&other) noexcept;
    Connection &operator=(Connection &&other) noexcept;
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;
    ~Connection();

    const QString &path() const { return m_path; }

    // The program's error for an SQLite result code met on this open file.
    Error error(int code) const;

    // Runs one statement with its values bound in order.
    Status execute(const QString &sql, const QVariantList &values = {}) const;
    // Runs statements without values, such as pragmas or a schema.
    Status executeScript(const char *sql) const;
    // Prepares a statement; its failure shows in code().
    Statement prepare(const QString &sql) const { return Statement(m_db, sql); }
    // Runs a query and hands each row to `row`.
    Status eachRow(const QString &sql, const QVariantList &values,
                   const std::function<void(const Statement &)> &row) const;
    // The rows the last statement changed.
    int changes() const;
    // The rowid of the last row inserted.
    qint64 lastInsertId() const;

    // Runs `work` in one write transaction: all of it is kept, or none.
    Status transaction(const std::function<Status()> &work) const;

    // The whole database copied into `target` through SQLite's online backup,
    // consistent while others write.
    Status backupTo(const Connection &target) const;

private:
    Connection(sqlite3 *db, QString path) : m_db(db), m_path(std::move(path)) {}

    sqlite3 *m_db = nullptr;
    QString m_path;
};

} // namespace zafrano::sqlite
