// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ledger/ledger_store.h"

#include <QDialog>

class QComboBox;
class QPushButton;
class QTableWidget;

namespace zafrano::gui {

class ProgramData;

// "Cuentas cerradas": the accounts kept of deleted peñas, the one closed last
// first, each with its totals, and the statement of the one picked (of the
// whole peña or of one of its members) in the print preview.
class ClosedAccountsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ClosedAccountsDialog(ProgramData &data, QWidget *parent = nullptr);

private:
    void fill();
    void accountPicked();
    void printStatementAsked();
    // The book of the account picked; nothing, its problem shown, when it cannot be read.
    std::optional<LedgerBook> pickedBook() const;

    ProgramData &m_data;
    QList<KeptAccount> m_kept;
    QPushButton *m_print = nullptr;
    QTableWidget *m_list = nullptr;
    QComboBox *m_member = nullptr;
};

} // namespace zafrano::gui
