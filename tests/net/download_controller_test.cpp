// SPDX-License-Identifier: GPL-3.0-or-later
// The download against our fixture operator on 127.0.0.1: the requests it
// sends, what it saves and appends, the order of the passes it asks for, and
// every way the server can fail it. The ticks are given by the test, one by
// one, once the request in flight has ended.
#include "checking/check_and_keep.h"
#include "net/document_fetch.h"
#include "net/download_controller.h"
#include "net/draw_intake.h"
#include "net/network_error_text.h"
#include "net/operator_site.h"
#include "net/prize_report.h"
#include "net_test_support.h"
#include "operator_fixture_server.h"
#include "test_support.h"

#include <QDir>
#include <QMetaEnum>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;
using zafrano::fixture::Behaviour;
using zafrano::fixture::OperatorFixtureServer;

namespace {

const ProgramMessage NotConnected{
    u"No conectado: Compruebe la conexión a internet. Si es correcta, pruebe más tarde ya "
    u"que no es posible conectar con el servidor de ONLAE."_s,
    u"Error de conexión"_s, MessageIcon::Exclamation};

class Download : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(server.loadPages(operatorPagesDir()));
        ASSERT_TRUE(server.listen());
        writeBytes(folder.filePath(u"bononume.dat"_s), drawsFileBefore(3));
    }

    // The HTML road alone unless a test chooses the sources.
    DownloadConfig config(const QUrl &base) const
    {
        DownloadConfig c;
        c.operatorBase = base;
        c.sources = sources;
        c.requestTimeoutMs = 300;
        c.tickIntervalMs = 0;
        return c;
    }

    // Starts a download and ticks it to its end (at most `maxTicks` ticks).
    void run(const QUrl &base, int maxTicks = 40)
    {
        controller = std::make_unique<DownloadController>(folder, config(base));
        connectRecorders();
        controller->start(downloadDay(), newestStored());
        for (int tick = 0; tick < maxTicks && controller->running(); ++tick) {
            ASSERT_TRUE(spinUntil([this] { return !controller->fetching(); }));
            controller->tick();
        }
        ASSERT_FALSE(controller->running());
    }
    void run() { run(server.baseUrl()); }

    // The server saw no request from the download: a probe sent after it
    // is answered, and is the only request there.
    void expectNoRequestSent()
    {
        QNetworkAccessManager network;
        std::unique_ptr<QNetworkReply> probe(
            network.get(QNetworkRequest(server.baseUrl().resolved(QUrl(u"/sonda"_s)))));
        ASSERT_TRUE(spinUntil([&] { return probe->isFinished(); }));
        EXPECT_EQ(server.requests(), QStringList{u"/sonda"_s});
    }

    void connectRecorders()
    {
        QObject::connect(controller.get(), &DownloadController::messageRaised,
                         [this](const ProgramMessage &m) { messages.append(m); });
        QObject::connect(
            controller.get(), &DownloadController::checkRequested, [this](int count, int view) {
                passes.append(
                    u"check %1 %2 at %3"_s.arg(count).arg(view).arg(controller->progress()));
            });
        QObject::connect(controller.get(), &DownloadController::refreshRequested,
                         [this] { passes.append(u"refresh at %1"_s.arg(controller->progress())); });
        QObject::connect(controller.get(), &DownloadController::parseErrorTextRaised,
                         [this](const QString &text) { prizeTabText = text; });
    }

    QDate newestStored() const
    {
        const QByteArray file = readBytes(folder.filePath(u"bononume.dat"_s));
        if (file.isEmpty())
            return {};
        return DrawRecord::fromBytes(file.right(DrawRecord::Size)).date();
    }
    QByteArray drawsFile() const { return readBytes(folder.filePath(u"bononume.dat"_s)); }
    QByteArray saved(const QString &name) const { return readBytes(folder.filePath(name)); }

    void expectFailedWith(const ProgramMessage &message)
    {
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(messages[0], message);
        EXPECT_EQ(controller->progress(), DownloadController::Idle);
        EXPECT_TRUE(controller->status().isEmpty());
        EXPECT_TRUE(passes.isEmpty());
        EXPECT_EQ(drawsFile(), drawsFileBefore(3));
    }

    QTemporaryDir m_dir;
    DataFolder folder{m_dir.path()};
    OperatorFixtureServer server;
    SourceChoice sources = SourceChoice::Html;
    std::unique_ptr<DownloadController> controller;
    QList<ProgramMessage> messages;
    QStringList passes;
    QString prizeTabText;
};

} // namespace

