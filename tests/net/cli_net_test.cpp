// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli parse-page and download as a timer job runs them, against the
// stand-alone fixture server on 127.0.0.1.
#include "cli_runner.h"
#include "fixture_server_process.h"
#include "net_test_support.h"
#include "test_paths.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
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

namespace {

// A folder holding the real draws of 2025 and no prize, taken in from the
// shipped history as a player does.
class CliPrizeHistory : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        copyTables(m_dir.path());
        QByteArray year = "fecha,n1,n2,n3,n4,n5,n6,complementario,reintegro\n";
        for (const QByteArray &line :
             readBytes(QDir(QString::fromUtf8(FixturesDir)).filePath(u"historico_bonoloto.csv"_s))
                 .split('\n')) {
            if (line.startsWith("2025-"))
                year += line + '\n';
        }
        writeBytes(path(u"2025.csv"_s), year);
        const CliRun imported = cli({u"import-csv"_s, path(u"2025.csv"_s)});
        ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    }
    QString path(const QString &name) const { return QDir(m_dir.path()).filePath(name); }
    CliRun cli(const QStringList &arguments) { return runCli(m_dir.path(), Today, arguments); }
    CliRun fetch(const QString &operatorUrl)
    {
        return cli({u"prizes"_s, u"--fetch-history"_s, u"--from"_s, u"2025-01"_s, u"--pause-ms"_s,
                    u"0"_s, u"--operator"_s, operatorUrl});
    }
    // The prizes kept of one draw, in cents by category key.
    QJsonObject keptPrizes(const QString &date)
    {
        return cli({u"--json"_s, u"prizes"_s, date}).json().object().value(u"prizes"_s).toObject();
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(CliPrizeHistory, AsksEachMonthOnceAndKeepsWhatCameBeforeARefusal)
{
    {
        FixtureServerProcess server({u"--log-requests"_s});
        ASSERT_FALSE(server.url().isEmpty());
        const CliRun run = fetch(server.url());
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QStringList asked = server.requests();
        ASSERT_EQ(asked.size(), 12);
        EXPECT_TRUE(
            asked.first().contains(u"fechaInicioInclusiva=20250101&fechaFinInclusiva=20250131"_s));
        EXPECT_TRUE(
            asked.last().contains(u"fechaInicioInclusiva=20251201&fechaFinInclusiva=20251231"_s));
        const QStringList lines = run.out.trimmed().split(u'\n');
        ASSERT_EQ(lines.size(), 12) << run.out.toStdString();
        EXPECT_EQ(lines.first(), u"Enero de 2025: premios de 31 sorteos guardados."_s);
        EXPECT_EQ(lines.last(), u"Diciembre de 2025: premios de 31 sorteos guardados."_s);
        EXPECT_EQ(keptPrizes(u"2025-06-15"_s).value(u"4"_s).toInteger(), 3120);

        // Every month came back complete: nothing is asked again.
        const CliRun again = fetch(server.url());
        EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
        EXPECT_EQ(server.requests().size(), 12);
        EXPECT_EQ(again.out,
                  u"Ya se conocen los premios de todos los sorteos guardados desde enero de "
                  u"2025.\n"_s);
    }

    // Without zafrano.db nothing is known; the service refuses the fourth request.
    ASSERT_TRUE(QFile::remove(path(u"zafrano.db"_s)));
    {
        FixtureServerProcess server({u"--log-requests"_s, u"--json-error-after"_s, u"3"_s});
        const CliRun run = fetch(server.url());
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(server.requests().size(), 4);
        EXPECT_EQ(run.out.count(u" sorteos guardados."_s), 3) << run.out.toStdString();
        EXPECT_EQ(run.err,
                  u"El servidor de resultados ha rechazado la conexión (HTTP 403).\nLos premios "
                  u"de los meses anteriores quedan guardados; la próxima vez se sigue por abril "
                  u"de 2025.\n"_s);
    }
    EXPECT_EQ(keptPrizes(u"2025-03-31"_s).value(u"4"_s).toInteger(), 3120);
    EXPECT_TRUE(keptPrizes(u"2025-04-01"_s).value(u"4"_s).isNull());
    EXPECT_EQ(cli({u"prizes"_s, u"--fetch-history"_s, u"--from"_s, u"2025-13"_s}).exitCode, 2);
}

TEST_F(CliPrizeHistory, ImportPrizesKeepsAGoodFileAndNothingOfABadOne)
{
    const struct
    {
        QByteArray line;
        QString says; // empty: a good line
    } cases[] = {
        {"2025-01-02,6,\"1234567,89\",1", {}},
        {"02/01/2025,5C,34884.59,2", {}},
        {"2025-01-02,3,4,00,12345", {}}, // a decimal comma left unquoted
        {"2025-01-02,4", u"se esperan 4 campos (fecha,categoria,premio,ganadores) y hay 2."_s},
        {"2025-02-30,4,31.20,9",
         u"la fecha «2025-02-30» no es válida (AAAA-MM-DD o DD/MM/AAAA)."_s},
        {"2001-12-31,4,31.20,9",
         u"el sorteo del 31/12/2001 se pagó en pesetas; sólo se guardan premios en euros."_s},
        {"2026-01-02,4,31.20,9", u"no hay ningún sorteo guardado del 02/01/2026."_s},
        {"2025-01-02,R,0.50,9", u"la categoría «R» no existe (6, 5C, 5, 4 o 3)."_s},
        {"2025-01-02,4,31.205,9",
         u"el premio «31.205» no es una cantidad en euros (1234,56 o 1234.56)."_s},
        {"2025-01-02,4,31.20,muchos", u"los ganadores «muchos» no son un número entero."_s},
        {"2025-01-02,6,1.00,1", u"la categoría 6 del 02/01/2025 ya viene en la línea 2."_s},
    };
    QByteArray good = "fecha,categoria,premio,ganadores\n";
    QByteArray bad = good;
    QString refusal;
    int lineNumber = 1;
    for (const auto &c : cases) {
        ++lineNumber;
        bad += c.line + '\n';
        if (c.says.isEmpty())
            good += c.line + '\n';
        else
            refusal += u"Línea %1: %2\n"_s.arg(lineNumber).arg(c.says);
    }
    writeBytes(path(u"malo.csv"_s), bad);
    const CliRun refused = cli({u"import-prizes"_s, path(u"malo.csv"_s)});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, refusal + u"No se ha guardado ningún premio del archivo.\n"_s);
    EXPECT_TRUE(keptPrizes(u"2025-01-02"_s).value(u"6"_s).isNull());

    writeBytes(path(u"premios.csv"_s), good);
    const CliRun kept = cli({u"import-prizes"_s, path(u"premios.csv"_s)});
    EXPECT_EQ(kept.exitCode, 0) << kept.err.toStdString();
    EXPECT_EQ(kept.out, u"Premios guardados: 3.\n"_s);
    const QJsonObject cents = keptPrizes(u"2025-01-02"_s);
    EXPECT_EQ(cents.value(u"6"_s).toInteger(), 123456789);
    EXPECT_EQ(cents.value(u"5C"_s).toInteger(), 3488459);
    EXPECT_EQ(cents.value(u"3"_s).toInteger(), 400);
}
