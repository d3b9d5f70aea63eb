// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabs/general_tab.h"

#include "main/program_data.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

GeneralTab::GeneralTab(ProgramData &data, QWidget *parent) : QWidget(parent), m_data(data)
{
    auto *status = new QGroupBox(u"Estado"_s, this);
    auto *grid = new QGridLayout(status);
    for (int i = 0; i < 8; ++i)
        m_status.append(statusLabel(i));
    m_status[0]->setText(u"- Peñas registradas a comprobar:"_s);
    m_status[1]->setText(u"- Última actualización de sorteos:"_s);
    m_status[4]->setText(u"- Próximo sorteo:"_s);
    for (int i : {2, 3, 5, 7})
        m_status[i]->setStyleSheet(u"font-weight: bold;"_s);
    m_status[6]->setStyleSheet(u"color: #c00000; font-weight: bold;"_s);
    grid->addWidget(m_status[0], 0, 0);
    grid->addWidget(m_status[2], 0, 1);
    grid->addWidget(m_status[1], 1, 0);
    grid->addWidget(m_status[3], 1, 1);
    grid->addWidget(m_status[6], 1, 2);
    grid->addWidget(m_status[4], 2, 0);
    grid->addWidget(m_status[5], 2, 1);
    grid->addWidget(m_status[7], 2, 2);
    grid->setColumnStretch(1, 1);

    auto *checking = new QGroupBox(u"Sorteos a comprobar"_s, this);
    auto *row = new QHBoxLayout(checking);
    m_drawsToCheck = new QScrollBar(Qt::Horizontal, checking);
    m_drawsToCheck->setObjectName(u"HScroll1"_s);
    m_drawsToCheck->setRange(1, 1);
    m_drawsToCheckText = new QLineEdit(u"1"_s, checking);
    m_drawsToCheckText->setObjectName(u"Text3"_s);
    m_drawsToCheckText->setReadOnly(true);
    m_drawsToCheckText->setMaximumWidth(70);
    m_drawsToCheckText->setAlignment(Qt::AlignRight);
    m_history = new QCheckBox(u"Histórico"_s, checking);
    m_history->setObjectName(u"Check1"_s);
    m_history->setToolTip(u"Resultados de una peña con sorteos anteriores a su creación"_s);
    m_prizesOnly = new QCheckBox(u"Ver sólo si hay premio"_s, checking);
    m_prizesOnly->setObjectName(u"Check2"_s);
    row->addWidget(m_drawsToCheck, 1);
    row->addWidget(m_drawsToCheckText);
    row->addSpacing(16);
    row->addWidget(m_history);
    row->addWidget(m_prizesOnly);

    auto *results = new QGroupBox(u"Resultados de las peñas"_s, this);
    auto *resultsLayout = new QVBoxLayout(results);
    auto *empty = new QLabel(u"Aún no se ha comprobado ninguna peña."_s, results);
    empty->setAlignment(Qt::AlignCenter);
    empty->setStyleSheet(u"color: gray;"_s);
    resultsLayout->addWidget(empty);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(status);
    layout->addWidget(checking);
    layout->addWidget(results, 1);

    m_blink = new QTimer(this);
    m_blink->setObjectName(u"Timer2"_s);
    m_blink->setInterval(500);
    connect(m_blink, &QTimer::timeout, this,
            [this] { m_status[6]->setVisible(!m_status[6]->isVisible()); });

    // The text follows the thumb while it is dragged; the check runs on each change.
    connect(m_drawsToCheck, &QScrollBar::sliderMoved, this,
            [this](int value) { m_drawsToCheckText->setText(QString::number(value)); });
    connect(m_drawsToCheck, &QScrollBar::valueChanged, this, [this](int value) {
        m_drawsToCheckText->setText(QString::number(value));
        emit drawsToCheckChanged(value);
    });
    connect(&m_data, &ProgramData::calendarRefreshed, this, &GeneralTab::showCalendar);
}

QLabel *GeneralTab::statusLabel(int index, const QString &text)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(u"Label9_"_s + QString::number(index));
    return label;
}

int GeneralTab::drawsToCheck() const
{
    return m_drawsToCheck->value();
}

void GeneralTab::setDrawsToCheck(int count)
{
    m_drawsToCheck->setValue(count);
}

bool GeneralTab::reminderBlinking() const
{
    return m_blink->isActive();
}

void GeneralTab::showCalendar()
{
    const CalendarStatus &calendar = m_data.calendar();
    m_status[2]->setText(QString::number(m_data.syndicates().size()));
    m_status[3]->setText(calendar.lastDrawText);
    m_history->setEnabled(calendar.hasDraws());
    m_prizesOnly->setEnabled(calendar.hasDraws());

    // The maximum follows the draws; the value is kept unless it no longer fits.
    const QSignalBlocker quiet(m_drawsToCheck);
    m_drawsToCheck->setEnabled(calendar.drawCount > 0);
    m_drawsToCheck->setMaximum(std::max(1, calendar.drawCount));
    m_drawsToCheckText->setText(QString::number(m_drawsToCheck->value()));

    m_status[5]->setText(calendar.nextDrawText);
    m_status[7]->setText(calendar.daysToGoText);
    if (calendar.reminder) {
        m_status[6]->setText(*calendar.reminder);
        m_blink->start();
    } else {
        m_blink->stop();
        m_status[6]->hide();
    }
}

} // namespace zafrano::gui
