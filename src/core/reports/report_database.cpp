// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/report_database.h"

#include "common/sqlite_connection.h"
#include "store/day_serial.h"

#include <QFileInfo>
#include <QVariant>
#include <functional>
#include <optional>
#include <sqlcipher/sqlite3.h>

using namespace Qt::StringLiterals;

namespace zafrano {

using sqlite::Connection;
using sqlite::Statement;

namespace {

// The database password of the program's report file. The password is the
// program's own, not a secret of the player's, so the key is derived with few
// rounds: every operation opens its own connection, and the default rounds
// cost some 30 ms each time.
constexpr const char *KeyStatement = "PRAGMA key = 'tormelvaquindesprola'; PRAGMA kdf_iter = 4000;";

struct ColumnDef
{
    QString name;
    QString type;
    bool money = false; // printed with two decimals
};

struct TableDef
{
    QString name;
    QList<ColumnDef> columns;
    bool singleRow = false;
};

// The one definition of the report tables; the build tool and the tests make
// their files from it.
const QList<TableDef> &tableDefs()
{
    static const QList<TableDef> defs = {
        {u"Peñanums"_s, {{u"Numeros"_s, u"TEXT"_s}}, false},
        {u"Peña"_s,
         {{u"Nombre"_s, u"TEXT"_s},
          {u"Diasajugar"_s, u"TEXT"_s},
          {u"Dinero"_s, u"REAL"_s, true},
          {u"Dia1"_s, u"DATE"_s},
          {u"Dia2"_s, u"DATE"_s},
          {u"Aciertos"_s, u"TEXT"_s},
          {u"Sorteos"_s, u"REAL"_s},
          {u"3"_s, u"INTEGER"_s},
          {u"4"_s, u"INTEGER"_s},
          {u"5"_s, u"INTEGER"_s},
          {u"5C"_s, u"INTEGER"_s},
          {u"6"_s, u"INTEGER"_s},
          // The kind of bet, for the report to name; the detail's two lines.
          {u"Tipo"_s, u"TEXT"_s}},
         true},
        {u"Numeros"_s, {{u"Numero"_s, u"INTEGER"_s}, {u"Veces"_s, u"INTEGER"_s}}, false},
        {u"Sorteos"_s,
         {{u"Dia1"_s, u"DATE"_s},
          {u"Dia2"_s, u"DATE"_s},
          {u"Total"_s, u"INTEGER"_s},
          {u"Diasajugar"_s, u"TEXT"_s}},
         true},
        {u"Informe"_s,
         {{u"Frase"_s, u"TEXT"_s},
          {u"Letrero"_s, u"TEXT"_s},
          {u"Informacion"_s, u"TEXT"_s},
          {u"Premio6"_s, u"TEXT"_s},
          {u"Premio5c"_s, u"TEXT"_s},
          {u"Premio5"_s, u"TEXT"_s},
          {u"Premio4"_s, u"TEXT"_s},
          {u"Premio3"_s, u"TEXT"_s}},
         true},
    };
    return defs;
}

QString quoted(const QString &name)
{
    return u'"' + name + u'"';
}

Error noCurrentRow(const QString &table)
{
    return {
        ErrorKind::InvalidData,
        {u"La tabla "_s + table + u" no tiene su fila."_s, u"Error"_s, MessageIcon::Exclamation},
        ReportDatabase::NoCurrentRow};
}

struct Access
{
    bool write = true;
    bool create = false;
};

// The connection of the running ReportDatabase::Session: opened by its first
// write, closed when the outermost session ends.
struct SessionConnection
{
    QString path;
    int depth = 0;
    std::optional<Connection> connection;
    bool openFailed = false;
};
std::optional<SessionConnection> session;

// The session's connection for a write to `path`, opened on the first one; a
// file the session cannot open is left to each write to open and say.
const Connection *sessionConnectionFor(const QString &path)
{
    if (!session || session->path != path || session->openFailed)
        return nullptr;
    if (!session->connection) {
        Result<Connection> db = Connection::open(path, sqlite::OpenMode::ReadWrite, KeyStatement);
        if (!db) {
            session->openFailed = true;
            return nullptr;
        }
        session->connection = std::move(db).value();
    }
    return &*session->connection;
}

// Opens the file with its password, runs `work` inside one transaction and
// closes the connection whatever happened. Within a session a write runs on
// the session's connection, in a transaction of its own.
Status withDatabase(const QString &path, Access access,
                    const std::function<Status(const Connection &)> &work)
{
    if (access.write && !access.create) {
        if (const Connection *shared = sessionConnectionFor(path))
            return shared->transaction([&] { return work(*shared); });
    }
    const sqlite::OpenMode mode = !access.write   ? sqlite::OpenMode::ReadOnly
                                  : access.create ? sqlite::OpenMode::Create
                                                  : sqlite::OpenMode::ReadWrite;
    Result<Connection> db = Connection::open(path, mode, KeyStatement);
    if (!db)
        return db.error();
    if (!access.write)
        return work(db.value());
    return db->transaction([&] { return work(db.value()); });
}

// Changes the first row of a single-row table in place.
Status updateSingleRow(const Connection &db, const QString &table,
                       const QList<std::pair<QString, QVariant>> &fields)
{
    QStringList assignments;
    QVariantList values;
    for (const auto &[column, value] : fields) {
        assignments.append(quoted(column) + u" = ?"_s);
        values.append(value);
    }
    const QString sql = u"UPDATE %1 SET %2 WHERE rowid = (SELECT min(rowid) FROM %1)"_s.arg(
        quoted(table), assignments.join(u", "_s));
    if (Status updated = db.execute(sql, values); !updated)
        return updated;
    if (db.changes() == 0)
        return noCurrentRow(table);
    return {};
}

QString decimalText(double value)
{
    return QString::number(value, 'g', 10).replace(u'.', u',');
}

// A stored value as the layouts print it.
QString cellText(const Statement &row, int column, const ColumnDef &def)
{
    const QString &type = def.type;
    const int stored = row.type(column);
    if (def.money && (stored == SQLITE_FLOAT || stored == SQLITE_INTEGER))
        return moneyText(centsFromEuros(row.real(column)));
    switch (stored) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return QString::number(row.int64(column));
    case SQLITE_FLOAT:
        return decimalText(row.real(column));
    default:
        break;
    }
    const QString text = row.text(column);
    if (type == u"DATE"_s) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        return date.isValid() ? shortDate(date) : text;
    }
    return text;
}

} // namespace

