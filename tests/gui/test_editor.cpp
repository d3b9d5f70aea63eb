// SPDX-License-Identifier: GPL-3.0-or-later
// The syndicate editor as the player uses it: every kind created with clicks on
// the grid and read back from the syndicates file byte for byte, edit mode from
// "Editar Peña", and what the main window does when it becomes active again.
#include "editor/editor_window.h"
#include "gui_test_support.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

using namespace Qt::StringLiterals;
using namespace zafrano;
using test::ProgramFolder;
using test::ProgramRun;

namespace {

const QDate Today(2026, 12, 7);
constexpr int SyndicatesTab = 2;

// Table 0: 7 numbers at 5, one bet. Table 1: 9 numbers at 4, three bets.
const QByteArray SmallTables = "7\r\n5\r\n1\r\n010204050607\r\n"
                               "9\r\n4\r\n3\r\n010203040506\r\n040506070809\r\n010203070809\r\n";

ProgramMessage info(const QString &text)
{
    return {text, u"Error"_s, MessageIcon::Information};
}

// A syndicate as "Grabar" stores it today, with its bets and betCount.
QByteArray savedToday(const QString &name, const QString &days, const QList<QList<int>> &bets,
                      int betCount)
{
    SyndicateRecord record;
    record.setName(name);
    record.setDays(days);
    record.createdOn = test::serialOf(Today);
    for (qsizetype j = 0; j < bets.size(); ++j)
        std::copy(bets[j].begin(), bets[j].end(), record.bets[j].begin());
    record.betCount = qint16(betCount);
    return record.toBytes();
}

} // namespace

class EditorTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void simpleSyndicateWithSeveralBets();
    void simpleSyndicateRefuses206thBet();
    void multipleSyndicates_data();
    void multipleSyndicates();
    void reducedSyndicateFromTable();
    void syndicateFromRankingClosesAfterSaving();
    void editModeTurnsReducedIntoSimple();
    void activationShowsTheNewSyndicate();
    void editorActivationCutsLongChecks();
    void lateActivationKeepsEditorJustOpened();

private:
    void start(const QList<SyndicateRecord> &syndicates = {});
    gui::EditorWindow *openEditor(const EditorRequest &request);
    void clickNumbers(std::initializer_list<int> numbers);
    void press(const QString &name);
    QTreeWidget *betsList() const;

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<ProgramRun> m_run;
    QPointer<gui::EditorWindow> m_editor;
};

void EditorTest::init()
{
    m_folder = std::make_unique<ProgramFolder>();
    QVERIFY(m_folder->isValid());
    QVERIFY(m_folder->writeBytes(u"tablas.bin"_s, SmallTables));
    QVERIFY(m_folder->writeDraws(test::drawsUntil(Today.addDays(-2), 30)));
}

void EditorTest::cleanup()
{
    if (m_editor)
        m_editor->closeDiscarding();
    m_run.reset();
    m_folder.reset();
}

void EditorTest::start(const QList<SyndicateRecord> &syndicates)
{
    QVERIFY(m_folder->writeSyndicates(syndicates));
    m_run = std::make_unique<ProgramRun>(*m_folder, Today);
    QVERIFY(m_run->window.startUp());
    QVERIFY(m_run->showTab(SyndicatesTab));
    // The main window's first activation must be over: a late one would close
    // the editor the test opens.
    QVERIFY(QTest::qWaitForWindowActive(&m_run->window));
    QCoreApplication::processEvents();
    m_run->fake.messages.shown.clear();
}

gui::EditorWindow *EditorTest::openEditor(const EditorRequest &request)
{
    m_run->window.openEditor(request);
    m_editor = m_run->window.findChild<gui::EditorWindow *>(u"Crea"_s);
    // Active as the player sees it: the window has had its activation event.
    if (m_editor && !QTest::qWaitFor([this] { return m_editor->hasBeenActive(); }))
        return nullptr;
    return m_editor;
}

void EditorTest::clickNumbers(std::initializer_list<int> numbers)
{
    for (const int n : numbers) {
        auto *button = m_editor->findChild<QPushButton *>(u"Number_"_s + QString::number(n));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }
}

