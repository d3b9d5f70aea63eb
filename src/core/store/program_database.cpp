// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/program_database.h"

#include "common/sqlite_connection.h"
#include "store/data_folder.h"
#include "store/record_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

std::function<void(const ProgramMessage &)> &damageListener()
{
    static std::function<void(const ProgramMessage &)> listener;
    return listener;
}

// Migration k brings the schema from version k − 1 to k. Never change one
// that has shipped: add the next.
const QList<const char *> &migrations()
{
    static const QList<const char *> list = {
        "CREATE TABLE schema_version (version INTEGER NOT NULL);"
        "INSERT INTO schema_version (version) VALUES (0);"
        "CREATE TABLE draw_prizes ("
        "  draw_date TEXT NOT NULL,"
        "  category TEXT NOT NULL,"
        "  cents INTEGER NOT NULL,"
        "  PRIMARY KEY (draw_date, category)) WITHOUT ROWID;",
        // The prizes an unattended check found, and whether the desktop
        // notification and the window have said them yet.
        "CREATE TABLE prize_marks ("
        "  draw_date TEXT NOT NULL,"
        "  syndicate TEXT NOT NULL,"
        "  bets TEXT NOT NULL,"
        "  announced INTEGER NOT NULL DEFAULT 0,"
        "  shown INTEGER NOT NULL DEFAULT 0,"
        "  PRIMARY KEY (draw_date, syndicate)) WITHOUT ROWID;",
        // The peñas' accounts: members, movements in cents, the price per bet
        // and the bets each played, both dated so that a change only touches
        // later draws.
        "CREATE TABLE ledger_accounts ("
        "  syndicate TEXT PRIMARY KEY,"
        "  created_on TEXT NOT NULL,"
        "  closed_on TEXT,"
        "  reintegro INTEGER,"
        "  reintegro_from TEXT);"
        "CREATE TABLE ledger_members ("
        "  account TEXT NOT NULL,"
        "  name TEXT NOT NULL,"
        "  shares INTEGER NOT NULL CHECK (shares >= 1),"
        "  joined TEXT NOT NULL,"
        "  left_on TEXT,"
        "  PRIMARY KEY (account, name));"
        "CREATE TABLE ledger_movements ("
        "  id INTEGER PRIMARY KEY,"
        "  account TEXT NOT NULL,"
        "  kind TEXT NOT NULL,"
        "  member TEXT,"
        "  cents INTEGER NOT NULL CHECK (cents > 0),"
        "  date TEXT NOT NULL,"
        "  note TEXT NOT NULL DEFAULT '');"
        "CREATE TABLE bet_prices (since TEXT PRIMARY KEY, cents INTEGER NOT NULL);"
        "CREATE TABLE ledger_bets ("
        "  account TEXT NOT NULL,"
        "  since TEXT NOT NULL,"
        "  record TEXT NOT NULL,"
        "  PRIMARY KEY (account, since));",
        // Each account gets its own number, and its members, movements and
        // bets point to it: a renamed peña keeps its account, and a new peña
        // of a deleted one's name gets its own beside the closed one. One
        // open account per name. Every account kept so far keeps its rows,
        // in their order.
        "CREATE TABLE ledger_accounts_by_id ("
        "  id INTEGER PRIMARY KEY,"
        "  syndicate TEXT NOT NULL,"
        "  created_on TEXT NOT NULL,"
        "  closed_on TEXT,"
        "  reintegro INTEGER,"
        "  reintegro_from TEXT);"
        "INSERT INTO ledger_accounts_by_id"
        "  (syndicate, created_on, closed_on, reintegro, reintegro_from)"
        "  SELECT syndicate, created_on, closed_on, reintegro, reintegro_from"
        "  FROM ledger_accounts ORDER BY rowid;"
        "CREATE TABLE ledger_members_by_id ("
        "  account INTEGER NOT NULL,"
        "  name TEXT NOT NULL,"
        "  shares INTEGER NOT NULL CHECK (shares >= 1),"
        "  joined TEXT NOT NULL,"
        "  left_on TEXT,"
        "  PRIMARY KEY (account, name));"
        "INSERT INTO ledger_members_by_id (account, name, shares, joined, left_on)"
        "  SELECT a.id, m.name, m.shares, m.joined, m.left_on FROM ledger_members m"
        "  JOIN ledger_accounts_by_id a ON a.syndicate = m.account ORDER BY m.rowid;"
        "CREATE TABLE ledger_movements_by_id ("
        "  id INTEGER PRIMARY KEY,"
        "  account INTEGER NOT NULL,"
        "  kind TEXT NOT NULL,"
        "  member TEXT,"
        "  cents INTEGER NOT NULL CHECK (cents > 0),"
        "  date TEXT NOT NULL,"
        "  note TEXT NOT NULL DEFAULT '');"
        "INSERT INTO ledger_movements_by_id (id, account, kind, member, cents, date, note)"
        "  SELECT m.id, a.id, m.kind, m.member, m.cents, m.date, m.note FROM ledger_movements m"
        "  JOIN ledger_accounts_by_id a ON a.syndicate = m.account;"
        "CREATE TABLE ledger_bets_by_id ("
        "  account INTEGER NOT NULL,"
        "  since TEXT NOT NULL,"
        "  record TEXT NOT NULL,"
        "  PRIMARY KEY (account, since));"
        "INSERT INTO ledger_bets_by_id (account, since, record)"
        "  SELECT a.id, b.since, b.record FROM ledger_bets b"
        "  JOIN ledger_accounts_by_id a ON a.syndicate = b.account;"
        "DROP TABLE ledger_members;"
        "DROP TABLE ledger_movements;"
        "DROP TABLE ledger_bets;"
        "DROP TABLE ledger_accounts;"
        "ALTER TABLE ledger_accounts_by_id RENAME TO ledger_accounts;"
        "ALTER TABLE ledger_members_by_id RENAME TO ledger_members;"
        "ALTER TABLE ledger_movements_by_id RENAME TO ledger_movements;"
        "ALTER TABLE ledger_bets_by_id RENAME TO ledger_bets;"
        "CREATE UNIQUE INDEX ledger_open_account ON ledger_accounts (syndicate)"
        "  WHERE closed_on IS NULL;",
        // The months of the prize history whose answer came back with the
        // prizes of every stored draw: never asked again. Its own table only,
        // so that it reads the same whichever step brings it.
        "CREATE TABLE IF NOT EXISTS prize_history_months ("
        "  month TEXT PRIMARY KEY,"
        "  asked_on TEXT NOT NULL) WITHOUT ROWID;",
        // What was changed in each account and on which day, corrections
        // among them, in the order they were made.
        "CREATE TABLE ledger_history ("
        "  id INTEGER PRIMARY KEY,"
        "  account INTEGER NOT NULL,"
        "  made_on TEXT NOT NULL,"
        "  what TEXT NOT NULL);",
        // The draws put in behind a peña's counted-through date, still to be
        // counted in its tallies, and the tallies of the write under way.
        "CREATE TABLE draws_to_count ("
        "  draw_date TEXT NOT NULL,"
        "  syndicate TEXT NOT NULL,"
        "  settling TEXT NOT NULL DEFAULT '',"
        "  PRIMARY KEY (draw_date, syndicate)) WITHOUT ROWID;",
        // The draws deleted after a peña had counted them: put back in
        // their place, they are in its tallies already.
        "CREATE TABLE draws_counted_when_deleted ("
        "  draw_date TEXT NOT NULL,"
        "  syndicate TEXT NOT NULL,"
        "  PRIMARY KEY (draw_date, syndicate)) WITHOUT ROWID;",
    };
    return list;
}

