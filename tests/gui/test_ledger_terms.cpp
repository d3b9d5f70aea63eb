// SPDX-License-Identifier: GPL-3.0-or-later
// The Cuentas page's pending prizes and price history through the window: a
// pending draw's prizes typed into the manual entry window, and a price
// change the treasurer dates.
#include "app/program_data.h"
#include "dialogs/manual_draw_dialog.h"
#include "dialogs/price_change_dialog.h"
#include "gui_test_support.h"
#include "ledger/ledger_store.h"
#include "store/prize_store.h"
#include "store/program_database.h"
#include "tabs/ledger_panel.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>
#include <memory>

using namespace Qt::StringLiterals;
using namespace zafrano;
using test::ProgramFolder;
using test::ProgramRun;

namespace {

const QDate Newest(2026, 12, 5);

} // namespace

class LedgerTermsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pendingDrawGetsItsPrizesInTheEntryWindow();
    void priceChangeIsDatedByTheTreasurer();

private:
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<ProgramRun> m_run;
    gui::LedgerPanel *m_panel = nullptr;
};

void LedgerTermsTest::init()
{
    m_folder = std::make_unique<ProgramFolder>();
    QVERIFY(m_folder->isValid());
    // The newest draw gives the bet 1 8 15 22 29 36 three hits.
    QList<DrawRecord> draws = test::drawsUntil(Newest, 12);
    draws.last() = test::makeDraw(Newest, {1, 8, 15, 40, 41, 42}, 43, 0);
    QVERIFY(m_folder->writeDraws(draws));
    QVERIFY(m_folder->writeSyndicates(
        {test::makeSyndicate(u"Bar Paco"_s, u"Todos"_s, QDate(2026, 11, 2), 1)}));
    m_run = std::make_unique<ProgramRun>(*m_folder, QDate(2026, 12, 7));
    QVERIFY(m_run->window.startUp());
    m_panel = test::showLedgerPage(*m_run);
    QVERIFY(m_panel);
}

void LedgerTermsTest::cleanup()
{
    m_run.reset();
    m_folder.reset();
}

void LedgerTermsTest::pendingDrawGetsItsPrizesInTheEntryWindow()
{
    FIND_CHILD(QListWidget, pending, *m_panel, u"LedgerPendingDraws"_s);
    QCOMPARE(pending->count(), 1);
    QCOMPARE(pending->item(0)->text(), u"05/12/2026"_s);
    pending->setCurrentRow(0);
    auto *window = test::formOpenedBy<gui::ManualDrawDialog>(*m_panel, u"LedgerAddPrizes"_s);
    QVERIFY(window);
    // The draw is shown as stored, not to be changed.
    FIND_CHILD(QDateEdit, date, *window, u"DrawDate"_s);
    FIND_CHILD(QSpinBox, first, *window, u"DrawNumber_0"_s);
    QCOMPARE(date->date(), Newest);
    QCOMPARE(first->value(), 1);
    QVERIFY(!date->isEnabled() && !first->isEnabled());

    FIND_CHILD(QLineEdit, threeHits, *window, u"DrawPrize_4"_s);
    threeHits->setText(u"4,50"_s);
    QVERIFY(test::closedBy(window, u"DrawSave"_s));
    QCOMPARE(m_run->fake.messages.texts(), QStringList());
    QCOMPARE(pending->count(), 0);
    Result<ProgramDatabase> db = ProgramDatabase::openIn(m_run->window.data().folder());
    QVERIFY(db);
    QCOMPARE(storedPrizes(*db, Newest).value().value().cents[4], std::optional<qint64>(450));
}

void LedgerTermsTest::priceChangeIsDatedByTheTreasurer()
{
    FIND_CHILD(QTableWidget, prices, *m_panel, u"LedgerPrices"_s);
    QCOMPARE(prices->rowCount(), 1);
    auto *form = test::formOpenedBy<gui::PriceChangeDialog>(*m_panel, u"LedgerChangePrice"_s);
    QVERIFY(form);
    FIND_CHILD(QDateEdit, since, *form, u"PriceDate"_s);
    FIND_CHILD(QLineEdit, price, *form, u"PriceAmount"_s);
    QCOMPARE(price->text(), u"0,50"_s);
    since->setDate(QDate(2026, 12, 1));
    price->setText(u"0,70"_s);
    QVERIFY(test::closedBy(form, u"PriceOk"_s));
    QCOMPARE(m_run->fake.messages.texts(), QStringList());

    QCOMPARE(prices->rowCount(), 2);
    QCOMPARE(prices->item(1, 0)->text(), u"01/12/2026"_s);
    QCOMPARE(prices->item(1, 1)->text(), u"0,70 €"_s);
    QCOMPARE(m_run->window.data().settings().pricePerBet, 0.7F);
    Result<ProgramDatabase> db = ProgramDatabase::openIn(m_run->window.data().folder());
    QVERIFY(db);
    QCOMPARE(readLedger(*db, u"Bar Paco"_s).value()->prices.size(), 2);
}

QTEST_MAIN(LedgerTermsTest)
#include "test_ledger_terms.moc"
