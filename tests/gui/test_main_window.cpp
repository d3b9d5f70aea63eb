// SPDX-License-Identifier: GPL-3.0-or-later
// The main window from start-up: files, calendar block, first-start messages,
// the required file and the recovery of an unreadable draws file.
#include "app/program_data.h"
#include "checking/prize_marks.h"
#include "gui_test_support.h"
#include "main/download_commands.h"
#include "store/program_database.h"
#include "tabs/results_panel.h"
#include "test_paths.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace zafrano;
using test::ProgramFolder;
using test::ProgramRun;

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void firstStartInEmptyFolderCreatesFilesAndWelcomes();
    void missingTablesStopsBeforeReadingData();
    void calendarBlock_data();
    void calendarBlock();
    void reminderBlinks();
    void unreadableDrawsFileIsMovedAsideAndTheCopyOffered_data();
    void unreadableDrawsFileIsMovedAsideAndTheCopyOffered();
    void aPrizeTheEveningCheckFoundBlinksAtTheNextStartOnce();
    void aDamagedProgramDatabaseMetWhileOpenIsSaidOnce();
};

void MainWindowTest::firstStartInEmptyFolderCreatesFilesAndWelcomes()
{
    ProgramFolder folder;
    QVERIFY(folder.isValid());
    // The work file of a syndicate change that never finished.
    QVERIFY(folder.writeBytes(u"bonoapu.tmp"_s, QByteArray(100, 'x')));
    ProgramRun run(folder, QDate(2026, 12, 8));
    QVERIFY(run.window.startUp());
    run.window.handleActivation();
    run.window.handleActivation();

    QCOMPARE(QFileInfo(folder.filePath(u"bnums.ini"_s)).size(), 80);
    for (const auto name : {u"bonoapu.dat", u"bononume.dat", u"bonowww.txt", u"bonowww2.txt"})
        QCOMPARE(QFileInfo(folder.filePath(QString::fromUtf16(name))).size(), 0);
    QVERIFY(!folder.exists(u"bonoapu.tmp"_s));
    QCOMPARE(run.fake.messages.shown.size(), 1);
    QCOMPARE(run.fake.messages.shown[0].message.title, u"Fichero de peñas vacío"_s);
    QVERIFY(run.fake.messages.shown[0].message.text.startsWith(u"Bienvenido a Zafrano."_s));
    QCOMPARE(run.window.findChild<QLabel *>(u"Label9_3"_s)->text(), u"Fichero de datos vacío."_s);
    QCOMPARE(run.window.findChild<QLabel *>(u"Label9_6"_s)->text(),
             u"No se ha actualizado nunca"_s);
}

void MainWindowTest::missingTablesStopsBeforeReadingData()
{
    ProgramFolder folder(false);
    QVERIFY(folder.isValid());
    QVERIFY(folder.writeDraws(test::drawsUntil(QDate(2026, 12, 5), 4)));
    QVERIFY(folder.writeSyndicates(
        {test::makeSyndicate(u"Oficina"_s, u"Todos"_s, QDate(2026, 1, 5), 2)}));
    ProgramRun run(folder, QDate(2026, 12, 7));
    QVERIFY(!run.window.startUp());

    QCOMPARE(run.fake.messages.shown.size(), 1);
    QCOMPARE(
        run.fake.messages.shown[0].message,
        (ProgramMessage{u"No se encuentra un archivo necesario para el funcionamiento del "
                        u"programa. Reinstale el programa. Error 53\r\nFalta tablas.bin en "_s +
                            QDir::cleanPath(folder.path()) + u'.',
                        u"¡Vaya hombre!"_s, MessageIcon::Exclamation}));
    // The folder is left alone (the data folder's own test shows it); nothing
    // was read into the window.
    QVERIFY(run.window.data().draws().isEmpty());
    QVERIFY(run.window.data().syndicates().isEmpty());
    FIND_CHILD(QTableView, list, run.window, u"ListView3"_s);
    QCOMPARE(list->model()->rowCount(), 0);
    QCOMPARE(run.window.findChild<QLabel *>(u"Label9_3"_s)->text(), QString());
}

