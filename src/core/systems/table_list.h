// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "systems/tables_file.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zafrano {

// The assistant's table list (Combo1) and hint line (Label51) for a count of
// chosen numbers, as listTablesFor fills them.
struct TableList
{
    // The main window's list keeps at most this many tables of one N.
    static constexpr int MaxEntries = 51;

    QString listText;                  // "Tablas disponibles" or the no-table text
    QStringList entries;               // one per table of that N, in file order
    QList<int> tableOfListEntry;       // the table index each entry stands for
    bool reducedButtonEnabled = false; // Image3(0)
    QString hint;                      // Label51
};

// The text of a table's entry in both lists: N & " números al " & G & ", " & M & " apuestas.".
QString tableEntryText(const ReductionTable &table);

// The caption Label51 keeps until a listing replaces it.
QString invalidTablesHint();

// listTablesFor: the tables whose N equals `numbers`, in file order, with the
// hint line built from the first and the last table's N. A file without
// tables keeps the hint's initial caption.
TableList listTablesFor(const ReductionTables &file, int numbers);

// The chooser's list: every table of the file, so the entry index is the table index.
QStringList chooserEntries(const ReductionTables &file);

} // namespace zafrano
