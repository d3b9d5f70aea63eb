// SPDX-License-Identifier: GPL-3.0-or-later
// The draws file bononume.dat: import (.dat and CSV history), deleting one or
// all draws, and the recovery of an unreadable file.
#include "stats/draw_listing.h"
#include "store/draw_history_csv.h"
#include "store/draws_file.h"
#include "test_paths.h"
#include "test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

const QString RejectedText =
    u"Fichero de sorteos no válido. Compruebe que el archivo BONONUME.DAT sea para Zafrano."_s;

// Monday, Tuesday and Wednesday 15-17 October 2018.
const QByteArray StoredDraws = drawBytes({3, 7, 12, 25, 33, 41}, 5, 3, serialOf(2018, 10, 15)) +
                               drawBytes({1, 2, 20, 26, 28, 8}, 39, 5, serialOf(2018, 10, 16)) +
                               drawBytes({5, 14, 22, 30, 31, 47}, 9, 0, serialOf(2018, 10, 17));

QByteArray goodDraw(int day, int month = 11, int year = 2018)
{
    return drawBytes({2, 11, 19, 27, 38, 44}, 21, 6, serialOf(year, month, day));
}

class DrawsFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        writeBytes(file.path(), StoredDraws);
    }

    QString pathOf(const QString &name) const { return QDir(dir.path()).filePath(name); }

    QTemporaryDir dir;
    DrawsFile file{dir.path()};
};

// ---------------------------------------------------------------- import of a .dat file

TEST_F(DrawsFileTest, ImportReplacesTheDrawsAndKeepsThePreviousAsBackup)
{
    const QByteArray chosen = goodDraw(5) + goodDraw(6) + goodDraw(7) + goodDraw(8);
    const QString chosenPath = pathOf(u"elegido.dat"_s);
    writeBytes(chosenPath, chosen);

    const Result<int> imported = file.importFile(chosenPath);
    ASSERT_TRUE(imported.ok()) << imported.error().message.text.toStdString();
    EXPECT_EQ(imported.value(), 4);
    EXPECT_EQ(readBytes(file.path()), chosen);
    EXPECT_EQ(readBytes(pathOf(u"bononume.bak"_s)), StoredDraws);
    EXPECT_EQ(fileNames(dir.path()),
              (QStringList{u"bononume.bak"_s, u"bononume.dat"_s, u"elegido.dat"_s}));
}

TEST_F(DrawsFileTest, SecondImportReplacesTheBackup)
{
    const QString first = pathOf(u"primero.dat"_s);
    const QString second = pathOf(u"segundo.dat"_s);
    writeBytes(first, goodDraw(5));
    writeBytes(second, goodDraw(5) + goodDraw(6));
    ASSERT_TRUE(file.importFile(first).ok());
    ASSERT_TRUE(file.importFile(second).ok());
    EXPECT_EQ(readBytes(pathOf(u"bononume.bak"_s)), goodDraw(5));
    EXPECT_EQ(readBytes(file.path()), goodDraw(5) + goodDraw(6));
}

TEST_F(DrawsFileTest, ImportAcceptsALastDrawOnASunday)
{
    const QString chosenPath = pathOf(u"domingo.dat"_s);
    writeBytes(chosenPath, goodDraw(1, 1, 2022) + goodDraw(2, 1, 2022));
    ASSERT_TRUE(file.importFile(chosenPath).ok());
    EXPECT_EQ(readBytes(file.path()).size(), 48);
}

TEST_F(DrawsFileTest, ImportOfAMissingFileNamesErrorFiftyThree)
{
    const Result<int> imported = file.importFile(pathOf(u"no-existe.dat"_s));
    ASSERT_FALSE(imported.ok());
    EXPECT_EQ(imported.error().kind, ErrorKind::NotFound);
    EXPECT_EQ(imported.error().message.text, RejectedText + u" Error 53"_s);
    EXPECT_EQ(readBytes(file.path()), StoredDraws);
    EXPECT_FALSE(QFile::exists(pathOf(u"bononume.bak"_s)));
}

struct RejectedImport
{
    const char *name;
    QByteArray bytes;
};

class RejectedImportTest : public DrawsFileTest,
                           public ::testing::WithParamInterface<RejectedImport>
{
};

