// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli parse-page and download as a timer job runs them, against the
// stand-alone fixture server on 127.0.0.1.
#include "cli_runner.h"
#include "fixture_server_process.h"
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
    // "LA PEÑA": one simple bet, played every day.
    void writeLaPena(std::initializer_list<int> bet, QDate createdOn, QDate countedThrough) const
    {
        writeBytes(path(u"bonoapu.dat"_s), SyndicateBytes()
                                               .name("LA PE\xD1"
                                                     "A")
                                               .bet(1, bet)
                                               .days("Todos")
                                               .betCount(1)
                                               .createdOn(serialOf(createdOn))
                                               .countedThrough(serialOf(countedThrough))
                                               .bytes());
    }
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
    writeLaPena({1, 10, 12, 34, 38, 49}, QDate(2026, 11, 1), QDate(2026, 12, 4));
    FixtureServerProcess server;
    ASSERT_FALSE(server.url().isEmpty());
    const CliRun run =
        cli({u"download"_s, u"--source"_s, u"html"_s, u"--operator"_s, server.url()});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.count(u"Sorteo añadido: "_s), 3);
    EXPECT_TRUE(run.out.contains(u"Premio en la peña LA PEÑA: 5 aciertos 1"_s))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(u"Premio de 6 aciertos del 07/12/2026: 612.345,67 €"_s))
        << run.out.toStdString();
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
    const CliRun run = cli({u"download"_s, u"--source"_s, u"html"_s, u"--operator"_s,
                            u"http://127.0.0.1:%1"_s.arg(port)});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.trimmed(),
              u"No conectado: Compruebe la conexión a internet. Si es correcta, pruebe más tarde "
              u"ya que no es posible conectar con el servidor de ONLAE."_s);
    EXPECT_EQ(readBytes(path(u"bononume.dat"_s)), drawsFileBefore(3));
    EXPECT_EQ(cli({u"download"_s, u"--operator"_s, u"ftp://x"_s}).exitCode, 2);
    EXPECT_EQ(cli({u"download"_s, u"--source"_s, u"rss"_s}).exitCode, 2);
}

TEST_F(CliDownload, DownloadCatchesUpThroughTheJsonServiceAndKeepsThePrizes)
{
    // 111 days behind, and a syndicate whose bet holds five numbers of 7 December.
    writeBytes(path(u"bononume.dat"_s),
               drawBytes({3, 9, 21, 28, 33, 41}, 5, 2, serialOf(2026, 8, 19)));
    writeLaPena({1, 10, 12, 34, 38, 49}, QDate(2026, 8, 1), QDate(2026, 8, 19));
    FixtureServerProcess server;
    ASSERT_FALSE(server.url().isEmpty());
    const CliRun run = cli({u"download"_s, u"--operator"_s, server.url()});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.count(u"Sorteo añadido: "_s), 110);
    EXPECT_TRUE(run.out.contains(u"Premio en la peña LA PEÑA: "_s)) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(u"Premio de 4 aciertos del 07/12/2026: 31,20 €"_s));
    EXPECT_EQ(readBytes(path(u"bononume.dat"_s)).size(), 111 * 24);

    const CliRun prizes = cli({u"--json"_s, u"prizes"_s});
    EXPECT_EQ(prizes.exitCode, 0);
    const QJsonObject newest = prizes.json().object();
    EXPECT_EQ(newest.value(u"date"_s).toString(), u"2026-12-07"_s);
    const QJsonObject cents = newest.value(u"prizes"_s).toObject();
    EXPECT_EQ(cents.value(u"4"_s).toInteger(), 3120);
    EXPECT_EQ(cents.value(u"R"_s).toInteger(), 50);
    EXPECT_EQ(cents.keys(), (QStringList{u"3"_s, u"4"_s, u"5"_s, u"5C"_s, u"6"_s, u"R"_s}));
    EXPECT_EQ(cli({u"--json"_s, u"prizes"_s, u"2026-08-20"_s}).exitCode, 0);
    // No draw stored that day (the folder starts on 19 August); nor a date at all.
    EXPECT_EQ(cli({u"--json"_s, u"prizes"_s, u"2026-08-18"_s}).exitCode, 1);
    EXPECT_EQ(cli({u"prizes"_s, u"mañana"_s}).exitCode, 1);
}

