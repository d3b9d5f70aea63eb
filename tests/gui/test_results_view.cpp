// SPDX-License-Identifier: GPL-3.0-or-later
// The results tab as the player uses it: both lists filled by the checks, the
// view buttons, the results menus, the syndicate filter, the prize indicator
// and the printed listing.
#include "app/program_data.h"
#include "gui_test_support.h"
#include "tabs/results_panel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeView>
#include <QtTest>
#include <algorithm>

using namespace Qt::StringLiterals;
using namespace zafrano;
using test::ProgramFolder;
using test::ProgramRun;

namespace {

// Three draws, Monday to Wednesday 7-9 December 2026; the newest one gives the
// simple syndicate 4 hits and the 5-number multiple 2 (a prize for it).
QList<DrawRecord> threeDraws()
{
    return {test::makeDraw(QDate(2026, 12, 7), {1, 2, 3, 30, 31, 32}, 33, 1),
            test::makeDraw(QDate(2026, 12, 8), {40, 41, 42, 43, 44, 45}, 46, 2),
            test::makeDraw(QDate(2026, 12, 9), {5, 10, 15, 20, 25, 26}, 27, 3)};
}

SyndicateRecord simpleBar()
{
    SyndicateRecord syndicate;
    syndicate.setName(u"BAR"_s);
    syndicate.setDays(u"Todos"_s);
    syndicate.betCount = 2;
    const qint16 bets[2][6] = {{5, 10, 15, 20, 48, 49}, {1, 2, 3, 4, 6, 7}};
    for (int j = 0; j < 2; ++j)
        std::copy(std::begin(bets[j]), std::end(bets[j]), syndicate.bets[j].begin());
    syndicate.createdOn = test::serialOf(QDate(2026, 12, 1));
    return syndicate;
}

SyndicateRecord fiveNumbers()
{
    SyndicateRecord syndicate;
    syndicate.setName(u"CINCO"_s);
    syndicate.setDays(u"Todos"_s);
    syndicate.betCount = 503;
    const qint16 numbers[5] = {25, 26, 37, 38, 39};
    std::copy(std::begin(numbers), std::end(numbers), syndicate.bets[0].begin());
    syndicate.createdOn = test::serialOf(QDate(2026, 12, 1));
    return syndicate;
}

QString cell(QTreeView *view, int row, int column)
{
    return view->model()->index(row, column).data().toString();
}

} // namespace

class ResultsViewTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startUpChecksBothKindsAndWritesTheTallies();
    void theMenusShowTheirListWithTheirFilters();
    void oneSyndicateBringsItsListToTheFront();
    void theIndicatorBlinksOnlyForNewDrawsAndStopsOnAViewChange();
    void printingSendsTheListingOrSaysItIsEmpty();
    void aCheckNeverWritesSyndicatesItCouldNotRead();
    void laterChecksKeepThePlayersList();
    void aDownloadStartsTheIndicatorFromIdle();
    void resetResultsChecksAgainAtOneDraw();
    void theRecheckOfTheNewestDrawPutsBothBarsBack();
    void theProgressBarMovesOncePerCheckedDraw();

private:
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<ProgramRun> m_run;
    QTreeView *m_simple = nullptr;
    QTreeView *m_multiple = nullptr;
};

void ResultsViewTest::init()
{
    m_folder = std::make_unique<ProgramFolder>();
    QVERIFY(m_folder->isValid());
    QVERIFY(m_folder->writeDraws(threeDraws()));
    QVERIFY(m_folder->writeSyndicates({simpleBar(), fiveNumbers()}));
    m_run = std::make_unique<ProgramRun>(*m_folder, QDate(2026, 12, 9));
    QVERIFY(m_run->window.startUp());
    QVERIFY(m_run->showTab(0));
    m_simple = m_run->window.findChild<QTreeView *>(u"ListView2"_s);
    m_multiple = m_run->window.findChild<QTreeView *>(u"ListView4"_s);
    QVERIFY(m_simple && m_multiple);
}

void ResultsViewTest::cleanup()
{
    m_run.reset();
    m_folder.reset();
}

