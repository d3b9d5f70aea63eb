// SPDX-License-Identifier: GPL-3.0-or-later
// The automatic copies: how many are kept, a command that cannot make its copy,
// and a restore cut short at any step, put right at the next start.
#include "backup/automatic_copies.h"
#include "backup/restore.h"
#include "common/sqlite_connection.h"
#include "startup/open_data_folder.h"
#include "store/prize_store.h"
#include "store/program_database.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QMap>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

const QDateTime Noon(QDate(2026, 12, 1), QTime(12, 0));

class CopiesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        copyTables(dir.path());
        writeSet(drawBytes({3, 7, 12, 25, 33, 41}, 5, 3, serialOf(2018, 10, 15)),
                 SyndicateBytes().name("UNO").days("Lunes").betCount(1).hits(1, 2, 3, 4, 5));
        // The settings file as start-up leaves it.
        ASSERT_TRUE(openDataFolder(folder, [](const ProgramMessage &) {}).ok());
    }

    QString pathOf(const QString &name) const { return QDir(dir.path()).filePath(name); }

    void writeSet(const QByteArray &draws, const QByteArray &syndicates) const
    {
        writeBytes(pathOf(u"bononume.dat"_s), draws);
        writeBytes(pathOf(u"bonoapu.dat"_s), syndicates);
    }

    QMap<QString, QByteArray> plainFiles() const
    {
        QMap<QString, QByteArray> files;
        for (const QString &name : {u"bononume.dat"_s, u"bonoapu.dat"_s, u"bnums.ini"_s})
            files.insert(name, readBytes(pathOf(name)));
        return files;
    }

    int countOf(const QString &reason) const
    {
        int n = 0;
        for (const copies::CopyEntry &entry : copies::listCopies(dir.path()))
            n += entry.reason == reason ? 1 : 0;
        return n;
    }

    QTemporaryDir dir;
    DataFolder folder{dir.path()};
};

TEST_F(CopiesTest, KeepsTheLastFourteenDailyAndTwentyCommandCopies)
{
    for (int day = 0; day < 16; ++day) {
        ASSERT_TRUE(copies::makeDailyCopyIfDue(dir.path(), Noon.addDays(day)).ok());
        // The day's copy is made once, however often the program starts.
        ASSERT_TRUE(copies::makeDailyCopyIfDue(dir.path(), Noon.addDays(day).addSecs(60)).ok());
    }
    for (int n = 0; n < 22; ++n)
        ASSERT_TRUE(copies::makeCopy(dir.path(), u"eliminar peña"_s, Noon.addSecs(n)).ok());

    EXPECT_EQ(countOf(u"diaria"_s), 14);
    EXPECT_EQ(countOf(u"eliminar peña"_s), 20);
    const QList<copies::CopyEntry> all = copies::listCopies(dir.path());
    EXPECT_EQ(all.first().made, Noon.addDays(15));
    EXPECT_EQ(all.last().made, Noon.addSecs(2));
    EXPECT_EQ(QDir(copies::copiesPath(dir.path()))
                  .entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)
                  .size(),
              14 + 20);
}

