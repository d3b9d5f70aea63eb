// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backup/automatic_copies.h"

#include <functional>

namespace zafrano {

inline constexpr auto RestoreMarkerName = u"restaurando.json";
inline constexpr auto RestoredReason = u"copia restaurada";

// Puts a checked copy in place of the records of truth. Four files cannot be
// replaced in one step, so: a copy of the current data first, then the copy
// being restored kept in copias/ too, then a marker naming both, then each
// file replaced atomically, then the marker goes. `goOn` is asked between the
// steps; false stops there as a crash would. Returns the copy made before.
Result<copies::CopyEntry> restoreCopy(const QString &dataFolder, const CopySet &set,
                                      const QDateTime &now = QDateTime::currentDateTime(),
                                      const std::function<bool()> &goOn = {});

// Start-up, before anything reads the files: a restore the marker says was
// cut short is finished from the copy it was restoring, or, when that copy no
// longer reads whole, rolled back to the copy made before it. Returns the
// message to show, if there was one.
Result<std::optional<ProgramMessage>> finishInterruptedRestore(const QString &dataFolder);

// A restore was cut short and is not finished yet: its marker is still there.
// When neither copy it names reads whole, only listing the copies and
// restoring one by hand go on.
bool restoreIsCutShort(const QString &dataFolder);

// What to do when neither copy of a restore cut short reads whole.
ProgramMessage interruptedRestoreMessage(const QString &dataFolder);

} // namespace zafrano
