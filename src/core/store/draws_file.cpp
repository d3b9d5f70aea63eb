// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/draws_file.h"

#include "common/texts.h"
#include "store/draw_rule.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

QByteArray encodeDraws(const QList<DrawRecord> &draws)
{
    QByteArray bytes;
    bytes.reserve(draws.size() * DrawRecord::Size);
    for (const DrawRecord &draw : draws)
        bytes.append(draw.toBytes());
    return bytes;
}

int errorNumberOf(const Error &error)
{
    switch (error.kind) {
    case ErrorKind::NotFound:
        return texts::ErrorFileNotFound;
    case ErrorKind::PermissionDenied:
        return texts::ErrorPathFileAccess;
    case ErrorKind::InvalidData:
    case ErrorKind::Io:
        break;
    }
    return texts::ErrorDeviceIo;
}

} // namespace

Result<QList<DrawRecord>> decodeDraws(QByteArrayView bytes, const QString &fileName)
{
    if (bytes.size() % DrawRecord::Size != 0)
        return damagedFileError(fileName, u"el último registro está incompleto"_s);
    QList<DrawRecord> draws;
    draws.reserve(bytes.size() / DrawRecord::Size);
    for (qsizetype offset = 0; offset < bytes.size(); offset += DrawRecord::Size)
        draws.append(DrawRecord::fromBytes(bytes.sliced(offset, DrawRecord::Size)));
    return draws;
}

DrawsFile::DrawsFile(const QString &folder)
    : m_file(QDir(folder).filePath(QString::fromUtf16(FileName)), DrawRecord::Size, MaxBytes)
{}

QString DrawsFile::backupPath() const
{
    return QFileInfo(path()).dir().filePath(QString::fromUtf16(BackupName));
}

Result<QList<DrawRecord>> DrawsFile::readAll() const
{
    if (!m_file.exists())
        return QList<DrawRecord>{};
    Result<QByteArray> bytes = readFileCapped(path(), MaxBytes);
    if (!bytes)
        return bytes.error();
    return decodeDraws(bytes.value(), QString::fromUtf16(FileName));
}

Status DrawsFile::append(const QList<DrawRecord> &draws) const
{
    Result<QList<DrawRecord>> stored = readAll();
    if (!stored)
        return stored.error();
    return replaceFileAtomically(path(), m_file.workFilePath(),
                                 encodeDraws(stored.value() + draws));
}

Status DrawsFile::rewrite(const QList<DrawRecord> &draws) const
{
    return replaceFileAtomically(path(), m_file.workFilePath(), encodeDraws(draws));
}

Status DrawsFile::removeRecord(int k) const
{
    return m_file.remove(k, TrailingBytes::Reject);
}

Status DrawsFile::removeAll() const
{
    return m_file.writeAll({});
}

Result<int> DrawsFile::importFile(const QString &chosenPath,
                                  const std::function<Status()> &beforeWrite) const
{
    QFile chosen(chosenPath);
    errno = 0;
    if (!chosen.open(QIODevice::ReadOnly)) {
        const Error error = fileError(chosenPath, errno ? errno : ENOENT, u"leer"_s);
        return Error{error.kind, texts::importFailed(errorNumberOf(error))};
    }
    Result<QByteArray> bytes = readAllCapped(chosen, MaxBytes);
    if (!bytes)
        return Error{ErrorKind::InvalidData, texts::importRejected()};
    Result<QList<DrawRecord>> draws = decodeDraws(bytes.value(), QFileInfo(chosenPath).fileName());
    if (!draws)
        return Error{ErrorKind::InvalidData, texts::importRejected()};
    return importDraws(draws.value(), beforeWrite);
}

Result<int> DrawsFile::importDraws(const QList<DrawRecord> &draws,
                                   const std::function<Status()> &beforeWrite) const
{
    if (!checkDrawSequence(draws))
        return Error{ErrorKind::InvalidData, texts::importRejected()};
    if (Status ready = beforeWrite ? beforeWrite() : Status(); !ready) {
        // A folder that may not be written gets the import's own message.
        if (ready.error().kind == ErrorKind::PermissionDenied)
            return Error{ErrorKind::PermissionDenied,
                         texts::importFailed(errorNumberOf(ready.error()))};
        return ready.error();
    }

    // The previous draws stay in bononume.bak; only then is the file replaced.
    QByteArray previous;
    if (m_file.exists()) {
        Result<QByteArray> stored = readFileCapped(path(), MaxBytes);
        if (!stored)
            return Error{stored.error().kind, texts::importFailed(errorNumberOf(stored.error()))};
        previous = stored.value();
    }
    if (Status saved = replaceFileAtomically(backupPath(), m_file.workFilePath(), previous); !saved)
        return Error{saved.error().kind, texts::importFailed(errorNumberOf(saved.error()))};
    if (Status written = replaceFileAtomically(path(), m_file.workFilePath(), encodeDraws(draws));
        !written)
        return Error{written.error().kind, texts::importFailed(errorNumberOf(written.error()))};
    return static_cast<int>(draws.size());
}

Result<std::optional<QString>> DrawsFile::recoverUnreadable() const
{
    std::optional<QString> aside;
    if (m_file.exists()) {
        Result<QString> moved =
            moveAside(path(), QFileInfo(path()).dir().filePath(QString::fromUtf16(DamagedName)));
        if (!moved)
            return moved.error();
        aside = moved.value();
    }
    if (Status created = m_file.createIfMissing(); !created)
        return created.error();
    return aside;
}

} // namespace zafrano