TEST_F(Download, BringsTheNewDrawsAndTheNewestDrawsPage)
{
    run();
    EXPECT_TRUE(messages.isEmpty());
    ASSERT_EQ(server.requests().size(), 2);
    EXPECT_EQ(server.requests()[0], u"/es/buscador?startDate=19/10/2026&gameId=01&type=search"
                                    u"&endDate=08/12/2026"_s);
    EXPECT_EQ(server.requests()[1], u"/es/bonoloto/sorteos/2026/926120701"_s);

    EXPECT_EQ(drawsFile().size(), 5 * DrawRecord::Size);
    EXPECT_EQ(controller->appendedDraws().size(), 3);
    EXPECT_EQ(controller->newDrawsText(), u"3 sorteos"_s);
    // Each page is saved as one quoted item.
    EXPECT_EQ(saved(u"bonowww.txt"_s), '"' + server.searchPage + "\"\r\n");
    EXPECT_EQ(saved(u"bonowww2.txt"_s), '"' + server.drawPage + "\"\r\n");
    EXPECT_EQ(controller->byteCount(),
              u"%1 Bytes"_s.arg(server.searchPage.size() + server.drawPage.size()));
    // The check runs while the bar shows 3, the refreshes while it shows 4.
    EXPECT_EQ(passes, (QStringList{u"check 3 3 at 3"_s, u"refresh at 4"_s}));
    EXPECT_EQ(controller->progress(), DownloadController::Finished);
    EXPECT_EQ(controller->status(), u"TRANSFERENCIA FINALIZADA"_s);
    EXPECT_EQ(controller->drawLink(), u"2026/926120701"_s);
}

TEST_F(Download, ManyNewDrawsShowAtMostEight)
{
    writeBytes(folder.filePath(u"bononume.dat"_s), drawsFileBefore(12));
    run();
    EXPECT_EQ(controller->appendedDraws().size(), 12);
    EXPECT_EQ(passes.value(0), u"check 12 8 at 3"_s);
}

TEST_F(Download, SixteenNewDrawsAppendNothingAndStillFinish)
{
    writeBytes(folder.filePath(u"bononume.dat"_s), drawsFileBefore(16));
    run();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, u"Aun no hay datos de sorteos del 2026."_s);
    EXPECT_EQ(drawsFile(), drawsFileBefore(16));
    EXPECT_EQ(passes.value(0), u"check 15 8 at 3"_s);
    EXPECT_EQ(controller->progress(), DownloadController::Finished);
}

TEST_F(Download, NothingNewRechecksTheNewestDraw)
{
    writeBytes(folder.filePath(u"bononume.dat"_s), drawsFileBefore(0));
    run();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, u"Todavía no hay sorteos nuevos."_s);
    EXPECT_EQ(passes, (QStringList{u"check 1 1 at 3"_s, u"refresh at 4"_s}));
    EXPECT_EQ(server.requests().size(), 2);
}

TEST_F(Download, AComputerDateBeforeTheNewestDrawSendsNoRequest)
{
    controller = std::make_unique<DownloadController>(folder, config(server.baseUrl()));
    QObject::connect(controller.get(), &DownloadController::messageRaised,
                     [this](const ProgramMessage &m) { messages.append(m); });
    controller->start(QDate(2026, 12, 1), QDate(2026, 12, 3));
    EXPECT_FALSE(controller->running());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].title, u"Error de fechas"_s);
    EXPECT_EQ(messages[0].icon, MessageIcon::Information);
    expectNoRequestSent();
}

TEST_F(Download, APageThatCannotBeInterpretedFinishesWithoutTheChecks)
{
    server.searchPage = operatorPage(u"buscador-sin-marcas.html"_s);
    run();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].title, u"Error crítico"_s);
    EXPECT_TRUE(controller->parseFailed());
    EXPECT_TRUE(prizeTabText.contains(u"ERROR DE INTERPRETACIÓN DE DATOS:"_s));
    EXPECT_TRUE(passes.isEmpty());
    EXPECT_EQ(drawsFile(), drawsFileBefore(3));
    EXPECT_EQ(controller->status(), u"TRANSFERENCIA FINALIZADA"_s);
    EXPECT_EQ(controller->progress(), DownloadController::Finished);
    // No draw link was ever found: no second request; the bytes stay a bare number.
    EXPECT_EQ(server.requests().size(), 1);
    EXPECT_EQ(controller->byteCount(), QString::number(server.searchPage.size()));
}

