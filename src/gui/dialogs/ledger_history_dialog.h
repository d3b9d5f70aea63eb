// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ledger/ledger_book.h"

#include <QDialog>

namespace zafrano::gui {

// "Historial de las cuentas": every change made to the account, with the day
// it was made, the newest first.
class LedgerHistoryDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LedgerHistoryDialog(const LedgerBook &book, QWidget *parent = nullptr);
};

} // namespace zafrano::gui