void EditorTest::press(const QString &name)
{
    auto *button = m_editor->findChild<QAbstractButton *>(name);
    QVERIFY2(button, qPrintable(name));
    QVERIFY2(button->isVisible() && button->isEnabled(), qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

QTreeWidget *EditorTest::betsList() const
{
    return m_editor->findChild<QTreeWidget *>(u"ListView5"_s);
}

void EditorTest::simpleSyndicateWithSeveralBets()
{
    start();
    QVERIFY(openEditor({}));
    QCOMPARE(m_editor->windowTitle(), u"Crear peña nueva..."_s);
    QCOMPARE(m_editor->findChild<QLabel *>(u"Label1"_s)->text(),
             u"INTRODUZCA EL NOMBRE Y 6 NÚMEROS:"_s);
    QVERIFY(!m_editor->findChild<QPushButton *>(u"Grabar"_s)->isEnabled());
    QVERIFY(!m_editor->findChild<QWidget *>(u"Frame2"_s)->isVisible());

    clickNumbers({40, 2, 17, 9, 33, 1});
    clickNumbers({49, 48, 47, 46, 45, 44});
    QCOMPARE(betsList()->headerItem()->text(0), u"Apuestas"_s);
    QCOMPARE(betsList()->topLevelItemCount(), 2);
    QCOMPARE(betsList()->topLevelItem(0)->text(0), u" 1- 2- 9-17-33-40"_s);
    QCOMPARE(m_editor->findChild<QLabel *>(u"Label5"_s)->text(), u"2"_s);
    auto *name = m_editor->findChild<QLineEdit *>(u"Text1"_s);
    QTest::keyClicks(name, u"pe"_s);
    QTest::sendKeyEvent(QTest::Click, name, Qt::Key_Ntilde, u"ñ"_s, Qt::NoModifier);
    QTest::keyClicks(name, u"a del bar"_s);
    QCOMPARE(m_editor->findChild<QLineEdit *>(u"Text1"_s)->text(), u"PEÑA DEL BAR"_s);
    QCOMPARE(m_editor->findChild<QRadioButton *>(u"Option1_7"_s)->text(), u"Domingo"_s);
    press(u"Option1_7"_s); // "Domingo"
    press(u"Grabar"_s);

    QCOMPARE(m_run->fake.messages.shown.size(), 0);
    QCOMPARE(m_folder->syndicatesBytes(),
             savedToday(u"PEÑA DEL BAR"_s, u"Domingo"_s,
                        {{1, 2, 9, 17, 33, 40}, {44, 45, 46, 47, 48, 49}}, 2));
    // Ready for the next syndicate.
    QVERIFY(m_editor->isVisible());
    QCOMPARE(betsList()->topLevelItemCount(), 0);
    QCOMPARE(m_editor->findChild<QLineEdit *>(u"Text1"_s)->text(), QString());

    // The next one goes after it, with the day left as it was.
    clickNumbers({6, 5, 4, 3, 2, 1});
    QTest::keyClicks(name, u"otra"_s);
    press(u"Grabar"_s);
    QCOMPARE(m_folder->syndicatesBytes().mid(SyndicateRecord::Size),
             savedToday(u"OTRA"_s, u"Domingo"_s, {{1, 2, 3, 4, 5, 6}}, 1));
}

void EditorTest::simpleSyndicateRefuses206thBet()
{
    start();
    QVERIFY(openEditor({}));
    QList<QList<int>> bets;
    for (int j = 0; j < 205; ++j) {
        QList<int> bet;
        for (int i = 1; i <= 6; ++i) {
            const int n = (j + i * 7) % 49 + 1;
            bet.append(n);
            clickNumbers({n});
        }
        std::sort(bet.begin(), bet.end());
        bets.append(bet);
    }
    QCOMPARE(betsList()->topLevelItemCount(), 205);
    clickNumbers({1});
    QCOMPARE(m_run->fake.messages.shown.size(), 1);
    QCOMPARE(m_run->fake.messages.shown[0].message,
             info(u"Máximo de apuestas sencillas por peña : 205."_s));
    press(u"Aleatorio"_s);
    QCOMPARE(m_run->fake.messages.shown.size(), 2);
    QCOMPARE(m_run->fake.messages.shown[1].message, m_run->fake.messages.shown[0].message);
    QTest::keyClicks(m_editor->findChild<QLineEdit *>(u"Text1"_s), u"llena"_s);
    press(u"Grabar"_s);
    QCOMPARE(m_folder->syndicatesBytes(), savedToday(u"LLENA"_s, u"Todos"_s, bets, 205));
}

void EditorTest::multipleSyndicates_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<int>>("numbers");
    QTest::newRow("7") << 1 << QList<int>{1, 8, 15, 22, 29, 36, 43};
    QTest::newRow("8") << 2 << QList<int>{2, 4, 6, 8, 10, 12, 14, 16};
    QTest::newRow("5") << 3 << QList<int>{4, 8, 11, 22, 30};
    QTest::newRow("9") << 4 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9};
    QTest::newRow("10") << 5 << QList<int>{40, 41, 42, 43, 44, 45, 46, 47, 48, 49};
    QTest::newRow("11") << 6 << QList<int>{3, 6, 9, 12, 15, 18, 21, 24, 27, 30, 33};
}

