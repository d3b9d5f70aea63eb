// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/sqlite_connection.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <sqlcipher/sqlite3.h>

using namespace Qt::StringLiterals;

namespace zafrano::sqlite {

namespace {

// SQLite's result codes in the program's words (its own texts are English).
QString resultCodeText(int primary)
{
    switch (primary) {
    case SQLITE_READONLY:
        return u"no se puede escribir: el archivo o su carpeta son de solo lectura"_s;
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return u"no hay permiso para usar el archivo"_s;
    case SQLITE_CANTOPEN:
        return u"no se puede abrir el archivo"_s;
    case SQLITE_NOTADB:
        return u"el archivo no es una base de datos o está cifrado con otra clave"_s;
    case SQLITE_CORRUPT:
        return u"el archivo está dañado"_s;
    case SQLITE_FULL:
        return u"el disco está lleno"_s;
    case SQLITE_IOERR:
        return u"error de lectura o escritura en el disco"_s;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return u"otro programa está usando la base de datos; pruebe otra vez en un momento"_s;
    case SQLITE_NOMEM:
        return u"no queda memoria libre"_s;
    case SQLITE_TOOBIG:
        return u"un dato es demasiado grande"_s;
    case SQLITE_CONSTRAINT:
        return u"un dato contradice lo ya guardado"_s;
    case SQLITE_SCHEMA:
    case SQLITE_ERROR:
        return u"la base de datos no tiene la forma que el programa espera"_s;
    default:
        return u"error de la base de datos (código %1)"_s.arg(primary);
    }
}

} // namespace

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
            {QFileInfo(path).fileName() + u": "_s + resultCodeText(primary) + u'.', u"Error"_s,
             MessageIcon::Exclamation},
            -primary};
}

bool isDamage(const Error &error)
{
    return error.number == -SQLITE_NOTADB || error.number == -SQLITE_CORRUPT;
}

Statement::Statement(sqlite3 *db, const QString &sql)
{
    const QByteArray text = sql.toUtf8();
    m_code =
        sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &m_stmt, nullptr);
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
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

void Statement::bindAll(const QVariantList &values)
{
    for (qsizetype i = 0; i < values.size(); ++i)
        bind(static_cast<int>(i + 1), values[i]);
}

bool Statement::next()
{
    if (m_code != SQLITE_OK)
        return false;
    const int step = sqlite3_step(m_stmt);
    if (step == SQLITE_ROW)
        return true;
    // The end of the rows leaves the statement as good as before.
    if (step != SQLITE_DONE)
        m_code = step;
    return false;
}

int Statement::run()
{
    while (next()) {
    }
    return m_code;
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

QString Statement::text(int column) const
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column)),
                             sqlite3_column_bytes(m_stmt, column));
}

int Statement::integer(int column) const
{
    return sqlite3_column_int(m_stmt, column);
}

qint64 Statement::int64(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

double Statement::real(int column) const
{
    return sqlite3_column_double(m_stmt, column);
}

QDate Statement::date(int column) const
{
    return QDate::fromString(text(column), Qt::ISODate);
}

std::optional<int> Statement::optionalInteger(int column) const
{
    return isNull(column) ? std::nullopt : std::optional<int>(integer(column));
}

int Statement::type(int column) const
{
    return sqlite3_column_type(m_stmt, column);
}

int Statement::bindText(int index, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    return sqlite3_bind_text(m_stmt, index, bytes.constData(), static_cast<int>(bytes.size()),
                             SQLITE_TRANSIENT);
}

Result<Connection> Connection::open(const QString &path, OpenMode mode, const char *key)
{
    const bool readOnly = mode == OpenMode::ReadOnly || mode == OpenMode::ReadOnlyUnchanging;
    int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (mode == OpenMode::Create)
        flags |= SQLITE_OPEN_CREATE;
    QByteArray file = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    if (mode == OpenMode::ReadOnlyUnchanging) {
        file = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded() + "?immutable=1";
        flags |= SQLITE_OPEN_URI;
    }
    sqlite3 *handle = nullptr;
    const int opened = sqlite3_open_v2(file.constData(), &handle, flags, nullptr);
    Connection connection(handle, path); // closes the handle even when the open failed
    if (opened != SQLITE_OK)
        return databaseError(opened, Phase::Opening, path);
    sqlite3_extended_result_codes(handle, 1);
    sqlite3_busy_timeout(handle, 2000);
    int code = key ? sqlite3_exec(handle, key, nullptr, nullptr, nullptr) : SQLITE_OK;
    // A wrong password, a damaged or foreign file shows on the first read.
    if (code == SQLITE_OK)
        code =
            sqlite3_exec(handle, "SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr);
    if (code != SQLITE_OK)
        return databaseError(code, Phase::Opening, path);
    return connection;
}

Connection::Connection(Connection &&other) noexcept
    : m_db(std::exchange(other.m_db, nullptr)), m_path(std::move(other.m_path))
{}

Connection &Connection::operator=(Connection &&other) noexcept
{
    if (this != &other) {
        sqlite3_close_v2(m_db);
        m_db = std::exchange(other.m_db, nullptr);
        m_path = std::move(other.m_path);
    }
    return *this;
}

Connection::~Connection()
{
    sqlite3_close_v2(m_db);
}

Error Connection::error(int code) const
{
    return databaseError(code, Phase::Working, m_path);
}

Status Connection::execute(const QString &sql, const QVariantList &values) const
{
    Statement statement(m_db, sql);
    statement.bindAll(values);
    const int code = statement.run();
    return code == SQLITE_OK ? Status() : Status(error(code));
}

Status Connection::executeScript(const char *sql) const
{
    const int code = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
    return code == SQLITE_OK ? Status() : Status(error(code));
}

Status Connection::eachRow(const QString &sql, const QVariantList &values,
                           const std::function<void(const Statement &)> &row) const
{
    Statement select(m_db, sql);
    select.bindAll(values);
    while (select.next())
        row(select);
    return select.code() == SQLITE_OK ? Status() : Status(error(select.code()));
}

int Connection::changes() const
{
    return sqlite3_changes(m_db);
}

qint64 Connection::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

Status Connection::transaction(const std::function<Status()> &work) const
{
    if (Status begun = executeScript("BEGIN IMMEDIATE;"); !begun)
        return begun;
    Status done = work();
    if (done)
        done = executeScript("COMMIT;");
    if (!done)
        sqlite3_exec(m_db, "ROLLBACK;", nullptr, nullptr, nullptr);
    return done;
}

Status Connection::backupTo(const Connection &target) const
{
    sqlite3_backup *backup = sqlite3_backup_init(target.m_db, "main", m_db, "main");
    if (!backup)
        return target.error(sqlite3_errcode(target.m_db));
    const int stepped = sqlite3_backup_step(backup, -1);
    int code = sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE)
        code = stepped;
    return code == SQLITE_OK ? Status() : Status(error(code));
}

} // namespace zafrano::sqlite