void MainWindowTest::calendarBlock_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("newestAge"); // days from the newest draw to today; -1: no draws
    QTest::addColumn<QString>("lastDraw");
    QTest::addColumn<QString>("nextDraw");
    QTest::addColumn<QString>("daysToGo");
    QTest::addColumn<QString>("reminder"); // empty: hidden, not blinking

    const QDate wednesday(2026, 12, 9);
    const QDate saturday(2026, 12, 5);
    const QDate sunday(2026, 12, 6);
    const QString thursdayNext = u"Jueves, 10 de diciembre del 2026"_s;
    const QString wednesdayNext = u"Miércoles, 9 de diciembre del 2026"_s;
    // Bonoloto is drawn every day in 2026, Sundays included.
    const QString sundayNext = u"Domingo, 6 de diciembre del 2026"_s;

    QTest::newRow("today's draw stored")
        << wednesday << 0 << wednesdayNext << thursdayNext << u"Faltan 1 días"_s << QString();
    QTest::newRow("Saturday's draw stored on Saturday")
        << saturday << 0 << u"Sábado, 5 de diciembre del 2026"_s << sundayNext << u"Faltan 1 días"_s
        << QString();
    QTest::newRow("Sunday after Saturday's draw")
        << sunday << 1 << u"Sábado, 5 de diciembre del 2026"_s << sundayNext << u"¡Hoy sorteo!"_s
        << QString();
    QTest::newRow("draw day, yesterday's draw stored")
        << wednesday << 1 << u"Martes, 8 de diciembre del 2026"_s << wednesdayNext
        << u"¡Hoy sorteo!"_s << QString();
    QTest::newRow("7 days old") << wednesday << 7 << u"Miércoles, 2 de diciembre del 2026"_s
                                << wednesdayNext << u"¡Hoy sorteo!"_s << QString();
    QTest::newRow("8 days old") << wednesday << 8 << u"Martes, 1 de diciembre del 2026"_s
                                << wednesdayNext << u"¡Hoy sorteo!"_s
                                << u"Falta 1 semana por actualizar"_s;
    QTest::newRow("15 days old") << wednesday << 15 << u"Martes, 24 de noviembre del 2026"_s
                                 << wednesdayNext << u"¡Hoy sorteo!"_s
                                 << u"Falta 1 semana por actualizar"_s;
    QTest::newRow("16 days old") << wednesday << 16 << u"Lunes, 23 de noviembre del 2026"_s
                                 << wednesdayNext << u"¡Hoy sorteo!"_s
                                 << u"Faltan 2 semanas por actualizar"_s;
    QTest::newRow("21 days old") << wednesday << 21 << u"Miércoles, 18 de noviembre del 2026"_s
                                 << wednesdayNext << u"¡Hoy sorteo!"_s
                                 << u"Faltan 3 semanas por actualizar"_s;
    QTest::newRow("no draws on a draw day")
        << wednesday << -1 << u"Fichero de datos vacío."_s << wednesdayNext << u"¡Hoy sorteo!"_s
        << u"No se ha actualizado nunca"_s;
    QTest::newRow("no draws on a Sunday")
        << sunday << -1 << u"Fichero de datos vacío."_s << sundayNext << u"¡Hoy sorteo!"_s
        << u"No se ha actualizado nunca"_s;
}

void MainWindowTest::calendarBlock()
{
    QFETCH(QDate, today);
    QFETCH(int, newestAge);
    QFETCH(QString, lastDraw);
    QFETCH(QString, nextDraw);
    QFETCH(QString, daysToGo);
    QFETCH(QString, reminder);

    constexpr int DrawCount = 5;
    ProgramFolder folder;
    QVERIFY(folder.isValid());
    const bool anyDraws = newestAge >= 0;
    if (anyDraws)
        QVERIFY(folder.writeDraws(test::drawsUntil(today.addDays(-newestAge), DrawCount)));
    QVERIFY(folder.writeSyndicates(
        {test::makeSyndicate(u"Bar Paco"_s, u"Todos"_s, QDate(2026, 1, 5), 3)}));
    ProgramRun run(folder, today);
    QVERIFY(run.window.startUp());

    auto label = [&run](int index) {
        auto *found = run.window.findChild<QLabel *>(u"Label9_"_s + QString::number(index));
        return found ? found->text() : u"(no label)"_s;
    };
    QCOMPARE(label(0), u"- Peñas registradas a comprobar:"_s);
    QCOMPARE(label(1), u"- Última actualización de sorteos:"_s);
    QCOMPARE(label(4), u"- Próximo sorteo:"_s);
    QCOMPARE(label(3), lastDraw);
    QCOMPARE(label(5), nextDraw);
    QCOMPARE(label(7), daysToGo);

    FIND_CHILD(QLabel, reminderLabel, run.window, u"Label9_6"_s);
    FIND_CHILD(QTimer, blink, run.window, u"Timer2"_s);
    if (reminder.isEmpty()) {
        QVERIFY(!blink->isActive());
        QVERIFY(reminderLabel->isHidden());
    } else {
        QVERIFY(blink->isActive());
        QCOMPARE(reminderLabel->text(), reminder);
    }

    FIND_CHILD(QScrollBar, drawsToCheck, run.window, u"HScroll1"_s);
    FIND_CHILD(QCheckBox, history, run.window, u"Check1"_s);
    FIND_CHILD(QCheckBox, prizesOnly, run.window, u"Check2"_s);
    QCOMPARE(drawsToCheck->isEnabled(), anyDraws);
    QCOMPARE(history->isEnabled(), anyDraws);
    QCOMPARE(prizesOnly->isEnabled(), anyDraws);
    if (anyDraws) {
        QCOMPARE(drawsToCheck->maximum(), DrawCount);
        QCOMPARE(drawsToCheck->value(), 1);
    }
    QVERIFY(run.fake.messages.shown.isEmpty());
}