void EditorTest::multipleSyndicates()
{
    QFETCH(int, kind);
    QFETCH(QList<int>, numbers);
    start();
    QVERIFY(openEditor({kind, 0, false, {}, 0}));
    for (auto it = numbers.rbegin(); it != numbers.rend(); ++it)
        clickNumbers({*it});
    QCOMPARE(betsList()->topLevelItemCount(), 1);
    clickNumbers({numbers.contains(49) ? 39 : 49});
    QCOMPARE(m_run->fake.messages.texts(),
             QStringList{u"¡¡ Oficialmente sólo se admite una combinación por boleto cuando "
                         u"juegas a múltiples !! "_s});
    QTest::keyClicks(m_editor->findChild<QLineEdit *>(u"Text1"_s), u"multiple"_s);
    press(u"Option1_0"_s);
    press(u"Grabar"_s);

    std::sort(numbers.begin(), numbers.end());
    QCOMPARE(m_folder->syndicatesBytes(),
             savedToday(u"MULTIPLE"_s, u"Lunes"_s, {numbers}, 500 + kind));
}

void EditorTest::reducedSyndicateFromTable()
{
    start();
    QVERIFY(openEditor({EditorKind::Reduced, 1, false, {}, 0}));
    QCOMPARE(m_editor->findChild<QLabel *>(u"Label1"_s)->text(),
             u"INTRODUZCA EL NOMBRE Y 9 NÚMEROS:"_s);
    clickNumbers({45, 3, 12, 30, 7, 19, 22, 38, 1});
    QCOMPARE(betsList()->topLevelItem(0)->text(0), u" 1- 3- 7-12-19-22-30-38-45"_s);
    clickNumbers({2});
    QCOMPARE(m_run->fake.messages.texts(),
             QStringList{u"¡¡ Sólo puedes poner 9 números en este tipo de reducida !! "_s});
    QTest::keyClicks(m_editor->findChild<QLineEdit *>(u"Text1"_s), u"reducida"_s);
    press(u"Grabar"_s);
    QByteArray expected =
        savedToday(u"REDUCIDA"_s, u"Todos"_s,
                   {{1, 3, 7, 12, 19, 22}, {12, 19, 22, 30, 38, 45}, {1, 3, 7, 30, 38, 45}}, 3);
    // reducedFrom 9 and guarantee 4 at offset 20, then the nine base numbers.
    const QList<int> reduced = {9, 4, 1, 3, 7, 12, 19, 22, 30, 38, 45};
    for (qsizetype i = 0; i < reduced.size(); ++i)
        expected[20 + 2 * i] = char(reduced[i]);
    QCOMPARE(m_folder->syndicatesBytes(), expected);
}