ProgramMessage damagedMessage(const QString &asidePath)
{
    return {u"El archivo zafrano.db está dañado. Se ha guardado aparte como "_s +
                QDir::toNativeSeparators(QFileInfo(asidePath).absoluteFilePath()) +
                u" y se empieza uno nuevo; los sorteos y las peñas no cambian, pero los premios "
                u"guardados y las cuentas de las peñas están en el archivo dañado. Para "
                u"recuperarlos, restaure una copia: «Restaurar copia...» en el menú General, o "
                u"zafrano-cli restore COPIA."_s,
            u"Error"_s, MessageIcon::Exclamation};
}

Error newerSchemaError(const QString &path)
{
    return {ErrorKind::InvalidData,
            {u"El archivo "_s + QFileInfo(path).fileName() +
                 u" es de una versión más nueva del programa. No se usa ni se modifica."_s,
             u"Error"_s, MessageIcon::Exclamation}};
}

// The schema version stored in the file; 0 for a new file.
Result<int> storedVersion(const sqlite::Connection &db)
{
    bool known = false;
    Status read = db.eachRow(u"SELECT count(*) FROM sqlite_master WHERE name = 'schema_version';"_s,
                             {}, [&](const sqlite::Statement &row) { known = row.integer(0) > 0; });
    int version = 0;
    if (read && known)
        read = db.eachRow(u"SELECT max(version) FROM schema_version;"_s, {},
                          [&](const sqlite::Statement &row) { version = row.integer(0); });
    if (!read)
        return read.error();
    return version;
}