void MainWindowTest::reminderBlinks()
{
    ProgramFolder folder;
    QVERIFY(folder.isValid());
    const QDate today(2026, 12, 9);
    QVERIFY(folder.writeDraws(test::drawsUntil(today.addDays(-10), 3)));
    QVERIFY(folder.writeSyndicates(
        {test::makeSyndicate(u"Bar Paco"_s, u"Todos"_s, QDate(2026, 1, 5), 3)}));
    ProgramRun run(folder, today);
    QVERIFY(run.window.startUp());
    QVERIFY(run.showTab(0));

    FIND_CHILD(QLabel, reminder, run.window, u"Label9_6"_s);
    FIND_CHILD(QTimer, blink, run.window, u"Timer2"_s);
    QVERIFY(blink->isActive());
    QCOMPARE(blink->interval(), 500);
    QSignalSpy ticks(blink, &QTimer::timeout);
    for (int tick = 0; tick < 3; ++tick) {
        const bool shownBefore = reminder->isVisible();
        QVERIFY(ticks.wait(3000));
        QCOMPARE(reminder->isVisible(), !shownBefore);
    }
}

void MainWindowTest::unreadableDrawsFileIsMovedAsideAndTheCopyOffered_data()
{
    QTest::addColumn<QList<bool>>("answers"); // the copy, then the shipped history
    QTest::addColumn<int>("drawsAfter");
    QTest::newRow("la copia") << QList<bool>{true} << 6;
    QTest::newRow("el histórico") << QList<bool>{false, true} << 9361;
    QTest::newRow("nada") << QList<bool>{false, false} << 0;
}

void MainWindowTest::unreadableDrawsFileIsMovedAsideAndTheCopyOffered()
{
    QFETCH(QList<bool>, answers);
    QFETCH(int, drawsAfter);
    ProgramFolder folder;
    QVERIFY(folder.isValid());
    QVERIFY(QFile::copy(QString::fromUtf8(test::FixturesDir) + u"/historico_bonoloto.csv"_s,
                        folder.filePath(u"historico_bonoloto.csv"_s)));
    QList<DrawRecord> draws = test::drawsUntil(QDate(2026, 12, 5), 6);
    QVERIFY(folder.writeDraws(draws));
    QVERIFY(folder.writeSyndicates(
        {test::makeSyndicate(u"Bar Paco"_s, u"Todos"_s, QDate(2026, 1, 5), 3)}));
    const QByteArray whole = folder.drawsBytes();
    {
        // The day's first start copies the draws as they are.
        ProgramRun first(folder, QDate(2026, 12, 7));
        QVERIFY(first.window.startUp());
    }
    draws[3].numbers[4] = 50;
    QVERIFY(folder.writeDraws(draws));
    const QByteArray damaged = folder.drawsBytes();
    const QByteArray syndicates = folder.syndicatesBytes();

    ProgramRun run(folder, QDate(2026, 12, 7));
    run.fake.messages.answers = answers;
    QVERIFY(run.window.startUp());

    const auto &shown = run.fake.messages.shown;
    QVERIFY(shown.size() >= 2);
    QCOMPARE(shown[0].message,
             (ProgramMessage{u"Archivo de números ganadores no válido. ¡Se perderán los sorteos "
                             u"grabados!.\r\nSe ha guardado una copia del archivo en "
                             u"bononume.bad."_s,
                             u"Error de lectura"_s, MessageIcon::Exclamation}));
    // The copy first, with its date and what it holds.
    QVERIFY(shown[1].question);
    QVERIFY(shown[1].message.text.startsWith(
        u"¿Quiere recuperar los sorteos de la copia automática del "_s +
        QDate::currentDate().toString(u"dd/MM/yyyy"_s)));
    QVERIFY(shown[1].message.text.contains(
        u"(diaria)? Son 6 sorteos, del 30/11/2026 al 05/12/2026. Las peñas y las cuentas se "
        u"quedan como están."_s));
    if (!answers.first())
        QVERIFY(shown[2].message.text.startsWith(
            u"No hay ningún sorteo guardado. ¿Quiere cargar el histórico"_s));
    QCOMPARE(folder.bytes(u"bononume.bad"_s), damaged);
    QCOMPARE(folder.drawsBytes().size(), drawsAfter * DrawRecord::Size);
    if (drawsAfter == 6)
        QCOMPARE(folder.drawsBytes(), whole);
    QCOMPARE(folder.syndicatesBytes(), syndicates);
    FIND_CHILD(QTableView, list, run.window, u"ListView3"_s);
    QCOMPARE(list->model()->rowCount(), drawsAfter);
    QCOMPARE(run.window.findChild<QLabel *>(u"Label12"_s)->text(),
             u"TOTAL: %1 sorteos."_s.arg(drawsAfter));
}

