// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli tables: the reduction systems a player is offered for a count of
// numbers, the check of every shipped table, and the coverage panel's texts.
#include "cli_runner.h"
#include "test_paths.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano::test;

namespace {

class TablesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        copyTables(dir.path());
    }

    CliRun run(const QStringList &arguments) const
    {
        return runCli(dir.path(), u"2026-12-08"_s, arguments);
    }

    // The index of the shipped table for N numbers with guarantee G.
    int tableFor(int numbers, int guarantee) const
    {
        const QJsonArray entries =
            run({u"--json"_s, u"tables"_s, u"list"_s, QString::number(numbers)})
                .json()
                .object()[u"entries"_s]
                .toArray();
        for (const QJsonValue &entry : entries) {
            if (entry[u"text"_s].toString().startsWith(
                    u"%1 números al %2,"_s.arg(numbers).arg(guarantee)))
                return entry[u"table"_s].toInt();
        }
        return -1;
    }

    QTemporaryDir dir;
};

TEST_F(TablesTest, ListsTheSystemsForACountOfNumbers)
{
    const CliRun listed = run({u"--json"_s, u"tables"_s, u"list"_s, u"9"_s});
    ASSERT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    const QJsonObject list = listed.json().object();
    EXPECT_EQ(list[u"text"_s].toString(), u"Tablas disponibles"_s);
    EXPECT_TRUE(list[u"reducedEnabled"_s].toBool());
    EXPECT_EQ(list[u"hint"_s].toString(),
              u"(Para crear reducidas, se han de elegir entre 7 y 20 números)"_s);
    QStringList texts;
    for (const QJsonValue &entry : list[u"entries"_s].toArray())
        texts.append(entry[u"text"_s].toString());
    EXPECT_EQ(texts,
              (QStringList{u"9 números al 3, 1 apuestas."_s, u"9 números al 4, 3 apuestas."_s,
                           u"9 números al 5, 7 apuestas."_s}));

    const QJsonObject none = run({u"--json"_s, u"tables"_s, u"list"_s, u"21"_s}).json().object();
    EXPECT_TRUE(none[u"entries"_s].toArray().isEmpty());
    EXPECT_FALSE(none[u"reducedEnabled"_s].toBool());
}

TEST_F(TablesTest, CoverageOfNineNumbersInThreeBets)
{
    const int table = tableFor(9, 4);
    ASSERT_GE(table, 0);
    const CliRun coverage = run({u"--json"_s, u"tables"_s, u"coverage"_s, QString::number(table)});
    ASSERT_EQ(coverage.exitCode, 0) << coverage.err.toStdString();
    const QJsonObject panel = coverage.json().object();
    EXPECT_EQ(panel[u"fullSystem"_s].toInt(), 84);
    EXPECT_EQ(panel[u"Label50"_s].toString(), u"84 apuestas."_s);
    EXPECT_EQ(panel[u"Label47"_s].toString(), u"3,57%"_s);
    EXPECT_EQ(panel[u"Label48"_s].toString(), u"4 aciertos"_s);

    EXPECT_EQ(run({u"tables"_s, u"coverage"_s, u"999"_s}).exitCode, 1);
    EXPECT_EQ(run({u"tables"_s, u"coverage"_s}).exitCode, 2);
}

TEST_F(TablesTest, VerifiesEveryShippedTableAndNamesABrokenOne)
{
    const CliRun shipped = run({u"tables"_s, u"verify"_s});
    EXPECT_EQ(shipped.exitCode, 0) << shipped.err.toStdString();
    EXPECT_TRUE(shipped.out.contains(u"tablas comprobadas: todas cumplen."_s));

    // 8 numbers at 5 hits in one bet promises what no single bet can.
    writeBytes(QDir(dir.path()).filePath(u"tablas.bin"_s), "8\r\n5\r\n1\r\n010203040506\r\n");
    const CliRun broken = run({u"tables"_s, u"verify"_s});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_TRUE(broken.err.contains(u"8 números al 5, 1 apuestas."_s)) << broken.err.toStdString();
}

} // namespace

int main(int argc, char **argv)
{
    // QProcess wants an application object.
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
