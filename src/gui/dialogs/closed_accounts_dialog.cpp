// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/closed_accounts_dialog.h"

#include "app/program_data.h"
#include "ledger/current_account.h"
#include "ledger/ledger_statement.h"
#include "store/day_serial.h"
#include "store/program_database.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

ClosedAccountsDialog::ClosedAccountsDialog(ProgramData &data, QWidget *parent)
    : QDialog(parent), m_data(data)
{
    setObjectName(u"ClosedAccountsDialog"_s);
    setWindowTitle(u"Cuentas cerradas"_s);
    m_list = new QTableWidget(0, 4, this);
    m_list->setObjectName(u"ClosedAccountsList"_s);
    m_list->setHorizontalHeaderLabels({u"Peña"_s, u"Creada"_s, u"Cerrada"_s, u"Bote"_s});
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_member = new QComboBox(this);
    m_member->setObjectName(u"ClosedAccountsMember"_s);
    m_print = new QPushButton(u"Imprimir extracto"_s, this);
    m_print->setObjectName(u"ClosedAccountsStatement"_s);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(u"Cerrar"_s);
    buttons->button(QDialogButtonBox::Close)->setObjectName(u"ClosedAccountsClose"_s);

    auto *statementRow = new QHBoxLayout;
    statementRow->addWidget(new QLabel(u"Extracto de:"_s, this));
    statementRow->addWidget(m_member, 1);
    statementRow->addWidget(m_print);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(statementRow);
    layout->addWidget(buttons);
    resize(560, 360);

    connect(m_list, &QTableWidget::currentCellChanged, this, &ClosedAccountsDialog::accountPicked);
    connect(m_print, &QPushButton::clicked, this, &ClosedAccountsDialog::printStatementAsked);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    fill();
}

void ClosedAccountsDialog::fill()
{
    const QDate today = m_data.platform().clock.today();
    Result<ProgramDatabase> db = ProgramDatabase::openIn(m_data.folder());
    Result<QList<KeptAccount>> kept =
        db ? closedLedgers(*db) : Result<QList<KeptAccount>>(db.error());
    if (!kept) {
        m_data.platform().messages.show(kept.error().message);
        return;
    }
    m_kept = kept.value();
    m_list->setRowCount(static_cast<int>(m_kept.size()));
    for (int row = 0; row < m_kept.size(); ++row) {
        const KeptAccount &account = m_kept[row];
        Result<std::optional<LedgerBook>> book = readLedgerNumbered(*db, account.id);
        const QString bote = book && book->has_value()
                                 ? eurosText(accountOfBook(*db, **book, m_data.draws(), today).bote)
                                 : QString();
        const QStringList cells = {account.syndicate, shortDate(account.createdOn),
                                   shortDate(account.closedOn), bote};
        for (int column = 0; column < cells.size(); ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            if (column == 3)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_list->setItem(row, column, item);
        }
    }
    if (!m_kept.isEmpty())
        m_list->setCurrentCell(0, 0);
    else
        accountPicked();
}

std::optional<LedgerBook> ClosedAccountsDialog::pickedBook() const
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_kept.size())
        return std::nullopt;
    Result<ProgramDatabase> db = ProgramDatabase::openIn(m_data.folder());
    Result<std::optional<LedgerBook>> book = db ? readLedgerNumbered(*db, m_kept[row].id)
                                                : Result<std::optional<LedgerBook>>(db.error());
    if (!book) {
        m_data.platform().messages.show(book.error().message);
        return std::nullopt;
    }
    return book.value();
}

void ClosedAccountsDialog::accountPicked()
{
    m_member->clear();
    const std::optional<LedgerBook> book = pickedBook();
    // Without a kept account (none closed yet) there is nothing to print.
    m_member->setEnabled(book.has_value());
    m_print->setEnabled(book.has_value());
    if (!book)
        return;
    m_member->addItem(u"Toda la peña"_s, QString());
    for (const LedgerMember &member : book->members)
        m_member->addItem(member.name, member.name);
}

void ClosedAccountsDialog::printStatementAsked()
{
    const std::optional<LedgerBook> book = pickedBook();
    if (!book) {
        m_data.platform().messages.show({u"Elija antes unas cuentas de la lista."_s,
                                         u"Cuentas cerradas"_s, MessageIcon::Information});
        return;
    }
    Result<ProgramDatabase> db = ProgramDatabase::openIn(m_data.folder());
    if (!db) {
        m_data.platform().messages.show(db.error().message);
        return;
    }
    const QDate today = m_data.platform().clock.today();
    const LedgerAccount account = accountOfBook(*db, *book, m_data.draws(), today);
    Result<ReportDocument> statement =
        buildStatement(m_data.folder(), account, *book, m_member->currentData().toString(), today);
    if (!statement) {
        m_data.platform().messages.show(statement.error().message);
        return;
    }
    m_data.platform().desktop.showReport(statement.value());
}

} // namespace zafrano::gui
