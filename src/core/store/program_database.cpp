// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/program_database.h"

#include "backup/automatic_copies.h"
#include "common/sqlite_statement.h"
#include "store/data_folder.h"
#include "store/record_file.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zafrano {

using sqlite::Phase;

namespace {

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
    };
    return list;
}

ProgramMessage damagedMessage(const QString &asidePath)
{
    return {u"El archivo zafrano.db está dañado. Se ha guardado aparte como "_s +
                QFileInfo(asidePath).fileName() +
                u" y se empieza uno nuevo; los sorteos y las peñas no cambian."_s,
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
int storedVersion(sqlite3 *db, int *code)
{
    sqlite::Statement probe(db,
                            u"SELECT count(*) FROM sqlite_master WHERE name = 'schema_version';"_s);
    *code = probe.code();
    if (*code != SQLITE_OK)
        return 0;
    *code = sqlite3_step(probe.get());
    if (*code != SQLITE_ROW)
        return 0;
    *code = SQLITE_OK;
    if (sqlite3_column_int(probe.get(), 0) == 0)
        return 0;
    sqlite::Statement read(db, u"SELECT max(version) FROM schema_version;"_s);
    *code = read.code();
    if (*code != SQLITE_OK || (*code = sqlite3_step(read.get())) != SQLITE_ROW)
        return 0;
    *code = SQLITE_OK;
    return sqlite3_column_int(read.get(), 0);
}

bool damaged(int code)
{
    const int primary = code & 0xff;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

} // namespace

int ProgramDatabase::schemaVersion()
{
    return static_cast<int>(migrations().size());
}

Result<ProgramDatabase> ProgramDatabase::openIn(const DataFolder &folder)
{
    return open(folder.filePath(QString::fromUtf16(FileName)));
}

Result<ProgramDatabase> ProgramDatabase::open(const QString &path)
{
    std::optional<ProgramMessage> notice;
    for (int attempt = 0; attempt < 2; ++attempt) {
        sqlite3 *handle = nullptr;
        const QByteArray file = QFileInfo(path).absoluteFilePath().toUtf8();
        const int opened = sqlite3_open_v2(file.constData(), &handle,
                                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        ProgramDatabase db(handle, path);
        if (opened != SQLITE_OK)
            return sqlite::databaseError(opened, Phase::Opening, path);
        sqlite3_extended_result_codes(handle, 1);
        sqlite3_busy_timeout(handle, 2000);

        int code = SQLITE_OK;
        const int version = storedVersion(handle, &code);
        if (damaged(code) && attempt == 0) {
            db = ProgramDatabase(nullptr, path); // closed before it is moved
            Result<QString> aside = moveAside(path, path + u".bad"_s);
            if (!aside)
                return aside.error();
            // Its journal belongs to the damaged file, not to the new one.
            for (const QString &suffix : {u"-wal"_s, u"-shm"_s}) {
                if (QFile::exists(path + suffix))
                    QFile::rename(path + suffix, aside.value() + suffix);
            }
            notice = damagedMessage(aside.value());
            continue;
        }
        if (code != SQLITE_OK)
            return sqlite::databaseError(code, Phase::Opening, path);
        if (version > schemaVersion())
            return newerSchemaError(path);

        code = sqlite3_exec(handle, "PRAGMA journal_mode = WAL;", nullptr, nullptr, nullptr);
        if (code != SQLITE_OK)
            return db.error(code);
        // A file in use gets a copy of itself before its schema changes.
        if (version > 0 && version < schemaVersion()) {
            if (Status copied = copies::copyBeforeMigration(path); !copied)
                return copied.error();
        }
        for (int next = version + 1; next <= schemaVersion(); ++next) {
            Status migrated = db.transaction([&]() -> Status {
                int step = sqlite3_exec(handle, migrations()[next - 1], nullptr, nullptr, nullptr);
                if (step == SQLITE_OK)
                    step = sqlite::execute(handle, u"UPDATE schema_version SET version = ?;"_s,
                                           {next});
                return step == SQLITE_OK ? Status() : Status(db.error(step));
            });
            if (!migrated)
                return migrated.error();
        }
        db.m_notice = notice;
        return db;
    }
    return sqlite::databaseError(SQLITE_NOTADB, Phase::Opening, path);
}

ProgramDatabase::ProgramDatabase(ProgramDatabase &&other) noexcept
    : m_db(std::exchange(other.m_db, nullptr)), m_path(std::move(other.m_path)),
      m_notice(std::move(other.m_notice))
{}

ProgramDatabase &ProgramDatabase::operator=(ProgramDatabase &&other) noexcept
{
    if (this != &other) {
        sqlite3_close_v2(m_db);
        m_db = std::exchange(other.m_db, nullptr);
        m_path = std::move(other.m_path);
        m_notice = std::move(other.m_notice);
    }
    return *this;
}

ProgramDatabase::~ProgramDatabase()
{
    sqlite3_close_v2(m_db);
}

Status ProgramDatabase::transaction(const std::function<Status()> &work) const
{
    int code = sqlite3_exec(m_db, "BEGIN IMMEDIATE;", nullptr, nullptr, nullptr);
    if (code != SQLITE_OK)
        return error(code);
    Status done = work();
    if (done)
        code = sqlite3_exec(m_db, "COMMIT;", nullptr, nullptr, nullptr);
    if (!done || code != SQLITE_OK) {
        sqlite3_exec(m_db, "ROLLBACK;", nullptr, nullptr, nullptr);
        return done ? Status(error(code)) : done;
    }
    return {};
}

Error ProgramDatabase::error(int code) const
{
    return sqlite::databaseError(code, Phase::Working, m_path);
}

} // namespace zafrano