TEST_P(RejectedImportTest, LeavesTheDrawsFileByteIdentical)
{
    const QString chosenPath = pathOf(u"elegido.dat"_s);
    writeBytes(chosenPath, GetParam().bytes);

    const Result<int> imported = file.importFile(chosenPath);
    ASSERT_FALSE(imported.ok());
    EXPECT_EQ(imported.error().kind, ErrorKind::InvalidData);
    EXPECT_EQ(imported.error().message.text, RejectedText);
    EXPECT_EQ(imported.error().message.title, u"¡Vaya hombre!"_s);
    EXPECT_EQ(imported.error().message.icon, MessageIcon::Exclamation);
    EXPECT_EQ(readBytes(file.path()), StoredDraws);
    // Nothing else appears: no backup, no work file.
    EXPECT_EQ(fileNames(dir.path()), (QStringList{u"bononume.dat"_s, u"elegido.dat"_s}));
}

QByteArray withRecord(const QByteArray &middle)
{
    return goodDraw(5) + middle + goodDraw(7);
}

INSTANTIATE_TEST_SUITE_P(
    DamagedFiles, RejectedImportTest,
    ::testing::Values(RejectedImport{"Empty", {}},
                      RejectedImport{"AllZeroRecord", QByteArray(24, '\0')},
                      RejectedImport{"CutOffRecord", goodDraw(5) + goodDraw(6).left(23)},
                      // One draw the draw rule refuses is enough to refuse the file.
                      RejectedImport{
                          "ComplementarioAmongTheSixInTheMiddle",
                          withRecord(drawBytes({1, 2, 3, 4, 5, 6}, 6, 1, serialOf(2018, 11, 6)))}),
    [](const ::testing::TestParamInfo<RejectedImport> &info) { return info.param.name; });

// ---------------------------------------------------------------- import of the CSV history

QByteArray historyCsv()
{
    return readBytes(QString::fromUtf8(FixturesDir) + u"/historico_bonoloto.csv"_s);
}

TEST_F(DrawsFileTest, RealHistoryImportsOldestFirst)
{
    const Result<QList<DrawRecord>> draws = parseDrawHistoryCsv(historyCsv());
    ASSERT_TRUE(draws.ok()) << draws.error().message.text.toStdString();
    ASSERT_EQ(draws->size(), 9361);

    const Result<int> imported = file.importDraws(draws.value());
    ASSERT_TRUE(imported.ok());
    EXPECT_EQ(imported.value(), 9361);
    const QByteArray stored = readBytes(file.path());
    ASSERT_EQ(stored.size(), 9361 * 24);
    // The oldest row of the file (a Sunday, reintegro not yet drawn) comes first.
    EXPECT_EQ(stored.left(24), drawBytes({6, 8, 12, 23, 24, 45}, 3, 0, serialOf(1988, 2, 28)));
    EXPECT_EQ(stored.right(24), drawBytes({1, 2, 16, 20, 28, 47}, 10, 9, serialOf(2026, 8, 20)));
    EXPECT_EQ(readBytes(pathOf(u"bononume.bak"_s)), StoredDraws);

    const Result<LoadedDraws> listed = loadDrawsList(file, 0);
    ASSERT_TRUE(listed.ok());
    EXPECT_EQ(drawTotalText(listed->listing.count()), u"TOTAL: 9361 sorteos."_s);
    EXPECT_EQ(listed->listing.records.first(), 9361);
}

TEST(DrawHistoryCsv, RowsInAnyOrderComeOutOldestFirst)
{
    const Result<QList<DrawRecord>> draws =
        parseDrawHistoryCsv("fecha,n1,n2,n3,n4,n5,n6,complementario,reintegro\r\n"
                            "2018-10-17,5,14,22,30,31,47,9,0\r\n"
                            "2018-10-15,3,7,12,25,33,41,5,3\r\n"
                            "\r\n"
                            "2018-10-16,1,2,20,26,28,8,39,5\r\n");
    ASSERT_TRUE(draws.ok());
    QByteArray bytes;
    for (const DrawRecord &draw : draws.value())
        bytes += draw.toBytes();
    EXPECT_EQ(bytes, StoredDraws);
}

struct BadCsv
{
    const char *name;
    const char *rows;
    const char *problem; // part of the message
};

class BadCsvTest : public ::testing::TestWithParam<BadCsv>
{
};

