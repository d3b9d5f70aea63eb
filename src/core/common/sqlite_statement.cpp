// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/sqlite_statement.h"

#include <QDate>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zafrano::sqlite {

Error databaseError(int code, Phase phase, const QString &path)
{
    const int primary = code & 0xff;
    ErrorKind kind = ErrorKind::Io;
    if (primary == SQLITE_READONLY || primary == SQLITE_PERM ||
        (primary == SQLITE_CANTOPEN && phase == Phase::Working))
        kind = ErrorKind::PermissionDenied;
    else if (primary == SQLITE_CANTOPEN)
        kind = ErrorKind::NotFound;
    else if (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT)
        kind = ErrorKind::InvalidData;
    return {kind,
            {QFileInfo(path).fileName() + u": "_s + QString::fromUtf8(sqlite3_errstr(primary)),
             u"Error"_s, MessageIcon::Exclamation},
            -primary};
}

Statement::Statement(sqlite3 *db, const QString &sql)
{
    const QByteArray text = sql.toUtf8();
    m_code =
        sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &m_stmt, nullptr);
}

void Statement::bind(int index, const QVariant &value)
{
    if (m_code != SQLITE_OK)
        return;
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        m_code = sqlite3_bind_null(m_stmt, index);
        break;
    case QMetaType::Int:
    case QMetaType::LongLong:
        m_code = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
        break;
    case QMetaType::Float:
    case QMetaType::Double:
        m_code = sqlite3_bind_double(m_stmt, index, value.toDouble());
        break;
    case QMetaType::QDate: {
        const QDate date = value.toDate();
        m_code = date.isValid() ? bindText(index, date.toString(Qt::ISODate))
                                : sqlite3_bind_null(m_stmt, index);
        break;
    }
    default:
        m_code = bindText(index, value.toString());
    }
}

int Statement::run()
{
    if (m_code != SQLITE_OK)
        return m_code;
    int step = SQLITE_ROW;
    while (step == SQLITE_ROW)
        step = sqlite3_step(m_stmt);
    return step == SQLITE_DONE ? SQLITE_OK : step;
}

int Statement::bindText(int index, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    return sqlite3_bind_text(m_stmt, index, bytes.constData(), static_cast<int>(bytes.size()),
                             SQLITE_TRANSIENT);
}

int execute(sqlite3 *db, const QString &sql, const QVariantList &values)
{
    Statement statement(db, sql);
    for (int i = 0; i < values.size(); ++i)
        statement.bind(i + 1, values[i]);
    return statement.run();
}

} // namespace zafrano::sqlite
