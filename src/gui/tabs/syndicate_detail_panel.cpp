// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabs/syndicate_detail_panel.h"

#include "app/report_commands.h"
#include "ui/named_widgets.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFont>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

namespace {

// A scale of counts: ticks on whole numbers only (steps of 1, 2, 5, 10, 20,
// 50…), at most six of them, the top at or above the largest value.
void setCountScale(QValueAxis *axis, double largest)
{
    double step = 1;
    for (int i = 0; largest > step * 5; ++i)
        step *= (i % 3 == 1) ? 2.5 : 2;
    const double top = std::max(1.0, std::ceil(largest / step)) * step;
    axis->setRange(0, top);
    axis->setTickCount(int(top / step) + 1);
}

// The detail's figures stand out in the program's blue.
QLabel *detailValue(const QString &text, const QString &name, QWidget *parent)
{
    return valueLabel(text, name, parent, u"#0b5394"_s);
}

} // namespace

SyndicateDetailPanel::SyndicateDetailPanel(ReportCommands &commands, QWidget *parent)
    : QWidget(parent), m_commands(commands)
{
    auto *box = new QGroupBox(u"Detalle de la peña"_s, this);
    m_kind = detailValue(u"Sin datos"_s, u"Label28"_s, box);
    m_baseNumbers = new QLabel(u"Sin datos"_s, box);
    m_baseNumbers->setObjectName(u"Label29"_s);
    m_baseNumbers->setWordWrap(true);

    m_bets = new QListWidget(box);
    m_bets->setObjectName(u"ListView5"_s);
    m_bets->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_bets->setSelectionMode(QAbstractItemView::NoSelection);
    m_bets->setFocusPolicy(Qt::NoFocus);
    m_bets->setUniformItemSizes(true);

    auto *figures = new QGridLayout;
    const std::array<const char16_t *, 5> captions = {u"-Aciertos de 3: ", u"-Aciertos de 4: ",
                                                      u"-Aciertos de 5: ", u"-Aciertos de 5+C: ",
                                                      u"-Aciertos de 6: "};
    for (int i = 0; i < 5; ++i) {
        figures->addWidget(new QLabel(QString::fromUtf16(captions[i]), box), i, 0);
        m_prizes[i] = detailValue(u"0"_s, u"Label3_"_s + QString::number(i), box);
        figures->addWidget(m_prizes[i], i, 1);
    }
    m_drawsPlayed = detailValue(u"-"_s, u"Label17"_s, box);
    m_hitShare = detailValue(u"0 %"_s, u"Label16"_s, box);
    m_spend = detailValue(u"0 euros."_s, u"Label37"_s, box);
    figures->addWidget(new QLabel(u"-Sorteos jugados: "_s, box), 5, 0);
    figures->addWidget(m_drawsPlayed, 5, 1);
    figures->addWidget(new QLabel(u"-Porcentaje de aciertos: "_s, box), 6, 0);
    figures->addWidget(m_hitShare, 6, 1);
    figures->addWidget(new QLabel(u"- Gasto semanal:"_s, box), 7, 0);
    figures->addWidget(m_spend, 7, 1);
    figures->setColumnStretch(2, 1);
    figures->setVerticalSpacing(2);

    m_missedBar = new QBarSet(u"Sin premio"_s);
    m_missedBar->setColor(QColor(0xc8, 0xd0, 0xdc));
    m_wonBar = new QBarSet(u"Premios"_s);
    m_wonBar->setColor(QColor(0xf4, 0xa3, 0x00));
    *m_missedBar << 0;
    *m_wonBar << 0;
    auto *series = new QBarSeries;
    series->append(m_missedBar);
    series->append(m_wonBar);
    auto *chart = new QChart;
    chart->addSeries(series);
    chart->setTitle(u"Aciertos desde la creación de la peña."_s);
    QFont titleFont = chart->titleFont();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 0.9);
    chart->setTitleFont(titleFont);
    auto *categories = new QBarCategoryAxis;
    categories->append(u" "_s);
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    m_values = new QValueAxis;
    m_values->setLabelFormat(u"%d"_s);
    setCountScale(m_values, 0);
    chart->addAxis(m_values, Qt::AlignLeft);
    series->attachAxis(m_values);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setBackgroundVisible(false);
    chart->setMargins({0, 0, 0, 0});
    auto *chartView = new QChartView(chart, box);
    chartView->setObjectName(u"MSChart3"_s);
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->setMinimumSize(250, 200);

    auto *reportFrame = new QGroupBox(u"Informe"_s, box);
    reportFrame->setObjectName(u"Frame12"_s);
    m_report = new QToolButton(reportFrame);
    m_report->setObjectName(u"Image2_0"_s);
    m_report->setIcon(QIcon(u":/zafrano/report.svg"_s));
    m_report->setIconSize({32, 32});
    m_report->setText(u"Ver e imprimir el informe de la peña"_s);
    m_report->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_report->setAutoRaise(true);
    auto *reportLayout = new QHBoxLayout(reportFrame);
    reportLayout->setContentsMargins(6, 2, 6, 2);
    reportLayout->addWidget(m_report);
    reportLayout->addStretch(1);

    auto *figuresColumn = new QVBoxLayout;
    figuresColumn->addLayout(figures);
    figuresColumn->addStretch(1);
    auto *lower = new QHBoxLayout;
    lower->addLayout(figuresColumn, 2);
    lower->addWidget(chartView, 3);
    auto *boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(m_kind);
    boxLayout->addWidget(m_baseNumbers);
    boxLayout->addWidget(m_bets, 1);
    boxLayout->addLayout(lower);
    boxLayout->addWidget(reportFrame);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box);

    connect(m_report, &QToolButton::clicked, this,
            [this] { m_commands.openReport(ReportKind::Syndicate); });
}

