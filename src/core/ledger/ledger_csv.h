// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ledger/ledger_account.h"

namespace zafrano {

// The account as CSV for a spreadsheet: fields separated by ";", amounts with
// a decimal comma ("12,50"), dates dd/mm/yyyy, a heading line first.
// "Fecha;Tipo;Miembro;Importe;Nota"
QString movementsCsv(const LedgerBook &book);
// "Fecha;Apuestas;Coste;Premios;Reintegro;Estado", one line per played draw;
// Estado is "pendiente", "premiado" or empty.
QString drawsCsv(const LedgerAccount &account);

} // namespace zafrano
