// SPDX-License-Identifier: GPL-3.0-or-later
// The report database: what each writer leaves in it, how it reads back for
// the layouts, and what a damaged, foreign, locked or missing file gives.
#include "reports/report_database.h"
#include "test_paths.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace zafrano;

namespace {

// Runs statements on a database file directly, with a password or none.
int rawExec(const QString &path, const char *key, const char *sql)
{
    sqlite3 *db = nullptr;
    int code = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                               SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    // The file's key is derived with 4,000 rounds.
    if (code == SQLITE_OK && key)
        code = sqlite3_exec(
            db, (QByteArray("PRAGMA key = '") + key + "'; PRAGMA kdf_iter = 4000;").constData(),
            nullptr, nullptr, nullptr);
    if (code == SQLITE_OK)
        code = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close_v2(db);
    return code;
}

constexpr const char *Password = "tormelvaquindesprola";

// A file nobody may write while it lives: the immutable flag for root, who
// ignores permissions, read-only permissions otherwise.
class ReadOnlyFile
{
public:
    explicit ReadOnlyFile(const QString &path) : m_path(path)
    {
        m_immutable = ::geteuid() == 0 && test::setImmutableFlag(path, true);
        if (!m_immutable)
            QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        QFile probe(path);
        m_active = !probe.open(QIODevice::ReadWrite);
    }
    ~ReadOnlyFile()
    {
        if (m_immutable)
            test::setImmutableFlag(m_path, false);
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
    }
    ReadOnlyFile(const ReadOnlyFile &) = delete;
    ReadOnlyFile &operator=(const ReadOnlyFile &) = delete;
    bool active() const { return m_active; }

private:
    QString m_path;
    bool m_immutable = false;
    bool m_active = false;
};

class ReportDatabaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // The file the build made and the program ships.
        ASSERT_TRUE(QFile::copy(QString::fromUtf8(test::ReportDatabaseFile), path))
            << test::ReportDatabaseFile;
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }

    QTemporaryDir dir;
    QString path = QDir(dir.path()).filePath(u"Zafrano.mdb"_s);
    ReportDatabase db{path};
};

TEST_F(ReportDatabaseTest, ShippedFileHoldsEveryTableAndTheSingleRows)
{
    Result<ReportTables> tables = db.readAll();
    ASSERT_TRUE(tables) << tables.error().message.text.toStdString();
    EXPECT_EQ(tables->value(u"Peña"_s).size(), 1);
    EXPECT_EQ(tables->value(u"Sorteos"_s).size(), 1);
    EXPECT_EQ(tables->value(u"Informe"_s).size(), 1);
    EXPECT_TRUE(tables->value(u"Peñanums"_s).isEmpty());
    EXPECT_TRUE(tables->value(u"Numeros"_s).isEmpty());
}

TEST_F(ReportDatabaseTest, ShippedFileCannotBeReadWithoutThePassword)
{
    EXPECT_EQ(rawExec(path, nullptr, "SELECT count(*) FROM sqlite_master;"), SQLITE_NOTADB);
    EXPECT_EQ(rawExec(path, "otra", "SELECT count(*) FROM sqlite_master;"), SQLITE_NOTADB);
    EXPECT_EQ(rawExec(path, Password, "SELECT count(*) FROM sqlite_master;"), SQLITE_OK);
}

