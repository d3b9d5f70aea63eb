// SPDX-License-Identifier: GPL-3.0-or-later
// The download against our fixture operator on 127.0.0.1: the requests it
// sends, what it saves and appends, the order of the passes it asks for, and
// every way the server can fail it. The ticks are given by the test, one by
// one, once the request in flight has ended.
#include "net/download_controller.h"
#include "net/operator_site.h"
#include "net_test_support.h"
#include "operator_fixture_server.h"
#include "test_support.h"

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

    DownloadConfig config(const QUrl &base) const
    {
        DownloadConfig c;
        c.operatorBase = base;
        c.requestTimeoutMs = 300;
        c.tickIntervalMs = 0;
        return c;
    }

    // Starts a download and ticks it to its end (at most `maxTicks` ticks).
    void run(const QUrl &base, int maxTicks = 40)
    {
        controller = std::make_unique<DownloadController>(folder, config(base));
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
        controller->start(downloadDay(), newestStored());
        for (int tick = 0; tick < maxTicks && controller->running(); ++tick) {
            ASSERT_TRUE(spinUntil([this] { return !controller->fetching(); }));
            controller->tick();
        }
        ASSERT_FALSE(controller->running());
    }
    void run() { run(server.baseUrl()); }

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
    spinUntil([] { return true; });
    EXPECT_TRUE(server.requests().isEmpty());
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
