// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QFileSystemWatcher;
class QTimer;

namespace zafrano::gui {

// Says when zafrano.db was changed by another program (the command line,
// the evening check) while the window was open. A window compares the file's
// stamp with the one it last read, so its own changes, and a change it
// already read, say nothing.
class DatabaseWatch : public QObject
{
    Q_OBJECT

public:
    // Watches `path` (zafrano.db) and its journal beside it.
    explicit DatabaseWatch(const QString &path, QObject *parent = nullptr);

    // The file and its journal as they stand: size and time of each. Two
    // equal stamps are the same contents.
    QString stamp() const;

signals:
    // The files changed; said once for a burst of changes.
    void filesChanged();

private:
    void watchFiles();

    QString m_path;
    QFileSystemWatcher *m_watcher = nullptr;
    QTimer *m_settle = nullptr;
};

} // namespace zafrano::gui
