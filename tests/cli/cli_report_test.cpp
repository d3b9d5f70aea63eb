// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli report: the syndicate and statistics reports read back from
// their PDF files, and the messages of a missing or foreign database or layout.
#include "cli_runner.h"
#include "test_paths.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano::test;

namespace {

class ReportCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        copyTables(dir.path());
        ASSERT_TRUE(QFile::copy(QString::fromUtf8(ReportDatabaseFile), pathOf(u"Zafrano.mdb"_s)));
        QFile::setPermissions(pathOf(u"Zafrano.mdb"_s), QFile::ReadOwner | QFile::WriteOwner);
        for (const QString &layout : {u"Zafrano.net"_s, u"Zafrano1.net"_s})
            ASSERT_TRUE(
                QFile::copy(QDir(QString::fromUtf8(DataDir)).filePath(layout), pathOf(layout)));
        // Monday 17, Tuesday 18 and Saturday 22 August 2026.
        writeBytes(pathOf(u"bononume.dat"_s),
                   drawBytes({1, 11, 21, 31, 41, 49}, 7, 8, serialOf(2026, 8, 17)) +
                       drawBytes({1, 2, 3, 4, 5, 25}, 7, 8, serialOf(2026, 8, 18)) +
                       drawBytes({1, 10, 20, 25, 30, 40}, 7, 9, serialOf(2026, 8, 22)));
        SyndicateBytes tuesdays;
        tuesdays
            .name("PE\xD1"
                  "A DEL BAR")
            .days("Martes")
            .betCount(2)
            .createdOn(serialOf(2026, 8, 3))
            .bet(1, {5, 12, 23, 7, 40, 49})
            .bet(2, {1, 2, 3, 4, 5, 6})
            .hits(1, 0, 0, 0, 1);
        writeBytes(pathOf(u"bonoapu.dat"_s), tuesdays.bytes());
    }

    QString pathOf(const QString &name) const { return QDir(dir.path()).filePath(name); }

    CliRun report(const QStringList &arguments) const
    {
        return runCli(dir.path(), u"2026-08-24"_s, QStringList{u"report"_s} + arguments);
    }

    QTemporaryDir dir;
    QString pdf = pathOf(u"informe.pdf"_s);
};

TEST_F(ReportCommandTest, SyndicateReportPrintsItsFigures)
{
    const CliRun run = report({u"syndicate"_s, u"1"_s, u"--pdf"_s, pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(u"PEÑA DEL BAR"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"5 -12-23- 7-40-49"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"03/08/2026"_s));
    EXPECT_TRUE(text.contains(u"Apuestas sencillas."_s)) << text.toStdString();
    // One Tuesday played, two prizes: 200 per hundred draws.
    EXPECT_TRUE(text.contains(u"200 %"_s)) << text.toStdString();
    EXPECT_EQ(pdfPages(pdf).size(), 2); // one page and the text after its form feed
}

TEST_F(ReportCommandTest, StatisticsReportPrintsTheRankedNumbers)
{
    const CliRun run = report({u"statistics"_s, u"--rank"_s, u"2"_s, u"--pdf"_s, pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(u"17/08/2026"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"22/08/2026"_s));
    // 1 came out three times and 25 twice.
    const QStringList lines = text.split(u'\n');
    const auto rankLine = [&](const QString &number, const QString &times) {
        return std::any_of(lines.begin(), lines.end(), [&](const QString &line) {
            return line.simplified().startsWith(number + u' ' + times);
        });
    };
    EXPECT_TRUE(rankLine(u"1 1"_s, u"3"_s)) << text.toStdString();
    EXPECT_TRUE(rankLine(u"2 25"_s, u"2"_s)) << text.toStdString();
}

TEST_F(ReportCommandTest, MissingPiecesGiveTheProgramsMessages)
{
    // An installed program that ships none of them: the folder's own copies are all.
    QTemporaryDir install;
    const QString program = installedCli(install.path());
    ASSERT_FALSE(program.isEmpty());
    const auto report = [&](const QStringList &arguments) {
        return runCli(dir.path(), u"2026-08-24"_s, QStringList{u"report"_s} + arguments, program);
    };
    ASSERT_TRUE(QFile::remove(pathOf(u"Zafrano1.net"_s)));
    CliRun run = report({u"statistics"_s, u"--pdf"_s, pdf});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(u"Error 53. No es posible mostrar el informe. Si el error "
                                 u"persiste, reinstalar el programa puede ser la solución."_s))
        << run.err.toStdString();

    writeBytes(pathOf(u"Zafrano.mdb"_s), QByteArray(4096, '\0'));
    run = report({u"syndicate"_s, u"1"_s, u"--pdf"_s, pdf});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(u"Reinstale el programa. Error -26"_s)) << run.err.toStdString();

    ASSERT_TRUE(QFile::remove(pathOf(u"Zafrano.mdb"_s)));
    run = report({u"syndicate"_s, u"1"_s, u"--pdf"_s, pdf});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(
        run.err.contains(u"Un archivo necesario para el funcionamiento del programa ha "
                         u"sido modificado o eliminado. Reinstale el programa. Error -14"_s))
        << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(pathOf(u"Zafrano.mdb"_s)));
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace

int main(int argc, char **argv)
{
    // QProcess wants an application object.
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
