// SPDX-License-Identifier: GPL-3.0-or-later
// The commands on the stored draws, pressed as the player presses them: import
// a draws file, delete all draws and/or reset the syndicates, delete one draw,
// and all of it in a folder that may not be modified.
#include "app/program_data.h"
#include "common/texts.h"
#include "gui_test_support.h"
#include "store/draw_history_csv.h"
#include "store/draws_file.h"
#include "test_paths.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace zafrano;
using test::ProgramFolder;
using test::ProgramRun;

namespace {

constexpr int StatisticsTab = 3;

const QString DeleteAllQuestion = u"¿Seguro que quieres borrar todos los sorteos?"_s;
const QString ResetQuestion =
    u"¿Quiere borrar también los aciertos de las peñas?. Si ha borrado los sorteos, se aconseja "
    u"que se resetee también los resultados de las peñas y la fecha de creación pasará a ser la "
    u"de hoy."_s;

ProgramMessage deleteQuestion(const QString &text)
{
    return {text, u"Borrar..."_s, MessageIcon::Question};
}

ProgramMessage permissionMessage()
{
    return texts::permissionDenied();
}

QList<DrawRecord> fixtureHistory()
{
    QFile csv(QString::fromUtf8(test::FixturesDir) + u"/historico_bonoloto.csv"_s);
    if (!csv.open(QIODevice::ReadOnly))
        return {};
    Result<QList<DrawRecord>> draws = parseDrawHistoryCsv(csv.readAll());
    return draws ? draws.value() : QList<DrawRecord>{};
}

} // namespace

class DrawCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void importAcceptedReplacesDrawsAndKeepsBackup_data();
    void importAcceptedReplacesDrawsAndKeepsBackup();
    void importRejectedLeavesDrawsAlone_data();
    void importRejectedLeavesDrawsAlone();
    void shippedHistoryIsOfferedToAnEmptyFolder_data();
    void shippedHistoryIsOfferedToAnEmptyFolder();
    void historyCsvFromTheMenu();
    void importWithoutFileOffersTheShop_data();
    void importWithoutFileOffersTheShop();
    void deleteAllAndReset_data();
    void deleteAllAndReset();
    void deleteOneDrawOnlyAfterDeleteAll();
    void aResetByMistakeIsUndoneFromItsCopy();
    void readOnlyFolderShowsPermissionMessage_data();
    void readOnlyFolderShowsPermissionMessage();
};

void DrawCommandsTest::importAcceptedReplacesDrawsAndKeepsBackup_data()
{
    QTest::addColumn<QList<DrawRecord>>("imported");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("lastDraw");
    QTest::addColumn<QString>("missing"); // the draw days said to be missing

    const QList<DrawRecord> history = fixtureHistory();
    QCOMPARE(history.size(), 9361);
    // The real history lacks one draw, and the tab says which.
    QTest::newRow("the whole history")
        << history << QDate(2026, 8, 21) << u"Jueves, 20 de agosto del 2026"_s
        << u"Falta 1 sorteo: 16/06/2026"_s;
}