TEST_F(Download, FailingServersEndWithTheConnectionMessage)
{
    struct Case
    {
        const char *name;
        Behaviour behaviour;
    };
    for (const Case &c :
         {Case{"silent", Behaviour::Silent}, Case{"late", Behaviour::Late},
          Case{"error 500", Behaviour::HttpError}, Case{"reset half-way", Behaviour::ResetHalfway},
          Case{"huge page", Behaviour::HugeBody}}) {
        SCOPED_TRACE(c.name);
        messages.clear();
        passes.clear();
        writeBytes(folder.filePath(u"bonowww.txt"_s), "\"la página anterior\"\r\n");
        server.behaviour = c.behaviour;
        server.delayMs = 1500; // well after the 300 ms time-out
        run();
        expectFailedWith(NotConnected);
        // The page saved by the last download is still there.
        EXPECT_EQ(saved(u"bonowww.txt"_s), "\"la página anterior\"\r\n");
    }
}

TEST_F(Download, NoServerOnThePortIsNoConnection)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    run(QUrl(u"http://127.0.0.1:%1"_s.arg(port)));
    expectFailedWith(NotConnected);
}

TEST_F(Download, AnEmptyAnswerWaitsFiveTicksForAConnection)
{
    server.behaviour = Behaviour::EmptyBody;
    run();
    expectFailedWith(NotConnected);
    EXPECT_EQ(server.requests().size(), 1);
}

TEST_F(Download, ADrawPageThatNeverComesStillFinishesTheDownload)
{
    server.drawPageBehaviour = Behaviour::Silent;
    run();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(drawsFile().size(), 5 * DrawRecord::Size);
    EXPECT_EQ(passes.size(), 2);
    EXPECT_EQ(saved(u"bonowww2.txt"_s), "\"\"\r\n");
    EXPECT_EQ(controller->status(), u"TRANSFERENCIA FINALIZADA"_s);
}

TEST_F(Download, ADrawPageStillComingAfterThirtyTicksIsGivenUp)
{
    server.drawPageBehaviour = Behaviour::Silent;
    DownloadConfig slow = config(server.baseUrl());
    slow.requestTimeoutMs = 600'000; // only the ticks can end it
    controller = std::make_unique<DownloadController>(folder, slow);
    controller->start(downloadDay(), newestStored());
    ASSERT_TRUE(spinUntil([this] { return !controller->fetching(); }));
    controller->tick(); // the search page is taken in, the draw page requested
    ASSERT_TRUE(spinUntil([this] { return server.requests().size() == 2; }));
    for (int tick = 0; tick < 30 && controller->running(); ++tick)
        controller->tick();
    EXPECT_FALSE(controller->running());
    EXPECT_EQ(controller->status(), u"TRANSFERENCIA FINALIZADA"_s);
    EXPECT_EQ(drawsFile().size(), 5 * DrawRecord::Size);
}

TEST_F(Download, ASlowButWorkingLinkIsWaitedFor)
{
    // The page takes well over five ticks to arrive, never silent for long.
    server.behaviour = Behaviour::Trickle;
    server.delayMs = 1500;
    controller = std::make_unique<DownloadController>(folder, config(server.baseUrl()));
    connectRecorders();
    controller->start(downloadDay(), newestStored());
    for (int tick = 0; tick < 8; ++tick)
        controller->tick();
    ASSERT_TRUE(controller->fetching());
    EXPECT_TRUE(controller->running());
    ASSERT_TRUE(spinUntil([this] { return !controller->fetching(); }));
    for (int tick = 0; tick < 40 && controller->running(); ++tick) {
        ASSERT_TRUE(spinUntil([this] { return !controller->fetching(); }));
        controller->tick();
    }
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(controller->appendedDraws().size(), 3);
}

TEST_F(Download, ATransferStillRunningAfterThirtyTicksIsASlowServer)
{
    server.behaviour = Behaviour::Silent;
    DownloadConfig slow = config(server.baseUrl());
    slow.requestTimeoutMs = 600'000; // only the ticks can end it
    controller = std::make_unique<DownloadController>(folder, slow);
    connectRecorders();
    controller->start(downloadDay(), newestStored());
    ASSERT_TRUE(spinUntil([this] { return server.requests().size() == 1; }));
    for (int tick = 0; tick < 29; ++tick)
        controller->tick();
    EXPECT_TRUE(controller->running());
    controller->tick();
    EXPECT_FALSE(controller->running());
    expectFailedWith({u"Problemas con el servidor. Tarda en responder. Pruebe más tarde..."_s,
                      u"Error de conexión"_s, MessageIcon::Exclamation});
}

