// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/folder_lock.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QMutex>
#include <map>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

struct Taken
{
    std::unique_ptr<QLockFile> file;
    int depth = 0;
};

QMutex &takenMutex()
{
    static QMutex mutex;
    return mutex;
}

// The locks this program holds, by the lock file's path.
std::map<QString, Taken> &taken()
{
    static std::map<QString, Taken> held;
    return held;
}

int waitTime(int waitMs)
{
    if (waitMs >= 0)
        return waitMs;
    bool ok = false;
    const int given = qEnvironmentVariableIntValue("ZAFRANO_LOCK_WAIT_MS", &ok);
    return ok && given >= 0 ? given : FolderLock::WaitMs;
}

// The holder's own name where the system tells it (Linux), else the name it
// wrote in the lock.
QString programName(qint64 pid, const QString &written)
{
    QFile comm(u"/proc/%1/comm"_s.arg(pid));
    if (comm.open(QIODevice::ReadOnly)) {
        const QString name = QString::fromLocal8Bit(comm.readAll()).trimmed();
        if (!name.isEmpty())
            return name;
    }
    return written.isEmpty() ? u"otro programa"_s : written;
}

} // namespace

void FolderLock::Held::release()
{
    if (m_path.isEmpty())
        return;
    const QString path = std::exchange(m_path, QString());
    const QMutexLocker guard(&takenMutex());
    auto found = taken().find(path);
    if (found != taken().end() && --found->second.depth == 0)
        taken().erase(found); // unlocks
}

Result<FolderLock::Held> FolderLock::take(const QString &dataFolder, int waitMs)
{
    const QString path = QDir(dataFolder).absoluteFilePath(QString::fromUtf16(FileName));
    const QMutexLocker guard(&takenMutex());
    if (auto found = taken().find(path); found != taken().end()) {
        ++found->second.depth;
        return Held(path);
    }
    auto file = std::make_unique<QLockFile>(path);
    // Never stale by age: a long download keeps it; one whose program died is taken over.
    file->setStaleLockTime(0);
    if (!file->tryLock(waitTime(waitMs))) {
        if (file->error() == QLockFile::LockFailedError) {
            qint64 pid = 0;
            QString host;
            QString app;
            file->getLockInfo(&pid, &host, &app);
            return Error{ErrorKind::Io, folderBusyMessage(dataFolder, programName(pid, app), pid)};
        }
        // A folder where the lock cannot even be made (read-only, immutable,
        // full) lets nobody write either: the command goes on and says its
        // own refusal.
        return Held(QString());
    }
    taken().emplace(path, Taken{std::move(file), 1});
    return Held(path);
}

ProgramMessage folderBusyMessage(const QString &dataFolder, const QString &program, qint64 pid)
{
    return {
        u"Otro programa está cambiando los datos de la carpeta %1: %2 (proceso %3). Espere a "
        u"que termine y vuelva a intentarlo."_s.arg(QDir::toNativeSeparators(dataFolder), program)
            .arg(pid),
        u"Datos en uso"_s, MessageIcon::Exclamation};
}

} // namespace zafrano