TEST_F(ReportDatabaseTest, WritersLeaveWhatTheLayoutsRead)
{
    ASSERT_TRUE(db.writeSyndicate({u"1 - 2- 3- 4- 5- 6"_s, u"7 - 8- 9-10-11-12"_s}, {}));
    SyndicateReportRow row;
    row.name = u"PEÑA <DEL> BAR"_s;
    row.days = u"Martes"_s;
    row.money = 810;
    row.createdOn = QDate(2026, 1, 12);
    row.checkedTo = QDate(2026, 8, 18);
    row.hitShare = u"12,5 %"_s;
    row.draws = 32;
    row.prizes = {4, 1, 0, 1, 0};
    // A second syndicate replaces the bets of the first.
    ASSERT_TRUE(db.writeSyndicate({u"5 -12-23- 7-40-49"_s}, row));
    ASSERT_TRUE(db.writeSelection({QDate(2026, 1, 2), QDate(2026, 8, 20), 190, u"Todos."_s}));
    // A set of days without texts leaves the stored ones.
    ASSERT_TRUE(db.writeSelection({QDate(2026, 1, 3), QDate(2026, 8, 19), 80, QString()}));
    // Ties keep the ranking's order, not the numbers'.
    ASSERT_TRUE(db.writeChosenNumbers({{30, 9}, {4, 7}, {12, 7}, {2, 7}}));
    ASSERT_TRUE(db.writeNewestDrawText(u" 3- 7-12-25-33-41  C: 5  R: 3"_s));

    Result<ReportTables> tables = db.readAll();
    ASSERT_TRUE(tables) << tables.error().message.text.toStdString();
    const QList<ReportRow> bets = tables->value(u"Peñanums"_s);
    ASSERT_EQ(bets.size(), 1);
    EXPECT_EQ(bets[0].value(u"Numeros"_s), u"5 -12-23- 7-40-49"_s);

    const ReportRow syndicate = tables->value(u"Peña"_s).value(0);
    EXPECT_EQ(syndicate.value(u"Nombre"_s), u"PEÑA <DEL> BAR"_s);
    EXPECT_EQ(syndicate.value(u"Dinero"_s), u"8,10"_s);
    EXPECT_EQ(syndicate.value(u"Dia1"_s), u"12/01/2026"_s);
    EXPECT_EQ(syndicate.value(u"Dia2"_s), u"18/08/2026"_s);
    EXPECT_EQ(syndicate.value(u"Sorteos"_s), u"32"_s);
    EXPECT_EQ(syndicate.value(u"5C"_s), u"1"_s);
    EXPECT_EQ(syndicate.value(u"3"_s), u"4"_s);

    const ReportRow selection = tables->value(u"Sorteos"_s).value(0);
    EXPECT_EQ(selection.value(u"Dia1"_s), u"03/01/2026"_s);
    EXPECT_EQ(selection.value(u"Total"_s), u"80"_s);
    EXPECT_EQ(selection.value(u"Diasajugar"_s), u"Todos."_s);

    QStringList order;
    for (const ReportRow &number : tables->value(u"Numeros"_s))
        order.append(number.value(u"Numero"_s));
    EXPECT_EQ(order, (QStringList{u"30"_s, u"4"_s, u"12"_s, u"2"_s}));
    EXPECT_EQ(tables->value(u"Informe"_s).value(0).value(u"Frase"_s),
              u" 3- 7-12-25-33-41  C: 5  R: 3"_s);
    // Every writer updated the single rows in place.
    EXPECT_EQ(tables->value(u"Peña"_s).size(), 1);
    EXPECT_EQ(tables->value(u"Sorteos"_s).size(), 1);
}

TEST_F(ReportDatabaseTest, ALostSingleRowIsNoCurrentRowNotANewOne)
{
    ASSERT_EQ(rawExec(path, Password, "DELETE FROM \"Peña\"; DELETE FROM \"Informe\";"), SQLITE_OK);
    const Status written = db.writeSyndicate({u"1 - 2- 3- 4- 5- 6"_s}, {});
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().number, ReportDatabase::NoCurrentRow);
    // The bets went back with the row that was not there.
    EXPECT_TRUE(db.readAll()->value(u"Peñanums"_s).isEmpty());
    const Status frase = db.writeNewestDrawText(u"x"_s);
    ASSERT_FALSE(frase);
    EXPECT_EQ(frase.error().number, ReportDatabase::NoCurrentRow);
    EXPECT_TRUE(db.readAll()->value(u"Peña"_s).isEmpty());
}

