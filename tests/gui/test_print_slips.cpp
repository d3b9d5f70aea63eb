// SPDX-License-Identifier: GPL-3.0-or-later
// The "Imprimir boletos" window: what it says of the syndicate, the printer
// corrections kept in bnums.ini, and what it sends to the printer.
#include "app/program_data.h"
#include "app/syndicate_commands.h"
#include "gui_test_support.h"
#include "printing/slip_layout.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtEndian>
#include <QtTest>
#include <cstring>

using namespace Qt::StringLiterals;
using namespace zafrano;
using test::ProgramFolder;
using test::ProgramRun;

namespace {

float storedFloat(const QByteArray &settings, int offset)
{
    const quint32 bits = qFromLittleEndian<quint32>(settings.constData() + offset);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

SyndicateRecord sevenNumberMultiple()
{
    SyndicateRecord syndicate;
    syndicate.setName(u"SIETE"_s);
    syndicate.setDays(u"Sábado"_s);
    syndicate.betCount = 501;
    const int numbers[] = {3, 12, 19, 25, 33, 41, 48};
    for (int k = 0; k < 7; ++k)
        syndicate.bets[0][k] = static_cast<qint16>(numbers[k]);
    syndicate.createdOn = test::serialOf(QDate(2026, 1, 3));
    return syndicate;
}

int textItems(const PrintDocument &document)
{
    return static_cast<int>(
        std::count_if(document.items().begin(), document.items().end(),
                      [](const PrintItem &item) { return item.kind == PrintItem::Kind::Text; }));
}

} // namespace

class PrintSlipsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void showsTheSyndicateAndPrintsBothModes();
    void correctionsAreKeptAndMoveTheMarks();
    void aTextThatIsNotANumberPutsBothCorrectionsBack();
    void leavingABoxEmptyWarns();
    void aDamagedBetCountIsRefused();
    void withoutAPrinterItSaysSoAndThePreviewShowsTheSlips();

private:
    // Opens the window on syndicate record k.
    QDialog *openFor(ProgramRun &run, int record);

    std::unique_ptr<ProgramFolder> m_folder;
};

void PrintSlipsTest::init()
{
    m_folder = std::make_unique<ProgramFolder>();
    QVERIFY(m_folder->isValid());
    QVERIFY(m_folder->writeSyndicates(
        {test::makeSyndicate(u"PEÑA DEL BAR"_s, u"Todos"_s, QDate(2026, 1, 12), 9),
         sevenNumberMultiple()}));
}

QDialog *PrintSlipsTest::openFor(ProgramRun &run, int record)
{
    if ((run.window.data().syndicates().isEmpty() && !run.window.startUp()) || !run.showTab(2))
        return nullptr;
    // The main window closes the printing window when it becomes active: let
    // it settle first.
    run.window.activateWindow();
    if (!QTest::qWaitForWindowActive(&run.window))
        return nullptr;
    run.window.syndicateCommands().select(record);
    run.window.syndicateCommands().printSelected();
    return run.window.findChild<QDialog *>(u"Imprimir"_s);
}

