// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli parse-page and download as a timer job runs them, against the
// stand-alone fixture server on 127.0.0.1.
#include "cli_runner.h"
#include "net_test_support.h"
#include "test_paths.h"
#include "test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano::test;

namespace {

const QString Today = u"2026-12-08"_s;

// The stand-alone server, started on a free port for one test.
class FixtureServerProcess
{
public:
    FixtureServerProcess()
    {
        const QString program =
            QFileInfo(QString::fromUtf8(CliProgram)).dir().filePath(u"zafrano-fixture-server"_s);
        m_process.start(program, {u"--port"_s, u"0"_s});
        if (!m_process.waitForStarted() || !m_process.waitForReadyRead())
            return;
        const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
        m_url = line.section(u'=', 1);
    }
    ~FixtureServerProcess()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    const QString &url() const { return m_url; }

private:
    QProcess m_process;
    QString m_url;
};

class CliDownload : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        copyTables(m_dir.path());
        writeBytes(path(u"bononume.dat"_s), drawsFileBefore(3));
    }
    QString path(const QString &name) const { return QDir(m_dir.path()).filePath(name); }
    CliRun cli(const QStringList &arguments) { return runCli(m_dir.path(), Today, arguments); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(CliDownload, ParsePageAppendsTheNewDraws)
{
    const CliRun run =
        cli({u"parse-page"_s, QDir(operatorPagesDir()).filePath(u"buscador-ingles.html"_s)});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.count(u"Sorteo añadido: "_s), 3);
    EXPECT_TRUE(run.out.contains(u"Sorteo añadido: 07/12/2026  Lunes"_s));
    EXPECT_EQ(readBytes(path(u"bononume.dat"_s)).size(), 5 * 24);

    const CliRun again = runCli(
        m_dir.path(), Today,
        {u"--json"_s, u"parse-page"_s, QDir(operatorPagesDir()).filePath(u"buscador.html"_s)});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.json().object().value(u"message"_s).toString(),
              u"Todavía no hay sorteos nuevos."_s);
    EXPECT_TRUE(again.json().object().value(u"added"_s).toArray().isEmpty());
}

TEST_F(CliDownload, ParsePageOfAPageWithoutMarkersFails)
{
    const CliRun run =
        cli({u"parse-page"_s, QDir(operatorPagesDir()).filePath(u"buscador-sin-marcas.html"_s)});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(u"¡¡Datos corruptos o inválidos!!"_s));
    EXPECT_EQ(readBytes(path(u"bononume.dat"_s)), drawsFileBefore(3));
}

TEST_F(CliDownload, DownloadAppendsChecksAndFetchesThePrizes)
{
    // A syndicate playing every day with the 7 December draw's first five numbers.
    writeBytes(path(u"bonoapu.dat"_s), SyndicateBytes()
                                           .name("LA PE\xD1"
                                                 "A")
                                           .bet(1, {1, 10, 12, 34, 38, 49})
                                           .days("Todos")
                                           .betCount(1)
                                           .createdOn(serialOf(2026, 11, 1))
                                           .countedThrough(serialOf(2026, 12, 3))
                                           .bytes());
    FixtureServerProcess server;
    ASSERT_FALSE(server.url().isEmpty());
    const CliRun run = cli({u"download"_s, u"--operator"_s, server.url()});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.count(u"Sorteo añadido: "_s), 3);
    EXPECT_TRUE(run.out.contains(u"Premio en la peña LA PEÑA: 5 aciertos 1"_s))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(u"Premio de 6 aciertos: 612.345,67"_s));
    EXPECT_TRUE(run.out.contains(u"Documento de premios guardado en tuv.pdf"_s));
    EXPECT_TRUE(readBytes(path(u"tuv.pdf"_s)).startsWith("%PDF"));
    EXPECT_EQ(readBytes(path(u"bononume.dat"_s)).size(), 5 * 24);
}

TEST_F(CliDownload, DownloadWithoutAServerFailsWithTheConnectionMessage)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    const CliRun run = cli({u"download"_s, u"--operator"_s, u"http://127.0.0.1:%1"_s.arg(port)});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith(u"No conectado: Compruebe la conexión a internet."_s));
    EXPECT_EQ(readBytes(path(u"bononume.dat"_s)), drawsFileBefore(3));
    EXPECT_EQ(cli({u"download"_s, u"--operator"_s, u"ftp://x"_s}).exitCode, 2);
}