// Opens the file when it reads; a damaged one is an InvalidData error.
Result<sqlite::Connection> openReadable(const QString &path)
{
    Result<sqlite::Connection> db = sqlite::Connection::open(path, sqlite::OpenMode::Create);
    if (!db)
        return db;
    Result<int> version = storedVersion(db.value());
    if (!version)
        return version.error();
    return db;
}

} // namespace

void ProgramDatabase::setDamageListener(std::function<void(const ProgramMessage &)> listener)
{
    damageListener() = std::move(listener);
}

int ProgramDatabase::schemaVersion()
{
    return static_cast<int>(migrations().size());
}

Result<ProgramDatabase> ProgramDatabase::openIn(const DataFolder &folder,
                                                const std::function<Status()> &beforeMigration)
{
    return open(folder.filePath(QString::fromUtf16(FileName)), beforeMigration);
}

Result<ProgramDatabase> ProgramDatabase::open(const QString &path,
                                              const std::function<Status()> &beforeMigration)
{
    std::optional<ProgramMessage> notice;
    Result<sqlite::Connection> opened = openReadable(path);
    if (!opened && sqlite::isDamage(opened.error())) {
        Result<QString> aside = moveAside(path, path + u".bad"_s);
        if (!aside)
            return aside.error();
        // Its journal belongs to the damaged file, not to the new one.
        for (const QString &suffix : {u"-wal"_s, u"-shm"_s}) {
            if (QFile::exists(path + suffix))
                QFile::rename(path + suffix, aside.value() + suffix);
        }
        notice = damagedMessage(aside.value());
        // Said by the listener, it is not said again by the road that opened it.
        if (const auto &listener = damageListener()) {
            listener(*notice);
            notice.reset();
        }
        opened = openReadable(path);
    }
    if (!opened)
        return opened.error();
    ProgramDatabase db(std::move(opened).value());
    db.m_notice = notice;
    const Result<int> stored = storedVersion(db.connection());
    if (!stored)
        return stored.error();
    const int version = stored.value();
    if (version > schemaVersion())
        return newerSchemaError(path);

    if (Status wal = db.connection().executeScript("PRAGMA journal_mode = WAL;"); !wal)
        return wal.error();
    // A file in use gets a copy of itself before its schema changes.
    if (version > 0 && version < schemaVersion() && beforeMigration) {
        if (Status copied = beforeMigration(); !copied)
            return copied.error();
    }
    for (int next = version + 1; next <= schemaVersion(); ++next) {
        Status migrated = db.transaction([&]() -> Status {
            Status step = db.connection().executeScript(migrations()[next - 1]);
            if (step)
                step = db.connection().execute(u"UPDATE schema_version SET version = ?;"_s, {next});
            return step;
        });
        if (!migrated)
            return migrated.error();
    }
    return db;
}

Status ProgramDatabase::transaction(const std::function<Status()> &work) const
{
    return m_connection.transaction(work);
}

} // namespace zafrano