TEST_P(BadCsvTest, IsRefusedNamingTheProblem)
{
    const QByteArray csv = QByteArray("fecha,n1,n2,n3,n4,n5,n6,complementario,reintegro\n"
                                      "2018-10-15,3,7,12,25,33,41,5,3\n") +
                           GetParam().rows;
    const Result<QList<DrawRecord>> draws = parseDrawHistoryCsv(csv);
    ASSERT_FALSE(draws.ok());
    EXPECT_EQ(draws.error().kind, ErrorKind::InvalidData);
    EXPECT_EQ(draws.error().message.title, u"¡Vaya hombre!"_s);
    EXPECT_TRUE(draws.error().message.text.contains(QString::fromUtf8(GetParam().problem)))
        << draws.error().message.text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BadCsvTest,
    ::testing::Values(BadCsv{"ImpossibleDate", "2018-02-30,1,2,3,4,5,6,7,8\n", "línea 3"},
                      BadCsv{"EightFields", "2018-10-16,1,2,3,4,5,6,7\n", "línea 3"},
                      BadCsv{"NotANumber", "2018-10-16,1,2,x,4,5,6,7,8\n", "línea 3"}),
    [](const ::testing::TestParamInfo<BadCsv> &info) { return info.param.name; });

// ---------------------------------------------------------------- deleting draws

TEST_F(DrawsFileTest, DeletingOneDrawKeepsTheOthersByteForByte)
{
    ASSERT_TRUE(file.removeRecord(2).ok());
    EXPECT_EQ(readBytes(file.path()), StoredDraws.left(24) + StoredDraws.right(24));
    ASSERT_TRUE(file.removeRecord(2).ok()); // now the newest
    EXPECT_EQ(readBytes(file.path()), StoredDraws.left(24));
    ASSERT_TRUE(file.removeRecord(1).ok());
    EXPECT_EQ(readBytes(file.path()), QByteArray());
    EXPECT_EQ(fileNames(dir.path()), QStringList{u"bononume.dat"_s});
}

TEST_F(DrawsFileTest, DeletingARecordThatDoesNotExistChangesNothing)
{
    EXPECT_FALSE(file.removeRecord(0).ok());
    EXPECT_FALSE(file.removeRecord(4).ok());
    EXPECT_EQ(readBytes(file.path()), StoredDraws);
}

TEST_F(DrawsFileTest, DeletingAllLeavesAnEmptyFile)
{
    ASSERT_TRUE(file.removeAll().ok());
    EXPECT_TRUE(QFile::exists(file.path()));
    EXPECT_EQ(readBytes(file.path()).size(), 0);
    EXPECT_EQ(fileNames(dir.path()), QStringList{u"bononume.dat"_s});
}

TEST_F(DrawsFileTest, AppendingAddsAfterTheNewest)
{
    DrawRecord next = DrawRecord::fromBytes(goodDraw(18, 10));
    ASSERT_TRUE(file.append({next}).ok());
    EXPECT_EQ(readBytes(file.path()), StoredDraws + goodDraw(18, 10));
}

// ---------------------------------------------------------------- unreadable file

TEST_F(DrawsFileTest, CutOffFileIsNotReadAsFewerDraws)
{
    writeBytes(file.path(), StoredDraws.left(47));
    const Result<QList<DrawRecord>> draws = file.readAll();
    ASSERT_FALSE(draws.ok());
    EXPECT_EQ(draws.error().kind, ErrorKind::InvalidData);
}

TEST_F(DrawsFileTest, UnreadableFileIsMovedAsideAndReplacedByAnEmptyOne)
{
    const QByteArray damaged =
        StoredDraws + drawBytes({1, 2, 3, 4, 5, 50}, 6, 1, serialOf(2018, 10, 18));
    writeBytes(file.path(), damaged);

    const Result<LoadedDraws> first = loadDrawsList(file, 0);
    ASSERT_FALSE(first.ok());
    // The message as it always read, then where the draws were in fact kept.
    EXPECT_EQ(first.error().message.text,
              u"Archivo de números ganadores no válido. ¡Se perderán los sorteos grabados!.\r\n"
              u"Se ha guardado una copia del archivo en bononume.bad."_s);
    EXPECT_EQ(readBytes(pathOf(u"bononume.bad"_s)), damaged);
    EXPECT_TRUE(QFile::exists(file.path()));
    EXPECT_EQ(readBytes(file.path()).size(), 0);

    // The next damaged file does not overwrite the first one's bytes.
    writeBytes(file.path(), StoredDraws.left(30));
    const Result<LoadedDraws> second = loadDrawsList(file, 0);
    ASSERT_FALSE(second.ok());
    EXPECT_TRUE(second.error().message.text.endsWith(u"en bononume.bad.1."_s));
    EXPECT_EQ(readBytes(pathOf(u"bononume.bad"_s)), damaged);
    EXPECT_EQ(readBytes(pathOf(u"bononume.bad.1"_s)), StoredDraws.left(30));
    EXPECT_EQ(readBytes(file.path()).size(), 0);

    const Result<LoadedDraws> after = loadDrawsList(file, 0);
    ASSERT_TRUE(after.ok());
    EXPECT_EQ(after->listing.count(), 0);
}

} // namespace