void ResultsViewTest::startUpChecksBothKindsAndWritesTheTallies()
{
    // The newest draw only: a block of 3 heading rows and 2 bets, and the
    // multiple's block with its prize line and the closing empty row.
    QCOMPARE(m_simple->model()->rowCount(), 5);
    QCOMPARE(cell(m_simple, 1, 7), u"PEÑA "_s + u"BAR"_s.leftJustified(20)); // padding kept
    QCOMPARE(cell(m_simple, 2, 7), u"09/12/2026 Miércoles"_s);
    QCOMPARE(cell(m_simple, 3, 7), u"¡¡ Premio !! Has acertado 4 números."_s);
    QCOMPARE(m_simple->model()->index(3, 1).data(Qt::ForegroundRole).value<QColor>(),
             QColor(0xff, 0, 0));
    QCOMPARE(m_multiple->model()->rowCount(), 5);
    QCOMPARE(cell(m_multiple, 3, 12), u"¡¡ Premio !! Tienes 4 apuestas de 3 aciertos."_s);

    // Every draw since the syndicates' creation counted once, and written.
    const QList<QByteArray> records =
        test::splitRecords(m_folder->syndicatesBytes(), SyndicateRecord::Size);
    QCOMPARE(records.size(), 2);
    const SyndicateRecord bar = SyndicateRecord::fromBytes(records[0]);
    const SyndicateRecord five = SyndicateRecord::fromBytes(records[1]);
    QCOMPARE(bar.hit(4), qint16(1));
    QCOMPARE(bar.hit(3), qint16(1)); // Monday: 1, 2, 3 of the second bet
    QCOMPARE(five.hit(3), qint16(4));
    QCOMPARE(bar.countedThrough, test::serialOf(QDate(2026, 12, 9)));

    // More draws to see: the bar moves, the lists grow, nothing is counted again.
    const QByteArray before = m_folder->syndicatesBytes();
    m_run->window.findChild<QScrollBar *>(u"HScroll1"_s)->setValue(3);
    QCOMPARE(m_simple->model()->rowCount(), 15);
    QCOMPARE(m_folder->syndicatesBytes(), before);
}

void ResultsViewTest::theMenusShowTheirListWithTheirFilters()
{
    auto *stack = qobject_cast<QStackedWidget *>(m_multiple->parentWidget());
    QVERIFY(stack);
    auto *prizesOnly = m_run->window.findChild<QCheckBox *>(u"Check2"_s);
    auto *history = m_run->window.findChild<QCheckBox *>(u"Check1"_s);
    m_run->window.findChild<QScrollBar *>(u"HScroll1"_s)->setValue(3);

    QAction *prizesAndHistory = test::menuEntry(
        m_run->window, {u"General"_s, u"Múltiples"_s, u"Sólo si hay premios + histórico"_s});
    QVERIFY(prizesAndHistory);
    prizesAndHistory->trigger();
    QCOMPARE(stack->currentWidget(), m_multiple);
    QVERIFY(prizesOnly->isChecked());
    QVERIFY(history->isChecked());
    // Only the newest draw gives the 5-number multiple a prize: one block left.
    QCOMPARE(m_multiple->model()->rowCount(), 4);

    m_run->window.findChild<QAction *>(u"verhisto"_s)->trigger();
    QCOMPARE(stack->currentWidget(), m_simple);
    QVERIFY(!prizesOnly->isChecked());
    QVERIFY(history->isChecked());

    // "Todos los resultados" leaves the boxes as they are.
    m_run->window.findChild<QAction *>(u"Multiples"_s)->trigger();
    QCOMPARE(stack->currentWidget(), m_multiple);
    QVERIFY(history->isChecked());
}

void ResultsViewTest::oneSyndicateBringsItsListToTheFront()
{
    auto *filter = m_run->window.findChild<QComboBox *>(u"Combo2"_s);
    auto *stack = qobject_cast<QStackedWidget *>(m_multiple->parentWidget());
    QCOMPARE(filter->count(), 3);
    QCOMPARE(filter->itemText(0), u"TODAS LAS PEÑAS"_s);
    filter->setCurrentIndex(2);
    emit filter->activated(2);
    QCOMPARE(stack->currentWidget(), m_multiple);
    QCOMPARE(m_simple->model()->rowCount(), 0);
    QCOMPARE(m_multiple->model()->rowCount(), 5);

    filter->setCurrentIndex(1);
    emit filter->activated(1);
    QCOMPARE(stack->currentWidget(), m_simple);
    QCOMPARE(m_multiple->model()->rowCount(), 0);
}