TEST_F(CopiesTest, EachWholeFileCommandCopiesFirstAndStopsWhenItCannot)
{
    ASSERT_TRUE(copies::resetResults(folder, QDate(2026, 12, 1)).ok());
    ASSERT_TRUE(copies::deleteSyndicate(folder, 1).ok());
    ASSERT_TRUE(copies::deleteAllDraws(folder).ok());
    ASSERT_TRUE(copies::importDraws(
        folder,
        {DrawRecord::fromBytes(drawBytes({1, 2, 3, 4, 5, 6}, 7, 1, serialOf(2018, 10, 16)))}));
    QStringList reasons;
    for (const copies::CopyEntry &entry : copies::listCopies(dir.path())) {
        if (entry.reason != u"diaria"_s)
            reasons.prepend(entry.reason);
    }
    EXPECT_EQ(
        reasons,
        (QStringList{u"antes de reiniciar aciertos"_s, u"antes de eliminar una peña"_s,
                     u"antes de borrar todos los sorteos"_s, u"antes de importar sorteos"_s}));

    writeSet(drawBytes({3, 7, 12, 25, 33, 41}, 5, 3, serialOf(2018, 10, 15)),
             SyndicateBytes().name("UNO").days("Lunes").betCount(1).hits(1, 2, 3, 4, 5));
    const QMap<QString, QByteArray> before = plainFiles();
    ReadOnlyFolder readOnly(copies::copiesPath(dir.path()));
    if (!readOnly.active())
        GTEST_SKIP() << "neither the immutable flag nor the permissions stop a new file";
    const Status reset = copies::resetResults(folder, QDate(2026, 12, 2));
    ASSERT_FALSE(reset.ok());
    EXPECT_TRUE(reset.error().message.text.startsWith(
        u"No se ha podido hacer la copia de seguridad en "_s));
    EXPECT_FALSE(copies::deleteAllDraws(folder).ok());
    EXPECT_FALSE(copies::deleteSyndicate(folder, 1).ok());
    EXPECT_FALSE(copies::importDrawsFile(folder, pathOf(u"bononume.dat"_s)).ok());
    EXPECT_EQ(plainFiles(), before);
}

// Kill -9 between any two steps of a restore: the next start-up leaves the
// folder wholly the copy restored, or wholly the data from before.
TEST_F(CopiesTest, ARestoreCutShortAtAnyStepIsFinishedAtTheNextStart)
{
    const QByteArray otherDraws = drawBytes({1, 2, 20, 26, 28, 8}, 39, 5, serialOf(2018, 10, 16));
    const QByteArray otherSyndicates = SyndicateBytes().name("DOS").days("Todos").betCount(1);
    const QMap<QString, QByteArray> old = plainFiles();
    writeSet(otherDraws, otherSyndicates);
    Result<CopySet> incoming = takeSnapshot(dir.path(), u"copia de seguridad"_s, Noon);
    ASSERT_TRUE(incoming.ok());
    const QMap<QString, QByteArray> restored = plainFiles();

    for (int stopAfter = 0; stopAfter < 8; ++stopAfter) {
        SCOPED_TRACE(stopAfter);
        writeBytes(pathOf(u"bononume.dat"_s), old.value(u"bononume.dat"_s));
        writeBytes(pathOf(u"bonoapu.dat"_s), old.value(u"bonoapu.dat"_s));
        int steps = 0;
        ASSERT_TRUE(restoreCopy(dir.path(), incoming.value(), Noon.addDays(stopAfter), [&] {
                        return steps++ < stopAfter;
                    }).ok());
        const bool cutShort = QFile::exists(pathOf(u"restaurando.json"_s));
        ASSERT_TRUE(openDataFolder(folder, [](const ProgramMessage &) {}).ok());
        EXPECT_FALSE(QFile::exists(pathOf(u"restaurando.json"_s)));
        const QMap<QString, QByteArray> now = plainFiles();
        if (cutShort || stopAfter >= 6)
            EXPECT_EQ(now, restored);
        else
            EXPECT_EQ(now, old);
        EXPECT_TRUE(ProgramDatabase::openIn(folder).ok());
        // The work files were written in the work folder, not beside the data.
        EXPECT_EQ(QDir(dir.path()).entryList({u"*.tmp"_s, u"*.restaurar"_s}), QStringList());
    }
}

