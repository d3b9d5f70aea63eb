// SPDX-License-Identifier: GPL-3.0-or-later
// The buttons of "Gestor de peñas" on the syndicate picked in the list:
// delete, edit and print, with and without a selection.
#include "app/program_data.h"
#include "app/syndicate_commands.h"
#include "common/texts.h"
#include "gui_test_support.h"
#include "ledger/ledger_store.h"
#include "store/program_database.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>
#include <memory>

using namespace Qt::StringLiterals;
using namespace zafrano;
using test::ProgramFolder;
using test::ProgramRun;

namespace {

constexpr int SyndicatesTab = 2;

const ProgramMessage SelectFirst{u"Seleccione una peña primero..."_s, u"¡Nooooo!"_s,
                                 MessageIcon::Information};

QList<SyndicateRecord> threeSyndicates()
{
    return {test::makeSyndicate(u"Bar Paco"_s, u"Todos"_s, QDate(2026, 1, 5), 3),
            test::makeSyndicate(u"Oficina"_s, u"Miércoles"_s, QDate(2026, 2, 4), 12),
            test::makeReducedSyndicate(u"Familia"_s, QDate(2026, 3, 2))};
}

} // namespace

class SyndicateCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void buttonsNeedASelection_data();
    void buttonsNeedASelection();
    void deleteMiddleSyndicate_data();
    void deleteMiddleSyndicate();
    void deleteOnlySyndicateLeavesEmptyFile();
    void editWarnsOnlyForReducedSyndicate_data();
    void editWarnsOnlyForReducedSyndicate();
    void printOpensForSelectedSyndicate();
    void deleteInReadOnlyFolderShowsPermissionMessage();
    void selectionSurvivesRebuildsAndFollowsTheKeyboard();

private:
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<ProgramRun> m_run;
    QTableView *m_list = nullptr;
};

void SyndicateCommandsTest::init()
{
    m_folder = std::make_unique<ProgramFolder>();
    QVERIFY(m_folder->isValid());
    QVERIFY(m_folder->writeDraws(test::drawsUntil(QDate(2026, 12, 5), 4)));
    QVERIFY(m_folder->writeSyndicates(threeSyndicates()));
    m_run = std::make_unique<ProgramRun>(*m_folder, QDate(2026, 12, 7));
    QVERIFY(m_run->window.startUp());
    QVERIFY(m_run->showTab(SyndicatesTab));
    m_list = m_run->window.findChild<QTableView *>(u"ListView1"_s);
    QVERIFY(m_list);
    QCOMPARE(m_list->model()->rowCount(), 3);
}

void SyndicateCommandsTest::cleanup()
{
    m_run.reset();
    m_folder.reset();
}

void SyndicateCommandsTest::buttonsNeedASelection_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("Eliminar peña") << u"Command3"_s;
    QTest::newRow("Editar Peña") << u"Command7"_s;
    QTest::newRow("Imprimir boletos") << u"Command2"_s;
}

void SyndicateCommandsTest::buttonsNeedASelection()
{
    QFETCH(QString, button);
    const QByteArray before = m_folder->syndicatesBytes();
    QSignalSpy editor(&m_run->window.syndicateCommands(), &gui::SyndicateCommands::editorRequested);
    QSignalSpy printing(&m_run->window.syndicateCommands(),
                        &gui::SyndicateCommands::printingRequested);

    FIND_CHILD(QPushButton, pressed, m_run->window, button);
    QVERIFY(pressed->isEnabled());
    QTest::mouseClick(pressed, Qt::LeftButton);

    QCOMPARE(m_run->fake.messages.shown.size(), 1);
    QCOMPARE(m_run->fake.messages.shown[0].message, SelectFirst);
    QCOMPARE(m_folder->syndicatesBytes(), before);
    QCOMPARE(editor.size(), 0);
    QCOMPARE(printing.size(), 0);
}

void SyndicateCommandsTest::deleteMiddleSyndicate_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<bool>("keepAccount");
    QTest::newRow("Yes, keeping the account") << true << true;
    QTest::newRow("Yes, dropping the account") << true << false;
    QTest::newRow("No") << false << true;
}

