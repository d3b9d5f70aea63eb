// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/program_message.h"

#include <QString>

// Messages shared by several operations. Texts are the program's own, byte for byte.
namespace zafrano::texts {

inline constexpr auto ProgramName = u"Zafrano";

// Shown when a data file may not be modified (the platform's path/file access error).
ProgramMessage permissionDenied();

// start-up: tablas.bin is missing; ends with the error number.
ProgramMessage requiredFileMissing(int errorNumber);

ProgramMessage legacySyndicatesFound();

ProgramMessage importRejected();
ProgramMessage importFailed(int errorNumber);
ProgramMessage importSucceeded();

// keptAs: where the damaged file was put aside, said on a line of its own.
ProgramMessage unreadableDrawsFile(const QString &keptAs = {});
// The syndicates file ended in part of a record; the whole file was kept as keptAs.
ProgramMessage partialSyndicatesFile(const QString &keptAs);

// The printer printed nothing: none is usable or it did not answer.
ProgramMessage printFailed();

// Printing the results when no row has anything to print.
ProgramMessage emptyResultsListing();

// A PDF file that could not be written.
ProgramMessage pdfNotWritten(const QString &path);

// Error numbers the messages carry, as the player's manual lists them.
inline constexpr int ErrorFileNotFound = 53;
inline constexpr int ErrorDeviceIo = 57;
inline constexpr int ErrorPathFileAccess = 75;

} // namespace zafrano::texts