void DrawCommandsTest::importAcceptedReplacesDrawsAndKeepsBackup()
{
    QFETCH(QList<DrawRecord>, imported);
    QFETCH(QDate, today);
    QFETCH(QString, lastDraw);
    QFETCH(QString, missing);

    ProgramFolder source(false);
    QVERIFY(source.isValid());
    QVERIFY(DrawsFile(source.path()).importDraws(imported).ok());
    const QByteArray chosen = source.drawsBytes();

    ProgramFolder folder;
    QVERIFY(folder.isValid());
    // Old draws, a month before today: the reminder blinks until the import.
    QVERIFY(folder.writeDraws(test::drawsUntil(today.addDays(-40), 7)));
    QVERIFY(folder.writeSyndicates(
        {test::makeSyndicate(u"Bar Paco"_s, u"Todos"_s, QDate(2026, 1, 5), 3)}));
    const QByteArray old = folder.drawsBytes();
    ProgramRun run(folder, today);
    run.fake.desktop.chosenFile = source.filePath(u"bononume.dat"_s);
    QVERIFY(run.window.startUp());
    QVERIFY(run.showTab(StatisticsTab));
    FIND_CHILD(QTimer, blink, run.window, u"Timer2"_s);
    QVERIFY(blink->isActive());

    FIND_CHILD(QPushButton, importButton, run.window, u"Command8"_s);
    QTest::mouseClick(importButton, Qt::LeftButton);

    QCOMPARE(run.fake.messages.shown.size(), 1);
    QCOMPARE(run.fake.messages.shown[0].message,
             (ProgramMessage{u"Archivo de sorteos importado con éxito"_s, u"Todos los sorteos"_s,
                             MessageIcon::Information}));
    QCOMPARE(folder.drawsBytes(), chosen);
    QCOMPARE(folder.bytes(u"bononume.bak"_s), old);
    QCOMPARE(source.drawsBytes(), chosen);
    QVERIFY(!folder.exists(u"bononume.tmp"_s));

    const int count = static_cast<int>(imported.size());
    FIND_CHILD(QTableView, list, run.window, u"ListView3"_s);
    QCOMPARE(list->model()->rowCount(), count);
    QCOMPARE(list->model()->index(0, 1).data().toString(),
             drawDateText(imported.last())); // newest first
    QCOMPARE(run.window.findChild<QLabel *>(u"Label12"_s)->text(),
             u"TOTAL: %1 sorteos."_s.arg(count));
    QCOMPARE(run.window.findChild<QLabel *>(u"Label9_3"_s)->text(), lastDraw);
    QCOMPARE(run.window.findChild<QScrollBar *>(u"HScroll1"_s)->maximum(), count);
    FIND_CHILD(QLabel, missingDraws, run.window, u"missingDraws"_s);
    QCOMPARE(missingDraws->text(), missing);
    QCOMPARE(!missingDraws->isHidden(), !missing.isEmpty());
    QCOMPARE(blink->isActive(), !missing.isEmpty());
}

void DrawCommandsTest::shippedHistoryIsOfferedToAnEmptyFolder_data()
{
    QTest::addColumn<bool>("load");
    QTest::newRow("Sí") << true;
    QTest::newRow("No") << false;
}

void DrawCommandsTest::shippedHistoryIsOfferedToAnEmptyFolder()
{
    QFETCH(bool, load);
    ProgramFolder folder;
    QVERIFY(folder.isValid());
    QVERIFY(QFile::copy(QString::fromUtf8(test::FixturesDir) + u"/historico_bonoloto.csv"_s,
                        folder.filePath(u"historico_bonoloto.csv"_s)));
    ProgramRun run(folder, QDate(2026, 8, 21));
    run.fake.messages.answers = {load};
    QVERIFY(run.window.startUp());

    QCOMPARE(run.fake.messages.shown[0].message,
             (ProgramMessage{u"No hay ningún sorteo guardado. ¿Quiere cargar el histórico de la "
                             u"Bonoloto que trae el programa? Son 9361 sorteos, del 28/02/1988 "
                             u"al 20/08/2026."_s,
                             u"Zafrano"_s, MessageIcon::Question}));
    QCOMPARE(folder.drawsBytes().size(), load ? 9361 * DrawRecord::Size : 0);
    FIND_CHILD(QTableView, list, run.window, u"ListView3"_s);
    QCOMPARE(list->model()->rowCount(), load ? 9361 : 0);
    QCOMPARE(run.window.findChild<QLabel *>(u"Label9_3"_s)->text().startsWith(u"Jueves, 20"_s),
             load);

    // Once draws are stored, nothing is asked.
    if (load) {
        ProgramRun again(folder, QDate(2026, 8, 21));
        QVERIFY(again.window.startUp());
        QVERIFY(again.fake.messages.shown.isEmpty());
    }
}

void DrawCommandsTest::historyCsvFromTheMenu()
{
    ProgramFolder folder;
    QVERIFY(folder.isValid());
    QVERIFY(folder.writeDraws(test::drawsUntil(QDate(2026, 3, 6), 5)));
    const QByteArray old = folder.drawsBytes();
    ProgramRun run(folder, QDate(2026, 8, 21));
    run.fake.desktop.chosenFile =
        QString::fromUtf8(test::FixturesDir) + u"/historico_bonoloto.csv"_s;
    QVERIFY(run.window.startUp());
    FIND_CHILD(QAction, importCsv, run.window, u"mnuImportarCsv"_s);
    importCsv->trigger();

    QCOMPARE(run.fake.messages.texts(), QStringList{u"Archivo de sorteos importado con éxito"_s});
    QCOMPARE(folder.drawsBytes().size(), 9361 * DrawRecord::Size);
    QCOMPARE(folder.bytes(u"bononume.bak"_s), old);
    FIND_CHILD(QTableView, list, run.window, u"ListView3"_s);
    QCOMPARE(list->model()->rowCount(), 9361);
}