void PrintSlipsTest::showsTheSyndicateAndPrintsBothModes()
{
    ProgramRun run(*m_folder, QDate(2026, 12, 8));
    QDialog *window = openFor(run, 1);
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), u"Imprimir boletos"_s);
    QCOMPARE(window->findChild<QLabel *>(u"Label10"_s)->text(),
             u"IMPRESIÓN DE LOS NÚMEROS DE LA PEÑA: PEÑA DEL BAR"_s);
    QCOMPARE(window->findChild<QLabel *>(u"Label2_0"_s)->text(), u"9"_s);
    QCOMPARE(window->findChild<QLabel *>(u"Label2_1"_s)->text(), u"2"_s);
    QCOMPARE(window->findChild<QLabel *>(u"Label2_2"_s)->text(), u"Todos"_s);

    QTest::mouseClick(window->findChild<QPushButton *>(u"Command1"_s), Qt::LeftButton);
    QTest::mouseClick(window->findChild<QPushButton *>(u"Command2"_s), Qt::LeftButton);
    QCOMPARE(run.fake.desktop.printed.size(), 2);
    const PrintDocument &official = run.fake.desktop.printed[0];
    const PrintDocument &plain = run.fake.desktop.printed[1];
    QCOMPARE(textItems(official), 9 * 6 + 2); // and the peña's line on each slip
    QVERIFY(official.plainSlips().isEmpty());
    QCOMPARE(plain.plainSlips().size(), 2);
    QCOMPARE(plain.plainSlips()[0].name, u"PEÑA DEL BAR"_s);
    QCOMPARE(run.fake.desktop.printedTitles[0], u"Boletos de la peña PEÑA DEL BAR"_s);

    // A multiple counts as one bet on one slip, its kind marked too; the
    // check box adds the box under block 8.
    window->close();
    QDialog *multiple = openFor(run, 2);
    QVERIFY(multiple);
    QCOMPARE(multiple->findChild<QLabel *>(u"Label2_0"_s)->text(), u"1"_s);
    QCOMPARE(multiple->findChild<QLabel *>(u"Label2_1"_s)->text(), u"1"_s);
    multiple->findChild<QCheckBox *>(u"Check1"_s)->setChecked(true);
    QTest::mouseClick(multiple->findChild<QPushButton *>(u"Command1"_s), Qt::LeftButton);
    QCOMPARE(textItems(run.fake.desktop.printed.last()), 7 + 1 + 1 + 1);
}

void PrintSlipsTest::correctionsAreKeptAndMoveTheMarks()
{
    ProgramRun run(*m_folder, QDate(2026, 12, 8));
    QDialog *window = openFor(run, 1);
    QVERIFY(window);
    auto *x = window->findChild<QLineEdit *>(u"Text1_0"_s);
    auto *y = window->findChild<QLineEdit *>(u"Text1_1"_s);
    x->selectAll();
    QTest::keyClicks(x, u"2,5"_s);
    y->selectAll();
    QTest::keyClicks(y, u"-1.5"_s);
    const QByteArray settings = m_folder->bytes(u"bnums.ini"_s);
    QCOMPARE(settings.size(), 80);
    QCOMPARE(storedFloat(settings, 2), 2.5f);
    QCOMPARE(storedFloat(settings, 6), -1.5f);

    QTest::mouseClick(window->findChild<QPushButton *>(u"Command1"_s), Qt::LeftButton);
    const PrintItem &first = [&]() -> const PrintItem & {
        for (const PrintItem &item : run.fake.desktop.printed.last().items()) {
            if (item.kind == PrintItem::Kind::Text)
                return item;
        }
        return run.fake.desktop.printed.last().items().first();
    }();
    const SlipOptions corrected{SlipMode::Official, 2.5f, -1.5f, false};
    const QPointF expected = markPosition(
        test::makeSyndicate(u"PEÑA DEL BAR"_s, u"Todos"_s, QDate(2026, 1, 12), 9).bets[0][0], 1,
        corrected);
    QCOMPARE(first.xMm, expected.x());
    QCOMPARE(first.yMm, expected.y());

    // A new window shows the kept corrections.
    window->close();
    QDialog *again = openFor(run, 1);
    QVERIFY(again);
    QCOMPARE(again->findChild<QLineEdit *>(u"Text1_0"_s)->text(), u"2,5"_s);
    QCOMPARE(again->findChild<QLineEdit *>(u"Text1_1"_s)->text(), u"-1,5"_s);
}

