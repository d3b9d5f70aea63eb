// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/money.h"
#include "common/result.h"

#include <QDate>
#include <QDialog>
#include <functional>

class QDateEdit;
class QLineEdit;

namespace zafrano::gui {

class Messages;

// What the price form holds, the euros read.
struct PriceEntry
{
    QDate since;
    Cents cents = 0;
};

// "Cambiar precio": the price of a bet and the day it counts from, not after
// today. OK hands the form to `apply`; a wrong amount or a refusal is shown
// and the form stays open with what was typed.
class PriceChangeDialog : public QDialog
{
    Q_OBJECT

public:
    using Apply = std::function<Status(const PriceEntry &)>;

    PriceChangeDialog(Cents current, QDate today, Messages &messages, Apply apply,
                      QWidget *parent = nullptr);

    // The form as typed, or the message saying why its euros are not an amount.
    Result<PriceEntry> value() const;
    void accept() override;

private:
    Messages &m_messages;
    Apply m_apply;
    QDateEdit *m_since = nullptr;
    QLineEdit *m_price = nullptr;
};

} // namespace zafrano::gui
