// SPDX-License-Identifier: GPL-3.0-or-later
// The reduction tables of tablas.bin: the assistant's list for a count of
// numbers, the exhaustive check of every table and the coverage panel.
#include "cli_context.h"
#include "output.h"
#include "systems/coverage_panel.h"
#include "systems/table_check.h"
#include "systems/table_list.h"

#include <QJsonArray>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zafrano::cli {

namespace {

Result<ReductionTables> readTables(const CliContext &context)
{
    return readReductionTables(context.folder.tablesPath());
}

std::optional<int> parseCount(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0)
        return std::nullopt;
    return value;
}

int notACount(const QString &text)
{
    printError(u"No es un número válido: "_s + text);
    return UsageError;
}

int tablesListCommand(const CliContext &context)
{
    const std::optional<int> numbers = parseCount(context.arguments.at(0));
    if (!numbers)
        return notACount(context.arguments.at(0));
    Result<ReductionTables> tables = readTables(context);
    if (!tables)
        return fail(tables.error().message);
    const TableList list = listTablesFor(tables.value(), *numbers);
    if (context.json) {
        QJsonArray entries;
        for (qsizetype e = 0; e < list.entries.size(); ++e)
            entries.append(QJsonObject{{u"entry"_s, e},
                                       {u"table"_s, list.tableOfListEntry[e]},
                                       {u"text"_s, list.entries[e]}});
        printJson(QJsonObject{{u"text"_s, list.listText},
                              {u"entries"_s, entries},
                              {u"reducedEnabled"_s, list.reducedButtonEnabled},
                              {u"hint"_s, list.hint}});
        return Success;
    }
    printLine(list.listText);
    for (qsizetype e = 0; e < list.entries.size(); ++e)
        printLine(
            u"%1  %2  (tabla %3)"_s.arg(e, 2).arg(list.entries[e]).arg(list.tableOfListEntry[e]));
    printLine(list.hint);
    return Success;
}

int tablesVerifyCommand(const CliContext &context)
{
    Result<ReductionTables> tables = readTables(context);
    if (!tables)
        return fail(tables.error().message);
    QJsonArray results;
    QStringList problems;
    int previousNumbers = 0;
    for (const ReductionTable &table : tables->tables) {
        const TableVerdict verdict = verifyTable(table);
        QString problem = verdict.problem;
        // The hint line takes the first and the last table as the range offered.
        if (table.numbers < previousNumbers && problem.isEmpty())
            problem = u"La tabla de reducción %1 (%2) está fuera de orden: el archivo va de menos "
                      u"a más números."_s.arg(table.index)
                          .arg(tableEntryText(table));
        previousNumbers = table.numbers;
        if (!problem.isEmpty())
            problems.append(problem);
        if (context.json) {
            QJsonObject result{{u"table"_s, table.index},
                               {u"text"_s, tableEntryText(table)},
                               {u"numbers"_s, table.numbers},
                               {u"guarantee"_s, table.guarantee},
                               {u"bets"_s, table.betCount},
                               {u"draws"_s, static_cast<qint64>(verdict.cover.draws)},
                               {u"uncovered"_s, static_cast<qint64>(verdict.cover.uncovered)},
                               {u"holds"_s, problem.isEmpty()}};
            if (!problem.isEmpty())
                result.insert(u"problem"_s, problem);
            results.append(result);
        } else {
            printLine(u"%1  %2  %3"_s.arg(table.index, 3)
                          .arg(tableEntryText(table), -34)
                          .arg(problem.isEmpty() ? u"cumple (%1 jugadas)"_s.arg(verdict.cover.draws)
                                                 : u"NO CUMPLE"_s));
        }
    }
    if (context.json)
        printJson(QJsonObject{{u"tables"_s, results}, {u"holds"_s, problems.isEmpty()}});
    else if (problems.isEmpty())
        printLine(u"%1 tablas comprobadas: todas cumplen."_s.arg(tables->tables.size()));
    for (const QString &problem : problems)
        printError(problem);
    return problems.isEmpty() ? Success : Failed;
}

int tablesCoverageCommand(const CliContext &context)
{
    const std::optional<int> index = parseCount(context.arguments.at(0));
    if (!index)
        return notACount(context.arguments.at(0));
    Result<ReductionTables> tables = readTables(context);
    if (!tables)
        return fail(tables.error().message);
    Result<ReductionTable> table = positionAtTable(tables.value(), *index);
    if (!table)
        return fail(table.error().message);
    const CoveragePanel panel = coveragePanelFor(table.value());
    if (context.json) {
        printJson(QJsonObject{{u"table"_s, *index},
                              {u"fullSystem"_s, panel.fullSystem},
                              {u"chance"_s, static_cast<double>(panel.chance)},
                              {u"Label44"_s, panel.label44},
                              {u"Label43"_s, panel.label43},
                              {u"Label45"_s, panel.label45},
                              {u"Label48"_s, panel.label48},
                              {u"Label46"_s, panel.label46},
                              {u"Label47"_s, panel.label47},
                              {u"Label49"_s, panel.label49},
                              {u"Label50"_s, panel.label50}});
        return Success;
    }
    for (const QString &line : {panel.label44, panel.label43, panel.label45, panel.label48,
                                panel.label46, panel.label47, panel.label49, panel.label50})
        printLine(line);
    return Success;
}

} // namespace

const QList<CommandEntry> &tablesCommands()
{
    static const QList<CommandEntry> commands = {
        {u"tables list", u"tables list N", tablesListCommand,
         u"los sistemas reducidos que se ofrecen para N números"},
        {u"tables verify", u"tables verify", tablesVerifyCommand,
         u"comprueba cada tabla de tablas.bin con todos los sorteos posibles (sale con 1 y la "
         u"nombra si una no cumple)"},
        {u"tables coverage", u"tables coverage INDEX", tablesCoverageCommand,
         u"los textos del panel de cobertura de la tabla INDEX (desde 0)"},
    };
    return commands;
}

} // namespace zafrano::cli