ReportDatabase::Session::Session(const ReportDatabase &database)
{
    if (session) {
        // Nested: the outer session goes on; one for another file is not taken.
        if (session->path == database.path())
            ++session->depth;
        else
            m_inactive = true;
        return;
    }
    session.emplace(SessionConnection{database.path(), 1, std::nullopt, false});
}

ReportDatabase::Session::~Session()
{
    if (m_inactive || !session)
        return;
    if (--session->depth == 0)
        session.reset();
}

const QList<std::pair<QString, QStringList>> &reportSchema()
{
    static const QList<std::pair<QString, QStringList>> schema = [] {
        QList<std::pair<QString, QStringList>> list;
        for (const TableDef &table : tableDefs()) {
            QStringList columns;
            for (const ColumnDef &column : table.columns)
                columns.append(column.name);
            list.append({table.name, columns});
        }
        return list;
    }();
    return schema;
}

Status ReportDatabase::create() const
{
    if (QFileInfo::exists(m_path))
        return Error{ErrorKind::Io,
                     {m_path + u" ya existe."_s, u"Error"_s, MessageIcon::Exclamation},
                     -SQLITE_CANTOPEN};
    return withDatabase(m_path, {true, true}, [](const Connection &db) -> Status {
        for (const TableDef &table : tableDefs()) {
            QStringList columns;
            for (const ColumnDef &column : table.columns)
                columns.append(quoted(column.name) + u' ' + column.type);
            Status made = db.execute(
                u"CREATE TABLE %1 (%2)"_s.arg(quoted(table.name), columns.join(u", "_s)));
            if (made && table.singleRow)
                made = db.execute(u"INSERT INTO %1 DEFAULT VALUES"_s.arg(quoted(table.name)));
            if (!made)
                return made;
        }
        return {};
    });
}

