// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli backup, restore and copies: a backup file and an automatic copy
// put back byte for byte, and every copy that is not whole refused with
// nothing changed.
#include "cli_runner.h"
#include "test_support.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

using namespace Qt::StringLiterals;
using namespace zafrano::test;

namespace {

const QString Today = u"2026-12-01"_s;

class BackupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(elsewhere.isValid());
        copyTables(dir.path());
        writeBytes(pathOf(u"bononume.dat"_s),
                   drawBytes({3, 7, 12, 25, 33, 41}, 5, 3, serialOf(2018, 10, 15)) +
                       drawBytes({1, 2, 20, 26, 28, 8}, 39, 5, serialOf(2018, 10, 16)));
        writeBytes(pathOf(u"bonoapu.dat"_s),
                   SyndicateBytes().name("UNO").days("Lunes").betCount(1).hits(1, 2, 3, 4, 5) +
                       SyndicateBytes().name("DOS").days("Todos").betCount(503));
        ASSERT_EQ(run({u"draws"_s}).exitCode, 0);
        before = files();
    }

    QString pathOf(const QString &name) const { return QDir(dir.path()).filePath(name); }
    QString outside(const QString &name) const { return QDir(elsewhere.path()).filePath(name); }
    CliRun run(const QStringList &arguments) const { return runCli(dir.path(), Today, arguments); }

    QMap<QString, QByteArray> files() const
    {
        QMap<QString, QByteArray> read;
        for (const QString &name : {u"bononume.dat"_s, u"bonoapu.dat"_s, u"bnums.ini"_s})
            read.insert(name, readBytes(pathOf(name)));
        return read;
    }

    // The newest automatic copy's folder.
    QString newestCopy() const
    {
        const QDir copies(pathOf(u"copias"_s));
        return copies.filePath(
            copies.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed)
                .first());
    }

    // A copy folder whose file `name` holds `bytes`, its manifest sealed to match.
    QString resealedCopy(const QString &name, const QByteArray &bytes) const
    {
        const QString copy = outside(u"copia"_s);
        QDir().mkpath(copy);
        for (const QString &file : QDir(newestCopy()).entryList(QDir::Files))
            QFile::copy(QDir(newestCopy()).filePath(file), QDir(copy).filePath(file));
        writeBytes(QDir(copy).filePath(name), bytes);
        const QString manifestPath = QDir(copy).filePath(u"manifiesto.json"_s);
        QJsonObject manifest = QJsonDocument::fromJson(readBytes(manifestPath)).object();
        QJsonObject sums = manifest.value(u"sha256"_s).toObject();
        sums.insert(name, QString::fromLatin1(
                              QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex()));
        manifest.insert(u"sha256"_s, sums);
        writeBytes(manifestPath, QJsonDocument(manifest).toJson());
        return copy;
    }

    // The restore of `copy` is refused with `problem`, and nothing changed.
    void expectRefused(const QString &copy, const QString &problem) const
    {
        const CliRun restored = run({u"restore"_s, copy, u"--yes"_s});
        EXPECT_EQ(restored.exitCode, 1);
        EXPECT_TRUE(restored.err.contains(problem)) << restored.err.toStdString();
        EXPECT_TRUE(restored.err.contains(u"No se ha cambiado nada."_s));
        EXPECT_EQ(files(), before);
    }

    QTemporaryDir dir;
    QTemporaryDir elsewhere;
    QMap<QString, QByteArray> before;
};