void SyndicateCommandsTest::deleteMiddleSyndicate()
{
    QFETCH(bool, confirm);
    QFETCH(bool, keepAccount);
    const QByteArray before = m_folder->syndicatesBytes();
    const QList<QByteArray> oldRecords = test::splitRecords(before, SyndicateRecord::Size);

    test::clickCell(m_list, 1);
    // The "Cuentas" page, shown, opens the account of the syndicate picked.
    FIND_CHILD(QTabWidget, pages, m_run->window, u"SyndicatePages"_s);
    pages->setCurrentIndex(1);
    QTRY_VERIFY(pages->currentWidget()->isVisible());
    m_run->fake.messages.answers = {confirm};
    if (confirm)
        m_run->fake.messages.answers.append(keepAccount);
    QTest::mouseClick(m_run->window.findChild<QPushButton *>(u"Command3"_s), Qt::LeftButton);

    QCOMPARE(m_run->fake.messages.shown.size(), confirm ? 2 : 1);
    QCOMPARE(m_run->fake.messages.shown[0].message,
             (ProgramMessage{u"¿Seguro que quieres eliminar la Peña Oficina?"_s, u"Borrar..."_s,
                             MessageIcon::Question}));
    Result<ProgramDatabase> db = ProgramDatabase::openIn(m_run->window.data().folder());
    QVERIFY(db);
    Result<std::optional<LedgerBook>> account = readLedger(*db, u"Oficina"_s);
    QVERIFY(account);
    if (!confirm) {
        QVERIFY(account->has_value() && !(*account)->closedOn.isValid());
        QCOMPARE(m_folder->syndicatesBytes(), before);
        QCOMPARE(m_list->model()->rowCount(), 3);
        return;
    }
    QCOMPARE(test::splitRecords(m_folder->syndicatesBytes(), SyndicateRecord::Size),
             (QList<QByteArray>{oldRecords[0], oldRecords[2]}));
    QVERIFY(!m_folder->exists(u"bonoapu.tmp"_s));
    QCOMPARE(m_list->model()->rowCount(), 2);
    QCOMPARE(m_list->model()->index(1, 0).data().toString(), u"Familia"_s);
    QCOMPARE(m_run->window.findChild<QLabel *>(u"Label9_2"_s)->text(), u"2"_s);
    QCOMPARE(m_run->fake.messages.shown[1].message.text,
             u"¿Quiere conservar las cuentas de la peña?"_s);
    QCOMPARE(account->has_value(), keepAccount);
    if (keepAccount)
        QCOMPARE((*account)->closedOn, QDate(2026, 12, 7));

    // The deleted syndicate's place is not taken over by the next one.
    m_run->fake.messages.shown.clear();
    QTest::mouseClick(m_run->window.findChild<QPushButton *>(u"Command3"_s), Qt::LeftButton);
    QCOMPARE(m_run->fake.messages.shown.size(), 1);
    QCOMPARE(m_run->fake.messages.shown[0].message, SelectFirst);
    QCOMPARE(test::splitRecords(m_folder->syndicatesBytes(), SyndicateRecord::Size).size(), 2);
}

void SyndicateCommandsTest::deleteOnlySyndicateLeavesEmptyFile()
{
    // Each syndicate picked on the "Cuentas" page has its account, kept at its deletion.
    FIND_CHILD(QTabWidget, pages, m_run->window, u"SyndicatePages"_s);
    pages->setCurrentIndex(1);
    for (const QString &name : {u"Bar Paco"_s, u"Oficina"_s, u"Familia"_s}) {
        test::clickCell(m_list, 0);
        m_run->fake.messages.answers = {true, true};
        QTest::mouseClick(m_run->window.findChild<QPushButton *>(u"Command3"_s), Qt::LeftButton);
        QCOMPARE(m_run->fake.messages.shown.at(m_run->fake.messages.shown.size() - 2).message.text,
                 u"¿Seguro que quieres eliminar la Peña "_s + name + u'?');
    }
    QVERIFY(m_folder->exists(u"bonoapu.dat"_s));
    QCOMPARE(m_folder->syndicatesBytes().size(), 0);
    QCOMPARE(m_list->model()->index(0, 0).data().toString(), u"VACÍO"_s);
    QVERIFY(!m_run->window.findChild<QPushButton *>(u"Command3"_s)->isEnabled());
}

