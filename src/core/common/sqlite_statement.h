// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"

#include <QString>
#include <QVariant>
#include <sqlcipher/sqlite3.h>

// The small part of SQLite's C interface the program's databases share.
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

// One prepared statement, finalized when it goes out of scope.
class Statement
{
public:
    Statement(sqlite3 *db, const QString &sql);
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    int code() const { return m_code; }
    sqlite3_stmt *get() const { return m_stmt; }

    // Binds a null, a whole number, a real, a date (as ISO text) or a text.
    void bind(int index, const QVariant &value);
    // Runs the statement to its end.
    int run();

private:
    int bindText(int index, const QString &text);

    sqlite3_stmt *m_stmt = nullptr;
    int m_code = SQLITE_OK;
};

// Runs one statement with its values bound in order.
int execute(sqlite3 *db, const QString &sql, const QVariantList &values = {});

} // namespace zafrano::sqlite