TEST_F(CliDownload, ASundayDrawIsBroughtAndCountsForTheDomingoPenaOnly)
{
    // Stored up to Friday 4 December; the service brings 5, 6 and 7 December.
    // The peña plays Sundays with the six numbers of Sunday 6 December.
    writeBytes(path(u"bonoapu.dat"_s), SyndicateBytes()
                                           .name("DOMINGUEROS")
                                           .bet(1, {3, 7, 13, 22, 30, 45})
                                           .days("Domingo")
                                           .betCount(1)
                                           .createdOn(serialOf(QDate(2026, 11, 1)))
                                           .countedThrough(serialOf(QDate(2026, 12, 4)))
                                           .bytes());
    FixtureServerProcess server;
    ASSERT_FALSE(server.url().isEmpty());
    const CliRun run = cli({u"download"_s, u"--operator"_s, server.url()});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    // With the 3 December the stored draws lacked.
    EXPECT_EQ(run.out.count(u"Sorteo añadido: "_s), 4);
    EXPECT_TRUE(run.out.contains(u"Sorteo añadido: 03/12/2026"_s)) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(u"Sorteo añadido: 06/12/2026  Domingo"_s))
        << run.out.toStdString();
    EXPECT_EQ(run.out.count(u"Premio en la peña "_s), 1);
    EXPECT_TRUE(run.out.contains(u"Premio en la peña DOMINGUEROS: 6 aciertos 1"_s));
}

TEST_F(CliDownload, ARefusedServiceFallsBackToTheHtmlPageAndSaysSo)
{
    FixtureServerProcess server({u"--json-error"_s, u"403"_s});
    ASSERT_FALSE(server.url().isEmpty());
    const CliRun run = cli({u"download"_s, u"--operator"_s, server.url()});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(
        run.err.contains(u"El servidor de resultados ha rechazado la conexión (HTTP 403)."_s));
    EXPECT_EQ(run.out.count(u"Sorteo añadido: "_s), 3);
    // The JSON source alone has nothing else to try.
    writeBytes(path(u"bononume.dat"_s), drawsFileBefore(3));
    const CliRun json =
        cli({u"download"_s, u"--source"_s, u"json"_s, u"--operator"_s, server.url()});
    EXPECT_EQ(json.exitCode, 1);
    EXPECT_EQ(readBytes(path(u"bononume.dat"_s)), drawsFileBefore(3));
}

TEST_F(CliDownload, ADrawTypedInIsAppendedAndChecked)
{
    writeLaPena({4, 8, 15, 16, 23, 42}, QDate(2026, 11, 1), QDate(2026, 12, 4));
    const QByteArray before = readBytes(path(u"bononume.dat"_s));
    // The newest stored draw is of 4 December; today is 8 December.
    struct Case
    {
        QStringList draw;
        QString says;
    };
    const QStringList good{u"4"_s, u"8"_s, u"15"_s, u"16"_s, u"23"_s, u"42"_s, u"7"_s, u"1"_s};
    auto with = [&good](const QString &date, int at = -1, const QString &value = {}) {
        QStringList draw = QStringList{date} + good;
        if (at >= 0)
            draw[at + 1] = value;
        return draw;
    };
    for (const Case &c :
         {Case{with(u"2026-12-02"_s), u"La fecha del sorteo debe ser posterior a la del último "
                                      u"sorteo guardado (04/12/2026) o la de un día de sorteo "
                                      u"que falte."_s},
          Case{with(u"2026-12-09"_s), u"La fecha del sorteo no puede ser posterior a hoy "
                                      u"(08/12/2026)."_s},
          Case{with(u"2026-13-05"_s), u"La fecha del sorteo no es válida."_s},
          Case{with(u"2026-12-05"_s, 1, u"ocho"_s), u"No es un número: ocho"_s}}) {
        SCOPED_TRACE(c.draw.join(u' ').toStdString());
        const CliRun run = cli(QStringList{u"add-draw"_s} + c.draw);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err.trimmed(), c.says);
        EXPECT_EQ(readBytes(path(u"bononume.dat"_s)), before);
    }
    // Refused by the draw rule, with its message: the complementario is drawn
    // from the 43 balls left.
    const CliRun impossible = cli({u"add-draw"_s, u"2026-12-05"_s, u"4"_s, u"8"_s, u"15"_s, u"16"_s,
                                   u"23"_s, u"42"_s, u"42"_s, u"1"_s});
    EXPECT_EQ(impossible.exitCode, 1);
    EXPECT_EQ(impossible.err, u"El sorteo del 05/12/2026 no es válido: el complementario 42 es "
                              u"uno de los seis números.\n"_s);
    EXPECT_EQ(readBytes(path(u"bononume.dat"_s)), before);
    const CliRun run = cli({u"add-draw"_s, u"2026-12-05"_s, u"42"_s, u"8"_s, u"15"_s, u"16"_s,
                            u"23"_s, u"4"_s, u"7"_s, u"0"_s});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(u"Sorteo añadido: 05/12/2026"_s));
    EXPECT_TRUE(run.out.contains(u"Premio en la peña LA PEÑA: 6 aciertos 1"_s))
        << run.out.toStdString();
    EXPECT_EQ(readBytes(path(u"bononume.dat"_s)),
              before + drawBytes({4, 8, 15, 16, 23, 42}, 7, 0, serialOf(2026, 12, 5)));
}
