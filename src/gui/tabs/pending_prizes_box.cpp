// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabs/pending_prizes_box.h"

#include "app/program_data.h"
#include "dialogs/manual_draw_dialog.h"
#include "store/day_serial.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

PendingPrizesBox::PendingPrizesBox(ProgramData &data, QWidget *parent)
    : QGroupBox(u"Premios pendientes"_s, parent), m_data(data)
{
    m_list = new QListWidget(this);
    m_list->setObjectName(u"LedgerPendingDraws"_s);
    auto *add = new QPushButton(u"Añadir premios…"_s, this);
    add->setObjectName(u"LedgerAddPrizes"_s);
    connect(add, &QPushButton::clicked, this, &PendingPrizesBox::addPrizesAsked);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(add);
}

void PendingPrizesBox::setPending(const QList<QDate> &dates)
{
    m_list->clear();
    for (QDate date : dates) {
        auto *item = new QListWidgetItem(shortDate(date), m_list);
        item->setData(Qt::UserRole, date);
    }
    if (m_list->count() == 1)
        m_list->setCurrentRow(0);
}

void PendingPrizesBox::addPrizesAsked()
{
    const QListWidgetItem *item = m_list->currentItem();
    const QDate date = item ? item->data(Qt::UserRole).toDate() : QDate();
    const QList<DrawRecord> &draws = m_data.draws();
    const auto draw = std::find_if(draws.begin(), draws.end(),
                                   [date](const DrawRecord &d) { return d.date() == date; });
    if (draw == draws.end()) {
        m_data.platform().messages.show({u"Elija antes un sorteo pendiente de la lista."_s,
                                         u"Cuentas"_s, MessageIcon::Information});
        return;
    }
    auto *window = new ManualDrawDialog(m_data, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showStoredDraw(*draw);
    connect(window, &ManualDrawDialog::prizesAdded, this, &PendingPrizesBox::prizesAdded);
    window->open();
}

} // namespace zafrano::gui