void ResultsViewTest::theIndicatorBlinksOnlyForNewDrawsAndStopsOnAViewChange()
{
    auto *indicator = m_run->window.findChild<QTimer *>(u"Timer3"_s);
    auto *simpleButton = m_run->window.findChild<QPushButton *>(u"Command1_0"_s);
    auto *multipleButton = m_run->window.findChild<QPushButton *>(u"Command1_1"_s);
    QVERIFY(indicator && simpleButton && multipleButton);
    // The checks of start-up found prizes, but no download brought new draws.
    QVERIFY(!indicator->isActive());

    gui::ResultsPanel *panel = m_run->window.findChild<gui::ResultsPanel *>();
    panel->setNewDrawsNotice(u"3 sorteos nuevos"_s);
    m_run->window.data().check();
    QVERIFY(indicator->isActive());
    // Both kinds won: both buttons blink together.
    QTRY_COMPARE(simpleButton->text(), u"P R E M I O"_s);
    QCOMPARE(multipleButton->text(), u"P R E M I O"_s);
    QTRY_COMPARE(simpleButton->text(), u"S E N C I L L A"_s);
    QCOMPARE(multipleButton->text(), u"M Ú L T I P L E"_s);

    QTest::mouseClick(multipleButton, Qt::LeftButton);
    QVERIFY(!indicator->isActive());
    QCOMPARE(multipleButton->text(), u"M Ú L T I P L E"_s);
    QVERIFY(panel->findChild<QLabel *>(u"Label59"_s)->text().isEmpty());
}

void ResultsViewTest::printingSendsTheListingOrSaysItIsEmpty()
{
    auto *print = m_run->window.findChild<QPushButton *>(u"Image5"_s);
    QVERIFY(print);
    QTest::mouseClick(print, Qt::LeftButton);
    QCOMPARE(m_run->fake.desktop.printed.size(), 1);
    QStringList lines;
    for (const PrintItem &item : m_run->fake.desktop.printed[0].items())
        lines.append(item.text);
    QVERIFY(lines.contains(u"PEÑAS SENCILLAS / REDUCIDAS"_s));
    QVERIFY(lines.contains(u"PEÑAS MÚLTIPLES"_s));
    QVERIFY(lines.contains(u"Sorteo del 09/12/2026  5-10-15-20-25-26  C:27  R:3"_s));

    // Nothing to print once the filter prunes every block.
    m_run->window.findChild<QCheckBox *>(u"Check2"_s)->setChecked(true);
    m_run->window.findChild<QComboBox *>(u"Combo2"_s)->setCurrentIndex(1);
    m_run->window.data().checkOptions().syndicateName = u"NADIE"_s;
    m_run->fake.messages.shown.clear();
    QTest::mouseClick(print, Qt::LeftButton);
    QCOMPARE(m_run->fake.desktop.printed.size(), 1);
    QCOMPARE(m_run->fake.messages.texts(),
             QStringList{u"Listado vacío. No hay datos para imprimir,"_s});
    QCOMPARE(m_run->fake.messages.shown[0].message.title, u"No hay datos"_s);
}

void ResultsViewTest::aCheckNeverWritesSyndicatesItCouldNotRead()
{
    // A new draw with prizes to add, while the syndicates file cannot be read.
    const QByteArray damaged = m_folder->syndicatesBytes() + QByteArray(100, '\x01');
    QVERIFY(m_folder->writeBytes(u"bonoapu.dat"_s, damaged));
    QVERIFY(m_folder->writeDraws(
        threeDraws() << test::makeDraw(QDate(2026, 12, 10), {5, 10, 15, 20, 25, 26}, 27, 3)));
    m_run->window.data().runCheckingCycle();
    QCOMPARE(m_folder->syndicatesBytes(), damaged);
}

