// SPDX-License-Identifier: GPL-3.0-or-later
#include "systems/table_list.h"

using namespace Qt::StringLiterals;

namespace zafrano {

QString tableEntryText(const ReductionTable &table)
{
    return u"%1 números al %2, %3 apuestas."_s.arg(table.numbers)
        .arg(table.guarantee)
        .arg(table.betCount);
}

QString invalidTablesHint()
{
    return u"El archivo de tablas reducidas no es válido."_s;
}

TableList listTablesFor(const ReductionTables &file, int numbers)
{
    TableList list;
    list.listText = u"Tablas disponibles"_s;
    for (const ReductionTable &table : file.tables) {
        if (table.numbers != numbers || list.entries.size() == TableList::MaxEntries)
            continue;
        list.tableOfListEntry.append(table.index);
        list.entries.append(tableEntryText(table));
    }
    if (list.entries.isEmpty())
        list.listText = u"No hay tablas reducidas de %1 nºs."_s.arg(numbers);
    else
        list.reducedButtonEnabled = true;
    list.hint = file.tables.isEmpty()
                    ? invalidTablesHint()
                    : u"(Para crear reducidas, se han de elegir entre %1 y %2 números)"_s
                          .arg(file.firstNumbers())
                          .arg(file.lastNumbers());
    return list;
}

QStringList chooserEntries(const ReductionTables &file)
{
    QStringList entries;
    for (const ReductionTable &table : file.tables)
        entries.append(tableEntryText(table));
    return entries;
}

} // namespace zafrano
