// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"

#include <QString>

namespace zafrano {

// What the caller will do in the data folder.
enum class FolderAccess
{
    Writes, // change it: it must be writable, and the per-user folder is made
    Reads,  // read it: a folder that cannot be written serves as it stands
    Names,  // only name it: nothing is made and nothing is required but existence
};

// Where the program looks for its data folder, as the caller read it from its
// options, its environment and the system.
struct DataLocationInputs
{
    QString dirOption;      // zafrano-cli --dir; empty when not given
    QString environmentDir; // ZAFRANO_DATA_DIR; empty when not set
    QString programFolder;  // the folder of the running program
    QString userFolder;     // the per-user data folder (~/.local/share/Zafrano)
    FolderAccess access = FolderAccess::Writes;
};

enum class DataLocationKind
{
    Chosen,   // --dir or ZAFRANO_DATA_DIR
    Portable, // the program's own folder, which already holds data
    PerUser,  // the user's own folder
};

struct DataLocation
{
    QString dataFolder;  // where the records of truth are kept and written
    QString shareFolder; // the read-only files the program ships
    DataLocationKind kind = DataLocationKind::PerUser;
};

// The data folder, in order: the chosen folder (--dir before ZAFRANO_DATA_DIR),
// which must exist; the program's own folder when it already holds draws or
// syndicates and can be written; else the per-user folder, created when
// missing (readable by its owner only: it holds the members' names and money).
// Unless the caller only reads or names it, the folder must be writable.
// Every refusal names the folder.
Result<DataLocation> locateDataFolder(const DataLocationInputs &inputs);

// Whether a file can be made in the folder: the only sure test, as
// permissions, read-only mounts and ACLs all have their say.
bool canWriteIn(const QString &folder);

// The shipped files of an installed program lie in ../share/zafrano beside
// its bin folder; a program run from its build folder has them beside it.
QString shareFolderFor(const QString &programFolder);

} // namespace zafrano
