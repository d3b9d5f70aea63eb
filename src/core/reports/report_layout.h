// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "reports/report_database.h"
#include "store/data_folder.h"

#include <QString>

class QPagedPaintDevice;

namespace zafrano {

// The two printable reports and their layout files beside the program.
enum class ReportKind
{
    Syndicate,  // Zafrano.net: "Peña" and its bets
    Statistics, // Zafrano1.net: "Sorteos", "Numeros" and "Informe"
};

QString layoutFileName(ReportKind kind);

// A filled layout, ready to be laid out on pages.
struct ReportDocument
{
    QString title;
    QString html;
};

// Fills a layout: HTML in which {Tabla.Columna} is the value of that column in
// the table's first row, and a block between <!-- repetir Tabla --> and
// <!-- fin --> is repeated for each row of the table, its {Columna} and {#}
// (the row's number) taken from that row. A block between <!-- sin Tabla -->
// and <!-- fin --> is kept only when the table has no row. Values are escaped.
// A name the database does not hold, or a block without its end, is an error
// numbered 20515.
Result<QString> fillLayout(const QString &layout, const ReportTables &tables);

// Reads the report's layout file (the folder's own copy, else the shipped one)
// and fills it from the folder's report database. A missing layout is error
// 53; the database's errors keep their numbers.
Result<ReportDocument> buildReport(const DataFolder &folder, ReportKind kind);

// Lays the report out on the device's pages (a printer or a PDF writer).
void renderReport(const ReportDocument &report, QPagedPaintDevice &device);

// Writes the report to a PDF file, or says it could not.
Status writeReportPdf(const ReportDocument &report, const QString &path);

} // namespace zafrano
