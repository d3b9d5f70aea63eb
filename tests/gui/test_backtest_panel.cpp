// SPDX-License-Identifier: GPL-3.0-or-later
// "¿Cuánto habría ganado?" through the window: three variants filled side by
// side and printed, and the assistant's numbers brought to the page.
#include "app/program_data.h"
#include "gui_test_support.h"
#include "printing/print_document.h"
#include "store/prize_store.h"
#include "store/program_database.h"
#include "tabs/backtest_panel.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>
#include <memory>

using namespace Qt::StringLiterals;
using namespace zafrano;
using test::ProgramFolder;
using test::ProgramRun;

namespace {

constexpr int SyndicatesTab = 2;
constexpr int CreateTab = 4;
const QDate Today(2026, 12, 7);

QString cell(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

class BacktestPanelTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void threeVariantsSideBySideArePrinted();
    void theAssistantsNumbersArePlayed();

private:
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<ProgramRun> m_run;
};

void BacktestPanelTest::init()
{
    m_folder = std::make_unique<ProgramFolder>();
    QVERIFY(m_folder->isValid());
    const QList<DrawRecord> draws = test::drawsUntil(Today.addDays(-2), 120);
    QVERIFY(m_folder->writeDraws(draws));
    QVERIFY(m_folder->writeSyndicates(
        {test::makeSyndicate(u"Bar Paco"_s, u"Todos"_s, draws.first().date(), 3)}));
    m_run = std::make_unique<ProgramRun>(*m_folder, Today);
    QVERIFY(m_run->window.startUp());
    Result<ProgramDatabase> db = ProgramDatabase::openIn(m_run->window.data().folder());
    QVERIFY(db);
    QList<DrawPrizes> prizes;
    for (const DrawRecord &draw : draws)
        prizes.append({draw.date(), {90'000'000, 6'000'000, 120'000, 2'500, 400, 50}});
    QVERIFY(storePrizes(*db, prizes));
}

void BacktestPanelTest::cleanup()
{
    m_run.reset();
    m_folder.reset();
}

void BacktestPanelTest::threeVariantsSideBySideArePrinted()
{
    QVERIFY(m_run->showTab(SyndicatesTab));
    FIND_CHILD(QTabWidget, pages, m_run->window, u"SyndicatePages"_s);
    FIND_CHILD(gui::BacktestPanel, panel, m_run->window, u"Backtest"_s);
    pages->setCurrentWidget(panel);
    QTRY_VERIFY(panel->isVisible());
    // The first plays the peña picked; the two others are filled in.
    FIND_CHILD(QComboBox, second, *panel, u"BacktestKind2"_s);
    FIND_CHILD(QComboBox, third, *panel, u"BacktestKind3"_s);
    second->setCurrentText(u"Múltiple"_s);
    FIND_CHILD(QComboBox, k, *panel, u"BacktestDetail2"_s);
    k->setCurrentText(u"8 números"_s);
    QTest::keyClicks(panel->findChild<QLineEdit *>(u"BacktestNumbers2"_s), u"1 2 3 4 5 6 7 8"_s);
    third->setCurrentText(u"Apuestas"_s);
    QTest::keyClicks(panel->findChild<QLineEdit *>(u"BacktestNumbers3"_s),
                     u"1 2 3 4 5 6; 10 11 12 13 14 15"_s);

    FIND_CHILD(QTableWidget, figures, *panel, u"BacktestFigures"_s);
    QCOMPARE(figures->columnCount(), 3);
    QCOMPARE(figures->horizontalHeaderItem(0)->text(), u"Peña Bar Paco"_s);
    QCOMPARE(figures->horizontalHeaderItem(1)->text(), u"Múltiple de 8"_s);
    QCOMPARE(figures->horizontalHeaderItem(2)->text(), u"2 apuestas"_s);
    QCOMPARE(figures->verticalHeaderItem(1)->text(), u"Apuestas por sorteo"_s);
    for (int column = 0; column < 3; ++column)
        QCOMPARE(cell(figures, 0, column), u"120"_s);
    QCOMPARE(cell(figures, 1, 0), u"3"_s);
    QCOMPARE(cell(figures, 1, 1), u"28"_s);
    QCOMPARE(cell(figures, 2, 1), u"1.680,00 €"_s); // 120 draws × 28 bets × 0,50 €
    FIND_CHILD(QChartView, chart, *panel, u"BacktestChart"_s);
    const QList<QAbstractSeries *> lines = chart->chart()->series();
    QCOMPARE(lines.size(), 3);
    for (QAbstractSeries *line : lines)
        QVERIFY(line->isVisible() && static_cast<QLineSeries *>(line)->count() > 0);

    // A change is worked out at once: one bet less, a cheaper third column.
    QLineEdit *bets = panel->findChild<QLineEdit *>(u"BacktestNumbers3"_s);
    bets->setText(u"1 2 3 4 5 6"_s);
    QCOMPARE(figures->horizontalHeaderItem(2)->text(), u"1 apuesta"_s);
    QCOMPARE(cell(figures, 2, 2), u"60,00 €"_s);

    QTest::mouseClick(panel->findChild<QPushButton *>(u"BacktestPrint"_s), Qt::LeftButton);
    QCOMPARE(m_run->fake.desktop.previewed.size(), 1);
    const PrintDocument &sheet = m_run->fake.desktop.previewed.first();
    QStringList texts;
    int polylines = 0;
    for (const PrintItem &item : sheet.items()) {
        QVERIFY(item.kind != PrintItem::Kind::NewPage); // one page
        QVERIFY(item.yMm <= PrintDocument::PageBottomMm);
        texts.append(item.text);
        polylines += item.kind == PrintItem::Kind::Polyline;
    }
    for (const QString &text : {u"Peña Bar Paco"_s, u"Múltiple de 8"_s, u"1.680,00 €"_s})
        QVERIFY2(texts.contains(text), qPrintable(text));
    QVERIFY(polylines >= 3 + 3); // a legend and a line for each
}

void BacktestPanelTest::theAssistantsNumbersArePlayed()
{
    QVERIFY(m_run->showTab(CreateTab));
    QTest::mouseClick(m_run->window.findChild<QPushButton *>(u"Command9"_s), Qt::LeftButton);
    m_run->window.findChild<QSlider *>(u"Slider2"_s)->setValue(7);
    FIND_CHILD(QPushButton, backtest, m_run->window, u"BetKindBacktest"_s);
    QVERIFY(backtest->isEnabled());
    QTest::mouseClick(backtest, Qt::LeftButton);

    FIND_CHILD(gui::BacktestPanel, panel, m_run->window, u"Backtest"_s);
    QTRY_VERIFY(panel->isVisible());
    QCOMPARE(panel->findChild<QComboBox *>(u"BacktestKind1"_s)->currentText(), u"Múltiple"_s);
    QStringList ranked;
    for (int number : m_run->window.data().rankedNumbers().mid(0, 7))
        ranked.append(QString::number(number));
    QCOMPARE(panel->findChild<QLineEdit *>(u"BacktestNumbers1"_s)->text(), ranked.join(u' '));
    FIND_CHILD(QTableWidget, figures, *panel, u"BacktestFigures"_s);
    QCOMPARE(figures->horizontalHeaderItem(0)->text(), u"Múltiple de 7"_s);
    QCOMPARE(cell(figures, 1, 0), u"7"_s);
}

QTEST_MAIN(BacktestPanelTest)
#include "test_backtest_panel.moc"
