// SPDX-License-Identifier: GPL-3.0-or-later
// The stand-alone fixture server, started on a free port for one test.
#pragma once

#include "test_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTcpSocket>
#include <QUrl>

namespace zafrano::test {

class FixtureServerProcess
{
public:
    explicit FixtureServerProcess(const QStringList &options = {})
    {
        using namespace Qt::StringLiterals;
        const QString program =
            QFileInfo(QString::fromUtf8(CliProgram)).dir().filePath(u"zafrano-fixture-server"_s);
        m_process.start(program, QStringList{u"--port"_s, u"0"_s} + options);
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

    // The targets requested so far, when started with --log-requests: a probe
    // sent now comes back after every earlier request has been written out.
    QStringList requests()
    {
        using namespace Qt::StringLiterals;
        const QString probe = u"/sonda-%1"_s.arg(++m_probes);
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, QUrl(m_url).port());
        if (socket.waitForConnected(5000)) {
            socket.write("GET " + probe.toLatin1() + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
            socket.waitForBytesWritten(5000);
        }
        while (!m_lines.contains(probe) && m_process.waitForReadyRead(5000)) {
            while (m_process.canReadLine())
                m_lines.append(QString::fromUtf8(m_process.readLine()).trimmed());
        }
        QStringList asked;
        for (const QString &line : m_lines) {
            if (!line.startsWith(u"/sonda-"_s))
                asked.append(line);
        }
        return asked;
    }

private:
    QProcess m_process;
    QString m_url;
    QStringList m_lines;
    int m_probes = 0;
};

} // namespace zafrano::test
