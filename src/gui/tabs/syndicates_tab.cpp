// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabs/syndicates_tab.h"

#include "app/program_data.h"
#include "app/syndicate_commands.h"
#include "checking/syndicate_summary.h"
#include "models/syndicates_list_model.h"
#include "tabs/backtest_panel.h"
#include "tabs/ledger_panel.h"
#include "tabs/syndicate_detail_panel.h"

#include <QChart>
#include <QChartView>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPieSeries>
#include <QPieSlice>
#include <QPushButton>
#include <QSet>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

SyndicatesTab::SyndicatesTab(ProgramData &data, SyndicateCommands &commands,
                             ReportCommands &reports, QWidget *parent)
    : QWidget(parent), m_data(data), m_commands(commands)
{
    auto *box = new QGroupBox(u"Peñas registradas"_s, this);
    m_model = new SyndicatesListModel(this);
    m_view = new QTableView(box);
    m_view->setObjectName(u"ListView1"_s);
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_view->setShowGrid(false);
    m_view->setAlternatingRowColors(true);

    const QList<std::pair<QString, QString>> buttons = {{u"Command3"_s, u"Eliminar peña"_s},
                                                        {u"Command7"_s, u"Editar Peña"_s},
                                                        {u"Command2"_s, u"Imprimir boletos"_s}};
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    for (const auto &[name, text] : buttons) {
        auto *button = new QPushButton(text, box);
        button->setObjectName(name);
        buttonRow->addWidget(button);
        m_buttons.append(button);
    }
    connect(m_buttons[0], &QPushButton::clicked, &commands, &SyndicateCommands::deleteSelected);
    connect(m_buttons[1], &QPushButton::clicked, &commands, &SyndicateCommands::editSelected);
    connect(m_buttons[2], &QPushButton::clicked, &commands, &SyndicateCommands::printSelected);

    auto *boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(m_view, 1);
    boxLayout->addLayout(buttonRow);
    auto *left = new QVBoxLayout;
    left->addWidget(box, 1);
    left->addWidget(buildSummary());
    auto *pages = new QTabWidget(this);
    pages->setObjectName(u"SyndicatePages"_s);
    m_detail = new SyndicateDetailPanel(reports, pages);
    m_ledger = new LedgerPanel(data, pages);
    m_ledger->setObjectName(u"Cuentas"_s);
    pages->addTab(m_detail, u"Detalle"_s);
    pages->addTab(m_ledger, u"Cuentas"_s);
    m_backtest = new BacktestPanel(data, pages);
    m_backtest->setObjectName(u"Backtest"_s);
    pages->addTab(m_backtest, u"¿Cuánto habría ganado?"_s);
    m_pages = pages;
    // A fixed width keeps the list from moving as syndicates of other kinds are picked.
    pages->setFixedWidth(520);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(pages);

    // The keyboard and a click both select a row. The selection, not the
    // current row, which the view may set by itself when it takes the focus.
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList rows = m_view->selectionModel()->selectedRows();
        if (!rows.isEmpty())
            pick(rows.first().row());
    });
    connect(m_view, &QTableView::clicked, this, [this](const QModelIndex &index) {
        if (index.row() + 1 != m_commands.selectedSyndicate())
            pick(index.row());
    });
    connect(&m_data, &ProgramData::syndicatesLoaded, this, &SyndicatesTab::showSyndicates);
}

void SyndicatesTab::showSyndicates()
{
    m_model->setSyndicates(m_data.syndicates());
    fitColumnsToTexts();
    const bool any = !m_model->isEmpty();
    for (QPushButton *button : m_buttons)
        button->setEnabled(any);
    // The selected record stays selected through every rebuild (a check that
    // changed its tallies, an edit); only a record that is gone loses it.
    // Without one the detail shows the first syndicate (or none).
    int kept = m_commands.selectedSyndicate();
    if (kept > m_data.syndicates().size() || !any)
        kept = 0;
    m_commands.select(kept);
    m_restoring = true;
    if (kept > 0)
        m_view->selectRow(kept - 1);
    m_restoring = false;
    m_detail->showSyndicate(kept > 0 ? kept : 1);
    m_ledger->showSyndicate(kept > 0 ? kept : 1);
    m_backtest->showSyndicate(kept > 0 ? kept : 1);
    showSummary();
}

