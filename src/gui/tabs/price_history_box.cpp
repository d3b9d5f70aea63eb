// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabs/price_history_box.h"

#include "app/price_change.h"
#include "app/program_data.h"
#include "dialogs/price_change_dialog.h"
#include "store/day_serial.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

PriceHistoryBox::PriceHistoryBox(ProgramData &data, QWidget *parent)
    : QGroupBox(u"Precio por apuesta"_s, parent), m_data(data)
{
    m_table = new QTableWidget(0, 2, this);
    m_table->setObjectName(u"LedgerPrices"_s);
    m_table->setHorizontalHeaderLabels({u"Desde"_s, u"Precio"_s});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    auto *change = new QPushButton(u"Cambiar precio…"_s, this);
    change->setObjectName(u"LedgerChangePrice"_s);
    connect(change, &QPushButton::clicked, this, &PriceHistoryBox::changePriceAsked);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(change);
}

void PriceHistoryBox::setHistory(const QList<PriceChange> &history)
{
    m_table->setRowCount(static_cast<int>(history.size()));
    for (int row = 0; row < history.size(); ++row) {
        // The first price holds for every draw before the first change.
        m_table->setItem(
            row, 0,
            new QTableWidgetItem(row == 0 ? u"el principio"_s : shortDate(history[row].since)));
        auto *price = new QTableWidgetItem(moneyText(history[row].cents) + u" €"_s);
        price->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_table->setItem(row, 1, price);
    }
}

void PriceHistoryBox::changePriceAsked()
{
    const Cents current = centsFromEuros(m_data.settings().pricePerBet);
    auto *form = new PriceChangeDialog(
        current, m_data.platform().clock.today(), m_data.platform().messages,
        [this, current](const PriceEntry &entry) -> Status {
            const Result<Cents> now = keepBetPrice(m_data, current, entry.cents, entry.since);
            if (!now)
                return now.error();
            // The settings record holds the price in force from now on.
            m_data.settings().pricePerBet = static_cast<float>(eurosFromCents(*now));
            m_data.saveSettings();
            emit priceChanged();
            return {};
        },
        this);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->open();
}

} // namespace zafrano::gui