void ResultsViewTest::laterChecksKeepThePlayersList()
{
    auto *filter = m_run->window.findChild<QComboBox *>(u"Combo2"_s);
    auto *stack = qobject_cast<QStackedWidget *>(m_multiple->parentWidget());
    filter->setCurrentIndex(2);
    emit filter->activated(2);
    QCOMPARE(stack->currentWidget(), m_multiple);
    // The player looks at the other list; the checks that follow leave it there.
    QTest::mouseClick(m_run->window.findChild<QPushButton *>(u"Command1_0"_s), Qt::LeftButton);
    m_run->window.data().check();
    QCOMPARE(stack->currentWidget(), m_simple);
    // Choosing a syndicate again brings its kind's list back.
    filter->setCurrentIndex(1);
    emit filter->activated(1);
    filter->setCurrentIndex(2);
    emit filter->activated(2);
    QCOMPARE(stack->currentWidget(), m_multiple);
}

void ResultsViewTest::aDownloadStartsTheIndicatorFromIdle()
{
    gui::ResultsPanel *panel = m_run->window.findChild<gui::ResultsPanel *>();
    auto *simpleButton = m_run->window.findChild<QPushButton *>(u"Command1_0"_s);
    auto *multipleButton = m_run->window.findChild<QPushButton *>(u"Command1_1"_s);
    CheckOptions &options = m_run->window.data().checkOptions();
    // An earlier download found a simple prize only.
    options.syndicateName = u"BAR"_s;
    panel->setNewDrawsNotice(u"1 sorteo nuevo"_s);
    m_run->window.data().check();
    QVERIFY(panel->prizeIndicatorRunning());

    // The next one finds a prize in the multiple only: that button alone blinks.
    panel->resetPrizeIndicator();
    options.syndicateName = u"CINCO"_s;
    panel->setNewDrawsNotice(u"1 sorteo nuevo"_s);
    m_run->window.data().check();
    QTRY_COMPARE(multipleButton->text(), u"P R E M I O"_s);
    QCOMPARE(simpleButton->text(), u"S E N C I L L A"_s);
}

void ResultsViewTest::resetResultsChecksAgainAtOneDraw()
{
    QCOMPARE(m_run->window.findChild<QScrollBar *>(u"HScroll1"_s)->value(), 1);
    m_run->fake.messages.answers = {false, true};
    QTest::mouseClick(m_run->window.findChild<QPushButton *>(u"Command5"_s), Qt::LeftButton);
    // Created today, 9 December: the newest draw alone is counted again, at once.
    const SyndicateRecord bar = SyndicateRecord::fromBytes(
        test::splitRecords(m_folder->syndicatesBytes(), SyndicateRecord::Size).value(0));
    QCOMPARE(bar.hit(3), qint16(0));
    QCOMPARE(bar.hit(4), qint16(1));
    QCOMPARE(bar.countedThrough, test::serialOf(QDate(2026, 12, 9)));
    QCOMPARE(m_multiple->model()->rowCount(), 5);
}

void ResultsViewTest::theRecheckOfTheNewestDrawPutsBothBarsBack()
{
    auto *drawsToCheck = m_run->window.findChild<QScrollBar *>(u"HScroll1"_s);
    auto *halves = m_run->window.findChild<QScrollBar *>(u"HScroll2"_s);
    QVERIFY(drawsToCheck && halves);
    drawsToCheck->setValue(3);
    halves->setValue(2);
    m_run->window.data().recheckNewestDraw();
    QCOMPARE(drawsToCheck->value(), 1);
    QCOMPARE(halves->value(), 1);
    QCOMPARE(m_simple->model()->rowCount(), 5);
}

void ResultsViewTest::theProgressBarMovesOncePerCheckedDraw()
{
    auto *progress = m_run->window.findChild<QProgressBar *>(u"ProgressBar2"_s);
    QVERIFY(progress);
    QSignalSpy moved(progress, &QProgressBar::valueChanged);
    m_run->window.findChild<QScrollBar *>(u"HScroll1"_s)->setValue(3);
    QList<int> values;
    for (const QList<QVariant> &change : moved)
        values.append(change[0].toInt());
    // At the first draw checked, forward (as often as painting allows), then
    // empty again.
    QVERIFY(values.size() >= 2);
    QCOMPARE(values.first(), 1);
    QCOMPARE(values.last(), 0);
    QVERIFY(std::is_sorted(values.begin(), values.end() - 1));
    QCOMPARE(progress->maximum(), 3);
}

QTEST_MAIN(ResultsViewTest)
#include "test_results_view.moc"