void PrintSlipsTest::aTextThatIsNotANumberPutsBothCorrectionsBack()
{
    ProgramRun run(*m_folder, QDate(2026, 12, 8));
    QDialog *window = openFor(run, 1);
    QVERIFY(window);
    auto *x = window->findChild<QLineEdit *>(u"Text1_0"_s);
    auto *y = window->findChild<QLineEdit *>(u"Text1_1"_s);
    x->selectAll();
    QTest::keyClicks(x, u"3"_s);
    y->setText(u"7"_s); // shown but never edited: not a stored value
    x->end(false);
    QTest::keyClicks(x, u"a"_s);
    QCOMPARE(x->text(), u"3"_s);
    QCOMPARE(y->text(), u"0"_s);
    QCOMPARE(storedFloat(m_folder->bytes(u"bnums.ini"_s), 2), 3.0f);
}

void PrintSlipsTest::leavingABoxEmptyWarns()
{
    ProgramRun run(*m_folder, QDate(2026, 12, 8));
    QDialog *window = openFor(run, 1);
    QVERIFY(window);
    auto *x = window->findChild<QLineEdit *>(u"Text1_0"_s);
    x->selectAll();
    QTest::keyClick(x, Qt::Key_Backspace);
    run.fake.messages.shown.clear();
    // The window losing activation (the player clicks the main window) is not
    // leaving the box.
    QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(x, &deactivated);
    QCOMPARE(run.fake.messages.shown.size(), 0);
    // The box loses the focus as when the player moves on to another control.
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(x, &leave);
    QCOMPARE(run.fake.messages.shown.size(), 1);
    QCOMPARE(run.fake.messages.shown[0].message.text,
             u"Te has dejado una coordenada en blanco. Introduce un número válido."_s);
    QCOMPARE(run.fake.messages.shown[0].message.title, u"EHEHEHH"_s);
    QCOMPARE(run.fake.messages.shown[0].message.icon, MessageIcon::Critical);
    // A box with a number leaves quietly.
    QTest::keyClicks(x, u"1"_s);
    QApplication::sendEvent(x, &leave);
    QCOMPARE(run.fake.messages.shown.size(), 1);
}

void PrintSlipsTest::aDamagedBetCountIsRefused()
{
    SyndicateRecord damaged = sevenNumberMultiple();
    damaged.betCount = 507;
    QVERIFY(m_folder->writeSyndicates({damaged}));
    ProgramRun run(*m_folder, QDate(2026, 12, 8));
    QVERIFY(run.window.startUp());
    QVERIFY(!openFor(run, 1));
    QVERIFY(!run.fake.messages.shown.isEmpty());
    QVERIFY(run.fake.messages.shown.last().message.text.startsWith(
        u"Número de apuestas no válido: 507."_s));
}

void PrintSlipsTest::withoutAPrinterItSaysSoAndThePreviewShowsTheSlips()
{
    ProgramRun run(*m_folder, QDate(2026, 12, 8));
    run.fake.desktop.printerWorks = false;
    QDialog *window = openFor(run, 1);
    QVERIFY(window);
    QTest::mouseClick(window->findChild<QPushButton *>(u"Command1"_s), Qt::LeftButton);
    QCOMPARE(run.fake.messages.texts(),
             QStringList{u"No se han podido imprimir los boletos: no hay ninguna impresora "
                         u"disponible o no responde.\r\nCon \"Vista previa\" puede verlos y "
                         u"guardarlos en PDF."_s});

    QTest::mouseClick(window->findChild<QPushButton *>(u"Preview"_s), Qt::LeftButton);
    window->findChild<QCheckBox *>(u"PreviewPlain"_s)->setChecked(true);
    QTest::mouseClick(window->findChild<QPushButton *>(u"Preview"_s), Qt::LeftButton);
    QCOMPARE(run.fake.desktop.previewed.size(), 2);
    QCOMPARE(textItems(run.fake.desktop.previewed[0]), 9 * 6 + 2);
    QCOMPARE(run.fake.desktop.previewed[1].plainSlips().size(), 2);
    QCOMPARE(run.fake.desktop.previewedTitles[0], u"Boletos de la peña PEÑA DEL BAR"_s);
    QVERIFY(run.fake.desktop.printed.isEmpty());
}

QTEST_MAIN(PrintSlipsTest)
#include "test_print_slips.moc"
