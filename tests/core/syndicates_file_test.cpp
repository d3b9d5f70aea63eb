// SPDX-License-Identifier: GPL-3.0-or-later
// The syndicates file bonoapu.dat: bet-kind codes, rewrites, the results reset
// and the conversion of files written by the older version.
#include "store/day_serial.h"
#include "store/syndicates_file.h"
#include "test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

// ---------------------------------------------------------------- bet-kind codes

TEST(Cuantos, MultipleCodesGiveTheNumbersOfTheBet)
{
    EXPECT_EQ(cuantos(501), 7);
    EXPECT_EQ(cuantos(502), 8);
    EXPECT_EQ(cuantos(503), 5);
    EXPECT_EQ(cuantos(504), 9);
    EXPECT_EQ(cuantos(505), 10);
    EXPECT_EQ(cuantos(506), 11);
}

TEST(Cuantos, BetCountPlusSixGivesTheSixNumberBetsPlayed)
{
    EXPECT_EQ(cuantos(501 + 6), 7);
    EXPECT_EQ(cuantos(502 + 6), 28);
    EXPECT_EQ(cuantos(503 + 6), 44);
    EXPECT_EQ(cuantos(504 + 6), 84);
    EXPECT_EQ(cuantos(505 + 6), 210);
    EXPECT_EQ(cuantos(506 + 6), 462);
    EXPECT_EQ(cuantos(12 + 6), 12);
    EXPECT_EQ(cuantos(1 + 6), 1);
    EXPECT_EQ(cuantos(205 + 6), 205);
    EXPECT_EQ(cuantos(499), 493);
}

TEST(Cuantos, OtherCodesAbove499GiveZero)
{
    EXPECT_EQ(cuantos(500), 0);
    EXPECT_EQ(cuantos(513), 0);
    EXPECT_EQ(cuantos(32767), 0);
}

TEST(SyndicateKind, FollowsTheBetCountAndTheReductionFields)
{
    SyndicateRecord simple;
    simple.betCount = 12;
    EXPECT_EQ(simple.kind(), SyndicateKind::Simple);
    EXPECT_EQ(simple.sixNumberBets(), 12);

    SyndicateRecord reduced = simple;
    reduced.reducedFrom = 9;
    EXPECT_EQ(reduced.kind(), SyndicateKind::Reduced);
    EXPECT_EQ(reduced.sixNumberBets(), 12);

    SyndicateRecord multiple;
    multiple.betCount = 503;
    EXPECT_EQ(multiple.kind(), SyndicateKind::Multiple);
    EXPECT_EQ(multiple.sixNumberBets(), 44);
    multiple.betCount = 506;
    EXPECT_EQ(multiple.sixNumberBets(), 462);
    multiple.betCount = 501;
    EXPECT_EQ(multiple.sixNumberBets(), 7);
}

// ---------------------------------------------------------------- the file

const QByteArray First = SyndicateBytes()
                             .name("PE\xD1"
                                   "A DEL BAR")
                             .bet(1, {1, 2, 3, 4, 5, 6})
                             .bet(2, {7, 8, 9, 10, 11, 12})
                             .hits(4, 1, 0, 0, 0)
                             .days("Lunes")
                             .betCount(2)
                             .createdOn(serialOf(2018, 10, 1))
                             .countedThrough(serialOf(2018, 10, 15));
const QByteArray Second = SyndicateBytes()
                              .name("OFICINA")
                              .bet(1, {3, 14, 25, 36, 47})
                              .hits(9, 3, 1, 0, 2)
                              .days("Todos")
                              .betCount(503)
                              .createdOn(serialOf(2018, 9, 3))
                              .countedThrough(serialOf(2018, 10, 16));
const QByteArray Third = SyndicateBytes()
                             .name("FAMILIA")
                             .reduced(9, 3, {4, 8, 15, 16, 23, 42, 44, 45, 46})
                             .bet(1, {4, 8, 15, 16, 23, 42})
                             .hits(0, 0, 0, 0, 0)
                             .days("S\xE1"
                                   "bado")
                             .betCount(1)
                             .createdOn(serialOf(2018, 10, 20));

class SyndicatesFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        writeBytes(file.path(), First + Second + Third);
    }

    QString pathOf(const QString &name) const { return QDir(dir.path()).filePath(name); }

    QTemporaryDir dir;
    SyndicatesFile file{dir.path()};
};