void EditorTest::syndicateFromRankingClosesAfterSaving()
{
    start();
    QVERIFY(openEditor({EditorKind::Simple, 0, true, {14, 2, 41, 9, 33, 27}, 0}));
    QCOMPARE(betsList()->topLevelItem(0)->text(0), u" 2- 9-14-27-33-41"_s);
    QVERIFY(m_editor->findChild<QPushButton *>(u"Aleatorio"_s)->isEnabled());
    QTest::keyClicks(m_editor->findChild<QLineEdit *>(u"Text1"_s), u"ranking"_s);
    press(u"Grabar"_s);
    QTRY_VERIFY(!m_editor);
    QCOMPARE(m_folder->syndicatesBytes(),
             savedToday(u"RANKING"_s, u"Todos"_s, {{2, 9, 14, 27, 33, 41}}, 1));
}

void EditorTest::editModeTurnsReducedIntoSimple()
{
    start({test::makeSyndicate(u"Bar Paco"_s, u"Todos"_s, QDate(2026, 1, 5), 3),
           test::makeReducedSyndicate(u"Familia"_s, QDate(2026, 3, 2))});
    const QByteArray before = m_folder->syndicatesBytes().mid(SyndicateRecord::Size);

    test::clickCell(m_run->window.findChild<QTableView *>(u"ListView1"_s), 1);
    QTest::mouseClick(m_run->window.findChild<QPushButton *>(u"Command7"_s), Qt::LeftButton);
    QCOMPARE(m_run->fake.messages.shown.size(), 1);
    QCOMPARE(m_run->fake.messages.shown[0].message.title, u"Atención!"_s);
    m_editor = m_run->window.findChild<gui::EditorWindow *>(u"Crea"_s);
    QVERIFY(m_editor);
    QTRY_VERIFY(m_editor->hasBeenActive());
    m_run->fake.messages.shown.clear();

    QCOMPARE(m_editor->findChild<QLabel *>(u"Label6"_s)->text(), u"Modo Edición"_s);
    QVERIFY(m_editor->findChild<QLabel *>(u"Label6"_s)->isVisible());
    QVERIFY(!m_editor->findChild<QPushButton *>(u"Grabar"_s)->isVisible());
    QVERIFY(!m_editor->findChild<QPushButton *>(u"Borrar"_s)->isVisible());
    auto *navigator = m_editor->findChild<QScrollBar *>(u"HScroll1"_s);
    QCOMPARE(navigator->maximum(), 3);
    QCOMPARE(m_editor->findChild<QLineEdit *>(u"Text2"_s)->text(), u"1"_s);
    QVERIFY(m_editor->findChild<QRadioButton *>(u"Option1_2"_s)->isChecked());
    QCOMPARE(betsList()->topLevelItemCount(), 3);
    QCOMPARE(betsList()->currentItem()->text(0), u" 3- 9-14-22-27-31"_s);

    // Bet 1 is 3 9 14 22 27 31: 31 becomes 49.
    clickNumbers({31});
    navigator->setValue(2);
    QCOMPARE(m_run->fake.messages.shown.size(), 1);
    QCOMPARE(m_run->fake.messages.shown[0].message,
             info(u"¡¡ Faltan números !!. Por favor, completa la apuesta."_s));
    QCOMPARE(navigator->value(), 1);
    QVERIFY(!m_editor->close());
    QCOMPARE(m_run->fake.messages.shown[1].message,
             info(u"¡¡ 5 números !!. Por favor, rectifica la apuesta. Ha de ser de 6 números"_s));
    // Nor does the main window's activation drop the half-changed bet unsaid.
    m_run->window.handleActivation();
    QVERIFY(m_editor && m_editor->isVisible());
    QCOMPARE(m_run->fake.messages.shown.size(), 3);
    QCOMPARE(m_run->fake.messages.shown[2].message, m_run->fake.messages.shown[1].message);
    QCOMPARE(m_folder->syndicatesBytes().mid(SyndicateRecord::Size), before);

    clickNumbers({49});
    // Bet 1 number 6 (offset 64 + 10) is 49 and reducedFrom (offset 20) is 0; the
    // rest, tallies and base numbers included, stays as it was.
    QByteArray changed = before;
    changed[64 + 10] = char(49);
    changed[20] = 0;
    QCOMPARE(m_folder->syndicatesBytes().mid(SyndicateRecord::Size), changed);
    QCOMPARE(betsList()->topLevelItem(0)->text(0), u" 3- 9-14-22-27-49"_s);

    // The list moves the navigator as well.
    test::clickCell(betsList(), 2);
    QCOMPARE(navigator->value(), 3);
    QCOMPARE(m_editor->findChild<QLineEdit *>(u"Text2"_s)->text(), u"3"_s);
    // The name is written as it is typed; after the editor closed, the main
    // window's activation shows it.
    QTest::keyClicks(m_editor->findChild<QLineEdit *>(u"Text1"_s), u"s"_s);
    QVERIFY(m_editor->close());
    QTRY_VERIFY(!m_editor);
    auto *list = m_run->window.findChild<QTableView *>(u"ListView1"_s);
    QCOMPARE(list->model()->index(1, 0).data().toString(), u"Familia"_s);
    m_run->window.handleActivation();
    QCOMPARE(list->model()->index(1, 0).data().toString(), u"FAMILIAS"_s);
}

