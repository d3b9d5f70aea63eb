// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/backup_archive.h"

#include "store/record_file.h"

#include <QDir>
#include <QFile>
#include <archive.h>
#include <archive_entry.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

struct ArchiveWriterDeleter
{
    void operator()(archive *a) const { archive_write_free(a); }
};
struct ArchiveReaderDeleter
{
    void operator()(archive *a) const { archive_read_free(a); }
};
struct EntryDeleter
{
    void operator()(archive_entry *e) const { archive_entry_free(e); }
};

Error writeError(const QString &target, archive *a)
{
    return {ErrorKind::Io,
            {u"No se ha podido escribir la copia %1%2."_s.arg(
                 QDir::toNativeSeparators(target),
                 archive_errno(a) > 0
                     ? systemErrorCause(archive_errno(a))
                     : u" (%1)"_s.arg(QString::fromLocal8Bit(archive_error_string(a)))),
             u"Copia de seguridad"_s, MessageIcon::Exclamation}};
}

bool writeEntry(archive *a, const QString &name, const QByteArray &bytes, const QDateTime &made)
{
    std::unique_ptr<archive_entry, EntryDeleter> entry(archive_entry_new());
    archive_entry_set_pathname(entry.get(), name.toUtf8().constData());
    archive_entry_set_size(entry.get(), bytes.size());
    archive_entry_set_filetype(entry.get(), AE_IFREG);
    archive_entry_set_perm(entry.get(), 0644);
    archive_entry_set_mtime(entry.get(), made.toSecsSinceEpoch(), 0);
    return archive_write_header(a, entry.get()) == ARCHIVE_OK &&
           archive_write_data(a, bytes.constData(), static_cast<size_t>(bytes.size())) ==
               bytes.size();
}

} // namespace

Status writeBackupArchive(const CopySet &set, const QString &target)
{
    QByteArray bytes;
    std::unique_ptr<archive, ArchiveWriterDeleter> a(archive_write_new());
    archive_write_add_filter_gzip(a.get());
    archive_write_set_format_pax_restricted(a.get());
    archive_write_set_bytes_in_last_block(a.get(), 1);
    const auto append = [](archive *, void *data, const void *buffer, size_t length) -> la_ssize_t {
        static_cast<QByteArray *>(data)->append(static_cast<const char *>(buffer),
                                                static_cast<qsizetype>(length));
        return static_cast<la_ssize_t>(length);
    };
    if (archive_write_open(a.get(), &bytes, nullptr, append, nullptr) != ARCHIVE_OK)
        return writeError(target, a.get());
    bool written =
        writeEntry(a.get(), QString::fromUtf16(CopySet::ManifestName), set.manifest(), set.made);
    for (const QString &name : CopySet::recordNames()) {
        if (written && set.files.contains(name))
            written = writeEntry(a.get(), name, set.files.value(name), set.made);
    }
    if (!written || archive_write_close(a.get()) != ARCHIVE_OK)
        return writeError(target, a.get());
    a.reset();
    return replaceFileAtomically(target, target + u".tmp"_s, bytes);
}

Result<ArchiveEntries> readBackupArchive(const QString &path)
{
    const auto damaged = [&](const QString &why) { return refusedCopy(path, why); };
    // A gzip stream cut short and a file that is no .tar.gz at all look alike to the reader.
    const QString Unreadable = u"está cortada o dañada (no se lee como .tar.gz)"_s;
    std::unique_ptr<archive, ArchiveReaderDeleter> a(archive_read_new());
    archive_read_support_filter_gzip(a.get());
    archive_read_support_format_tar(a.get());
    if (archive_read_open_filename(a.get(), QFile::encodeName(path).constData(), 64 * 1024) !=
        ARCHIVE_OK)
        return damaged(Unreadable);
    ArchiveEntries entries;
    qint64 total = 0;
    archive_entry *entry = nullptr;
    int code = ARCHIVE_OK;
    while ((code = archive_read_next_header(a.get(), &entry)) == ARCHIVE_OK) {
        const QString name = QString::fromUtf8(archive_entry_pathname(entry));
        if (archive_entry_filetype(entry) != AE_IFREG)
            return damaged(u"tiene una entrada que no es un archivo: "_s + name);
        const qint64 cap = CopySet::maxBytesOf(name);
        if (cap == 0 || entries.files.contains(name) ||
            (name == QString::fromUtf16(CopySet::ManifestName) && entries.manifest))
            return damaged(u"tiene un archivo que no es de Zafrano: "_s + name);
        // The declared size is checked before a byte is read.
        const la_int64_t size = archive_entry_size(entry);
        total += size;
        if (size < 0 || size > cap)
            return damaged(u"el archivo %1 es demasiado grande"_s.arg(name));
        if (total > CopySet::maxTotalBytes())
            return damaged(u"sus archivos son demasiado grandes"_s);
        QByteArray bytes;
        bytes.reserve(static_cast<qsizetype>(size));
        char chunk[64 * 1024];
        la_ssize_t read = 0;
        while ((read = archive_read_data(a.get(), chunk, sizeof chunk)) > 0 &&
               bytes.size() + read <= size)
            bytes.append(chunk, static_cast<qsizetype>(read));
        if (read != 0 || bytes.size() != size)
            return damaged(Unreadable);
        if (name == QString::fromUtf16(CopySet::ManifestName))
            entries.manifest = bytes;
        else
            entries.files.insert(name, bytes);
    }
    if (code != ARCHIVE_EOF)
        return damaged(Unreadable);
    return entries;
}

} // namespace zafrano
