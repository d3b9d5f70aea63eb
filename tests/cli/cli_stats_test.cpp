// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli stats: the counts and the ranking as JSON, the filter options,
// and the whole draw history counted the same way the draws list lists it.
#include "cli_runner.h"
#include "test_paths.h"
#include "test_support.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano::test;

namespace {

const QStringList DayNames = {u"Lunes"_s,   u"Martes"_s, u"Miércoles"_s, u"Jueves"_s,
                              u"Viernes"_s, u"Sábado"_s, u"Domingo"_s};

int sumOf(const QJsonArray &counts)
{
    int sum = 0;
    for (const QJsonValue &value : counts)
        sum += value.toInt();
    return sum;
}

class StatsCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        copyTables(dir.path());
        // Saturday 15, Sunday 16, Monday 17 and Thursday 20 August 2026; the
        // complementario and the reintegro are numbers no draw has won.
        writeBytes(QDir(dir.path()).filePath(u"bononume.dat"_s),
                   drawBytes({1, 11, 21, 31, 41, 49}, 7, 8, serialOf(2026, 8, 15)) +
                       drawBytes({2, 12, 22, 32, 42, 48}, 7, 8, serialOf(2026, 8, 16)) +
                       drawBytes({1, 2, 3, 4, 5, 25}, 7, 8, serialOf(2026, 8, 17)) +
                       drawBytes({1, 10, 20, 25, 30, 40}, 7, 9, serialOf(2026, 8, 20)));
    }

    QJsonObject stats(const QStringList &options) const
    {
        const CliRun run =
            runCli(dir.path(), u"2026-08-21"_s, QStringList{u"--json"_s, u"stats"_s} + options);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.json().object();
    }

    QTemporaryDir dir;
};

TEST_F(StatsCommandTest, CountsEveryDrawWithoutOptions)
{
    const QJsonObject json = stats({});
    EXPECT_EQ(json[u"selected"_s].toInt(), 4);
    EXPECT_EQ(json[u"newest"_s].toString(), u"20/08/2026"_s);
    EXPECT_EQ(json[u"oldest"_s].toString(), u"15/08/2026"_s);
    const QJsonArray overall = json[u"overall"_s].toArray();
    ASSERT_EQ(overall.size(), 49);
    EXPECT_EQ(overall[0].toInt(), 3);  // 1
    EXPECT_EQ(overall[24].toInt(), 2); // 25
    EXPECT_EQ(overall[6].toInt(), 0);  // 7, only ever the complementario
    EXPECT_EQ(overall[7].toInt(), 0);  // 8, only ever the reintegro
    EXPECT_EQ(sumOf(overall), 24);

    // The Sunday draw counts on its own day like the others.
    const QJsonObject byDay = json[u"weekday"_s].toObject();
    EXPECT_EQ(byDay.keys().size(), 7);
    int days = 0;
    for (const QString &day : DayNames) {
        ASSERT_EQ(byDay[day].toArray().size(), 49) << day.toStdString();
        days += sumOf(byDay[day].toArray());
    }
    EXPECT_EQ(days, 24);
    EXPECT_EQ(overall[47].toInt(), 1); // 48, only on the Sunday
    EXPECT_EQ(byDay[u"Domingo"_s].toArray()[47].toInt(), 1);
    EXPECT_EQ(byDay[u"Jueves"_s].toArray()[24].toInt(), 1);
    EXPECT_EQ(byDay[u"Lunes"_s].toArray()[24].toInt(), 1);

    // Every number ranked: 1, then 2 and 25 (twice each) in number order.
    const QJsonArray ranking = json[u"ranking"_s].toArray();
    ASSERT_EQ(ranking.size(), 49);
    EXPECT_EQ(ranking[0].toInt(), 1);
    EXPECT_EQ(ranking[1].toInt(), 2);
    EXPECT_EQ(ranking[2].toInt(), 25);
}

TEST_F(StatsCommandTest, DaysMonthsAndRankSelectAsTheFilterDoes)
{
    const QJsonObject days = stats({u"--days"_s, u"Lu,Ju"_s, u"--rank"_s, u"2"_s});
    EXPECT_EQ(days[u"selected"_s].toInt(), 2);
    EXPECT_EQ(days[u"oldest"_s].toString(), u"17/08/2026"_s);
    EXPECT_EQ(days[u"ranking"_s].toArray(), (QJsonArray{1, 25}));
    EXPECT_EQ(days[u"overall"_s].toArray()[47].toInt(), 0); // no Sunday

    // One month back from 21 August is 21 July at noon: all four draws;
    // with --days none of the other days.
    const QJsonObject month = stats({u"--months"_s, u"1"_s, u"--days"_s, u"Sa"_s});
    EXPECT_EQ(month[u"selected"_s].toInt(), 1);
    EXPECT_EQ(month[u"newest"_s].toString(), u"15/08/2026"_s);

    const QJsonObject sunday = stats({u"--days"_s, u"Do"_s});
    EXPECT_EQ(sunday[u"selected"_s].toInt(), 1);
    EXPECT_EQ(sunday[u"newest"_s].toString(), u"16/08/2026"_s);

    const QJsonObject none = stats({u"--days"_s, u""_s, u"--rank"_s, u"0"_s});
    EXPECT_EQ(none[u"selected"_s].toInt(), 0);
    EXPECT_TRUE(none[u"newest"_s].isNull());
    EXPECT_EQ(none[u"ranking"_s].toArray(), QJsonArray());
}

TEST_F(StatsCommandTest, WrongOptionsAreUsageErrors)
{
    for (const QStringList &options :
         {QStringList{u"--days"_s, u"Lu,Sá"_s}, QStringList{u"--months"_s, u"0"_s},
          QStringList{u"--rank"_s, u"50"_s}, QStringList{u"--rank"_s, u"seis"_s}}) {
        const CliRun run = runCli(dir.path(), u"2026-08-21"_s, QStringList{u"stats"_s} + options);
        EXPECT_EQ(run.exitCode, 2) << options.join(u' ').toStdString();
    }
}

TEST(StatsCommandHistory, CountsTheWholeHistoryAsTheListListsIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    copyTables(dir.path());
    const CliRun imported =
        runCli(dir.path(), u"2026-08-21"_s,
               {u"import-csv"_s, QString::fromUtf8(FixturesDir) + u"/historico_bonoloto.csv"_s});
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();

    const CliRun listed = runCli(dir.path(), u"2026-08-21"_s, {u"--json"_s, u"draws"_s});
    const QJsonArray draws = listed.json().array();

    const CliRun run = runCli(dir.path(), u"2026-08-21"_s, {u"--json"_s, u"stats"_s});
    const QJsonObject json = run.json().object();
    EXPECT_EQ(json[u"selected"_s].toInt(), draws.size());
    EXPECT_EQ(sumOf(json[u"overall"_s].toArray()), 6 * draws.size());
    int onDays = 0;
    for (const QString &day : DayNames)
        onDays += sumOf(json[u"weekday"_s].toObject()[day].toArray());
    EXPECT_EQ(onDays, 6 * draws.size());
    EXPECT_EQ(json[u"oldest"_s].toString(), u"28/02/1988"_s);
}

} // namespace