TEST_F(BackupTest, ABackupFileAndAnAutomaticCopyAreRestoredByteForByte)
{
    const QString backup = outside(u"zafrano.tar.gz"_s);
    const CliRun saved = run({u"backup"_s, backup});
    ASSERT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    EXPECT_EQ(saved.out, u"Copia de seguridad guardada en %1.\n"_s.arg(backup));

    ASSERT_EQ(run({u"reset-results"_s}).exitCode, 0);
    writeBytes(pathOf(u"bononume.dat"_s), "damaged");
    ASSERT_NE(files(), before);
    const CliRun restored = run({u"restore"_s, backup, u"--yes"_s});
    ASSERT_EQ(restored.exitCode, 0) << restored.err.toStdString();
    EXPECT_TRUE(
        restored.out.startsWith(u"Copia restaurada. Los datos de antes están en copias/"_s));
    EXPECT_EQ(files(), before);
    EXPECT_EQ(run({u"draws"_s}).exitCode, 0);

    // The reset's own copy, found by its folder's name in the list.
    const CliRun listed = run({u"copies"_s});
    ASSERT_EQ(listed.exitCode, 0);
    QString resetCopy;
    for (const QString &line : listed.out.split(u'\n')) {
        if (line.endsWith(u"  antes de reiniciar aciertos  (2 sorteos, 2 peñas)"_s))
            resetCopy = line.section(u' ', 0, 0);
    }
    ASSERT_FALSE(resetCopy.isEmpty()) << listed.out.toStdString();
    EXPECT_TRUE(listed.out.contains(u"  antes de restaurar  ("_s));
    EXPECT_TRUE(listed.out.contains(u"  diaria  ("_s));
    writeBytes(pathOf(u"bonoapu.dat"_s), QByteArray());
    ASSERT_EQ(run({u"restore"_s, resetCopy, u"--yes"_s}).exitCode, 0);
    EXPECT_EQ(files(), before);
}

// Moving house: the old folder, with a peña's account, restored into a new one.
TEST_F(BackupTest, AnOldDataFolderIsMovedWithItsAccounts)
{
    ASSERT_EQ(
        run({u"ledger"_s, u"1"_s, u"member"_s, u"add"_s, u"Ana"_s, u"--shares"_s, u"2"_s}).exitCode,
        0);
    ASSERT_EQ(run({u"ledger"_s, u"1"_s, u"pay"_s, u"Ana"_s, u"12,50"_s}).exitCode, 0);
    const CliRun account = run({u"--json"_s, u"ledger"_s, u"1"_s});
    ASSERT_EQ(account.exitCode, 0);
    const QString moved = outside(u"nueva"_s);
    QDir().mkpath(moved);
    copyTables(moved);

    const CliRun restored = runCli(moved, Today, {u"restore"_s, dir.path(), u"--yes"_s});
    ASSERT_EQ(restored.exitCode, 0) << restored.err.toStdString();
    for (const QString &name : {u"bononume.dat"_s, u"bonoapu.dat"_s, u"bnums.ini"_s})
        EXPECT_EQ(readBytes(QDir(moved).filePath(name)), before.value(name)) << name.toStdString();
    const CliRun movedAccount = runCli(moved, Today, {u"--json"_s, u"ledger"_s, u"1"_s});
    EXPECT_EQ(movedAccount.out, account.out);
    // The old folder is read, never changed.
    EXPECT_EQ(files(), before);
}

TEST_F(BackupTest, WithoutATerminalTheRestoreShowsTheCopyAndAsksForYes)
{
    const QString backup = outside(u"zafrano.tar.gz"_s);
    ASSERT_EQ(run({u"backup"_s, backup}).exitCode, 0);
    writeBytes(pathOf(u"bonoapu.dat"_s), QByteArray());
    before = files();
    const CliRun asked = run({u"restore"_s, backup});
    EXPECT_EQ(asked.exitCode, 1);
    EXPECT_TRUE(asked.out.contains(u"2 sorteos, del 15/10/2018 al 16/10/2018.\n2 peñas."_s))
        << asked.out.toStdString();
    EXPECT_EQ(asked.err, u"No hay terminal para preguntar: repita la orden con --yes.\n"_s);
    EXPECT_EQ(files(), before);
}