void SyndicateCommandsTest::editWarnsOnlyForReducedSyndicate_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("warned");
    QTest::newRow("simple") << 1 << false;
    QTest::newRow("reduced") << 2 << true;
}

void SyndicateCommandsTest::editWarnsOnlyForReducedSyndicate()
{
    QFETCH(int, row);
    QFETCH(bool, warned);
    const QByteArray before = m_folder->syndicatesBytes();
    QSignalSpy editor(&m_run->window.syndicateCommands(), &gui::SyndicateCommands::editorRequested);

    test::clickCell(m_list, row);
    QTest::mouseClick(m_run->window.findChild<QPushButton *>(u"Command7"_s), Qt::LeftButton);

    if (warned) {
        QCOMPARE(m_run->fake.messages.shown.size(), 1);
        QCOMPARE(m_run->fake.messages.shown[0].message,
                 (ProgramMessage{u"Si modifica algún número de esta peña, dejará de ser Reducida "
                                 u"y pasará a ser de apuestas sencillas."_s,
                                 u"Atención!"_s, MessageIcon::Information}));
    } else {
        QVERIFY(m_run->fake.messages.shown.isEmpty());
    }
    QCOMPARE(editor.size(), 1);
    QCOMPARE(editor[0][0].toInt(), row + 1);
    QCOMPARE(m_folder->syndicatesBytes(), before);
}

void SyndicateCommandsTest::printOpensForSelectedSyndicate()
{
    QSignalSpy printing(&m_run->window.syndicateCommands(),
                        &gui::SyndicateCommands::printingRequested);
    test::clickCell(m_list, 2);
    QTest::mouseClick(m_run->window.findChild<QPushButton *>(u"Command2"_s), Qt::LeftButton);
    QVERIFY(m_run->fake.messages.shown.isEmpty());
    QCOMPARE(printing.size(), 1);
    QCOMPARE(printing[0][0].toInt(), 3);
}

void SyndicateCommandsTest::deleteInReadOnlyFolderShowsPermissionMessage()
{
    const QByteArray before = m_folder->syndicatesBytes();
    test::ReadOnlyFolder readOnly(m_folder->path());
    if (!readOnly.blocksChanges())
        QSKIP("this system lets files be created in a read-only folder");

    // The pick's detail could not be copied to the report database either;
    // that is said once for the run, and the program goes on.
    test::clickCell(m_list, 0);
    m_run->fake.messages.shown.clear();
    m_run->fake.messages.answers = {true};
    QTest::mouseClick(m_run->window.findChild<QPushButton *>(u"Command3"_s), Qt::LeftButton);

    QCOMPARE(m_run->fake.messages.shown.size(), 2);
    QCOMPARE(m_run->fake.messages.shown[1].message, texts::permissionDenied());
    QCOMPARE(m_folder->syndicatesBytes(), before);
    QCOMPARE(m_list->model()->rowCount(), 3);
}

void SyndicateCommandsTest::selectionSurvivesRebuildsAndFollowsTheKeyboard()
{
    gui::SyndicateCommands &commands = m_run->window.syndicateCommands();
    auto *kind = m_run->window.findChild<QLabel *>(u"Label28"_s);
    QVERIFY(kind);

    // The arrow keys pick as a click does: the selection and the detail.
    test::clickCell(m_list, 0);
    QTest::keyClick(m_list, Qt::Key_Down);
    QTest::keyClick(m_list, Qt::Key_Down);
    QCOMPARE(commands.selectedSyndicate(), 3);
    QCOMPARE(kind->text().left(10), u"-Reducida "_s);

    // A check that rewrites the tallies rebuilds the list; the pick stays.
    QList<DrawRecord> draws = test::drawsUntil(QDate(2026, 12, 5), 4);
    draws << test::makeDraw(QDate(2026, 12, 7), {1, 2, 3, 4, 5, 6}, 7, 0);
    QVERIFY(m_folder->writeDraws(draws));
    m_run->window.data().refreshCalendar();
    m_run->window.data().runCheckingCycle();
    QCOMPARE(commands.selectedSyndicate(), 3);
    QCOMPARE(m_list->selectionModel()->selectedRows().value(0).row(), 2);
    QCOMPARE(kind->text().left(10), u"-Reducida "_s);
}

QTEST_MAIN(SyndicateCommandsTest)
#include "test_syndicate_commands.moc"