TEST_F(CopiesTest, ARestoreWhoseCopyIsGoneIsRolledBack)
{
    const QMap<QString, QByteArray> old = plainFiles();
    writeSet(drawBytes({1, 2, 20, 26, 28, 8}, 39, 5, serialOf(2018, 10, 16)),
             SyndicateBytes().name("DOS").days("Todos").betCount(1));
    Result<CopySet> incoming = takeSnapshot(dir.path(), u"copia de seguridad"_s, Noon);
    ASSERT_TRUE(incoming.ok());
    writeBytes(pathOf(u"bononume.dat"_s), old.value(u"bononume.dat"_s));
    writeBytes(pathOf(u"bonoapu.dat"_s), old.value(u"bonoapu.dat"_s));

    int steps = 0;
    ASSERT_TRUE(restoreCopy(dir.path(), incoming.value(), Noon, [&] { return steps++ < 4; }).ok());
    ASSERT_TRUE(QFile::exists(pathOf(u"restaurando.json"_s)));
    // The copy being restored is damaged before the next start.
    QString kept;
    for (const copies::CopyEntry &entry : copies::listCopies(dir.path())) {
        if (entry.reason == u"copia restaurada"_s)
            kept = entry.path;
    }
    writeBytes(QDir(kept).filePath(u"bonoapu.dat"_s), "cut");

    std::optional<ProgramMessage> said;
    ASSERT_TRUE(openDataFolder(folder, [&](const ProgramMessage &m) { said = m; }).ok());
    EXPECT_EQ(plainFiles(), old);
    ASSERT_TRUE(said.has_value());
    EXPECT_EQ(said->text,
              u"Una restauración quedó a medias; se han vuelto a poner los datos de antes."_s);
}

// A damaged zafrano.db keeps neither the other files from a copy nor a copy
// from being restored over it.
TEST_F(CopiesTest, ADamagedDatabaseIsLeftOutOfACopyAndNamed)
{
    Result<CopySet> incoming = takeSnapshot(dir.path(), u"copia de seguridad"_s, Noon);
    ASSERT_TRUE(incoming.ok());
    writeBytes(pathOf(u"zafrano.db"_s), QByteArray("esto no es una base de datos").repeated(200));

    Result<CopySet> taken = takeSnapshot(dir.path(), u"copia de seguridad"_s, Noon);
    ASSERT_TRUE(taken.ok()) << taken.error().message.text.toStdString();
    EXPECT_EQ(taken->files.keys(),
              (QStringList{u"bnums.ini"_s, u"bonoapu.dat"_s, u"bononume.dat"_s}));
    ASSERT_EQ(taken->notTaken.size(), 1);
    EXPECT_TRUE(taken->notTaken[0].startsWith(u"zafrano.db: "_s));

    Result<copies::CopyEntry> before = restoreCopy(dir.path(), incoming.value(), Noon.addDays(1));
    ASSERT_TRUE(before.ok()) << before.error().message.text.toStdString();
    EXPECT_EQ(before->notTaken, taken->notTaken);
    EXPECT_FALSE(QFile::exists(pathOf(u"zafrano.db"_s)));
}

// A zafrano.db of an older program gets its copy at the start-up, before its
// schema changes.
TEST_F(CopiesTest, AnOlderDatabaseIsCopiedBeforeItsSchemaChanges)
{
    {
        Result<sqlite::Connection> old =
            sqlite::Connection::open(pathOf(u"zafrano.db"_s), sqlite::OpenMode::Create);
        ASSERT_TRUE(old.ok());
        ASSERT_TRUE(old->executeScript(
            "CREATE TABLE schema_version (version INTEGER NOT NULL);"
            "INSERT INTO schema_version (version) VALUES (1);"
            "CREATE TABLE draw_prizes (draw_date TEXT NOT NULL, category TEXT NOT NULL,"
            " cents INTEGER NOT NULL, PRIMARY KEY (draw_date, category)) WITHOUT ROWID;"));
    }
    ASSERT_TRUE(openDataFolder(folder, [](const ProgramMessage &) {}).ok());
    ASSERT_EQ(countOf(u"antes de actualizar zafrano.db"_s), 1);
    const copies::CopyEntry copy = copies::listCopies(dir.path()).first();
    EXPECT_EQ(copy.reason, u"antes de actualizar zafrano.db"_s);
    Result<sqlite::Connection> copied = sqlite::Connection::open(
        QDir(copy.path).filePath(u"zafrano.db"_s), sqlite::OpenMode::ReadOnly);
    ASSERT_TRUE(copied.ok());
    int copiedVersion = 0;
    ASSERT_TRUE(
        copied->eachRow(u"SELECT version FROM schema_version;"_s, {},
                        [&](const sqlite::Statement &row) { copiedVersion = row.integer(0); }));
    EXPECT_EQ(copiedVersion, 1);
    EXPECT_TRUE(ProgramDatabase::openIn(folder).ok());
    EXPECT_EQ(countOf(u"antes de actualizar zafrano.db"_s), 1);
}

