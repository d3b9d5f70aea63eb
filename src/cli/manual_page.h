// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli_context.h"

#include <QCommandLineOption>
#include <QList>
#include <optional>

namespace zafrano::cli {

// The manual page's ÓRDENES and OPCIONES sections in troff, written from the
// same commands and options the program parses and its help lists, so the page
// cannot fall behind the program. Nothing, the command named on standard
// error, when a command has no summary to show.
std::optional<QString> manualPageSections(const QList<CommandEntry> &commands,
                                          const QList<QCommandLineOption> &options);

} // namespace zafrano::cli