TEST_F(Download, ASecondDownloadFetchesItsOwnNewestDrawsPage)
{
    const QByteArray page = server.searchPage;
    server.searchPage.replace("2026/926120701", "2026/926120799");
    run();
    EXPECT_EQ(server.requests().value(1), u"/es/bonoloto/sorteos/2026/926120799"_s);
    // The same run downloads again: the link is the one its own page lists.
    server.searchPage = page;
    writeBytes(folder.filePath(u"bononume.dat"_s), drawsFileBefore(3));
    controller->start(downloadDay(), newestStored());
    for (int tick = 0; tick < 40 && controller->running(); ++tick) {
        ASSERT_TRUE(spinUntil([this] { return !controller->fetching(); }));
        controller->tick();
    }
    EXPECT_EQ(server.requests().value(3), u"/es/bonoloto/sorteos/2026/926120701"_s);
}

TEST_F(Download, ARedirectOffTheOperatorsSiteIsNotFollowed)
{
    OperatorFixtureServer elsewhere;
    ASSERT_TRUE(elsewhere.loadPages(operatorPagesDir()));
    ASSERT_TRUE(elsewhere.listen());
    server.behaviour = Behaviour::RedirectAway;
    server.redirectTo = elsewhere.baseUrl().resolved(QUrl(u"/es/buscador"_s));
    run();
    expectFailedWith(NotConnected);
    EXPECT_TRUE(elsewhere.requests().isEmpty());
}

// The JSON service in front of the HTML road.
class JsonDownload : public Download
{
protected:
    void SetUp() override
    {
        Download::SetUp();
        sources = SourceChoice::Auto;
    }
    // A draws file whose newest draw is `days` before the download day.
    void storeNewestDaysBefore(int days)
    {
        writeBytes(folder.filePath(u"bononume.dat"_s),
                   drawBytes({3, 9, 21, 28, 33, 41}, 5, 2, serialOf(downloadDay().addDays(-days))));
    }
    QStringList jsonRequests() const
    {
        return server.requests().filter(u"/servicios/buscadorSorteos"_s);
    }
};

TEST_F(JsonDownload, OneHundredElevenDaysBehindAreBroughtUpToDateInOnePress)
{
    storeNewestDaysBefore(111); // Wednesday 19 August 2026
    run();
    EXPECT_TRUE(messages.isEmpty()) << messages.value(0).text.toStdString();
    // One month per request, oldest first, and no HTML page.
    ASSERT_EQ(server.requests().size(), 5);
    EXPECT_EQ(server.requests()[0], u"/servicios/buscadorSorteos?game_id=BONO&celebrados=true"
                                    u"&fechaInicioInclusiva=20260820&fechaFinInclusiva=20260831"_s);
    EXPECT_TRUE(server.requests()[4].endsWith(
        u"fechaInicioInclusiva=20261201&fechaFinInclusiva=20261208"_s));
    EXPECT_TRUE(server.jsonUserAgent.startsWith("mozilla/5.0"));
    EXPECT_EQ(server.jsonAccept, "application/json");

    const int drawDays = 110; // every day from 20 August to 7 December, Sundays too
    EXPECT_EQ(controller->appendedDraws().size(), drawDays);
    EXPECT_EQ(drawsFile().size(), (1 + drawDays) * DrawRecord::Size);
    EXPECT_EQ(controller->appendedDraws().last().date(), QDate(2026, 12, 7));
    EXPECT_EQ(passes, (QStringList{u"check %1 8 at 3"_s.arg(drawDays), u"refresh at 4"_s}));
    EXPECT_TRUE(controller->fromJson());
    // The prizes of every new draw are kept; no older draw page is shown for them.
    const std::optional<DrawPrizes> newest = prizesOfDraw(folder, QDate(2026, 12, 7)).value();
    ASSERT_TRUE(newest.has_value());
    EXPECT_EQ(newest->cents[3], 3120);
    EXPECT_EQ(newest->cents[DrawPrizes::Refund], 50);
    EXPECT_TRUE(prizesOfDraw(folder, QDate(2026, 8, 20)).value().has_value());
    EXPECT_EQ(saved(u"bonowww2.txt"_s), "\"\"\r\n");
    EXPECT_EQ(controller->status(), u"TRANSFERENCIA FINALIZADA"_s);
}

