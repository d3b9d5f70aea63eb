// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli download --notify, as the evening timer runs it, on a private
// session bus (ctest starts it under dbus-run-session) with a notification
// service of our own that writes down what it received.
#include "cli_runner.h"
#include "fixture_server_process.h"
#include "net_test_support.h"
#include "test_paths.h"
#include "test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano::test;

namespace {

const QString Today = u"2026-12-08"_s;

// The fake notification service, running while it lives.
class FakeNotifications
{
public:
    explicit FakeNotifications(const QString &record)
    {
        m_process.start(QFileInfo(QString::fromUtf8(CliProgram))
                            .dir()
                            .filePath(u"zafrano-fake-notifications"_s),
                        {record});
        m_ready = m_process.waitForReadyRead() && m_process.readLine().trimmed() == "ready";
    }
    ~FakeNotifications()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    bool ready() const { return m_ready; }

private:
    QProcess m_process;
    bool m_ready = false;
};

// While it lives, the programs started find no session bus.
class NoBus
{
public:
    NoBus() : m_saved(qgetenv("DBUS_SESSION_BUS_ADDRESS"))
    {
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/zafrano-bus");
    }
    ~NoBus() { qputenv("DBUS_SESSION_BUS_ADDRESS", m_saved); }

private:
    QByteArray m_saved;
};

class CliNotify : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_FALSE(qgetenv("DBUS_SESSION_BUS_ADDRESS").isEmpty())
            << "run under dbus-run-session, as ctest does";
        copyTables(m_dir.path());
        writeBytes(path(u"bononume.dat"_s), drawsFileBefore(3));
    }
    QString path(const QString &name) const { return QDir(m_dir.path()).filePath(name); }
    // "LOS DEL BAR": one simple bet, played every day since November.
    void writeSyndicate(std::initializer_list<int> bet) const
    {
        writeBytes(path(u"bonoapu.dat"_s), SyndicateBytes()
                                               .name("LOS DEL BAR")
                                               .bet(1, bet)
                                               .days("Todos")
                                               .betCount(1)
                                               .createdOn(serialOf(2026, 11, 1))
                                               .countedThrough(serialOf(2026, 12, 3))
                                               .bytes());
    }
    CliRun download(const QString &operatorUrl)
    {
        return runCli(
            m_dir.path(), Today,
            {u"download"_s, u"--source"_s, u"html"_s, u"--operator"_s, operatorUrl, u"--notify"_s});
    }
    // What the fake service received, one notification each.
    QList<QJsonObject> received() const
    {
        QList<QJsonObject> list;
        for (const QByteArray &line : readBytes(path(u"received.jsonl"_s)).split('\n')) {
            if (!line.isEmpty())
                list.append(QJsonDocument::fromJson(line).object());
        }
        return list;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(CliNotify, APrizeIsAnnouncedOnceWithThePenaAndItsCategories)
{
    // The 7 December draw's first five numbers.
    writeSyndicate({1, 10, 12, 34, 38, 49});
    FixtureServerProcess server;
    ASSERT_FALSE(server.url().isEmpty());
    FakeNotifications notifications(path(u"received.jsonl"_s));
    ASSERT_TRUE(notifications.ready());

    const CliRun run = download(server.url());
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    ASSERT_EQ(received().size(), 1);
    const QJsonObject said = received().first();
    EXPECT_EQ(said.value(u"app"_s).toString(), u"Zafrano"_s);
    EXPECT_EQ(said.value(u"title"_s).toString(), u"¡Premio en la Bonoloto!"_s);
    EXPECT_EQ(said.value(u"body"_s).toString(),
              u"LOS DEL BAR: 5 aciertos el 07/12/2026 (1.234,56 €)"_s);

    // The next evening brings nothing new: nothing is said again.
    EXPECT_EQ(download(server.url()).exitCode, 0);
    EXPECT_EQ(received().size(), 1);
}

TEST_F(CliNotify, NoPrizeAndAQuietFailureSayNothing)
{
    writeSyndicate({20, 21, 22, 23, 24, 25});
    FixtureServerProcess server;
    ASSERT_FALSE(server.url().isEmpty());
    FakeNotifications notifications(path(u"received.jsonl"_s));
    ASSERT_TRUE(notifications.ready());
    EXPECT_EQ(download(server.url()).exitCode, 0);
    EXPECT_TRUE(received().isEmpty());
}

TEST_F(CliNotify, EverySourceFailingIsSaidAfterThreeDaysWithoutNewDraws)
{
    writeSyndicate({1, 10, 12, 34, 38, 49});
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString dead = u"http://127.0.0.1:%1"_s.arg(closed.serverPort());
    closed.close();
    FakeNotifications notifications(path(u"received.jsonl"_s));
    ASSERT_TRUE(notifications.ready());

    // Both sources, JSON and HTML; the newest stored draw is days old.
    const CliRun run =
        runCli(m_dir.path(), Today, {u"download"_s, u"--operator"_s, dead, u"--notify"_s});
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_EQ(received().size(), 1);
    EXPECT_EQ(received().first().value(u"title"_s).toString(),
              u"Zafrano no puede bajar los sorteos"_s);
    EXPECT_EQ(readBytes(path(u"bononume.dat"_s)), drawsFileBefore(3));
}

TEST_F(CliNotify, WithoutABusOrAServiceTheDownloadWorksAndThePrizeWaits)
{
    writeSyndicate({1, 10, 12, 34, 38, 49});
    FixtureServerProcess server;
    ASSERT_FALSE(server.url().isEmpty());
    {
        NoBus noBus;
        const CliRun run = download(server.url());
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out.count(u"Sorteo añadido: "_s), 3);
        EXPECT_TRUE(run.err.contains(u"No se ha podido avisar en el escritorio. No hay bus de "
                                     u"sesión de D-Bus."_s))
            << run.err.toStdString();
    }
    // A bus without a notification service.
    CliRun run = download(server.url());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(u"No hay servicio de avisos del escritorio"_s))
        << run.err.toStdString();
    // Once the service is there, the prize not yet told is.
    FakeNotifications notifications(path(u"received.jsonl"_s));
    ASSERT_TRUE(notifications.ready());
    run = download(server.url());
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(received().size(), 1);
    EXPECT_EQ(received().first().value(u"body"_s).toString(),
              u"LOS DEL BAR: 5 aciertos el 07/12/2026 (1.234,56 €)"_s);
}
