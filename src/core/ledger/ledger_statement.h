// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ledger/ledger_account.h"
#include "reports/report_layout.h"

namespace zafrano {

// The layout of the account's statement beside the program.
inline constexpr auto StatementLayoutName = u"Cuentas.net";
// The layout of one member's statement.
inline constexpr auto MemberStatementLayoutName = u"CuentasMiembro.net";

// The tables the statement layout reads: "Extracto" (one row: the peña, whose
// statement it is, the totals and the balance), "Miembros", "Movimientos" and
// "Premiados" (the draws that won, pending ones among them). For one member
// (`member` not empty) the movements are theirs and the peña's costs, and
// "Lineas" tells how their balance came to be (memberLines).
ReportTables statementTables(const LedgerAccount &account, const LedgerBook &book,
                             const QString &member, QDate today);

// The statement filled from its layout (the folder's own copy, else the
// shipped one): the peña's, or one member's.
Result<ReportDocument> buildStatement(const DataFolder &folder, const LedgerAccount &account,
                                      const LedgerBook &book, const QString &member, QDate today);

} // namespace zafrano