void SyndicateDetailPanel::showSyndicate(int record)
{
    const std::optional<SyndicateDetail> detail = m_commands.syndicateDetail(record);
    if (!detail)
        return;
    // Only the detail of no syndicate at all has no kind of bet.
    if (detail->kindText.isEmpty()) {
        showEmpty();
        return;
    }
    m_bets->clear();
    m_bets->addItems(detail->bets);
    sizeBetsList(static_cast<int>(detail->bets.size()));
    for (int i = 0; i < 5; ++i)
        m_prizes[i]->setText(QString::number(detail->prizes[i]));
    m_drawsPlayed->setText(detail->drawsPlayedText);
    m_hitShare->setText(detail->hitShareText);
    m_missedBar->replace(0, detail->chartMissed);
    m_wonBar->replace(0, detail->prizesWon);
    setCountScale(m_values, std::max<double>(detail->chartMissed, detail->prizesWon));
    m_kind->setText(detail->kindText);
    m_baseNumbers->setText(detail->baseNumbersText);
    m_baseNumbers->setVisible(!detail->baseNumbersText.isEmpty());
    m_spend->setText(weeklySpendText(detail->weeklySpend));
}

void SyndicateDetailPanel::showEmpty()
{
    m_bets->clear();
    sizeBetsList(0);
    for (QLabel *prize : m_prizes)
        prize->setText(u"0"_s);
    m_drawsPlayed->setText(u"-"_s);
    m_hitShare->setText(u"-"_s);
    m_missedBar->replace(0, 0);
    m_wonBar->replace(0, 0);
    setCountScale(m_values, 0);
    m_kind->setText(u"Sin datos"_s);
    m_baseNumbers->setText(u"Sin datos"_s);
    m_baseNumbers->setVisible(true);
    m_spend->setText(u"0 euros."_s);
}

void SyndicateDetailPanel::sizeBetsList(int rows)
{
    // Short lists stay short; longer ones scroll, so the figures below stay
    // on screen at the window's size.
    const int rowHeight = m_bets->fontMetrics().height() + 2;
    const int shown = std::clamp(rows, 3, 12);
    m_bets->setFixedHeight(shown * rowHeight + 2 * m_bets->frameWidth() + 4);
}

} // namespace zafrano::gui
