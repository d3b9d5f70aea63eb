// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/database_watch.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

namespace {

// SQLite writes a change to the journal first and into the file when the
// last connection closes.
QStringList watchedFiles(const QString &path)
{
    return {path, path + u"-wal"_s};
}

} // namespace

DatabaseWatch::DatabaseWatch(const QString &path, QObject *parent)
    : QObject(parent), m_path(path), m_watcher(new QFileSystemWatcher(this)),
      m_settle(new QTimer(this))
{
    m_settle->setSingleShot(true);
    m_settle->setInterval(250);
    connect(m_settle, &QTimer::timeout, this, &DatabaseWatch::filesChanged);
    // The folder says when the file or its journal appears or is replaced
    // (a restore); the files, when they are written.
    const QString folder = QFileInfo(path).absolutePath();
    if (QFileInfo(folder).isDir())
        m_watcher->addPath(folder);
    watchFiles();
    const auto changed = [this] {
        watchFiles();
        m_settle->start();
    };
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, changed);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, changed);
}

void DatabaseWatch::watchFiles()
{
    // A file removed and made again is no longer watched: watched anew.
    for (const QString &file : watchedFiles(m_path)) {
        if (QFileInfo::exists(file) && !m_watcher->files().contains(file))
            m_watcher->addPath(file);
    }
}

QString DatabaseWatch::stamp() const
{
    QString text;
    for (const QString &file : watchedFiles(m_path)) {
        const QFileInfo info(file);
        text += info.exists()
                    ? u"%1@%2;"_s.arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch())
                    : u"-;"_s;
    }
    return text;
}

} // namespace zafrano::gui
