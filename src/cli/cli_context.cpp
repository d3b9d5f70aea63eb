// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_context.h"

#include "output.h"

using namespace Qt::StringLiterals;

namespace zafrano::cli {

QList<CommandEntry> allCommands()
{
    return dataCommands() + syndicateCommands() + checkCommands() + slipCommands() + netCommands() +
           prizeCommands() + priceCommands() + tablesCommands() + statsCommands() +
           reportCommands() + ledgerCommands() + backtestCommands() + backupCommands() +
           timerCommands();
}

QString optionValue(const CliContext &context, const char16_t *name)
{
    return context.options->value(QString::fromUtf16(name));
}

bool optionSet(const CliContext &context, const char16_t *name)
{
    return context.options->isSet(QString::fromUtf16(name));
}

std::optional<QDate> dateOption(const CliContext &context, const char16_t *name, QDate fallback)
{
    if (!optionSet(context, name))
        return fallback;
    const QDate date = QDate::fromString(optionValue(context, name), u"yyyy-MM-dd"_s);
    if (!date.isValid()) {
        printError(u"Fecha no válida: "_s + optionValue(context, name));
        return std::nullopt;
    }
    return date;
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
