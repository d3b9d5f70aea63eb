// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_context.h"

#include "output.h"

using namespace Qt::StringLiterals;

namespace zafrano::cli {

QList<CommandEntry> allCommands()
{
    return dataCommands() + syndicateCommands() + checkCommands() + slipCommands() + netCommands() +
           tablesCommands() + statsCommands() + reportCommands() + ledgerCommands() +
           backupCommands() + timerCommands();
}

std::optional<int> parseRecordNumber(const QString &text)
{
    bool ok = false;
    const int k = text.toInt(&ok);
    if (!ok || k < 1)
        return std::nullopt;
    return k;
}

std::optional<QString> requiredPdf(const CliContext &context)
{
    const QString pdf = context.options->value(QString::fromUtf16(option::Pdf));
    if (pdf.isEmpty()) {
        printError(u"Falta --pdf ARCHIVO."_s);
        return std::nullopt;
    }
    return pdf;
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