void MainWindowTest::aPrizeTheEveningCheckFoundBlinksAtTheNextStartOnce()
{
    // The evening checks appended the draws up to 5 December, counted LA
    // PEÑA's 4 hits of 20 November into its tallies and kept the find: a draw
    // older than a download's usual eight is on show all the same.
    ProgramFolder folder;
    QVERIFY(folder.isValid());
    const QList<DrawRecord> draws = test::drawsUntil(QDate(2026, 12, 5), 20);
    QVERIFY(folder.writeDraws(draws));
    SyndicateRecord pena = test::makeSyndicate(u"LA PEÑA"_s, u"Todos"_s, QDate(2026, 11, 1), 1);
    const DrawRecord &fourth = draws.at(4);
    QCOMPARE(fourth.date(), QDate(2026, 11, 20));
    pena.bets[0] = {
        fourth.numbers[0], fourth.numbers[1], fourth.numbers[2], fourth.numbers[3], 45, 46};
    std::sort(pena.bets[0].begin(), pena.bets[0].begin() + 6);
    pena.countedThrough = draws.last().drawDate;
    QVERIFY(folder.writeSyndicates({pena}));
    {
        Result<ProgramDatabase> db = ProgramDatabase::openIn(DataFolder(folder.path()));
        QVERIFY(db);
        QVERIFY(keepPrizeFinds(db.value(), {{fourth.date(), u"LA PEÑA"_s, {0, 1, 0, 0, 0}}}));
    }
    {
        ProgramRun run(folder, QDate(2026, 12, 6));
        QVERIFY(run.window.startUp());
        QVERIFY(run.window.findChild<gui::ResultsPanel *>()->prizeIndicatorRunning());
        FIND_CHILD(QScrollBar, drawsToCheck, run.window, u"HScroll1"_s);
        QCOMPARE(drawsToCheck->value(), 16);
        FIND_CHILD(QLabel, notice, run.window, u"Label59"_s);
        QCOMPARE(notice->text(), u"16 sorteos"_s);
    }
    // Shown once: the next start is a quiet one.
    ProgramRun again(folder, QDate(2026, 12, 6));
    QVERIFY(again.window.startUp());
    QVERIFY(!again.window.findChild<gui::ResultsPanel *>()->prizeIndicatorRunning());
}

void MainWindowTest::aDamagedProgramDatabaseMetWhileOpenIsSaidOnce()
{
    ProgramFolder folder;
    QVERIFY(folder.isValid());
    QVERIFY(folder.writeDraws(test::drawsUntil(QDate(2026, 12, 5), 3)));
    ProgramRun run(folder, QDate(2026, 12, 6));
    QVERIFY(run.window.startUp());
    QVERIFY(run.fake.messages.shown.isEmpty());
    // Damaged behind the window's back; two roads then open it.
    QVERIFY(folder.writeBytes(u"zafrano.db"_s, QByteArray(8192, 'z')));
    FIND_CHILD(gui::DownloadCommands, download, run.window, QString());
    download->showUnattendedPrizes();
    download->showUnattendedPrizes();
    QCoreApplication::processEvents();
    QCOMPARE(run.fake.messages.shown.size(), 1);
    QVERIFY(run.fake.messages.shown[0].message.text.startsWith(
        u"El archivo zafrano.db está dañado. Se ha guardado aparte como "_s));
    QVERIFY(folder.exists(u"zafrano.db.bad"_s));
}

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
