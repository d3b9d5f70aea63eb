// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabs/general_tab.h"

#include "app/program_data.h"
#include "tabs/results_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

namespace {

const QString AllSyndicates = u"TODAS LAS PEÑAS"_s;

} // namespace

GeneralTab::GeneralTab(ProgramData &data, QWidget *parent) : QWidget(parent), m_data(data)
{
    auto *resultsBox = new QGroupBox(u"Resultados de las peñas"_s, this);
    m_results = new ResultsPanel(data, resultsBox);
    auto *resultsLayout = new QVBoxLayout(resultsBox);
    resultsLayout->addWidget(buildChoices());
    resultsLayout->addWidget(m_results, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildStatusBlock());
    layout->addWidget(resultsBox, 1);

    m_blink = new QTimer(this);
    m_blink->setObjectName(u"Timer2"_s);
    m_blink->setInterval(500);
    connect(m_blink, &QTimer::timeout, this,
            [this] { m_status[6]->setVisible(!m_status[6]->isVisible()); });

    connect(&m_data, &ProgramData::calendarRefreshed, this, &GeneralTab::showCalendar);
    connect(&m_data, &ProgramData::syndicatesLoaded, this, &GeneralTab::fillSyndicateFilter);
    connect(&m_data, &ProgramData::drawsToCheckResetRequested, this,
            [this] { setDrawsToCheck(1); });
}