TEST_F(JsonDownload, UpToDateIsNothingNew)
{
    storeNewestDaysBefore(0);
    run();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, u"Todavía no hay sorteos nuevos."_s);
    EXPECT_EQ(passes, (QStringList{u"check 1 1 at 3"_s, u"refresh at 4"_s}));
    // Only the month of the stored draw whose prizes are unknown is asked again.
    EXPECT_EQ(server.requests(),
              QStringList{u"/servicios/buscadorSorteos?game_id=BONO&celebrados=true"
                          u"&fechaInicioInclusiva=20261201&fechaFinInclusiva=20261208"_s});
}

TEST_F(JsonDownload, ARefusedServiceFallsBackToTheHtmlRoad)
{
    server.jsonBehaviour = Behaviour::HttpError;
    server.jsonErrorStatus = 403;
    run();
    EXPECT_TRUE(messages.isEmpty());
    ASSERT_EQ(controller->refusals().size(), 1);
    EXPECT_EQ(controller->refusals()[0].text,
              u"El servidor de resultados ha rechazado la conexión (HTTP 403)."_s);
    EXPECT_EQ(jsonRequests().size(), 1);
    EXPECT_EQ(controller->appendedDraws().size(), 3);
    EXPECT_FALSE(controller->fromJson());
    // The prizes of the HTML draw page are kept too.
    const std::optional<DrawPrizes> kept = prizesOfDraw(folder, QDate(2026, 12, 7)).value();
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->cents[0], 61234567);
    EXPECT_FALSE(kept->cents[DrawPrizes::Refund].has_value());
    // Nothing new on the page: its message says what the service said too.
    run();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, u"El servidor de resultados ha rechazado la conexión (HTTP 403).\n"
                                u"Todavía no hay sorteos nuevos."_s);
}

TEST_F(JsonDownload, WhenEverySourceFailsOneMessageSaysWhatEachSaid)
{
    server.jsonBehaviour = Behaviour::HttpError;
    server.jsonErrorStatus = 403;
    server.behaviour = Behaviour::HttpError;
    run();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text,
              u"El servidor de resultados ha rechazado la conexión (HTTP 403).\n"_s +
                  NotConnected.text);
    EXPECT_EQ(drawsFile(), drawsFileBefore(3));
    EXPECT_FALSE(QFile::exists(folder.filePath(u"zafrano.db"_s)));
}

TEST_F(JsonDownload, EveryRefusalOfTheServiceSaysWhatHappened)
{
    sources = SourceChoice::Json;
    struct Case
    {
        const char *name;
        Behaviour behaviour;
        QByteArray body;
        QString says;
    };
    const QByteArray badCombination =
        R"json([{"fecha_sorteo": "2026-12-05 21:30:00", "combinacion": "1 - 2 - 3 C(4) R(5)"}])json";
    for (const Case &c :
         {Case{"403", Behaviour::HttpError, {}, u"rechazado la conexión (HTTP 403)"_s},
          Case{"not JSON", Behaviour::Normal, "<html>Mantenimiento</html>",
               u"no ha enviado datos válidos"_s},
          Case{"too big", Behaviour::HugeBody, {}, u"demasiado grande"_s},
          Case{"silent", Behaviour::Silent, {}, u"no ha respondido a tiempo"_s},
          Case{"bad draw", Behaviour::Normal, badCombination, u"del 05/12/2026"_s}}) {
        SCOPED_TRACE(c.name);
        messages.clear();
        passes.clear();
        server.jsonBehaviour = c.behaviour;
        server.jsonBody = c.body;
        run();
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].text.contains(c.says)) << messages[0].text.toStdString();
        EXPECT_EQ(controller->progress(), DownloadController::Idle);
        EXPECT_TRUE(passes.isEmpty());
        EXPECT_EQ(drawsFile(), drawsFileBefore(3));
    }
    messages.clear();
    server.jsonBody.clear();
    server.jsonBehaviour = Behaviour::HttpError;
    server.jsonErrorStatus = 500;
    run();
    EXPECT_EQ(messages.value(0).text,
              u"El servidor de resultados ha respondido con un error (HTTP 500)."_s);
    EXPECT_TRUE(server.requests().filter(u"/es/"_s).isEmpty());
}

