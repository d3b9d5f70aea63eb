// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ledger_dialogs.h"

#include "ledger/ledger_store.h"
#include "ui/platform.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

namespace {

// A day of the account. The box takes any date: a range on it would stop
// the treasurer typing "25" into a box showing today's "10" (Qt refuses the
// "2" that could only start a day after the range's end), and a day before
// the peña or after today is refused with the account's own message.
QDateEdit *dateBox(const QString &name, QDate date, QWidget *parent)
{
    auto *box = new QDateEdit(parent);
    box->setObjectName(name);
    box->setCalendarPopup(true);
    box->setDisplayFormat(u"dd/MM/yyyy"_s);
    box->setDate(date);
    return box;
}

QSpinBox *numberBox(const QString &name, int low, int high, int value, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

// "Aceptar" and "Cancelar" at the foot of the form, named `prefix`Ok and `prefix`Cancel.
void addButtons(QDialog *dialog, QFormLayout *form, const QString &prefix)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(u"Aceptar"_s);
    ok->setObjectName(prefix + u"Ok"_s);
    QPushButton *cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setText(u"Cancelar"_s);
    cancel->setObjectName(prefix + u"Cancel"_s);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
}

// Runs the form's change: true when it was kept; its refusal is shown.
bool applied(Messages &messages, const Status &done)
{
    if (!done)
        messages.show(done.error().message);
    return bool(done);
}

} // namespace

MemberDialog::MemberDialog(Purpose purpose, const MemberEntry &initial, Messages &messages,
                           Apply apply, QWidget *parent)
    : QDialog(parent), m_purpose(purpose), m_messages(messages), m_apply(std::move(apply))
{
    setObjectName(u"LedgerMemberDialog"_s);
    auto *form = new QFormLayout(this);
    if (purpose == Purpose::Leave) {
        setWindowTitle(u"Dar de baja"_s);
        m_date = dateBox(u"MemberDate"_s, initial.date, this);
        form->addRow(u"Baja de "_s + initial.name + u" el día:"_s, m_date);
    } else {
        setWindowTitle(purpose == Purpose::Add ? u"Añadir miembro"_s : u"Editar miembro"_s);
        m_name = new QLineEdit(initial.name, this);
        m_name->setObjectName(u"MemberName"_s);
        m_shares = numberBox(u"MemberShares"_s, 1, 999, initial.shares, this);
        form->addRow(u"Nombre:"_s, m_name);
        form->addRow(u"Participaciones:"_s, m_shares);
        if (purpose == Purpose::Add) {
            m_date = dateBox(u"MemberDate"_s, initial.date, this);
            form->addRow(u"Desde:"_s, m_date);
        }
    }
    addButtons(this, form, u"Member"_s);
}

MemberEntry MemberDialog::value() const
{
    MemberEntry entry;
    if (m_name)
        entry.name = m_name->text();
    if (m_shares)
        entry.shares = m_shares->value();
    if (m_date)
        entry.date = m_date->date();
    return entry;
}

void MemberDialog::accept()
{
    if (applied(m_messages, m_apply(value())))
        QDialog::accept();
}

MovementDialog::MovementDialog(const QStringList &members, QDate today, Messages &messages,
                               Apply apply, const std::optional<MovementEntry> &editing,
                               QWidget *parent)
    : QDialog(parent), m_messages(messages), m_apply(std::move(apply))
{
    setObjectName(u"LedgerMovementDialog"_s);
    setWindowTitle(editing ? u"Corregir movimiento"_s : u"Añadir movimiento"_s);
    m_kind = new QComboBox(this);
    m_kind->setObjectName(u"MovementKind"_s);
    for (MovementKind kind : {MovementKind::Contribution, MovementKind::Payout, MovementKind::Cost})
        m_kind->addItem(movementKindName(kind), static_cast<int>(kind));
    m_member = new QComboBox(this);
    m_member->setObjectName(u"MovementMember"_s);
    m_member->addItems(members);
    m_amount = new QLineEdit(this);
    m_amount->setObjectName(u"MovementAmount"_s);
    m_amount->setPlaceholderText(u"12,50"_s);
    m_date = dateBox(u"MovementDate"_s, today, this);
    m_note = new QLineEdit(this);
    m_note->setObjectName(u"MovementNote"_s);

    auto *form = new QFormLayout(this);
    form->addRow(u"Tipo:"_s, m_kind);
    form->addRow(u"Miembro:"_s, m_member);
    form->addRow(u"Euros (€):"_s, m_amount);
    form->addRow(u"Fecha:"_s, m_date);
    form->addRow(u"Nota:"_s, m_note);
    addButtons(this, form, u"Movement"_s);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &MovementDialog::kindChanged);
    if (editing) {
        m_kind->setCurrentIndex(m_kind->findData(static_cast<int>(editing->kind)));
        if (!editing->member.isEmpty())
            m_member->setCurrentText(editing->member);
        m_amount->setText(moneyText(editing->cents));
        m_date->setDate(editing->date);
        m_note->setText(editing->note);
    }
}

void MovementDialog::kindChanged()
{
    // A cost is the whole peña's: it names no member.
    m_member->setEnabled(static_cast<MovementKind>(m_kind->currentData().toInt()) !=
                         MovementKind::Cost);
}

Result<MovementEntry> MovementDialog::value() const
{
    const Result<Cents> cents = amountFromText(m_amount->text());
    if (!cents)
        return cents.error();
    const auto kind = static_cast<MovementKind>(m_kind->currentData().toInt());
    return MovementEntry{kind, kind == MovementKind::Cost ? QString() : m_member->currentText(),
                         cents.value(), m_date->date(), m_note->text()};
}

void MovementDialog::accept()
{
    const Result<MovementEntry> entry = value();
    if (applied(m_messages, entry ? m_apply(entry.value()) : Status(entry.error())))
        QDialog::accept();
}

ReintegroDialog::ReintegroDialog(const ReintegroEntry &initial, Messages &messages, Apply apply,
                                 Clear clear, QWidget *parent)
    : QDialog(parent), m_messages(messages), m_apply(std::move(apply)), m_clear(std::move(clear))
{
    setObjectName(u"LedgerReintegroDialog"_s);
    setWindowTitle(u"Reintegro del boleto"_s);
    m_digit = numberBox(u"ReintegroDigit"_s, 0, 9, initial.digit, this);
    m_since = dateBox(u"ReintegroDate"_s, initial.since, this);
    auto *form = new QFormLayout(this);
    form->addRow(u"Cifra:"_s, m_digit);
    form->addRow(u"Desde:"_s, m_since);
    if (m_clear) {
        auto *clearButton = new QPushButton(u"Quitar reintegro"_s, this);
        clearButton->setObjectName(u"ReintegroClear"_s);
        connect(clearButton, &QPushButton::clicked, this, &ReintegroDialog::clearAsked);
        form->addRow(clearButton);
    }
    addButtons(this, form, u"Reintegro"_s);
}

void ReintegroDialog::clearAsked()
{
    if (!m_messages.ask({u"¿Seguro que quieres quitar el reintegro? Deja de contar en todos los "
                         u"sorteos, también en los ya jugados."_s,
                         u"Quitar reintegro"_s, MessageIcon::Question}))
        return;
    if (applied(m_messages, m_clear()))
        QDialog::accept();
}

ReintegroEntry ReintegroDialog::value() const
{
    return {m_digit->value(), m_since->date()};
}

void ReintegroDialog::accept()
{
    if (applied(m_messages, m_apply(value())))
        QDialog::accept();
}

} // namespace zafrano::gui
