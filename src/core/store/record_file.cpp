// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/record_file.h"

#include "common/texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

bool isPermissionErrno(int err)
{
    return err == EACCES || err == EPERM || err == EROFS;
}

void syncFolder([[maybe_unused]] const QString &path)
{
#ifdef Q_OS_UNIX
    // Makes the rename itself durable, not only the file's content.
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
}

} // namespace

Error damagedFileError(const QString &path, const QString &what)
{
    return {ErrorKind::InvalidData,
            {u"El archivo %1 está dañado: %2."_s.arg(QFileInfo(path).fileName(), what),
             u"Error de lectura"_s, MessageIcon::Exclamation}};
}

QString systemErrorCause(int savedErrno)
{
    // The common causes in the program's words; any other keeps the system's
    // own, after the sentence, where it helps whoever looks into it.
    switch (savedErrno) {
    case ENOSPC:
        return u": el disco está lleno"_s;
#ifdef EDQUOT
    case EDQUOT:
        return u": se ha llenado el espacio de disco permitido"_s;
#endif
    case EIO:
        return u": error de lectura o escritura en el disco"_s;
    case EISDIR:
        return u": es una carpeta"_s;
    case ENAMETOOLONG:
        return u": el nombre es demasiado largo"_s;
    default:
        return savedErrno ? u" (%1)"_s.arg(QString::fromLocal8Bit(std::strerror(savedErrno)))
                          : QString();
    }
}

Error fileError(const QString &path, int savedErrno, const QString &what)
{
    if (isPermissionErrno(savedErrno))
        return {ErrorKind::PermissionDenied, texts::permissionDenied()};
    if (savedErrno == ENOENT)
        return {ErrorKind::NotFound,
                {u"No se encuentra el archivo %1."_s.arg(QDir::toNativeSeparators(path)),
                 u"Error"_s, MessageIcon::Exclamation}};
    return {ErrorKind::Io,
            {u"No se ha podido %1 el archivo %2%3."_s.arg(what, QDir::toNativeSeparators(path),
                                                          systemErrorCause(savedErrno)),
             u"Error"_s, MessageIcon::Exclamation}};
}

Result<QByteArray> readAllCapped(QIODevice &device, qint64 maxBytes)
{
    const auto readFailure = [&device] {
        return Error{ErrorKind::Io,
                     {u"No se ha podido leer el archivo (%1)."_s.arg(device.errorString()),
                      u"Error"_s, MessageIcon::Exclamation}};
    };
    const auto tooBig = [] {
        return Error{ErrorKind::InvalidData,
                     {u"El archivo es demasiado grande."_s, u"Error"_s, MessageIcon::Exclamation}};
    };
    QByteArray content;
    // A file that tells its size is read straight into a buffer of that size;
    // what it grew by since is read on below like any other device.
    if (const qint64 size = device.isSequential() ? 0 : device.size(); size > 0) {
        if (size > maxBytes)
            return tooBig();
        content.resize(size);
        const qint64 n = device.read(content.data(), size);
        if (n < 0)
            return readFailure();
        content.resize(n);
    }
    char buffer[64 * 1024];
    while (true) {
        const qint64 n = device.read(buffer, sizeof buffer);
        if (n < 0)
            return readFailure();
        if (n == 0)
            break;
        if (content.size() + n > maxBytes)
            return tooBig();
        content.append(buffer, n);
    }
    return content;
}

Result<QByteArray> readFileCapped(const QString &path, qint64 maxBytes)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return fileError(path, errno ? errno : ENOENT, u"leer"_s);
    return readAllCapped(file, maxBytes);
}

Status replaceFileAtomically(const QString &target, const QString &workPath, QByteArrayView content)
{
    QFile work(workPath);
    errno = 0;
    if (!work.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fileError(workPath, errno, u"crear"_s);
    const bool written =
        work.write(content.data(), content.size()) == content.size() && work.flush();
    int err = errno;
#ifdef Q_OS_UNIX
    if (written && ::fsync(work.handle()) != 0)
        err = errno;
#endif
    work.close();
    if (!written || work.error() != QFileDevice::NoError) {
        QFile::remove(workPath);
        return fileError(workPath, err ? err : EIO, u"escribir"_s);
    }
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(workPath).toStdString(),
                            QFile::encodeName(target).toStdString(), ec);
    if (ec) {
        QFile::remove(workPath);
        return fileError(target, ec.value(), u"sustituir"_s);
    }
    syncFolder(target);
    return {};
}