// Ten copies in one second, the hour that comes twice in October, and a copy
// named by the local time as older versions did: the newest is listed first.
TEST_F(CopiesTest, CopiesAreListedByTheTimeTheyWereMade)
{
    const QDateTime second = QDateTime(QDate(2026, 11, 2), QTime(9, 0), Qt::UTC);
    QStringList made;
    for (int n = 0; n < 10; ++n) {
        made.prepend(u"orden %1"_s.arg(n));
        ASSERT_TRUE(copies::makeCopy(dir.path(), made.first(), second).ok());
    }
    const QTimeZone madrid("Europe/Madrid");
    ASSERT_TRUE(madrid.isValid());
    // 02:30 in summer time, then 02:10 in winter time, forty minutes later.
    const QDateTime october = QDateTime(QDate(2026, 10, 25), QTime(0, 30), Qt::UTC);
    ASSERT_TRUE(copies::makeCopy(dir.path(), u"hora de verano"_s, october.toTimeZone(madrid)).ok());
    ASSERT_TRUE(copies::makeCopy(dir.path(), u"hora de invierno"_s,
                                 october.addSecs(2400).toTimeZone(madrid))
                    .ok());
    // An older version's copy, a day later, named by the local time.
    Result<copies::CopyEntry> older =
        copies::makeCopy(dir.path(), u"versión anterior"_s, second.addDays(1));
    ASSERT_TRUE(older.ok());
    const QString olderName = second.addDays(1).toLocalTime().toString(u"yyyy-MM-dd-HHmmss"_s);
    ASSERT_TRUE(
        QDir().rename(older->path, QDir(copies::copiesPath(dir.path())).filePath(olderName)));

    QStringList listed;
    for (const copies::CopyEntry &entry : copies::listCopies(dir.path()))
        listed.append(entry.reason);
    listed.removeAll(u"diaria"_s);
    const QStringList expected = QStringList{u"versión anterior"_s} + made +
                                 QStringList{u"hora de invierno"_s, u"hora de verano"_s};
    EXPECT_EQ(listed, expected);
    EXPECT_TRUE(
        readCopy(QDir(copies::copiesPath(dir.path())).filePath(olderName), dir.path()).ok());
}

TEST_F(CopiesTest, WhatAKilledProgramLeftGoesAtTheNextStart)
{
    const QDir data(dir.path());
    const QString gone = u".trabajo/999999999/nueva-2026-12-01-120000Z"_s;
    const QString alive = u".trabajo/%1"_s.arg(QCoreApplication::applicationPid());
    for (const QString &folder : {gone, alive, u"copias/.nueva-2026-12-01-120000"_s}) {
        ASSERT_TRUE(data.mkpath(folder));
        writeBytes(data.filePath(folder + u"/zafrano.db"_s), "tesorero");
    }
    ASSERT_TRUE(openDataFolder(folder, [](const ProgramMessage &) {}).ok());
    EXPECT_EQ(QDir(data.filePath(u".trabajo"_s)).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList{QString::number(QCoreApplication::applicationPid())});
    EXPECT_EQ(QDir(copies::copiesPath(dir.path()))
                  .entryList(QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot)
                  .filter(u"nueva"_s),
              QStringList());
}

} // namespace
