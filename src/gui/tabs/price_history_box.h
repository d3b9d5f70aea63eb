// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ledger/ledger_book.h"

#include <QGroupBox>

class QTableWidget;

namespace zafrano::gui {

class ProgramData;

// "Precio por apuesta" of the Cuentas page: each price with the day it counts
// from, and "Cambiar precio…", a change the treasurer dates.
class PriceHistoryBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit PriceHistoryBox(ProgramData &data, QWidget *parent = nullptr);

    void setHistory(const QList<PriceChange> &history);

signals:
    // A price change was kept: the account is to be worked out again.
    void priceChanged();

private:
    void changePriceAsked();

    ProgramData &m_data;
    QTableWidget *m_table = nullptr;
};

} // namespace zafrano::gui
