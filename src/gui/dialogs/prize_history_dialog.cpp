// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/prize_history_dialog.h"

#include "calendar/weekday.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

PrizeHistoryDialog::PrizeHistoryDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"BajarPremios"_s);
    setWindowTitle(u"Bajar premios de sorteos anteriores"_s);

    m_month = new QLabel(u"Conectando con el servidor de resultados..."_s, this);
    m_month->setObjectName(u"lblMesPremios"_s);
    m_month->setMinimumWidth(360);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(u"barPremios"_s);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    auto *cancel = new QPushButton(u"Cancelar"_s, this);
    cancel->setObjectName(u"cmdCancelarPremios"_s);
    connect(cancel, &QPushButton::clicked, this, &PrizeHistoryDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_month);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);
}

void PrizeHistoryDialog::showMonth(QDate month, int index, int count)
{
    m_month->setText(u"Leyendo los premios de %1 (%2 de %3)..."_s.arg(monthOfYearText(month))
                         .arg(index + 1)
                         .arg(count));
    m_progress->setRange(0, count);
    m_progress->setValue(index);
}

void PrizeHistoryDialog::showMonthsDone(int done)
{
    m_progress->setValue(done);
}

void PrizeHistoryDialog::reject()
{
    emit cancelled();
    QDialog::reject();
}

} // namespace zafrano::gui