TEST_F(SyndicatesFileTest, ReadsEverySyndicateInRecordOrder)
{
    const Result<QList<SyndicateRecord>> all = file.readAll();
    ASSERT_TRUE(all.ok());
    ASSERT_EQ(all->size(), 3);
    EXPECT_EQ(all->at(0).nameText(), u"PEÑA DEL BAR"_s);
    EXPECT_EQ(all->at(1).nameText(), u"OFICINA"_s);
    EXPECT_EQ(all->at(2).daysText(), u"Sábado"_s);
    EXPECT_EQ(all->at(2).kind(), SyndicateKind::Reduced);
}

TEST_F(SyndicatesFileTest, DeletingTheSecondOfThreeMovesTheThirdUp)
{
    ASSERT_TRUE(file.remove(2).ok());
    EXPECT_EQ(readBytes(file.path()), First + Third);
    EXPECT_EQ(fileNames(dir.path()), QStringList{u"bonoapu.dat"_s});
}

TEST_F(SyndicatesFileTest, DeletingTheOnlySyndicateLeavesAnEmptyFile)
{
    writeBytes(file.path(), Second);
    ASSERT_TRUE(file.remove(1).ok());
    EXPECT_TRUE(QFile::exists(file.path()));
    EXPECT_EQ(readBytes(file.path()).size(), 0);
}

TEST_F(SyndicatesFileTest, DeletingARecordThatDoesNotExistChangesNothing)
{
    EXPECT_FALSE(file.remove(0).ok());
    EXPECT_FALSE(file.remove(4).ok());
    EXPECT_EQ(readBytes(file.path()), First + Second + Third);
}

TEST_F(SyndicatesFileTest, WritingARecordReplacesOnlyThatOneOrAppends)
{
    SyndicateRecord edited = SyndicateRecord::fromBytes(Second);
    edited.setName(u"OFICINA 2"_s);
    ASSERT_TRUE(file.write(2, edited).ok());
    const QByteArray renamed = SyndicateBytes(Second).name("OFICINA 2");
    EXPECT_EQ(readBytes(file.path()), First + renamed + Third);

    ASSERT_TRUE(file.write(4, SyndicateRecord::fromBytes(First)).ok());
    EXPECT_EQ(readBytes(file.path()), First + renamed + Third + First);
}

TEST_F(SyndicatesFileTest, LastRecordCutShortIsKeptAsideAndCutBack)
{
    writeBytes(file.path(), First + Second.left(100));
    // Read, written or deleted, a cut-short record is never taken for a syndicate.
    EXPECT_EQ(file.readAll().error().kind, ErrorKind::InvalidData);
    EXPECT_FALSE(file.write(1, SyndicateRecord::fromBytes(First)).ok());
    EXPECT_FALSE(file.remove(1).ok());

    const Result<std::optional<QString>> kept = file.keepWholeRecords();
    ASSERT_TRUE(kept.ok() && kept.value());
    EXPECT_EQ(*kept.value(), pathOf(u"bonoapu.bad"_s));
    EXPECT_EQ(readBytes(pathOf(u"bonoapu.bad"_s)), First + Second.left(100));
    EXPECT_EQ(readBytes(file.path()), First);

    // A whole file is left alone.
    const Result<std::optional<QString>> again = file.keepWholeRecords();
    ASSERT_TRUE(again.ok());
    EXPECT_FALSE(again.value());
    EXPECT_EQ(fileNames(dir.path()), (QStringList{u"bonoapu.bad"_s, u"bonoapu.dat"_s}));
}

TEST_F(SyndicatesFileTest, ResetClearsTheResultsAndRestartsOnTheGivenDay)
{
    const QDate today(2024, 5, 6);
    ASSERT_TRUE(file.resetResults(today).ok());

    QByteArray expected;
    for (QByteArray record : {First, Second, Third}) {
        for (int slot = 0; slot < 5; ++slot)
            putInt16(record, 8264 + 2 * slot, 0);
        putDouble(record, 8291, serialOf(today));
        putDouble(record, 8299, 0);
        expected += record;
    }
    EXPECT_EQ(readBytes(file.path()), expected);
}

// ---------------------------------------------------------------- older format

TEST_F(SyndicatesFileTest, EmptyOrMissingFileIsNotLegacy)
{
    writeBytes(file.path(), {});
    EXPECT_FALSE(file.isLegacyFormat());
    QFile::remove(file.path());
    EXPECT_FALSE(file.isLegacyFormat());
}