void DrawCommandsTest::importRejectedLeavesDrawsAlone_data()
{
    QTest::addColumn<QByteArray>("content"); // what the chosen file holds
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QString>("message");

    const QString rejected =
        u"Fichero de sorteos no válido. Compruebe que el archivo BONONUME.DAT sea para Zafrano."_s;
    const QList<DrawRecord> good = test::drawsUntil(QDate(2026, 3, 6), 5);
    auto withDraw = [&good](qsizetype index, const DrawRecord &draw) {
        QList<DrawRecord> changed = good;
        changed[index] = draw;
        return test::drawBytes(changed);
    };
    const QDate march2(2026, 3, 2);

    // Each kind of bad file is refused by the draws file itself; here the
    // window says it and keeps its draws.
    QTest::newRow("number 50 in an old draw")
        << withDraw(1, test::makeDraw(march2, {1, 2, 3, 4, 5, 50}, 6, 1)) << true << rejected;
    QTest::newRow("file gone") << QByteArray() << false << rejected + u" Error 53"_s;
}

void DrawCommandsTest::importRejectedLeavesDrawsAlone()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, fileExists);
    QFETCH(QString, message);

    ProgramFolder source(false);
    QVERIFY(source.isValid());
    if (fileExists)
        QVERIFY(source.writeBytes(u"bononume.dat"_s, content));

    ProgramFolder folder;
    QVERIFY(folder.isValid());
    const QList<DrawRecord> stored = test::drawsUntil(QDate(2026, 12, 5), 4);
    QVERIFY(folder.writeDraws(stored));
    const QByteArray before = folder.drawsBytes();
    ProgramRun run(folder, QDate(2026, 12, 7));
    run.fake.desktop.chosenFile = source.filePath(u"bononume.dat"_s);
    QVERIFY(run.window.startUp());
    QVERIFY(run.showTab(StatisticsTab));

    FIND_CHILD(QPushButton, importButton, run.window, u"Command8"_s);
    QTest::mouseClick(importButton, Qt::LeftButton);

    QCOMPARE(run.fake.messages.shown.size(), 1);
    QCOMPARE(run.fake.messages.shown[0].message,
             (ProgramMessage{message, u"¡Vaya hombre!"_s, MessageIcon::Exclamation}));
    QCOMPARE(folder.drawsBytes(), before);
    QVERIFY(!folder.exists(u"bononume.bak"_s));
    QCOMPARE(run.window.findChild<QTableView *>(u"ListView3"_s)->model()->rowCount(), 4);
    QCOMPARE(run.window.findChild<QLabel *>(u"Label12"_s)->text(), u"TOTAL: 4 sorteos."_s);
}

