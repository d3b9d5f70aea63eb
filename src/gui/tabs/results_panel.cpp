// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabs/results_panel.h"

#include "app/program_data.h"
#include "models/results_list_model.h"
#include "tabs/check_progress_bar.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

namespace {

const QString &viewCaption(int index)
{
    static const QString captions[2] = {u"S E N C I L L A"_s, u"M Ú L T I P L E"_s};
    return captions[index];
}

QTreeView *makeResultsView(ResultsListModel *model, const QString &name, QWidget *parent)
{
    auto *view = new QTreeView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true); // keeps even the whole history smooth to scroll
    view->setItemsExpandable(false);
    view->setAllColumnsShowFocus(true);
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QFont arial(u"Arial"_s);
    arial.setStyleHint(QFont::SansSerif);
    view->setFont(arial);
    QHeaderView *header = view->header();
    header->setStretchLastSection(true);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setDefaultSectionSize(34);
    header->resizeSection(0, 12);
    header->setDefaultAlignment(Qt::AlignCenter);
    return view;
}

} // namespace

ResultsPanel::ResultsPanel(ProgramData &data, QWidget *parent) : QWidget(parent), m_data(data)
{
    m_stack = new QStackedWidget(this);
    const QString names[2] = {u"ListView2"_s, u"ListView4"_s};
    auto *buttons = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        m_models[i] =
            new ResultsListModel(i == 0 ? ResultListKind::Simple : ResultListKind::Multiple, this);
        m_views[i] = makeResultsView(m_models[i], names[i], m_stack);
        m_stack->addWidget(m_views[i]);
        m_viewButtons[i] = new QPushButton(viewCaption(i), this);
        m_viewButtons[i]->setObjectName(u"Command1_"_s + QString::number(i));
        m_viewButtons[i]->setMinimumWidth(150);
        m_viewButtons[i]->setCheckable(true);
        buttons->addWidget(m_viewButtons[i]);
        connect(m_viewButtons[i], &QPushButton::clicked, this, [this, i] { showResultsList(i); });
    }
    m_viewButtons[0]->setChecked(true);

    auto *print = new QPushButton(QIcon(u":/zafrano/print-slips.svg"_s), u"Imprimir"_s, this);
    print->setObjectName(u"Image5"_s);
    print->setToolTip(u"Imprime los resultados de la lista"_s);
    connect(print, &QPushButton::clicked, this, &ResultsPanel::printRequested);
    auto *news = new QPushButton(u"Ver mensaje"_s, this);
    news->setObjectName(u"Command6"_s);
    news->setToolTip(u"Lee el último mensaje del programa"_s);
    connect(news, &QPushButton::clicked, this, &ResultsPanel::newsRequested);
    m_notice = new QLabel(this);
    m_notice->setObjectName(u"Label59"_s);
    m_notice->setStyleSheet(u"color: #0b5394; font-weight: bold;"_s);
    buttons->addSpacing(12);
    buttons->addWidget(m_notice, 1);
    buttons->addWidget(news);
    buttons->addWidget(print);

    // As wide as the lists, which take turns in one place.
    m_progress = new CheckProgressBar(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttons);
    layout->addWidget(m_progress);
    layout->addWidget(m_stack, 1);

    m_indicator = new QTimer(this);
    m_indicator->setObjectName(u"Timer3"_s);
    m_indicator->setInterval(800);
    connect(m_indicator, &QTimer::timeout, this, &ResultsPanel::blink);
    connect(&m_data, &ProgramData::checkProgressed, m_progress, &CheckProgressBar::showChecked);
    connect(&m_data, &ProgramData::resultsChecked, this, &ResultsPanel::showResults);
}

void ResultsPanel::showResults()
{
    m_progress->finish();
    const CheckResults &results = m_data.checkResults();
    m_models[0]->setList(results.simple);
    m_models[1]->setList(results.multiple);
    startIndicator(results.simplePrize, results.multiplePrize);
}

void ResultsPanel::showResultsList(int index)
{
    stopPrizeIndicator();
    m_stack->setCurrentIndex(index);
    for (int i = 0; i < 2; ++i)
        m_viewButtons[i]->setChecked(i == index);
}

void ResultsPanel::clearList(int index)
{
    m_models[index]->setList({});
}

int ResultsPanel::shownList() const
{
    return m_stack->currentIndex();
}

void ResultsPanel::resetPrizeIndicator()
{
    stopPrizeIndicator();
    m_indicatorState = 0;
}

void ResultsPanel::setNewDrawsNotice(const QString &text)
{
    m_notice->setText(text);
}

void ResultsPanel::startIndicator(bool simplePrize, bool multiplePrize)
{
    // Only a prize in newly downloaded draws calls for attention.
    if (m_notice->text().isEmpty() || (!simplePrize && !multiplePrize))
        return;
    if (simplePrize && !m_indicator->isActive())
        m_indicatorState = 1;
    if (multiplePrize)
        m_indicatorState = (m_indicatorState == 1 || m_indicatorState == 3) ? 3 : 2;
    m_indicator->start();
}

bool ResultsPanel::prizeIndicatorRunning() const
{
    return m_indicator->isActive();
}

void ResultsPanel::restoreButton(int index)
{
    m_viewButtons[index]->setText(viewCaption(index));
    m_viewButtons[index]->setStyleSheet({});
}

void ResultsPanel::stopPrizeIndicator()
{
    if (!m_indicator->isActive())
        return;
    m_indicator->stop();
    m_notice->clear();
    restoreButton(0);
    restoreButton(1);
}

void ResultsPanel::blink()
{
    const QString prize = u"P R E M I O"_s;
    const auto setRed = [&](int index, bool red) {
        if (!red) {
            restoreButton(index);
            return;
        }
        m_viewButtons[index]->setText(prize);
        m_viewButtons[index]->setStyleSheet(u"background: #ff0000; color: white;"_s);
    };
    if (m_indicatorState == 3) {
        // Both buttons blink together.
        const bool red = m_viewButtons[0]->text() != prize;
        setRed(0, red);
        setRed(1, red);
    } else if (m_indicatorState == 1 || m_indicatorState == 2) {
        const int index = m_indicatorState - 1;
        setRed(index, m_viewButtons[index]->text() != prize);
    }
}

} // namespace zafrano::gui