TEST_F(SyndicatesFileTest, CurrentFileIsNotLegacy)
{
    EXPECT_FALSE(file.isLegacyFormat());
    // Bet 13 holds the bytes where a legacy days field would be.
    writeBytes(file.path(),
               SyndicateBytes(First).bet(13, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}).bytes());
    EXPECT_FALSE(file.isLegacyFormat());
}

TEST_F(SyndicatesFileTest, LegacyIsRecognisedByItsDaysField)
{
    for (const char *days : {"Lunes", "Martes", "Mi\xE9rcoles", "Jueves", "Viernes",
                             "S\xE1"
                             "bado",
                             "Todos"}) {
        writeBytes(file.path(), LegacySyndicateBytes().days(days).betCount(1).bytes());
        EXPECT_TRUE(file.isLegacyFormat()) << days;
    }
    writeBytes(file.path(), LegacySyndicateBytes().days("Domingo").betCount(1).bytes());
    EXPECT_FALSE(file.isLegacyFormat());
}

TEST_F(SyndicatesFileTest, ConvertsALegacyFileByteForByte)
{
    LegacySyndicateBytes multiple;
    multiple
        .name("PE\xD1"
              "A VIEJA")
        .bet(1, {3, 14, 25, 36, 47})
        .hits(1, 2, 3, 4, 5)
        .days("Todos")
        .betCount(103)
        .createdOn(36000)
        .countedThrough(36100);
    LegacySyndicateBytes simple;
    simple.name("LOS DEL BAR")
        .hits(7, 0, 0, 0, 1)
        .days("S\xE1"
              "bado")
        .betCount(24)
        .createdOn(37000);
    SyndicateBytes expectedSimple;
    expectedSimple.name("LOS DEL BAR")
        .hits(7, 0, 0, 0, 1)
        .days("S\xE1"
              "bado")
        .betCount(24)
        .createdOn(37000);
    for (int j = 1; j <= 24; ++j) {
        simple.bet(j, {j, j + 1, j + 2, j + 3, j + 4, j + 25});
        expectedSimple.bet(j, {j, j + 1, j + 2, j + 3, j + 4, j + 25});
    }
    writeBytes(file.path(), multiple.bytes() + simple.bytes());
    ASSERT_TRUE(file.isLegacyFormat());

    const Result<int> converted = file.convertLegacy();
    ASSERT_TRUE(converted.ok());
    EXPECT_EQ(converted.value(), 2);

    const QByteArray expectedMultiple = SyndicateBytes()
                                            .name("PE\xD1"
                                                  "A VIEJA")
                                            .bet(1, {3, 14, 25, 36, 47})
                                            .hits(1, 2, 3, 4, 5)
                                            .days("Todos")
                                            .betCount(503)
                                            .createdOn(36000)
                                            .countedThrough(36100);
    EXPECT_EQ(readBytes(file.path()), expectedMultiple + expectedSimple.bytes());
    EXPECT_FALSE(file.isLegacyFormat());
    EXPECT_EQ(fileNames(dir.path()), QStringList{u"bonoapu.dat"_s});
}

TEST(LegacyConversion, EveryLegacyPositionLandsOnTheSameBetAndPosition)
{
    LegacySyndicateBytes legacy;
    legacy.days("Lunes").betCount(24);
    for (int j = 1; j <= 24; ++j)
        for (int i = 1; i <= 11; ++i)
            legacy.number(j, i, 100 * j + i);
    const SyndicateRecord record = convertLegacyRecord(legacy.bytes());
    for (int j = 1; j <= SyndicateRecord::MaxBets; ++j) {
        for (int i = 1; i <= SyndicateRecord::NumbersPerBet; ++i) {
            const int expected = (j <= 24 && i <= 11) ? 100 * j + i : 0;
            ASSERT_EQ(record.bets[j - 1][i - 1], expected) << "bet " << j << " number " << i;
        }
    }
    EXPECT_EQ(record.reducedFrom, 0);
    EXPECT_EQ(record.reducedGuarantee, 0);
}

TEST(LegacyConversion, MultipleCodesMoveUpByFourHundred)
{
    const auto convertedCount = [](int legacyCount) {
        return convertLegacyRecord(
                   LegacySyndicateBytes().days("Lunes").betCount(legacyCount).bytes())
            .betCount;
    };
    EXPECT_EQ(convertedCount(1), 1);
    EXPECT_EQ(convertedCount(100), 100);
    EXPECT_EQ(convertedCount(101), 501);
    EXPECT_EQ(convertedCount(103), 503);
    EXPECT_EQ(convertedCount(106), 506);
}

} // namespace
