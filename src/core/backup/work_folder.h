// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"

#include <QString>

namespace zafrano {

// The data folder's hidden .trabajo/: the scratch files of the copies, the
// restore and the backup file are written there, never beside the records of
// truth or in the system's temporary folder (they hold the treasurer's
// database). Each process works in a folder of its own, named by its process
// id, so one program starting never removes what another is still writing.
namespace work {

inline constexpr auto FolderName = u".trabajo";

// This process's work folder, made when missing.
Result<QString> ownFolder(const QString &dataFolder);

// Where a scratch copy may go: this process's work folder, or the system's
// temporary folder when the data folder may not be written (a backup of a
// read-only folder).
QString scratchFolder(const QString &dataFolder);

// Removes what processes that are gone left behind: their work folders, and
// the copies cut short by a crash of older versions (copias/.nueva-*).
void cleanLeftovers(const QString &dataFolder);

} // namespace work

} // namespace zafrano
