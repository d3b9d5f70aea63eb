// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_context.h"

using namespace Qt::StringLiterals;

namespace zafrano::cli {

QList<CommandEntry> allCommands()
{
    return dataCommands() + checkCommands() + slipCommands() + netCommands() + tablesCommands() +
           statsCommands() + reportCommands();
}

std::optional<int> parseRecordNumber(const QString &text)
{
    bool ok = false;
    const int k = text.toInt(&ok);
    if (!ok || k < 1)
        return std::nullopt;
    return k;
}

Result<ChosenSyndicate> chosenSyndicate(const CliContext &context)
{
    const QString argument = context.arguments.at(0);
    Result<QList<SyndicateRecord>> stored = context.folder.syndicates().readAll();
    if (!stored)
        return stored.error();
    const std::optional<int> k = parseRecordNumber(argument);
    if (!k || *k > stored->size())
        return Error{
            ErrorKind::NotFound,
            {u"No existe la peña %1."_s.arg(argument), u"Error"_s, MessageIcon::Exclamation}};
    return ChosenSyndicate{*k, stored->at(*k - 1)};
}

} // namespace zafrano::cli