QWidget *GeneralTab::buildStatusBlock()
{
    auto *status = new QGroupBox(u"Estado"_s, this);
    auto *grid = new QGridLayout(status);
    for (int i = 0; i < 8; ++i) {
        auto *label = new QLabel(status);
        label->setObjectName(u"Label9_"_s + QString::number(i));
        m_status.append(label);
    }
    m_status[0]->setText(u"- Peñas registradas a comprobar:"_s);
    m_status[1]->setText(u"- Última actualización de sorteos:"_s);
    m_status[4]->setText(u"- Próximo sorteo:"_s);
    for (int i : {2, 3, 5, 7})
        m_status[i]->setStyleSheet(u"font-weight: bold;"_s);
    m_status[6]->setStyleSheet(u"color: #c00000; font-weight: bold;"_s);
    m_status[6]->hide();
    grid->addWidget(m_status[0], 0, 0);
    grid->addWidget(m_status[2], 0, 1);
    grid->addWidget(m_status[1], 1, 0);
    grid->addWidget(m_status[3], 1, 1);
    grid->addWidget(m_status[6], 1, 2);
    grid->addWidget(m_status[4], 2, 0);
    grid->addWidget(m_status[5], 2, 1);
    grid->addWidget(m_status[7], 2, 2);
    m_missingDraws = new QLabel(status);
    m_missingDraws->setObjectName(u"missingDraws"_s);
    m_missingDraws->setStyleSheet(u"color: #c00000;"_s);
    m_missingDraws->setWordWrap(true);
    m_missingDraws->hide();
    grid->addWidget(m_missingDraws, 3, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    return status;
}

QWidget *GeneralTab::buildChoices()
{
    auto *choices = new QWidget(this);
    auto *grid = new QGridLayout(choices);
    grid->setContentsMargins(0, 0, 0, 0);

    m_drawsToCheck = new QScrollBar(Qt::Horizontal, choices);
    m_drawsToCheck->setObjectName(u"HScroll1"_s);
    m_drawsToCheck->setRange(1, 1);
    // While the thumb is dragged only the text follows; the check runs once it is let go.
    m_drawsToCheck->setTracking(false);
    m_drawsToCheckText = new QLineEdit(u"1"_s, choices);
    m_drawsToCheckText->setObjectName(u"Text3"_s);
    m_drawsToCheckText->setReadOnly(true);
    m_drawsToCheckText->setMaximumWidth(70);
    m_drawsToCheckText->setAlignment(Qt::AlignRight);

    m_filter = new QComboBox(choices);
    m_filter->setObjectName(u"Combo2"_s);
    m_filter->setMinimumWidth(200);
    m_history = new QCheckBox(u"Histórico"_s, choices);
    m_history->setObjectName(u"Check1"_s);
    m_history->setToolTip(u"Resultados de una peña con sorteos anteriores a su creación"_s);
    m_prizesOnly = new QCheckBox(u"Ver sólo si hay premio"_s, choices);
    m_prizesOnly->setObjectName(u"Check2"_s);

    grid->addWidget(new QLabel(u"-Nº. de sorteos a ver:"_s, choices), 0, 0);
    grid->addWidget(m_drawsToCheck, 0, 1, 1, 3);
    grid->addWidget(m_drawsToCheckText, 0, 4);
    grid->addWidget(new QLabel(u"-Peña:"_s, choices), 1, 0);
    grid->addWidget(m_filter, 1, 1);
    grid->addWidget(m_history, 1, 2);
    grid->addWidget(m_prizesOnly, 1, 3);
    grid->setColumnStretch(1, 1);

    // The text follows the thumb while it is dragged; the check runs on each change.
    connect(m_drawsToCheck, &QScrollBar::sliderMoved, this,
            [this](int value) { m_drawsToCheckText->setText(QString::number(value)); });
    connect(m_drawsToCheck, &QScrollBar::valueChanged, this, [this](int value) {
        m_drawsToCheckText->setText(QString::number(value));
        m_data.checkOptions().drawCount = value;
        emit drawsToCheckChanged(value);
    });
    connect(m_history, &QCheckBox::toggled, this, &GeneralTab::historyClicked);
    connect(m_prizesOnly, &QCheckBox::toggled, this, &GeneralTab::prizesOnlyClicked);
    connect(m_filter, &QComboBox::activated, this, &GeneralTab::filterChosen);
    return choices;
}

int GeneralTab::drawsToCheck() const
{
    return m_drawsToCheck->value();
}

void GeneralTab::setDrawsToCheck(int count)
{
    m_drawsToCheck->setValue(count);
}

void GeneralTab::setHistory(bool on)
{
    m_history->setChecked(on);
}

void GeneralTab::setPrizesOnly(bool on)
{
    m_prizesOnly->setChecked(on);
}

void GeneralTab::clearSyndicateFilter()
{
    m_data.checkOptions().syndicateName.clear();
    if (m_filter->count() > 0)
        m_filter->setCurrentIndex(0);
}

void GeneralTab::historyClicked()
{
    m_data.checkOptions().history = m_history->isChecked();
    m_results->setNewDrawsNotice({});
    m_data.runCheckingCycle();
}

void GeneralTab::prizesOnlyClicked()
{
    m_data.checkOptions().prizesOnly = m_prizesOnly->isChecked();
    m_data.runCheckingCycle();
}

void GeneralTab::filterChosen(int index)
{
    m_data.checkOptions().syndicateName =
        index > 0 ? m_filter->itemData(index).toString() : QString();
    m_data.check();
    // One syndicate chosen: its kind's list comes to the front, once, and only
    // when it is hidden; later checks leave the player's choice of list alone.
    if (index <= 0 || index > m_data.syndicates().size())
        return;
    const int list = MultipleCode::isMultiple(m_data.syndicates()[index - 1].betCount) ? 1 : 0;
    if (m_results->shownList() != list)
        m_results->showResultsList(list);
}

void GeneralTab::fillSyndicateFilter()
{
    const QString chosen = m_data.checkOptions().syndicateName;
    m_filter->clear();
    if (m_data.syndicates().isEmpty()) {
        m_filter->addItem(u"No hay Peñas creadas"_s);
        m_data.checkOptions().syndicateName.clear();
        return;
    }
    m_filter->addItem(AllSyndicates);
    for (const SyndicateRecord &syndicate : m_data.syndicates())
        m_filter->addItem(syndicate.nameText(), syndicate.nameText());
    // A rebuilt list keeps the syndicate chosen while it still exists.
    const int kept = chosen.isEmpty() ? 0 : std::max(0, m_filter->findData(chosen));
    m_filter->setCurrentIndex(kept);
    if (kept == 0)
        m_data.checkOptions().syndicateName.clear();
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
    m_data.checkOptions().drawCount = m_drawsToCheck->value();

    m_status[5]->setText(calendar.nextDrawText);
    m_status[7]->setText(calendar.daysToGoText);
    // A long list is cut on the tab; the tooltip holds all of it.
    constexpr qsizetype Shown = 160;
    const QString &missing = calendar.missingDrawsText;
    m_missingDraws->setText(missing.size() > Shown ? missing.left(Shown) + u"…"_s : missing);
    m_missingDraws->setToolTip(missing);
    m_missingDraws->setVisible(!missing.isEmpty());
    if (calendar.reminder) {
        m_status[6]->setText(*calendar.reminder);
        m_status[6]->show();
        m_blink->start();
    } else {
        m_blink->stop();
        m_status[6]->hide();
    }
}

} // namespace zafrano::gui
