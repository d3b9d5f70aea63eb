// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"

#include <QString>
#include <memory>
#include <utility>

namespace zafrano {

// One writer at a time in a data folder: the window and zafrano-cli (the
// evening check among them) take this lock around every command that writes,
// so that neither appends draws or tallies the other has not read. A second
// writer waits a few seconds and then is told who holds it. The lock is the
// hidden file .zafrano.lock (QLockFile); one left by a program that died
// is taken over. Taken again by the same program while it holds it, it
// nests, so a command may run another command that writes.
class FolderLock
{
public:
    static constexpr auto FileName = u".zafrano.lock";
    // How long a second writer waits; ZAFRANO_LOCK_WAIT_MS gives another.
    static constexpr int WaitMs = 5000;

    // Held while it lives.
    class Held
    {
    public:
        Held(Held &&other) noexcept : m_path(std::exchange(other.m_path, QString())) {}
        Held &operator=(Held &&other) noexcept
        {
            if (this != &other) {
                release();
                m_path = std::exchange(other.m_path, QString());
            }
            return *this;
        }
        Held(const Held &) = delete;
        Held &operator=(const Held &) = delete;
        ~Held() { release(); }

    private:
        void release();
        friend class FolderLock;
        explicit Held(QString path) : m_path(std::move(path)) {}
        QString m_path;
    };

    // Takes the lock of `dataFolder`, waiting at most `waitMs` (the default
    // when negative). The error names the program and process that hold it.
    // Where the lock file cannot be made (a folder nobody may write), nothing
    // is held and nothing refused.
    static Result<Held> take(const QString &dataFolder, int waitMs = -1);
};

// "Otro programa está cambiando los datos …: zafrano-cli (proceso 1234). …"
ProgramMessage folderBusyMessage(const QString &dataFolder, const QString &program, qint64 pid);

} // namespace zafrano
