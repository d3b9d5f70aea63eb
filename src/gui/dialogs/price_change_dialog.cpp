// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/price_change_dialog.h"

#include "ui/platform.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

PriceChangeDialog::PriceChangeDialog(Cents current, QDate today, Messages &messages, Apply apply,
                                     QWidget *parent)
    : QDialog(parent), m_messages(messages), m_apply(std::move(apply))
{
    setObjectName(u"LedgerPriceDialog"_s);
    setWindowTitle(u"Cambiar precio"_s);
    m_since = new QDateEdit(this);
    m_since->setObjectName(u"PriceDate"_s);
    m_since->setCalendarPopup(true);
    m_since->setDisplayFormat(u"dd/MM/yyyy"_s);
    // No maximum, as in the account's date boxes: a day after today is refused on saving.
    m_since->setDate(today);
    m_price = new QLineEdit(moneyText(current), this);
    m_price->setObjectName(u"PriceAmount"_s);

    auto *form = new QFormLayout(this);
    form->addRow(u"Desde el día:"_s, m_since);
    form->addRow(u"Precio por apuesta (€):"_s, m_price);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(u"Aceptar"_s);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(u"PriceOk"_s);
    buttons->button(QDialogButtonBox::Cancel)->setText(u"Cancelar"_s);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(u"PriceCancel"_s);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

Result<PriceEntry> PriceChangeDialog::value() const
{
    const Result<Cents> cents = amountFromText(m_price->text());
    if (!cents)
        return cents.error();
    return PriceEntry{m_since->date(), cents.value()};
}

void PriceChangeDialog::accept()
{
    const Result<PriceEntry> entry = value();
    const Status done = entry ? m_apply(entry.value()) : Status(entry.error());
    if (!done) {
        m_messages.show(done.error().message);
        return;
    }
    QDialog::accept();
}

} // namespace zafrano::gui