void SyndicatesTab::fitColumnsToTexts()
{
    // The name stretches; the other columns take their widest text, measured
    // once per distinct text: fitting them to their contents would lay out
    // every cell of every row, on each check that changes a tally.
    const QFontMetrics metrics(m_view->font());
    const int margin =
        m_view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_view) + 1;
    const auto *delegate = qobject_cast<const QStyledItemDelegate *>(m_view->itemDelegate());
    for (int column = 1; column < m_model->columnCount(); ++column) {
        QSet<QString> texts;
        for (int row = 0; row < m_model->rowCount(); ++row) {
            const QVariant value = m_model->index(row, column).data();
            texts.insert(delegate ? delegate->displayText(value, m_view->locale())
                                  : value.toString());
        }
        int width = m_view->horizontalHeader()->sectionSizeHint(column);
        for (const QString &text : std::as_const(texts))
            width = std::max(width, metrics.horizontalAdvance(text) + 2 * margin + 1);
        m_view->setColumnWidth(column, width);
    }
}

void SyndicatesTab::pick(int row)
{
    if (m_restoring || row < 0 || m_model->isEmpty())
        return;
    m_detail->showSyndicate(row + 1);
    m_ledger->showSyndicate(row + 1);
    m_backtest->showSyndicate(row + 1);
    m_commands.select(row + 1);
}

void SyndicatesTab::showBacktest(const EditorRequest &request)
{
    m_pages->setCurrentWidget(m_backtest);
    m_backtest->playNumbers(request);
}

QWidget *SyndicatesTab::buildSummary()
{
    auto *box = new QGroupBox(u"Resultado de todas las peñas"_s, this);
    m_total = new QLabel(u"0"_s, box);
    m_total->setObjectName(u"Label13"_s);
    m_total->setStyleSheet(u"font-size: 18pt; font-weight: bold; color: #0b5394;"_s);
    m_effectiveness = new QLineEdit(box);
    m_effectiveness->setObjectName(u"Text4"_s);
    m_drawsPlayed = new QLineEdit(box);
    m_drawsPlayed->setObjectName(u"Text5"_s);
    for (QLineEdit *text : {m_effectiveness, m_drawsPlayed}) {
        text->setReadOnly(true);
        text->setFrame(false);
        text->setStyleSheet(u"background: transparent;"_s);
    }

    m_chart = new QPieSeries(box);
    m_chart->setHoleSize(0.45);
    auto *chart = new QChart;
    chart->addSeries(m_chart);
    chart->legend()->hide();
    chart->setBackgroundVisible(false);
    chart->setMargins({0, 0, 0, 0});
    auto *chartView = new QChartView(chart, box);
    chartView->setObjectName(u"MSChart2"_s);
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->setFixedSize(130, 110);

    auto *texts = new QVBoxLayout;
    texts->addWidget(new QLabel(u"Apuestas premiadas en total:"_s, box));
    texts->addWidget(m_total);
    texts->addWidget(m_effectiveness);
    texts->addWidget(m_drawsPlayed);
    auto *layout = new QHBoxLayout(box);
    layout->addLayout(texts, 1);
    layout->addWidget(chartView);
    return box;
}

void SyndicatesTab::showSummary()
{
    const SyndicateSummary summary =
        summarizeSyndicates(m_data.syndicates(), m_data.calendar().drawsPlayed);
    m_total->setText(QString::number(summary.winningBets));
    m_chart->clear();
    if (m_data.syndicates().isEmpty()) {
        m_effectiveness->setText(u"¡Nunca has acertado nada!"_s);
        m_drawsPlayed->clear();
        m_chart->append(u" "_s, 1)->setColor(QColor(0xc8, 0xd0, 0xdc));
        return;
    }
    m_effectiveness->setText(summary.effectivenessText());
    m_drawsPlayed->setText(summary.drawsPlayedText());
    m_chart->append(u"Sin premio"_s, summary.chartMissed)->setColor(QColor(0xc8, 0xd0, 0xdc));
    m_chart->append(u"Premiadas"_s, summary.chartWon)->setColor(QColor(0xf4, 0xa3, 0x00));
}

} // namespace zafrano::gui
