// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ledger_history_dialog.h"

#include "store/day_serial.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

LedgerHistoryDialog::LedgerHistoryDialog(const LedgerBook &book, QWidget *parent) : QDialog(parent)
{
    setObjectName(u"LedgerHistoryDialog"_s);
    setWindowTitle(u"Historial de las cuentas de "_s + book.syndicate);
    auto *list = new QTableWidget(static_cast<int>(book.history.size()), 2, this);
    list->setObjectName(u"LedgerHistoryList"_s);
    list->setHorizontalHeaderLabels({u"Fecha"_s, u"Cambio"_s});
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One line per change, as the history reads best; a long one shows whole
    // in its tip.
    list->setWordWrap(false);
    list->verticalHeader()->hide();
    list->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    list->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    for (int row = 0; row < book.history.size(); ++row) {
        const LedgerEvent &event = book.history[book.history.size() - 1 - row];
        list->setItem(row, 0, new QTableWidgetItem(shortDate(event.madeOn)));
        auto *what = new QTableWidgetItem(event.what);
        what->setToolTip(event.what);
        list->setItem(row, 1, what);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(u"Cerrar"_s);
    buttons->button(QDialogButtonBox::Close)->setObjectName(u"LedgerHistoryClose"_s);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(list, 1);
    layout->addWidget(buttons);
    resize(620, 380);
}

} // namespace zafrano::gui