void DrawCommandsTest::importWithoutFileOffersTheShop_data()
{
    QTest::addColumn<bool>("goToShop");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void DrawCommandsTest::importWithoutFileOffersTheShop()
{
    QFETCH(bool, goToShop);

    ProgramFolder folder;
    QVERIFY(folder.isValid());
    QVERIFY(folder.writeDraws(test::drawsUntil(QDate(2026, 12, 5), 3)));
    Settings settings;
    settings.setWebAddress(u"bonoloto.example.org/zafrano"_s);
    QVERIFY(folder.writeSettings(settings));
    const QByteArray before = folder.drawsBytes();
    ProgramRun run(folder, QDate(2026, 12, 7));
    QVERIFY(run.window.startUp());
    QVERIFY(run.showTab(StatisticsTab));
    run.fake.messages.answers = {goToShop};

    FIND_CHILD(QPushButton, importButton, run.window, u"Command8"_s);
    QTest::mouseClick(importButton, Qt::LeftButton);

    QCOMPARE(run.fake.messages.shown.size(), 1);
    QVERIFY(run.fake.messages.shown[0].question);
    QCOMPARE(run.fake.messages.shown[0].message,
             (ProgramMessage{u"No se ha seleccionado ningún archivo. Recuerde que puede disponer "
                             u"de TODOS LOS SORTEOS DESDE LA CREACIÓN DE LA BONOLOTO, "
                             u"obteniéndolo desde nuestra tienda virtual. ¿Quiere ir?"_s,
                             u"Zafrano"_s, MessageIcon::Question}));
    const QList<QUrl> expected =
        goToShop ? QList<QUrl>{QUrl(u"http://bonoloto.example.org/zafrano/tienda.html#Sorteos"_s)}
                 : QList<QUrl>{};
    QCOMPARE(run.fake.desktop.opened, expected);
    QCOMPARE(folder.drawsBytes(), before);
    QVERIFY(!folder.exists(u"bononume.bak"_s));
}

void DrawCommandsTest::deleteAllAndReset_data()
{
    QTest::addColumn<bool>("deleteDraws");
    QTest::addColumn<bool>("resetResults");
    QTest::addColumn<bool>("fromMenu");

    QTest::newRow("Yes, Yes") << true << true << false;
    QTest::newRow("Yes, No") << true << false << false;
    QTest::newRow("No, Yes") << false << true << false;
    QTest::newRow("No, No") << false << false << false;
    QTest::newRow("No, Yes from the menu") << false << true << true;
}

void DrawCommandsTest::deleteAllAndReset()
{
    QFETCH(bool, deleteDraws);
    QFETCH(bool, resetResults);
    QFETCH(bool, fromMenu);

    const QDate today(2026, 12, 7);
    ProgramFolder folder;
    QVERIFY(folder.isValid());
    QVERIFY(folder.writeDraws(test::drawsUntil(QDate(2026, 12, 5), 6)));
    const QList<SyndicateRecord> syndicates = {
        test::makeSyndicate(u"Bar Paco"_s, u"Todos"_s, QDate(2026, 1, 5), 3),
        test::makeSyndicate(u"Oficina"_s, u"Miércoles"_s, QDate(2026, 2, 4), 12),
        test::makeReducedSyndicate(u"Familia"_s, QDate(2026, 3, 2))};
    QVERIFY(folder.writeSyndicates(syndicates));
    const QByteArray draws = folder.drawsBytes();

    ProgramRun run(folder, today);
    QVERIFY(run.window.startUp());
    QVERIFY(run.showTab(StatisticsTab));
    FIND_CHILD(QScrollBar, drawsToCheck, run.window, u"HScroll1"_s);
    drawsToCheck->setValue(4);
    QCOMPARE(drawsToCheck->value(), 4);
    // As the checks of the start-up left them.
    const QByteArray syndicateBytes = folder.syndicatesBytes();
    const QList<QByteArray> oldRecords = test::splitRecords(syndicateBytes, SyndicateRecord::Size);
    QCOMPARE(oldRecords.size(), syndicates.size());

    run.fake.messages.answers = {deleteDraws, resetResults};
    if (fromMenu) {
        QAction *action = test::menuEntry(
            run.window, {u"General"_s, u"Borrar sorteos almacenados/Reset aciertos peñas"_s});
        QVERIFY(action);
        action->trigger();
    } else {
        FIND_CHILD(QPushButton, deleteButton, run.window, u"Command5"_s);
        QTest::mouseClick(deleteButton, Qt::LeftButton);
    }

    QCOMPARE(run.fake.messages.shown.size(), 2);
    QCOMPARE(run.fake.messages.shown[0].message, deleteQuestion(DeleteAllQuestion));
    QCOMPARE(run.fake.messages.shown[1].message, deleteQuestion(ResetQuestion));

    FIND_CHILD(QTableView, list, run.window, u"ListView3"_s);
    FIND_CHILD(QLabel, total, run.window, u"Label12"_s);
    if (deleteDraws) {
        QVERIFY(folder.exists(u"bononume.dat"_s));
        QCOMPARE(folder.drawsBytes().size(), 0);
        QCOMPARE(list->model()->rowCount(), 0);
        QCOMPARE(total->text(), u"TOTAL: 0 sorteos."_s);
        QCOMPARE(run.window.findChild<QLabel *>(u"Label9_3"_s)->text(),
                 u"Fichero de datos vacío."_s);
        QVERIFY(!drawsToCheck->isEnabled());
    } else {
        QCOMPARE(folder.drawsBytes(), draws);
        QCOMPARE(list->model()->rowCount(), 6);
        QCOMPARE(total->text(), u"TOTAL: 6 sorteos."_s);
    }

    if (resetResults) {
        const QList<QByteArray> records =
            test::splitRecords(folder.syndicatesBytes(), SyndicateRecord::Size);
        QCOMPARE(records.size(), oldRecords.size());
        // Cleared by the reset; the re-check that follows may already have moved
        // it on to the newest stored draw, which no tally counts.
        const QList<double> countedThrough = {0,
                                              deleteDraws ? 0 : test::serialOf(QDate(2026, 12, 5))};
        for (qsizetype k = 0; k < records.size(); ++k) {
            const SyndicateRecord reset = SyndicateRecord::fromBytes(records[k]);
            QVERIFY2(countedThrough.contains(reset.countedThrough),
                     qPrintable(QString::number(reset.countedThrough)));
            SyndicateRecord expected = SyndicateRecord::fromBytes(oldRecords[k]);
            expected.hits.fill(0);
            expected.countedThrough = reset.countedThrough;
            expected.createdOn = test::serialOf(today);
            QCOMPARE(reset, expected);
        }
        QCOMPARE(drawsToCheck->value(), 1);
    } else {
        QCOMPARE(folder.syndicatesBytes(), syndicateBytes);
        if (!deleteDraws)
            QCOMPARE(drawsToCheck->value(), 4);
    }
}

void DrawCommandsTest::deleteOneDrawOnlyAfterDeleteAll()
{
    ProgramFolder folder;
    QVERIFY(folder.isValid());
    const QList<DrawRecord> draws = test::drawsUntil(QDate(2026, 12, 5), 6);
    QVERIFY(folder.writeDraws(draws));
    ProgramRun run(folder, QDate(2026, 12, 7));
    QVERIFY(run.window.startUp());
    QVERIFY(run.showTab(StatisticsTab));
    FIND_CHILD(QTableView, list, run.window, u"ListView3"_s);
    FIND_CHILD(QLabel, total, run.window, u"Label12"_s);

    // Before "Borrar todos los sorteos" a click on a draw does nothing.
    test::clickCell(list, 1);
    QVERIFY(run.fake.messages.shown.isEmpty());
    QCOMPARE(folder.drawsBytes(), test::drawBytes(draws));

    run.fake.messages.answers = {false, false};
    QTest::mouseClick(run.window.findChild<QPushButton *>(u"Command5"_s), Qt::LeftButton);
    QCOMPARE(run.fake.messages.shown.size(), 2);
    QCOMPARE(folder.drawsBytes(), test::drawBytes(draws));

    // Answering No keeps the draw.
    run.fake.messages.shown.clear();
    run.fake.messages.answers = {false};
    test::clickCell(list, 1);
    QCOMPARE(run.fake.messages.shown.size(), 1);
    QCOMPARE(run.fake.messages.shown[0].message,
             deleteQuestion(u"¿Seguro que quieres eliminar este sorteo?"_s));
    QCOMPARE(folder.drawsBytes(), test::drawBytes(draws));

    // Row 1 shows the second newest draw: that one goes, nothing else.
    QList<DrawRecord> remaining = draws;
    QCOMPARE(list->model()->index(1, 1).data().toString(), drawDateText(draws[4]));
    remaining.removeAt(4);
    run.fake.messages.answers = {true};
    test::clickCell(list, 1);
    QCOMPARE(folder.drawsBytes(), test::drawBytes(remaining));
    QCOMPARE(list->model()->rowCount(), 5);
    QCOMPARE(total->text(), u"TOTAL: 5 sorteos."_s);
    QCOMPARE(run.window.findChild<QScrollBar *>(u"HScroll1"_s)->maximum(), 5);

    // The list follows the records that moved up: the first row is still the newest.
    QCOMPARE(list->model()->index(0, 1).data().toString(), drawDateText(draws[5]));
    run.fake.messages.answers = {true};
    test::clickCell(list, 0);
    remaining.removeLast();
    QCOMPARE(folder.drawsBytes(), test::drawBytes(remaining));
    QCOMPARE(list->model()->index(0, 1).data().toString(), drawDateText(draws[3]));
    QCOMPARE(run.window.findChild<QLabel *>(u"Label9_3"_s)->text(),
             u"Jueves, 3 de diciembre del 2026"_s);

    QVERIFY(!folder.exists(u"bononume.tmp"_s));
    for (const auto &shown : std::as_const(run.fake.messages.shown))
        QVERIFY(shown.question);
}

void DrawCommandsTest::aResetByMistakeIsUndoneFromItsCopy()
{
    ProgramFolder folder;
    QVERIFY(folder.isValid());
    QVERIFY(folder.writeDraws(test::drawsUntil(QDate(2026, 12, 5), 6)));
    SyndicateRecord bar = test::makeSyndicate(u"Bar Paco"_s, u"Todos"_s, QDate(2026, 1, 5), 3);
    bar.setHit(3, 41);
    bar.setHit(4, 7);
    QVERIFY(folder.writeSyndicates({bar}));
    ProgramRun run(folder, QDate(2026, 12, 7));
    QVERIFY(run.window.startUp());
    const QByteArray tallies = folder.syndicatesBytes();

    // "No" to deleting the draws, "Sí" to the reset: the tallies are gone...
    run.fake.messages.answers = {false, true};
    QAction *reset = test::menuEntry(
        run.window, {u"General"_s, u"Borrar sorteos almacenados/Reset aciertos peñas"_s});
    QVERIFY(reset);
    reset->trigger();
    QVERIFY(folder.syndicatesBytes() != tallies);

    // ...and come back in two clicks: "Restaurar copia...", where the reset's
    // copy is the newest and already chosen, then "Restaurar" and "Sí".
    QAction *restore = test::menuEntry(run.window, {u"General"_s, u"Restaurar copia..."_s});
    QVERIFY(restore);
    restore->trigger();
    auto *chooser = run.window.findChild<QDialog *>(u"RestaurarCopia"_s);
    QVERIFY(chooser);
    auto *list = chooser->findChild<QTreeWidget *>(u"lstCopias"_s);
    QVERIFY(list && list->currentItem());
    QCOMPARE(list->currentItem()->text(1), u"antes de reiniciar aciertos"_s);
    QCOMPARE(list->currentItem()->text(2), u"6 sorteos, 1 peña"_s);
    run.fake.messages.answers = {true};
    QTest::mouseClick(chooser->findChild<QPushButton *>(u"cmdRestaurar"_s), Qt::LeftButton);
    QVERIFY(run.fake.messages.unexpected.isEmpty());
    QCOMPARE(folder.syndicatesBytes(), tallies);
    QCOMPARE(run.window.data().syndicates().first().hit(3), 41);
}

void DrawCommandsTest::readOnlyFolderShowsPermissionMessage_data()
{
    QTest::addColumn<bool>("deleteDraws");
    QTest::addColumn<bool>("resetResults");
    QTest::newRow("delete all draws") << true << false;
    QTest::newRow("reset the syndicates") << false << true;
}

void DrawCommandsTest::readOnlyFolderShowsPermissionMessage()
{
    QFETCH(bool, deleteDraws);
    QFETCH(bool, resetResults);

    ProgramFolder folder;
    QVERIFY(folder.isValid());
    QVERIFY(folder.writeDraws(test::drawsUntil(QDate(2026, 12, 5), 5)));
    QVERIFY(folder.writeSyndicates(
        {test::makeSyndicate(u"Bar Paco"_s, u"Todos"_s, QDate(2026, 1, 5), 3)}));
    const QByteArray draws = folder.drawsBytes();
    ProgramRun run(folder, QDate(2026, 12, 7));
    QVERIFY(run.window.startUp());
    QVERIFY(run.showTab(StatisticsTab));
    const QByteArray syndicates = folder.syndicatesBytes();

    test::ReadOnlyFolder readOnly(folder.path());
    if (!readOnly.blocksChanges())
        QSKIP("this system lets files be created in a read-only folder");

    run.fake.messages.answers = {deleteDraws, resetResults};
    QTest::mouseClick(run.window.findChild<QPushButton *>(u"Command5"_s), Qt::LeftButton);

    QCOMPARE(run.fake.messages.shown.size(), 3);
    QCOMPARE(run.fake.messages.shown[deleteDraws ? 1 : 2].message, permissionMessage());
    QCOMPARE(run.fake.messages.shown[0].message, deleteQuestion(DeleteAllQuestion));
    QCOMPARE(run.fake.messages.shown[deleteDraws ? 2 : 1].message, deleteQuestion(ResetQuestion));
    QCOMPARE(folder.drawsBytes(), draws);
    QCOMPARE(folder.syndicatesBytes(), syndicates);
    QCOMPARE(run.window.findChild<QTableView *>(u"ListView3"_s)->model()->rowCount(), 5);
}

QTEST_MAIN(DrawCommandsTest)
#include "test_draw_commands.moc"
