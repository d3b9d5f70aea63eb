// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_context.h"

namespace zafrano::cli {

QList<CommandEntry> allCommands()
{
    return dataCommands() + checkCommands() + slipCommands() + netCommands() + tablesCommands() +
           statsCommands();
}

std::optional<int> parseRecordNumber(const QString &text)
{
    bool ok = false;
    const int k = text.toInt(&ok);
    if (!ok || k < 1)
        return std::nullopt;
    return k;
}

} // namespace zafrano::cli