TEST_F(ReportDatabaseTest, InASessionEachWriteKeepsOrFailsAsItWouldAlone)
{
    ASSERT_EQ(rawExec(path, Password, "DELETE FROM \"Informe\";"), SQLITE_OK);
    const QString missing = QDir(dir.path()).filePath(u"otro.mdb"_s);
    SyndicateReportRow row;
    row.name = u"LOS ONCE"_s;
    {
        const ReportDatabase::Session session(db);
        const ReportDatabase::Session nested(db);
        ASSERT_TRUE(db.writeSyndicate({u"1 - 2- 3- 4- 5- 6"_s}, row));
        const Status frase = db.writeNewestDrawText(u"x"_s);
        ASSERT_FALSE(frase);
        EXPECT_EQ(frase.error().number, ReportDatabase::NoCurrentRow);
        ASSERT_TRUE(db.writeSelection({QDate(2026, 1, 3), QDate(2026, 8, 19), 80, u"Todos."_s}));
        // Another file meanwhile is opened on its own.
        EXPECT_EQ(ReportDatabase(missing).writeNewestDrawText(u"x"_s).error().number,
                  -SQLITE_CANTOPEN);
    }
    {
        // A session over a file that is not there says what a write alone says.
        const ReportDatabase gone(missing);
        const ReportDatabase::Session session(gone);
        EXPECT_EQ(gone.writeNewestDrawText(u"x"_s).error().number, -SQLITE_CANTOPEN);
        EXPECT_FALSE(QFile::exists(missing));
    }
    const Result<ReportTables> tables = db.readAll();
    ASSERT_TRUE(tables);
    EXPECT_EQ(tables->value(u"Peña"_s).value(0).value(u"Nombre"_s), u"LOS ONCE"_s);
    EXPECT_EQ(tables->value(u"Sorteos"_s).value(0).value(u"Total"_s), u"80"_s);
    // The session let the file go: once it is gone, a write says so.
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(db.writeNewestDrawText(u"x"_s).error().number, -SQLITE_CANTOPEN);
}

TEST_F(ReportDatabaseTest, FilesThatAreNotTheReportDatabaseGiveTheProvidersError)
{
    const QString missing = QDir(dir.path()).filePath(u"otro.mdb"_s);
    Status status = ReportDatabase(missing).writeNewestDrawText(u"x"_s);
    ASSERT_FALSE(status);
    EXPECT_EQ(status.error().number, -SQLITE_CANTOPEN);
    EXPECT_EQ(status.error().kind, ErrorKind::NotFound);
    // Opening never creates the file.
    EXPECT_FALSE(QFile::exists(missing));

    const QString plain = QDir(dir.path()).filePath(u"plain.mdb"_s);
    ASSERT_EQ(rawExec(plain, nullptr, "CREATE TABLE \"Peña\" (\"Nombre\" TEXT);"), SQLITE_OK);
    const QString otherKey = QDir(dir.path()).filePath(u"otherkey.mdb"_s);
    ASSERT_EQ(rawExec(otherKey, "otra", "CREATE TABLE \"Peña\" (\"Nombre\" TEXT);"), SQLITE_OK);
    const QString text = QDir(dir.path()).filePath(u"text.mdb"_s);
    test::writeBytes(text, QByteArray(4096, 'x'));
    const QString empty = QDir(dir.path()).filePath(u"empty.mdb"_s);
    test::writeBytes(empty, QByteArray());

    for (const QString &file : {plain, otherKey, text}) {
        const QByteArray before = test::readBytes(file);
        status = ReportDatabase(file).writeSyndicate({u"1"_s}, {});
        ASSERT_FALSE(status) << file.toStdString();
        EXPECT_EQ(status.error().number, -SQLITE_NOTADB) << file.toStdString();
        EXPECT_EQ(ReportDatabase(file).readAll().error().number, -SQLITE_NOTADB);
        EXPECT_EQ(test::readBytes(file), before) << "left unchanged";
    }
    // An empty file holds no table at all.
    EXPECT_LT(ReportDatabase(empty).writeSyndicate({}, {}).error().number, 0);
}

TEST_F(ReportDatabaseTest, ALockedFileOrFolderIsAPermissionProblem)
{
    {
        ReadOnlyFile locked(path);
        if (!locked.active())
            GTEST_SKIP() << "the file cannot be made read-only here";
        const Status status = db.writeSyndicate({u"1"_s}, {});
        ASSERT_FALSE(status);
        EXPECT_EQ(status.error().kind, ErrorKind::PermissionDenied);
        // Reading for the reports still works.
        EXPECT_TRUE(db.readAll());
    }
    test::ReadOnlyFolder folder(dir.path());
    if (!folder.active())
        GTEST_SKIP() << "the folder cannot be made read-only here";
    const Status status = db.writeSyndicate({u"1"_s}, {});
    ASSERT_FALSE(status);
    EXPECT_EQ(status.error().kind, ErrorKind::PermissionDenied);
}

TEST(ReportDatabaseCreate, RefusesToOverwriteAFile)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(u"Zafrano.mdb"_s);
    ASSERT_TRUE(ReportDatabase(path).create());
    EXPECT_FALSE(ReportDatabase(path).create());
    EXPECT_TRUE(ReportDatabase(path).readAll());
}

} // namespace