Status ReportDatabase::writeSyndicate(const QStringList &bets, const SyndicateReportRow &row) const
{
    return withDatabase(m_path, {}, [&](const Connection &db) -> Status {
        Status written = db.execute(u"DELETE FROM \"Peñanums\""_s);
        for (qsizetype i = 0; written && i < bets.size(); ++i)
            written = db.execute(u"INSERT INTO \"Peñanums\" (\"Numeros\") VALUES (?)"_s, {bets[i]});
        if (!written)
            return written;
        return updateSingleRow(db, u"Peña"_s,
                               {{u"Nombre"_s, row.name},
                                {u"Diasajugar"_s, row.days},
                                {u"Dinero"_s, eurosFromCents(row.money)},
                                {u"Dia1"_s, row.createdOn},
                                {u"Dia2"_s, row.checkedTo},
                                {u"Aciertos"_s, row.hitShare},
                                {u"Sorteos"_s, row.draws},
                                {u"3"_s, row.prizes[0]},
                                {u"4"_s, row.prizes[1]},
                                {u"5"_s, row.prizes[2]},
                                {u"5C"_s, row.prizes[3]},
                                {u"6"_s, row.prizes[4]},
                                {u"Tipo"_s, row.kind}});
    });
}

Status ReportDatabase::writeSelection(const SelectionRow &row) const
{
    return withDatabase(m_path, {}, [&](const Connection &db) {
        QList<std::pair<QString, QVariant>> fields = {
            {u"Dia2"_s, row.newest}, {u"Dia1"_s, row.oldest}, {u"Total"_s, row.total}};
        // A set of days without a text of its own leaves the stored one.
        if (!row.daysText.isEmpty())
            fields.append({u"Diasajugar"_s, row.daysText});
        return updateSingleRow(db, u"Sorteos"_s, fields);
    });
}

Status ReportDatabase::writeChosenNumbers(const QList<RankedNumber> &numbers) const
{
    return withDatabase(m_path, {}, [&](const Connection &db) -> Status {
        Status written = db.execute(u"DELETE FROM \"Numeros\""_s);
        for (qsizetype i = 0; written && i < numbers.size(); ++i)
            written = db.execute(u"INSERT INTO \"Numeros\" (\"Numero\", \"Veces\") VALUES (?, ?)"_s,
                                 {numbers[i].number, numbers[i].times});
        return written;
    });
}

Status ReportDatabase::writeNewestDrawText(const QString &text) const
{
    return withDatabase(m_path, {}, [&](const Connection &db) {
        return updateSingleRow(db, u"Informe"_s, {{u"Frase"_s, text}});
    });
}

Result<ReportTables> ReportDatabase::readAll() const
{
    ReportTables tables;
    Status read = withDatabase(m_path, {false, false}, [&](const Connection &db) -> Status {
        for (const TableDef &table : tableDefs()) {
            // Ties keep the order the rows were added in: the ranking's.
            const QString order =
                table.name == u"Numeros"_s ? u"\"Veces\" DESC, rowid"_s : u"rowid"_s;
            QStringList columns;
            for (const ColumnDef &column : table.columns)
                columns.append(quoted(column.name));
            QList<ReportRow> rows;
            Status selected = db.eachRow(u"SELECT %1 FROM %2 ORDER BY %3"_s.arg(
                                             columns.join(u", "_s), quoted(table.name), order),
                                         {}, [&](const Statement &select) {
                                             ReportRow row;
                                             for (int c = 0; c < table.columns.size(); ++c)
                                                 row.insert(table.columns[c].name,
                                                            cellText(select, c, table.columns[c]));
                                             rows.append(row);
                                         });
            if (!selected)
                return selected;
            tables.insert(table.name, rows);
        }
        return {};
    });
    if (!read)
        return read.error();
    return tables;
}

} // namespace zafrano