TEST_F(BackupTest, ACopyThatIsNotWholeOrNotOursIsRefused)
{
    const QString backup = outside(u"zafrano.tar.gz"_s);
    ASSERT_EQ(run({u"backup"_s, backup}).exitCode, 0);
    const QByteArray archive = readBytes(backup);
    writeBytes(outside(u"cortada.tar.gz"_s), archive.left(archive.size() / 2));
    expectRefused(outside(u"cortada.tar.gz"_s), u"está cortada o dañada"_s);

    writeBytes(outside(u"otro.txt"_s), "hola");
    ASSERT_EQ(QProcess::execute(u"tar"_s, {u"-C"_s, elsewhere.path(), u"-czf"_s,
                                           outside(u"ajena.tar.gz"_s), u"otro.txt"_s}),
              0);
    expectRefused(outside(u"ajena.tar.gz"_s), u"tiene un archivo que no es de Zafrano: otro.txt"_s);

    const QString wrongSum = resealedCopy(u"bnums.ini"_s, QByteArray(80, 'x'));
    writeBytes(QDir(wrongSum).filePath(u"bononume.dat"_s), QByteArray(24, '\1'));
    expectRefused(wrongSum, u"el archivo bononume.dat no coincide con su suma SHA-256"_s);
    QDir(wrongSum).removeRecursively();

    expectRefused(resealedCopy(u"bonoapu.dat"_s, QByteArray(8307 + 100, '\0')),
                  u"el archivo bonoapu.dat no tiene peñas completas"_s);
    QDir(outside(u"copia"_s)).removeRecursively();

    const QString newer = outside(u"newer.db"_s);
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(newer).constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "CREATE TABLE schema_version (version INTEGER NOT NULL);"
                           "INSERT INTO schema_version VALUES (99);",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    expectRefused(resealedCopy(u"zafrano.db"_s, readBytes(newer)),
                  u"el archivo zafrano.db es de una versión más nueva del programa"_s);
}

// A damaged zafrano.db is said once, on standard error, and stops none of the
// commands that rescue the data.
TEST_F(BackupTest, ADamagedProgramDatabaseIsSaidAndBlocksNoRescue)
{
    const QString backup = outside(u"zafrano.tar.gz"_s);
    ASSERT_EQ(run({u"backup"_s, backup}).exitCode, 0);
    writeBytes(pathOf(u"zafrano.db"_s), QByteArray("esto no es una base de datos").repeated(200));

    const CliRun reset = run({u"reset-results"_s});
    ASSERT_EQ(reset.exitCode, 0) << reset.err.toStdString();
    EXPECT_TRUE(reset.err.startsWith(u"El archivo zafrano.db está dañado."_s))
        << reset.err.toStdString();
    EXPECT_TRUE(reset.err.contains(u"zafrano.db.bad"_s) &&
                reset.err.contains(u"zafrano-cli restore"_s));
    const CliRun restored = run({u"restore"_s, backup, u"--yes"_s});
    ASSERT_EQ(restored.exitCode, 0) << restored.err.toStdString();
    EXPECT_EQ(restored.err, QString());
    EXPECT_EQ(files(), before);
}

// A restore cut short whose two copies are both gone: the commands say what to
// do, and listing the copies and restoring one by hand still run.
TEST_F(BackupTest, ARestoreThatCanBeNeitherFinishedNorUndoneLeavesTheWayOut)
{
    ASSERT_EQ(run({u"reset-results"_s}).exitCode, 0);
    writeBytes(pathOf(u"restaurando.json"_s), R"({"antes": "no-esta", "restaurada": "tampoco"})");
    const CliRun locked = run({u"draws"_s});
    EXPECT_EQ(locked.exitCode, 1);
    EXPECT_TRUE(locked.err.contains(u"«zafrano-cli restore NOMBRE»"_s)) << locked.err.toStdString();

    const CliRun listed = run({u"copies"_s});
    ASSERT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    const QString resetCopy = listed.out.section(u' ', 0, 0);
    ASSERT_TRUE(listed.out.contains(u"  antes de reiniciar aciertos  ("_s));
    const CliRun restored = run({u"restore"_s, resetCopy, u"--yes"_s});
    ASSERT_EQ(restored.exitCode, 0) << restored.err.toStdString();
    EXPECT_EQ(files(), before);
    EXPECT_EQ(run({u"draws"_s}).exitCode, 0);
}

} // namespace