TEST_F(JsonDownload, EverySourcesDrawsGoThroughTheOneIntake)
{
    // Each source reads a draw with a complementario of 50: the download says
    // what the draw rule says of that draw, and nothing is stored. The page
    // reader refuses the page with it; the service's draws meet it at the intake.
    QByteArray page = server.searchPage;
    const qsizetype first = page.indexOf("q\"\">11<");
    ASSERT_GT(first, 0);
    page.replace(first, 8, "q\"\">50<");
    const QByteArray body = R"json([{"fecha_sorteo": "2026-12-05 21:30:00",
        "combinacion": "01 - 02 - 03 - 04 - 05 - 06 C(50) R(5)"}])json";
    const PageParse parse = parseResultsPage(savedPageBytes(page), newestStored(), {}, 2026);
    ASSERT_TRUE(parse.parseFailed() && parse.message.has_value());
    ASSERT_TRUE(parse.message->text.contains(u"no es válido"_s))
        << parse.message->text.toStdString();
    QTemporaryDir scratch;
    writeBytes(DataFolder(scratch.path()).filePath(u"bononume.dat"_s), drawsFileBefore(3));
    const Result<Intake> intake =
        takeInDraws(DataFolder(scratch.path()), readJsonAnswer(body).value());
    ASSERT_FALSE(intake.ok());
    struct Case
    {
        const char *name;
        SourceChoice sources;
        ProgramMessage says;
    };
    for (const Case &c : {Case{"html", SourceChoice::Html, *parse.message},
                          Case{"json", SourceChoice::Json, intake.error().message}}) {
        SCOPED_TRACE(c.name);
        messages.clear();
        sources = c.sources;
        server.searchPage = page;
        server.jsonBody = body;
        run();
        // A page that cannot be read ends as such a page does; the service's refusal as a refusal.
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(messages[0], c.says);
        EXPECT_EQ(drawsFile(), drawsFileBefore(3));
    }
}

TEST_F(Download, ThePrizeDocumentReplacesTheOldOneOnlyWithAPdf)
{
    const QUrl url = readPrizeReport(savedPageBytes(server.drawPage), server.baseUrl()).documentUrl;
    const QString path = folder.filePath(u"tuv.pdf"_s);
    struct Case
    {
        const char *name;
        QByteArray served;
        bool oldOneStays; // tuv.pdf is a folder that cannot be removed
        bool kept;
    };
    for (const Case &c : {Case{"a PDF", server.document, false, true},
                          Case{"a page", "<html>Mantenimiento</html>", false, false},
                          Case{"old one stays", server.document, true, false}}) {
        SCOPED_TRACE(c.name);
        QDir(path).removeRecursively();
        if (c.oldOneStays)
            ASSERT_TRUE(QDir().mkpath(path + u"/dentro"_s));
        else
            writeBytes(path, "%PDF del sorteo anterior");
        server.document = c.served;
        const qsizetype requestsBefore = server.requests().size();
        QNetworkAccessManager network;
        DocumentFetch fetch(network, 1000);
        const Status started = fetch.start(folder, url);
        EXPECT_EQ(started.ok(), !c.oldOneStays);
        if (started) {
            ASSERT_TRUE(spinUntil([&] { return !fetch.busy(); }));
        }
        EXPECT_EQ(started && fetch.result().ok(), c.kept);
        EXPECT_EQ(server.requests().size(), requestsBefore + (c.oldOneStays ? 0 : 1));
        if (!c.oldOneStays) {
            EXPECT_EQ(QFile::exists(path) ? saved(u"tuv.pdf"_s) : QByteArray(),
                      c.kept ? c.served : QByteArray());
        }
    }
}

TEST(OperatorSite, TheBaseAddressComesFromTheCommandLineTheEnvironmentOrTheDefault)
{
    qunsetenv(OperatorUrlVariable);
    EXPECT_EQ(operatorBaseUrl()->toString(), u"https://www.loteriasyapuestas.es"_s);
    qputenv(OperatorUrlVariable, "http://127.0.0.1:8088/ignored/path");
    EXPECT_EQ(operatorBaseUrl()->toString(), u"http://127.0.0.1:8088"_s);
    EXPECT_EQ(operatorBaseUrl(u"http://127.0.0.1:9000"_s)->toString(), u"http://127.0.0.1:9000"_s);
    qunsetenv(OperatorUrlVariable);
    EXPECT_FALSE(operatorBaseUrl(u"ftp://example.com"_s).has_value());
    EXPECT_FALSE(operatorBaseUrl(u"not a url"_s).has_value());
    EXPECT_EQ(drawPageUrl(QUrl(u"https://h"_s), u"2026/1"_s).toString(),
              u"https://h/es/bonoloto/sorteos/2026/1"_s);
}

