// SPDX-License-Identifier: GPL-3.0-or-later
// The stand-alone fixture server, started on a free port for one test.
#pragma once

#include "test_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>

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

private:
    QProcess m_process;
    QString m_url;
};

} // namespace zafrano::test
