// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/data_folder.h"

#include <QDate>
#include <QStringList>

namespace zafrano::cli {

// What every command receives: the data folder opened as the program opens it
// at start-up, the date taken as today, the output form and its own arguments.
struct CliContext
{
    DataFolder folder;
    Settings settings;
    QDate today;
    bool json = false;
    QStringList arguments; // after the command name
};

using Command = int (*)(const CliContext &);

struct CommandEntry
{
    const char16_t *name;
    const char16_t *usage;
    Command run;
};

// The commands on the stored data: draws, syndicates, calendar, imports, deletions.
const QList<CommandEntry> &dataCommands();

// Parses a record number argument (1-based); nothing when it is not one.
std::optional<int> parseRecordNumber(const QString &text);

} // namespace zafrano::cli
