// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/work_folder.h"

#include "backup/automatic_copies.h"
#include "store/record_file.h"

#include <QCoreApplication>
#include <QDir>
#include <cerrno>
#include <csignal>

using namespace Qt::StringLiterals;

namespace zafrano::work {

namespace {

QString rootOf(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QString::fromUtf16(FolderName));
}

bool processIsAlive(qint64 pid)
{
    if (pid <= 0)
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

void removeGone(const QDir &folder, const QStringList &names)
{
    for (const QString &name : names) {
        const QString path = folder.filePath(name);
        if (QFileInfo(path).isDir())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }
}

} // namespace

Result<QString> ownFolder(const QString &dataFolder)
{
    const QString own =
        QDir(rootOf(dataFolder)).filePath(QString::number(QCoreApplication::applicationPid()));
    errno = 0;
    if (!QDir().mkpath(own))
        return fileError(own, errno ? errno : EACCES, u"crear"_s);
    return own;
}

QString scratchFolder(const QString &dataFolder)
{
    Result<QString> own = ownFolder(dataFolder);
    return own ? own.value() : QDir::tempPath();
}

void cleanLeftovers(const QString &dataFolder)
{
    const QDir root(rootOf(dataFolder));
    QStringList gone;
    for (const QString &name :
         root.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        const qint64 pid = name.toLongLong(&isPid);
        if (!isPid || (pid != QCoreApplication::applicationPid() && !processIsAlive(pid)))
            gone.append(name);
    }
    removeGone(root, gone);
    const QDir copiesFolder(copies::copiesPath(dataFolder));
    removeGone(copiesFolder,
               copiesFolder.entryList({u".nueva-*"_s},
                                      QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

} // namespace zafrano::work