Result<QString> moveAside(const QString &path, const QString &asidePath)
{
    QString candidate = asidePath;
    for (int n = 1; QFileInfo::exists(candidate); ++n)
        candidate = asidePath + u'.' + QString::number(n);
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(path).toStdString(),
                            QFile::encodeName(candidate).toStdString(), ec);
    if (ec)
        return fileError(path, ec.value(), u"apartar"_s);
    syncFolder(candidate);
    return candidate;
}

RecordFile::RecordFile(QString path, int recordSize, qint64 maxBytes)
    : m_path(std::move(path)), m_recordSize(recordSize), m_maxBytes(maxBytes)
{}

QString RecordFile::workFilePath() const
{
    const QFileInfo info(m_path);
    return info.dir().filePath(info.completeBaseName() + u".tmp"_s);
}

bool RecordFile::exists() const
{
    return QFileInfo::exists(m_path);
}

Status RecordFile::createIfMissing() const
{
    if (exists())
        return {};
    QFile file(m_path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return fileError(m_path, errno, u"crear"_s);
    return {};
}

Result<QList<QByteArray>> RecordFile::readAll(TrailingBytes trailing) const
{
    if (!exists())
        return QList<QByteArray>{};
    Result<QByteArray> content = readFileCapped(m_path, m_maxBytes);
    if (!content)
        return content.error();
    const QByteArray &bytes = content.value();
    const qsizetype whole = bytes.size() / m_recordSize;
    const qsizetype rest = bytes.size() % m_recordSize;
    if (rest != 0 && trailing == TrailingBytes::Reject)
        return damagedFileError(m_path, u"el último registro está incompleto"_s);

    QList<QByteArray> records;
    records.reserve(whole + (rest ? 1 : 0));
    for (qsizetype k = 0; k < whole; ++k)
        records.append(bytes.mid(k * m_recordSize, m_recordSize));
    if (rest != 0) {
        QByteArray last = bytes.right(rest);
        last.append(QByteArray(m_recordSize - rest, '\0'));
        records.append(last);
    }
    return records;
}

Result<QByteArray> RecordFile::read(int k) const
{
    // Readers of one record (the settings) never need more than the first few.
    Result<QList<QByteArray>> records = readAll(TrailingBytes::PadWithZeros);
    if (!records)
        return records.error();
    if (k < 1 || k > records->size())
        return damagedFileError(m_path, u"no existe el registro %1"_s.arg(k));
    return records->at(k - 1);
}

Status RecordFile::writeAll(const QList<QByteArray> &records) const
{
    QByteArray content;
    content.reserve(records.size() * m_recordSize);
    for (const QByteArray &record : records) {
        Q_ASSERT(record.size() == m_recordSize);
        content.append(record.left(m_recordSize));
        if (record.size() < m_recordSize)
            content.append(QByteArray(m_recordSize - record.size(), '\0'));
    }
    return replaceFileAtomically(m_path, workFilePath(), content);
}

Status RecordFile::write(int k, const QByteArray &record, TrailingBytes trailing) const
{
    Result<QList<QByteArray>> records = readAll(trailing);
    if (!records)
        return records.error();
    QList<QByteArray> all = std::move(records).value();
    if (k < 1 || k > all.size() + 1)
        return damagedFileError(m_path, u"no existe el registro %1"_s.arg(k));
    if (k == all.size() + 1)
        all.append(record);
    else
        all[k - 1] = record;
    return writeAll(all);
}

Status RecordFile::append(const QList<QByteArray> &newRecords, TrailingBytes trailing) const
{
    Result<QList<QByteArray>> records = readAll(trailing);
    if (!records)
        return records.error();
    QList<QByteArray> all = std::move(records).value();
    all.append(newRecords);
    return writeAll(all);
}

Status RecordFile::remove(int k, TrailingBytes trailing) const
{
    Result<QList<QByteArray>> records = readAll(trailing);
    if (!records)
        return records.error();
    QList<QByteArray> all = std::move(records).value();
    if (k < 1 || k > all.size())
        return damagedFileError(m_path, u"no existe el registro %1"_s.arg(k));
    all.removeAt(k - 1);
    return writeAll(all);
}

} // namespace zafrano