void EditorTest::activationShowsTheNewSyndicate()
{
    start({test::makeSyndicate(u"Bar Paco"_s, u"Todos"_s, QDate(2026, 1, 5), 3)});
    auto *filter = m_run->window.findChild<QComboBox *>(u"Combo2"_s);
    filter->setCurrentIndex(1);
    emit filter->activated(1);
    QVERIFY(openEditor({}));
    clickNumbers({1, 2, 3, 4, 5, 6});
    QTest::keyClicks(m_editor->findChild<QLineEdit *>(u"Text1"_s), u"nueva"_s);
    press(u"Grabar"_s);

    auto *list = m_run->window.findChild<QTableView *>(u"ListView1"_s);
    QCOMPARE(list->model()->rowCount(), 1);
    m_run->window.handleActivation();
    QTRY_VERIFY(!m_editor);
    QCOMPARE(list->model()->rowCount(), 2);
    QCOMPARE(list->model()->index(1, 0).data().toString(), u"NUEVA"_s);
    QCOMPARE(m_run->window.findChild<QLabel *>(u"Label9_2"_s)->text(), u"2"_s);
    QCOMPARE(filter->currentIndex(), 0);
}

void EditorTest::editorActivationCutsLongChecks()
{
    start();
    auto *drawsToCheck = m_run->window.findChild<QScrollBar *>(u"HScroll1"_s);
    QVERIFY(openEditor({}));
    drawsToCheck->setValue(20);
    emit m_editor->activated();
    QCOMPARE(drawsToCheck->value(), 20);
    drawsToCheck->setValue(21);
    emit m_editor->activated();
    QCOMPARE(drawsToCheck->value(), 1);
}

void EditorTest::lateActivationKeepsEditorJustOpened()
{
    start({test::makeSyndicate(u"Bar Paco"_s, u"Todos"_s, QDate(2026, 1, 5), 3)});
    // As after "Atención!": the main window's activation arrives once the editor is shown.
    m_run->window.openEditor({EditorKind::Simple, 0, true, {}, 1});
    m_editor = m_run->window.findChild<gui::EditorWindow *>(u"Crea"_s);
    QVERIFY(m_editor && !m_editor->hasBeenActive());
    m_run->window.handleActivation();
    QTRY_VERIFY(m_editor->hasBeenActive());

    // What the editor writes afterwards still counts at the next activation.
    QTest::keyClicks(m_editor->findChild<QLineEdit *>(u"Text1"_s), u"s"_s);
    QVERIFY(m_editor->close());
    m_run->window.handleActivation();
    QTRY_VERIFY(!m_editor);
    auto *list = m_run->window.findChild<QTableView *>(u"ListView1"_s);
    QCOMPARE(list->model()->index(0, 0).data().toString(), u"BAR PACOS"_s);
}

QTEST_MAIN(EditorTest)
#include "test_editor.moc"
