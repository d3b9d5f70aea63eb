// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ledger/ledger_account.h"
#include "reports/report_layout.h"

namespace zafrano {

// The layout of the account's statement beside the program.
inline constexpr auto StatementLayoutName = u"Cuentas.net";

// The tables the statement layout reads: "Extracto" (one row: the peña, whose
// statement it is, the totals and the balance), "Miembros", "Movimientos" and
// "Premiados" (the draws that won, pending ones among them). For one member
// (`member` not empty) the movements are theirs and the peña's costs.
ReportTables statementTables(const LedgerAccount &account, const LedgerBook &book,
                             const QString &member, QDate today);

// The statement filled from the layout (the folder's own copy, else the shipped one).
Result<ReportDocument> buildStatement(const DataFolder &folder, const LedgerAccount &account,
                                      const LedgerBook &book, const QString &member, QDate today);

} // namespace zafrano
