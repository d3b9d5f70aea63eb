// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/money.h"
#include "common/result.h"
#include "ledger/ledger_book.h"

#include <QDate>
#include <QDialog>
#include <QStringList>
#include <functional>
#include <optional>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QSpinBox;

namespace zafrano::gui {

class Messages;

// What the member form holds.
struct MemberEntry
{
    QString name;
    int shares = 1;
    QDate date; // joined, or left for "Dar de baja"
};

// "Añadir miembro", "Editar miembro" and "Dar de baja": OK hands the form to
// `apply`; a refusal is shown and the form stays open with what was typed.
class MemberDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Purpose
    {
        Add,   // name, shares and the day they join
        Edit,  // name and shares
        Leave, // the day they leave
    };
    using Apply = std::function<Status(const MemberEntry &)>;

    MemberDialog(Purpose purpose, const MemberEntry &initial, Messages &messages, Apply apply,
                 QWidget *parent = nullptr);

    MemberEntry value() const;
    void accept() override;

private:
    Purpose m_purpose;
    Messages &m_messages;
    Apply m_apply;
    QLineEdit *m_name = nullptr;
    QSpinBox *m_shares = nullptr;
    QDateEdit *m_date = nullptr;
};

// What the movement form holds, the euros read.
struct MovementEntry
{
    MovementKind kind = MovementKind::Contribution;
    QString member; // empty for a cost
    Cents cents = 0;
    QDate date;
    QString note;
};

// "Añadir movimiento": a contribution, a payout or a cost, its euros typed
// as a treasurer writes them; "Corregir movimiento" when it starts from one
// kept. A wrong amount or a refusal is shown and the form stays open.
class MovementDialog : public QDialog
{
    Q_OBJECT

public:
    using Apply = std::function<Status(const MovementEntry &)>;

    // `editing`: the movement corrected, its fields filled in.
    MovementDialog(const QStringList &members, QDate today, Messages &messages, Apply apply,
                   const std::optional<MovementEntry> &editing = std::nullopt,
                   QWidget *parent = nullptr);

    // The form as typed, or the message saying why its euros are not an amount.
    Result<MovementEntry> value() const;
    void accept() override;

private:
    void kindChanged();

    Messages &m_messages;
    Apply m_apply;
    QComboBox *m_kind = nullptr;
    QComboBox *m_member = nullptr;
    QLineEdit *m_amount = nullptr;
    QDateEdit *m_date = nullptr;
    QLineEdit *m_note = nullptr;
};

struct ReintegroEntry
{
    int digit = 0;
    QDate since;
};

// "Reintegro del boleto": the slip's digit and the day it counts from.
// With `clear` given, "Quitar reintegro" takes a digit set by mistake away.
class ReintegroDialog : public QDialog
{
    Q_OBJECT

public:
    using Apply = std::function<Status(const ReintegroEntry &)>;
    using Clear = std::function<Status()>;

    ReintegroDialog(const ReintegroEntry &initial, Messages &messages, Apply apply,
                    Clear clear = {}, QWidget *parent = nullptr);

    ReintegroEntry value() const;
    void accept() override;

private:
    void clearAsked();

    Messages &m_messages;
    Apply m_apply;
    Clear m_clear;
    QSpinBox *m_digit = nullptr;
    QDateEdit *m_since = nullptr;
};

} // namespace zafrano::gui
