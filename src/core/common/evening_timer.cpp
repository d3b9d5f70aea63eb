// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/evening_timer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

QString systemctlProgram()
{
    const QString given = qEnvironmentVariable("ZAFRANO_SYSTEMCTL");
    return given.isEmpty() ? u"systemctl"_s : given;
}

QString cleanFolder(const QString &folder)
{
    return QDir::cleanPath(QDir(folder).absolutePath());
}

// A value of a unit file's Environment=, quoted: systemd reads % as a
// specifier and \ and " as escapes.
QString unitQuoted(const QString &text)
{
    QString escaped = text;
    escaped.replace(u'\\', u"\\\\"_s).replace(u'"', u"\\\""_s).replace(u'%', u"%%"_s);
    return u'"' + escaped + u'"';
}

// The same for a shell (the cron line).
QString shellQuoted(const QString &text)
{
    QString escaped = text;
    escaped.replace(u'\'', u"'\\''"_s);
    return u'\'' + escaped + u'\'';
}

Error timerError(const QString &what)
{
    return {ErrorKind::Io,
            {u"No se ha podido cambiar la comprobación de cada noche (%1)."_s.arg(what),
             u"Configurar"_s, MessageIcon::Exclamation}};
}

Status runOrFail(Systemctl &systemctl, const QStringList &arguments)
{
    if (systemctl.run(arguments) != 0)
        return timerError(u"systemctl --user "_s + arguments.join(u' '));
    return {};
}

// Writes the drop-in naming `dataFolder`, or removes it for the default one.
Status placeDropIn(const QString &dataFolder)
{
    const QString path = QDir(eveningDropInFolder()).filePath(QString::fromUtf16(FolderDropInName));
    if (isDefaultDataFolder(dataFolder)) {
        if (QFileInfo::exists(path) && !QFile::remove(path))
            return timerError(u"no se puede borrar "_s + QDir::toNativeSeparators(path));
        return {};
    }
    if (!QDir().mkpath(eveningDropInFolder()))
        return timerError(u"no se puede crear "_s +
                          QDir::toNativeSeparators(eveningDropInFolder()));
    QSaveFile file(path);
    const QByteArray text = (u"# Written by Zafrano: the evening check's data folder.\n"
                             u"[Service]\nEnvironment="_s +
                             unitQuoted(u"ZAFRANO_DATA_DIR="_s + cleanFolder(dataFolder)) + u'\n')
                                .toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        return timerError(u"no se puede escribir "_s + QDir::toNativeSeparators(path));
    return {};
}

} // namespace

bool SystemSystemctl::available() const
{
    if (!qEnvironmentVariableIsEmpty("ZAFRANO_SYSTEMCTL"))
        return true;
    // systemd's own sign that it runs the machine.
    return !QStandardPaths::findExecutable(u"systemctl"_s).isEmpty() &&
           QFileInfo::exists(u"/run/systemd/system"_s);
}

int SystemSystemctl::run(const QStringList &arguments)
{
    QProcess process;
    process.start(systemctlProgram(), QStringList{u"--user"_s} + arguments);
    if (!process.waitForFinished(15'000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

QString eveningDropInFolder()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + u"/.config"_s;
    return QDir(config).filePath(u"systemd/user/"_s + QString::fromUtf16(EveningServiceUnit) +
                                 u".d"_s);
}

bool isDefaultDataFolder(const QString &dataFolder)
{
    // What the service's zafrano-cli finds with no folder given (the
    // program's name makes the folder Zafrano, as both programs set it).
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (home.isEmpty() || !QDir::isAbsolutePath(home))
        home = QDir::homePath() + u"/.local/share"_s;
    return cleanFolder(dataFolder) == cleanFolder(QDir(home).filePath(u"Zafrano"_s));
}

bool eveningCheckEnabled(Systemctl &systemctl)
{
    return systemctl.run({u"is-enabled"_s, QString::fromUtf16(EveningTimerUnit)}) == 0;
}

Status switchEveningCheck(Systemctl &systemctl, bool on, const QString &dataFolder)
{
    const QString timer = QString::fromUtf16(EveningTimerUnit);
    if (!on)
        return runOrFail(systemctl, {u"disable"_s, u"--now"_s, timer});
    if (Status placed = placeDropIn(dataFolder); !placed)
        return placed;
    if (Status reloaded = runOrFail(systemctl, {u"daemon-reload"_s}); !reloaded)
        return reloaded;
    return runOrFail(systemctl, {u"enable"_s, u"--now"_s, timer});
}

QString eveningCronLine(const QString &cliProgram, const QString &dataFolder)
{
    QString line = u"30 22 * * * "_s + cliProgram;
    if (!isDefaultDataFolder(dataFolder))
        line += u" --dir "_s + shellQuoted(cleanFolder(dataFolder));
    // cron reads % as a new line.
    return line.replace(u'%', u"\\%"_s) + u" download --notify"_s;
}

QString withoutSystemdText(const QString &cliProgram, const QString &dataFolder)
{
    return u"Este sistema no tiene systemd. Para comprobar cada noche con cron, añada esta línea "
           u"con «crontab -e»:\n"_s +
           eveningCronLine(cliProgram, dataFolder);
}

} // namespace zafrano
