// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/systemctl.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

bool SystemSystemctl::available() const
{
    // systemd's own sign that it runs the machine.
    return !QStandardPaths::findExecutable(u"systemctl"_s).isEmpty() &&
           QFileInfo::exists(u"/run/systemd/system"_s);
}

int SystemSystemctl::run(const QStringList &arguments)
{
    QProcess process;
    process.start(u"systemctl"_s, QStringList{u"--user"_s} + arguments);
    if (!process.waitForFinished(15'000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

QString eveningCronLine(const QString &cliProgram)
{
    return u"30 22 * * * "_s + cliProgram + u" download --notify"_s;
}

} // namespace zafrano::gui
