// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/money.h"
#include "common/result.h"
#include "stats/number_counts.h"
#include "stats/statistics_selection.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace zafrano {

// The single row of "Peña": the syndicate on show, as its report prints it.
struct SyndicateReportRow
{
    QString name;                // Nombre
    QString days;                // Diasajugar
    Cents money = 0;             // Dinero: the weekly spend, stored in euros
    QDate createdOn;             // Dia1
    QDate checkedTo;             // Dia2
    QString hitShare;            // Aciertos, as shown: "12,5 %", "100 %" or "-"
    double draws = 0;            // Sorteos
    std::array<int, 5> prizes{}; // "3", "4", "5", "5C", "6"
    QString kind;                // Tipo: "Reducida de 9 nºs al 4: 2-8-…", "Apuestas sencillas."
};

// One table as the report layouts read it: each row maps a column name to its
// text (dates dd/mm/yyyy, decimals with a comma).
using ReportRow = QHash<QString, QString>;
using ReportTables = QHash<QString, QList<ReportRow>>;

// Zafrano.mdb beside the program: copies of the figures on show, kept for the
// two reports. The file is encrypted under a fixed password. Every operation
// opens its own connection and closes it before returning (inside a Session,
// the session's), and never creates the file: a missing one is an error like
// any other damage.
//
// Errors carry a number: the negative SQLite result code for a failure of the
// database itself (-14 missing file, -26 not a database or wrong password…),
// 3021 when a single-row table has lost its row. A file or folder that may not
// be written is PermissionDenied.
class ReportDatabase
{
public:
    static constexpr auto FileName = u"Zafrano.mdb";
    static constexpr int NoCurrentRow = 3021;

    explicit ReportDatabase(const QString &path) : m_path(path) {}
    const QString &path() const { return m_path; }

    // Makes a new, ready database at the path: every table, and the single
    // rows of "Peña", "Sorteos" and "Informe". An existing file is an error.
    Status create() const;

    // The syndicate on show: its bets in "Peñanums", one text each, and its
    // "Peña" row, together or not at all.
    Status writeSyndicate(const QStringList &bets, const SyndicateReportRow &row) const;
    // "Sorteos": the statistics selection.
    Status writeSelection(const SelectionRow &row) const;
    // "Numeros": the chosen numbers in ranking order.
    Status writeChosenNumbers(const QList<RankedNumber> &numbers) const;
    // "Informe".Frase: the list text of the newest stored draw.
    Status writeNewestDrawText(const QString &text) const;

    // Every table the layouts may name; "Numeros" most frequent first.
    Result<ReportTables> readAll() const;

    // While a session lives, the writes to this file share one connection,
    // opened by the first of them: SQLCipher's key derivation is paid once
    // for the several copies one pass writes (the start-up writes three).
    // Each write still runs in a transaction of its own and fails as it
    // would alone. Sessions nest; the UI thread's only.
    class Session
    {
    public:
        explicit Session(const ReportDatabase &database);
        ~Session();
        Session(const Session &) = delete;
        Session &operator=(const Session &) = delete;

    private:
        bool m_inactive = false;
    };

private:
    QString m_path;
};

// The tables and their columns, in the order they are created.
const QList<std::pair<QString, QStringList>> &reportSchema();

} // namespace zafrano
