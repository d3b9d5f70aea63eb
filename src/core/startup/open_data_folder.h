// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "store/data_folder.h"
#include "store/settings.h"

#include <functional>

namespace zafrano {

// The start-up of the program, shared by the window and the command line:
// finishes or undoes a restore cut short (its message through `notify`),
// drops the syndicates work file, creates the data files that are missing,
// gives a data folder without a report database a copy of the shipped one,
// says a damaged zafrano.db (kept aside, a new one begun) and brings an older
// one up to date after its copy, requires tablas.bin (its message and error
// number otherwise), reads the settings, makes the day's first copy (copias/) and converts a
// syndicates file of the older format. `notify` shows the conversion's message before it runs, and
// says so when a syndicates file cut short was kept aside and cut back to its whole syndicates.
// Returns the settings read.
Result<Settings> openDataFolder(const DataFolder &folder,
                                const std::function<void(const ProgramMessage &)> &notify);

} // namespace zafrano
