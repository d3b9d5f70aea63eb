// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backup/copy_set.h"

namespace zafrano {

// The backup file: a .tar.gz (libarchive) with the manifest first, then the
// files. Written beside the target and renamed over it, so a failure leaves
// no half file behind.
Status writeBackupArchive(const CopySet &set, const QString &target);

// The regular entries of a .tar.gz by name, the manifest apart. A file that is
// no gzip'd tar, or one cut short, is refused.
struct ArchiveEntries
{
    std::optional<QByteArray> manifest;
    QMap<QString, QByteArray> files;
};
Result<ArchiveEntries> readBackupArchive(const QString &path, qint64 maxEntryBytes);

} // namespace zafrano