namespace {

// The draws the fixture service holds: the real ones, with the 16/06/2026
// the shipped history lacks, then every day to 7 December.
QList<DrawRecord> serviceDraws()
{
    QList<DrawRecord> draws;
    // Kept in a variable: the loop would read a temporary's list after its end.
    const Result<QList<FetchedDraw>> answer = readJsonAnswer(operatorPage(u"sorteos.json"_s));
    for (const FetchedDraw &one : answer.value())
        draws.append(one.draw);
    return draws;
}

QList<DrawRecord> sortedByDate(QList<DrawRecord> draws)
{
    std::sort(draws.begin(), draws.end(),
              [](const DrawRecord &a, const DrawRecord &b) { return a.drawDate < b.drawDate; });
    return draws;
}

SyndicateRecord playing(const QString &name, const QString &days, const QList<int> &bet)
{
    SyndicateRecord record;
    record.setName(name);
    record.setDays(days);
    record.createdOn = serialOf(2026, 1, 1);
    std::copy(bet.begin(), bet.end(), record.bets[record.betCount++].begin());
    return record;
}

} // namespace

TEST_F(JsonDownload, AMonthSkippedAndAMonthHalfAnsweredAreAskedAgainUntilTheHistoryIsWhole)
{
    using Fault = OperatorFixtureServer::MonthFault;
    // The shipped history lacks 16/06/2026; here 10 to 20 March are lost too.
    QList<DrawRecord> stored;
    for (const DrawRecord &draw : realHistory()) {
        if (draw.date() < QDate(2026, 3, 10) || draw.date() > QDate(2026, 3, 20))
            stored.append(draw);
    }
    ASSERT_TRUE(folder.draws().rewrite(stored).ok());
    const QDate counted = stored.last().date(); // 20/08/2026
    QList<SyndicateRecord> syndicates = {
        playing(u"LOS MARTES"_s, u"Martes"_s, {7, 11, 14, 24, 2, 3}),
        playing(u"TODOS LOS DIAS"_s, u"Todos"_s, {3, 12, 21, 30, 39, 45}),
    };
    for (SyndicateRecord &syndicate : syndicates) {
        syndicate.countedThrough = serialOf(counted);
        const std::array<int, 5> hits = talliesByHand(syndicate, stored, {}, counted);
        std::copy(hits.begin(), hits.end(), syndicate.hits.begin());
    }
    ASSERT_TRUE(folder.syndicates().writeAll(syndicates).ok());
    const auto download = [this] {
        run();
        const KeptCheck checked =
            checkAndKeep(folder.syndicates(), folder.draws().readAll().value(),
                         folder.syndicates().readAll().value(), CheckOptions{});
        ASSERT_TRUE(checked.kept.ok());
    };

    server.jsonMonthFaults = {{QDate(2026, 3, 1), Fault::HalfMonth},
                              {QDate(2026, 6, 1), Fault::Unavailable},
                              {QDate(2026, 9, 1), Fault::Empty}};
    download();
    // The first half of March fills its days; nothing is appended past 31/08.
    const QList<DrawRecord> first = folder.draws().readAll().value();
    EXPECT_EQ(controller->insertedDraws().size(), 6);
    EXPECT_EQ(controller->appendedDraws().size(), 11);
    EXPECT_EQ(first.last().date(), QDate(2026, 8, 31));
    EXPECT_EQ(first, sortedByDate(first));
    QStringList said;
    for (const ProgramMessage &message : std::as_const(messages))
        said.append(message.text);
    const QString text = said.join(u'\n');
    EXPECT_TRUE(text.contains(u"del 01/06/2026 al 30/06/2026: 01/06/2026, 02/06/2026"_s))
        << text.toStdString();
    EXPECT_TRUE(text.contains(u"del 01/03/2026 al 31/03/2026: 16/03/2026"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"Falta el sorteo del 01/09/2026"_s)) << text.toStdString();

    // The service recovers: the next download brings the rest, and asks no
    // month whose answer was whole.
    server.jsonMonthFaults.clear();
    messages.clear();
    download();
    // Only what was added is said (and the prizes of stored draws the months asked again gave).
    ASSERT_FALSE(messages.isEmpty());
    for (const ProgramMessage &message : std::as_const(messages))
        EXPECT_EQ(message.icon, MessageIcon::Information) << message.text.toStdString();
    EXPECT_EQ(messages[0].text, u"Añadidos los sorteos que faltaban del 16/03/2026, 17/03/2026, "
                                u"18/03/2026, 19/03/2026, 20/03/2026, 16/06/2026."_s);
    QList<DrawRecord> whole = realHistory();
    for (const DrawRecord &draw : serviceDraws()) {
        if (draw.date() > counted || draw.date() == QDate(2026, 6, 16))
            whole.append(draw);
    }
    whole = sortedByDate(whole);
    EXPECT_EQ(folder.draws().readAll().value(), whole);
    EXPECT_FALSE(server.requests().join(u' ').contains(u"fechaInicioInclusiva=20260801"_s));

    // Each peña's tallies are every played draw's hits, counted once.
    const QList<SyndicateRecord> after = folder.syndicates().readAll().value();
    ASSERT_EQ(after.size(), 2);
    for (const SyndicateRecord &syndicate : after) {
        SCOPED_TRACE(syndicate.nameText().toStdString());
        EXPECT_EQ(talliesOf(syndicate), talliesByHand(syndicate, whole, {}, whole.last().date()));
    }
}

