// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano.db: its schema and WAL mode, a damaged or newer file, and the
// prizes per draw kept in whole cents.
#include "common/money.h"
#include "store/prize_store.h"
#include "store/program_database.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

class ProgramDatabaseTest : public testing::Test
{
protected:
    QString path(const QString &name = u"zafrano.db"_s) const
    {
        return QDir(m_dir.path()).filePath(name);
    }
    // One value of a query run on the file with SQLite alone.
    QString query(const char *sql) const
    {
        sqlite3 *db = nullptr;
        sqlite3_open_v2(path().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_stmt *stmt = nullptr;
        QString value;
        if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW)
            value = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        return value;
    }

    QTemporaryDir m_dir;
};

DrawPrizes somePrizes()
{
    DrawPrizes prizes;
    prizes.date = QDate(2026, 8, 20);
    prizes.cents = {std::nullopt, 3488459, 123456, 3120, 400, 50};
    return prizes;
}

} // namespace

TEST(Money, AmountsReadWithEitherDecimalMarkAndThousands)
{
    EXPECT_EQ(centsFromText(u"34884.59"), 3488459);
    EXPECT_EQ(centsFromText(u"34.884,59"), 3488459);
    EXPECT_EQ(centsFromText(u"34,884.59"), 3488459);
    EXPECT_EQ(centsFromText(u"612.345,67 €"), 61234567);
    EXPECT_EQ(centsFromText(u"1.234.567"), 123456700);
    EXPECT_EQ(centsFromText(u"4,00"), 400);
    EXPECT_EQ(centsFromText(u"0.5"), 50);
    EXPECT_EQ(centsFromText(u"4"), 400);
    EXPECT_EQ(centsFromText(u"12.345"), 1234500); // a lone point before three digits groups
    EXPECT_FALSE(centsFromText(u"").has_value());
    EXPECT_FALSE(centsFromText(u"-5").has_value());
    EXPECT_FALSE(centsFromText(u"1,2,3.4.5").has_value());
    EXPECT_EQ(moneyText(3488459), u"34.884,59"_s);
    EXPECT_EQ(moneyText(400), u"4,00"_s);
    EXPECT_EQ(moneyText(123456700), u"1.234.567,00"_s);
}

TEST_F(ProgramDatabaseTest, ANewFileGetsItsSchemaInWalMode)
{
    Result<ProgramDatabase> db = ProgramDatabase::open(path());
    ASSERT_TRUE(db.ok()) << db.error().message.text.toStdString();
    EXPECT_FALSE(db->notice().has_value());
    EXPECT_EQ(query("PRAGMA journal_mode;"), u"wal"_s);
    EXPECT_EQ(query("SELECT version FROM schema_version;"), u"5"_s);
    // Opening again migrates nothing twice.
    db = ProgramDatabase::open(path());
    ASSERT_TRUE(db.ok());
    EXPECT_EQ(query("SELECT count(*) FROM schema_version;"), u"1"_s);
}

TEST_F(ProgramDatabaseTest, PrizesAreKeptInCentsPerCategory)
{
    Result<ProgramDatabase> db = ProgramDatabase::open(path());
    ASSERT_TRUE(db.ok());
    ASSERT_TRUE(storePrizes(db.value(), {somePrizes()}).ok());
    Result<std::optional<DrawPrizes>> read = storedPrizes(db.value(), QDate(2026, 8, 20));
    ASSERT_TRUE(read.ok());
    ASSERT_TRUE(read->has_value());
    EXPECT_EQ(**read, somePrizes());
    // A later source that names one category replaces only that one.
    DrawPrizes first;
    first.date = QDate(2026, 8, 20);
    first.cents[0] = 61234567;
    ASSERT_TRUE(storePrizes(db.value(), {first}).ok());
    EXPECT_EQ((*storedPrizes(db.value(), first.date))->cents[0], 61234567);
    EXPECT_EQ((*storedPrizes(db.value(), first.date))->cents[1], 3488459);
    EXPECT_FALSE(storedPrizes(db.value(), QDate(2026, 8, 21))->has_value());
}

TEST_F(ProgramDatabaseTest, ADamagedFileIsKeptAsideAndANewOneBegun)
{
    const QByteArray junk = QByteArray("esto no es una base de datos").repeated(200);
    writeBytes(path(), junk);
    Result<ProgramDatabase> db = ProgramDatabase::open(path());
    ASSERT_TRUE(db.ok()) << db.error().message.text.toStdString();
    ASSERT_TRUE(db->notice().has_value());
    EXPECT_TRUE(db->notice()->text.contains(u"zafrano.db.bad"_s));
    EXPECT_EQ(readBytes(path(u"zafrano.db.bad"_s)), junk);
    EXPECT_TRUE(storePrizes(db.value(), {somePrizes()}).ok());
}

TEST_F(ProgramDatabaseTest, AFileOfANewerProgramIsLeftAloneAndNotUsed)
{
    ASSERT_TRUE(ProgramDatabase::open(path()).ok());
    query("UPDATE schema_version SET version = 99;");
    const QByteArray before = readBytes(path());
    Result<ProgramDatabase> db = ProgramDatabase::open(path());
    ASSERT_FALSE(db.ok());
    EXPECT_TRUE(db.error().message.text.contains(u"versión más nueva"_s));
    EXPECT_EQ(readBytes(path()), before);
    EXPECT_FALSE(QFile::exists(path(u"zafrano.db.bad"_s)));
}
