// SPDX-License-Identifier: GPL-3.0-or-later
// The buttons of the "Cuentas" page that hand the account out: the statement
// in the print preview and the two CSV files.
#include "app/program_data.h"
#include "gui_test_support.h"
#include "ledger/ledger_store.h"
#include "store/program_database.h"
#include "tabs/ledger_panel.h"

#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <memory>

using namespace Qt::StringLiterals;
using namespace zafrano;
using test::ProgramFolder;
using test::ProgramRun;

namespace {

constexpr int SyndicatesTab = 2;

} // namespace

class LedgerPanelTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void statementIsOfThePenaOrOfThePickedMember();
    void csvFilesAreSavedWhereChosenOrTheFailureSaid();

private:
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<ProgramRun> m_run;
    gui::LedgerPanel *m_panel = nullptr;
};

void LedgerPanelTest::init()
{
    m_folder = std::make_unique<ProgramFolder>();
    QVERIFY(m_folder->isValid());
    QVERIFY(m_folder->writeDraws(test::drawsUntil(QDate(2026, 12, 5), 12)));
    QVERIFY(m_folder->writeSyndicates(
        {test::makeSyndicate(u"Bar Paco"_s, u"Todos"_s, QDate(2026, 11, 2), 1)}));
    m_run = std::make_unique<ProgramRun>(*m_folder, QDate(2026, 12, 7));
    QVERIFY(m_run->window.startUp() && m_run->showTab(SyndicatesTab));
    m_panel = m_run->window.findChild<gui::LedgerPanel *>(u"Cuentas"_s);
    QVERIFY(m_panel);
    // The page opened the account on start-up; Ana joins it.
    Result<ProgramDatabase> db = ProgramDatabase::openIn(m_run->window.data().folder());
    QVERIFY(db);
    QVERIFY(addMember(*db, u"Bar Paco"_s, {u"Ana"_s, 2, QDate(2026, 11, 2), {}}));
    QVERIFY(addMovement(*db, u"Bar Paco"_s,
                        {0, MovementKind::Contribution, u"Ana"_s, 1250, QDate(2026, 11, 3), {}}));
    m_panel->showSyndicate(1);
}

void LedgerPanelTest::cleanup()
{
    m_run.reset();
    m_folder.reset();
}

void LedgerPanelTest::statementIsOfThePenaOrOfThePickedMember()
{
    FIND_CHILD(QPushButton, print, *m_panel, u"LedgerStatement"_s);
    print->click();
    FIND_CHILD(QTableWidget, members, *m_panel, u"LedgerMembers"_s);
    members->setCurrentCell(0, 0);
    print->click();
    const QList<ReportDocument> &reports = m_run->fake.desktop.reports;
    QCOMPARE(reports.size(), 2);
    QCOMPARE(reports[0].title, u"Cuentas de la peña Bar Paco"_s);
    QVERIFY(reports[0].html.contains(u"Toda la peña"_s));
    QVERIFY(!reports[1].html.contains(u"Toda la peña"_s));
    QVERIFY(reports[1].html.contains(u"<b>Ana</b>"_s));
    QVERIFY(m_run->fake.messages.shown.isEmpty());
}

void LedgerPanelTest::csvFilesAreSavedWhereChosenOrTheFailureSaid()
{
    m_run->fake.desktop.savedFile = m_folder->filePath(u"movimientos.csv"_s);
    m_panel->findChild<QPushButton *>(u"LedgerMovementsCsv"_s)->click();
    QVERIFY(m_folder->bytes(u"movimientos.csv"_s).startsWith("Fecha;Tipo;Miembro;Importe;Nota"));
    QVERIFY(m_folder->bytes(u"movimientos.csv"_s).contains("12,50"));

    m_run->fake.desktop.savedFile = m_folder->filePath(u"no-existe/sorteos.csv"_s);
    m_panel->findChild<QPushButton *>(u"LedgerDrawsCsv"_s)->click();
    const QStringList texts = m_run->fake.messages.texts();
    QCOMPARE(texts.size(), 2);
    QVERIFY(texts[0].startsWith(u"Guardado en "_s));
    QVERIFY(texts[1].startsWith(u"No se ha podido guardar "_s));
}

QTEST_MAIN(LedgerPanelTest)
#include "test_ledger_panel.moc"