TEST_F(JsonDownload, PrizesLostAfterTheDrawsWereKeptAreBroughtAgainOnce)
{
    // Killed after the draws went in and before their prizes: the draws of
    // 21/08 to 30/11 are stored, zafrano.db knows no prize.
    QList<DrawRecord> stored = realHistory();
    const QDate shipped = stored.last().date();
    for (const DrawRecord &draw : serviceDraws()) {
        if (draw.date() > shipped && draw.date() <= QDate(2026, 11, 30))
            stored.append(draw);
    }
    ASSERT_TRUE(folder.draws().rewrite(sortedByDate(stored)).ok());
    run();
    // One request per month: June (16/06 missing), the three months of the
    // last 90 days with unknown prizes, and the catch-up.
    const QStringList asked = jsonRequests();
    ASSERT_EQ(asked.size(), 5) << asked.join(u'\n').toStdString();
    for (const char *month : {"20260601", "20260901", "20261001", "20261101", "20261201"})
        EXPECT_EQ(asked.filter(u"fechaInicioInclusiva="_s + QLatin1String(month)).size(), 1);
    EXPECT_TRUE(std::any_of(messages.begin(), messages.end(), [](const ProgramMessage &m) {
        // The months of September to November, and June's stored draws.
        return m.text == u"Premios recuperados de 120 sorteos ya guardados."_s;
    }));
    // Each month asked is taken whole.
    for (QDate day(2026, 9, 1); day <= QDate(2026, 12, 7); day = day.addDays(1)) {
        const std::optional<DrawPrizes> prizes = prizesOfDraw(folder, day).value();
        ASSERT_TRUE(prizes && prizes->cents[3]) << day.toString(Qt::ISODate).toStdString();
    }
    // A month wholly older than 90 days is not asked.
    EXPECT_FALSE(prizesOfDraw(folder, QDate(2026, 8, 31)).value().has_value());

    // Nothing is left to ask again but today's draw.
    messages.clear();
    const qsizetype before = jsonRequests().size();
    run();
    EXPECT_EQ(jsonRequests().mid(before),
              QStringList{u"/servicios/buscadorSorteos?game_id=BONO&celebrados=true"
                          u"&fechaInicioInclusiva=20261208&fechaFinInclusiva=20261208"_s});
}

TEST(NetworkErrorText, EveryFailureOfARequestIsSaidInSpanish)
{
    using E = QNetworkReply::NetworkError;
    // What Qt would say in English ("Insecure redirect", "Connection closed"…).
    for (const auto &[error, said] : std::initializer_list<std::pair<E, QString>>{
             {E::InsecureRedirectError, u"el servidor redirige a una dirección que no es segura"_s},
             {E::RemoteHostClosedError, u"el servidor ha cerrado la conexión"_s},
             {E::ConnectionRefusedError, u"el servidor ha rechazado la conexión"_s},
             {E::HostNotFoundError,
              u"no se encuentra el servidor; compruebe la conexión a internet"_s},
             {E::UnknownNetworkError, u"error de red (código 99)"_s}})
        EXPECT_EQ(networkErrorText(error), said);
    // Every error Qt names has its own sentence, none the catch-all.
    const QMetaEnum errors = QMetaEnum::fromType<E>();
    for (int k = 0; k < errors.keyCount(); ++k) {
        const auto error = static_cast<E>(errors.value(k));
        if (error == E::NoError || error == E::UnknownNetworkError)
            continue;
        SCOPED_TRACE(errors.key(k));
        EXPECT_FALSE(networkErrorText(error).contains(u"código"_s));
        EXPECT_FALSE(networkErrorText(error).isEmpty());
    }
}
