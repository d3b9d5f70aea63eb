// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backup/copy_set.h"

namespace zafrano {

// The backup file: a .tar.gz (libarchive) with the manifest first, then the
// files. Made in memory, then written beside the target and renamed over it,
// so a failure leaves no half file behind.
Status writeBackupArchive(const CopySet &set, const QString &target);

// The regular entries of a .tar.gz by name, the manifest apart. A file that is
// no gzip'd tar, or one cut short, is refused; so is, before it is read, an
// entry of a name no copy holds, one larger than a file of its name may be,
// and entries that together hold more than a whole copy.
struct ArchiveEntries
{
    std::optional<QByteArray> manifest;
    QMap<QString, QByteArray> files;
};
Result<ArchiveEntries> readBackupArchive(const QString &path);

} // namespace zafrano
