// SPDX-License-Identifier: GPL-3.0-or-later
// The "Cuentas" page through the window: each form filled and accepted, and
// the buttons that hand the account out (the statement in the print
// preview and the two CSV files).
#include "app/program_data.h"
#include "dialogs/closed_accounts_dialog.h"
#include "dialogs/ledger_dialogs.h"
#include "dialogs/ledger_history_dialog.h"
#include "gui_test_support.h"
#include "ledger/ledger_store.h"
#include "store/program_database.h"
#include "tabs/ledger_panel.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>
#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;
using namespace zafrano;
using test::ProgramFolder;
using test::ProgramRun;

namespace {

constexpr int SyndicatesTab = 2;
const QDate Today(2026, 12, 7);

} // namespace

class LedgerPanelTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void memberFormsAddEditAndRemove();
    void movementFormTakesTheEurosAsTyped();
    void reintegroFormSetsTheDigit();
    void statementIsOfThePenaOrOfThePickedMember();
    void csvFilesAreSavedWhereChosenOrTheFailureSaid();
    void movementIsCorrectedAfterAskingAndInTheHistory();
    void memberAddedByMistakeIsDeletedOnlyWithoutMovements();
    void reintegroIsClearedAfterAsking();
    void closedAccountsListHasTheirStatements();
    void pageShowsWhatAnotherProgramChanged();

private:
    // The form that the page's button opened, or nullptr.
    template <typename Form> Form *formOf(const QString &button);
    // Presses the form's OK; true when it closed.
    bool accepted(QDialog *form, const QString &ok);
    LedgerBook book() const;
    // zafrano.db as another program opens it.
    std::optional<ProgramDatabase> database() const;
    // The questions asked so far, and the messages shown that were not questions.
    int questions() const;
    QStringList said() const;

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
    m_run = std::make_unique<ProgramRun>(*m_folder, Today);
    QVERIFY(m_run->window.startUp() && m_run->showTab(SyndicatesTab));
    m_panel = m_run->window.findChild<gui::LedgerPanel *>(u"Cuentas"_s);
    QVERIFY(m_panel);
    FIND_CHILD(QTabWidget, pages, m_run->window, u"SyndicatePages"_s);
    pages->setCurrentWidget(m_panel);
    QTRY_VERIFY(m_panel->isVisible());
    // Shown, the page opened the account; Ana joins it.
    Result<ProgramDatabase> db = ProgramDatabase::openIn(m_run->window.data().folder());
    QVERIFY(db);
    QVERIFY(addMember(*db, u"Bar Paco"_s, {u"Ana"_s, 2, QDate(2026, 11, 2), {}}, Today));
    QVERIFY(addMovement(*db, u"Bar Paco"_s,
                        {0, MovementKind::Contribution, u"Ana"_s, 1250, QDate(2026, 11, 3), {}},
                        Today));
    m_panel->showSyndicate(1);
}

void LedgerPanelTest::cleanup()
{
    m_run.reset();
    m_folder.reset();
}

template <typename Form> Form *LedgerPanelTest::formOf(const QString &button)
{
    auto *press = m_panel->findChild<QPushButton *>(button);
    if (!press || !press->isEnabled())
        return nullptr;
    press->click();
    auto *form = m_panel->findChild<Form *>();
    return form && form->isVisible() ? form : nullptr;
}

bool LedgerPanelTest::accepted(QDialog *form, const QString &ok)
{
    QPointer<QDialog> open = form;
    auto *button = form->findChild<QPushButton *>(ok);
    if (!button)
        return false;
    button->click();
    return QTest::qWaitFor([&] { return !open; });
}

LedgerBook LedgerPanelTest::book() const
{
    Result<ProgramDatabase> db = ProgramDatabase::openIn(m_run->window.data().folder());
    return db ? readLedger(*db, u"Bar Paco"_s).value().value_or(LedgerBook()) : LedgerBook();
}

void LedgerPanelTest::memberFormsAddEditAndRemove()
{
    auto *add = formOf<gui::MemberDialog>(u"LedgerAddMember"_s);
    QVERIFY(add);
    FIND_CHILD(QLineEdit, name, *add, u"MemberName"_s);
    FIND_CHILD(QSpinBox, shares, *add, u"MemberShares"_s);
    FIND_CHILD(QDateEdit, from, *add, u"MemberDate"_s);
    // Ana joined on the peña's creation: the next founding member is offered that day.
    QCOMPARE(from->date(), QDate(2026, 11, 2));
    // A name taken is refused and the form stays as typed.
    name->setText(u"Ana"_s);
    add->findChild<QPushButton *>(u"MemberOk"_s)->click();
    QCOMPARE(m_run->fake.messages.texts(),
             QStringList{u"Ya hay un miembro llamado «Ana» en la peña."_s});
    QVERIFY(add->isVisible());
    name->setText(u"Luis"_s);
    shares->setValue(3);
    from->setDate(QDate(2026, 11, 20));
    QVERIFY(accepted(add, u"MemberOk"_s));
    QCOMPARE(book().members.size(), 2);
    QCOMPARE(book().members[1].shares, 3);
    QCOMPARE(book().members[1].joined, QDate(2026, 11, 20));

    FIND_CHILD(QTableWidget, members, *m_panel, u"LedgerMembers"_s);
    members->setCurrentCell(1, 0);
    auto *edit = formOf<gui::MemberDialog>(u"LedgerEditMember"_s);
    QVERIFY(edit);
    FIND_CHILD(QLineEdit, newName, *edit, u"MemberName"_s);
    QCOMPARE(newName->text(), u"Luis"_s);
    newName->setText(u"Luisa"_s);
    QVERIFY(accepted(edit, u"MemberOk"_s));
    QCOMPARE(book().members[1].name, u"Luisa"_s);

    members->setCurrentCell(1, 0);
    auto *leave = formOf<gui::MemberDialog>(u"LedgerRemoveMember"_s);
    QVERIFY(leave);
    FIND_CHILD(QDateEdit, on, *leave, u"MemberDate"_s);
    on->setDate(QDate(2026, 12, 1));
    m_run->fake.messages.answers.append(true);
    QVERIFY(accepted(leave, u"MemberOk"_s));
    QCOMPARE(book().members[1].left, QDate(2026, 12, 1));
}

void LedgerPanelTest::movementFormTakesTheEurosAsTyped()
{
    auto *form = formOf<gui::MovementDialog>(u"LedgerAddMovement"_s);
    QVERIFY(form);
    FIND_CHILD(QComboBox, kind, *form, u"MovementKind"_s);
    FIND_CHILD(QComboBox, member, *form, u"MovementMember"_s);
    FIND_CHILD(QLineEdit, amount, *form, u"MovementAmount"_s);
    FIND_CHILD(QDateEdit, date, *form, u"MovementDate"_s);
    FIND_CHILD(QLineEdit, note, *form, u"MovementNote"_s);
    kind->setCurrentIndex(1); // "Reparto"
    QCOMPARE(member->currentText(), u"Ana"_s);
    amount->setText(u"doce"_s);
    form->findChild<QPushButton *>(u"MovementOk"_s)->click();
    QCOMPARE(m_run->fake.messages.shown.size(), 1);
    QVERIFY(form->isVisible());
    amount->setText(u"7,25"_s);
    // Typed as a treasurer types it: a day after today's day of the month too.
    date->setFocus();
    date->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClicks(date, u"25112026"_s);
    QCOMPARE(date->date(), QDate(2026, 11, 25));
    note->setText(u"Premio del 3"_s);
    QVERIFY(accepted(form, u"MovementOk"_s));
    const QList<LedgerMovement> movements = book().movements;
    QCOMPARE(movements.size(), 2);
    QCOMPARE(movements[1].kind, MovementKind::Payout);
    QCOMPARE(movements[1].member, u"Ana"_s);
    QCOMPARE(movements[1].cents, 725);
    QCOMPARE(movements[1].date, QDate(2026, 11, 25));
    QCOMPARE(movements[1].note, u"Premio del 3"_s);
    FIND_CHILD(QTableWidget, shown, *m_panel, u"LedgerMovements"_s);
    QCOMPARE(shown->rowCount(), 2);
}

void LedgerPanelTest::reintegroFormSetsTheDigit()
{
    auto *form = formOf<gui::ReintegroDialog>(u"LedgerReintegro"_s);
    QVERIFY(form);
    FIND_CHILD(QSpinBox, digit, *form, u"ReintegroDigit"_s);
    FIND_CHILD(QDateEdit, since, *form, u"ReintegroDate"_s);
    digit->setValue(7);
    since->setDate(QDate(2026, 11, 2));
    QVERIFY(accepted(form, u"ReintegroOk"_s));
    QVERIFY(book().reintegro);
    QCOMPARE(book().reintegro->digit, 7);
    QCOMPARE(book().reintegro->since, QDate(2026, 11, 2));
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
    QCOMPARE(reports[1].title, u"Cuentas de Ana en la peña Bar Paco"_s);
    QVERIFY(reports[1].html.contains(u"Cómo se llega al saldo"_s));
    QVERIFY(m_run->fake.messages.shown.isEmpty());
}

void LedgerPanelTest::csvFilesAreSavedWhereChosenOrTheFailureSaid()
{
    m_run->fake.desktop.savedFile = m_folder->filePath(u"movimientos.csv"_s);
    m_panel->findChild<QPushButton *>(u"LedgerMovementsCsv"_s)->click();
    QVERIFY(m_folder->bytes(u"movimientos.csv"_s)
                .startsWith("\xEF\xBB\xBF"
                            "Fecha;Tipo;Miembro;Importe;Nota"));
    QVERIFY(m_folder->bytes(u"movimientos.csv"_s).contains("12,50"));

    m_run->fake.desktop.savedFile = m_folder->filePath(u"no-existe/sorteos.csv"_s);
    m_panel->findChild<QPushButton *>(u"LedgerDrawsCsv"_s)->click();
    const QStringList texts = m_run->fake.messages.texts();
    QCOMPARE(texts.size(), 2);
    QVERIFY(texts[0].startsWith(u"Guardado en "_s));
    QVERIFY(texts[1].startsWith(u"No se ha podido guardar "_s));
}

std::optional<ProgramDatabase> LedgerPanelTest::database() const
{
    Result<ProgramDatabase> db = ProgramDatabase::openIn(m_run->window.data().folder());
    return db ? std::optional<ProgramDatabase>(std::move(db).value()) : std::nullopt;
}

int LedgerPanelTest::questions() const
{
    const auto &shown = m_run->fake.messages.shown;
    return static_cast<int>(
        std::count_if(shown.begin(), shown.end(), [](const auto &s) { return s.question; }));
}

QStringList LedgerPanelTest::said() const
{
    QStringList texts;
    for (const auto &s : m_run->fake.messages.shown) {
        if (!s.question)
            texts.append(s.message.text);
    }
    return texts;
}

void LedgerPanelTest::movementIsCorrectedAfterAskingAndInTheHistory()
{
    FIND_CHILD(QTableWidget, movements, *m_panel, u"LedgerMovements"_s);
    movements->setCurrentCell(0, 0);
    auto *form = formOf<gui::MovementDialog>(u"LedgerEditMovement"_s);
    QVERIFY(form);
    FIND_CHILD(QLineEdit, amount, *form, u"MovementAmount"_s);
    FIND_CHILD(QLineEdit, note, *form, u"MovementNote"_s);
    QCOMPARE(amount->text(), u"12,50"_s);
    amount->setText(u"15"_s);
    note->setText(u"noviembre"_s);
    m_run->fake.messages.answers.append(true);
    QVERIFY(accepted(form, u"MovementOk"_s));
    QCOMPARE(questions(), 1);
    QCOMPARE(book().movements.size(), 1);
    QCOMPARE(book().movements[0].cents, 1500);
    QCOMPARE(movements->item(0, 3)->text(), u"15,00 €"_s);

    auto *history = formOf<gui::LedgerHistoryDialog>(u"LedgerHistory"_s);
    QVERIFY(history);
    FIND_CHILD(QTableWidget, list, *history, u"LedgerHistoryList"_s);
    QCOMPARE(list->item(0, 1)->text(),
             u"Movimiento corregido: Aportación de Ana, 12,50 € del 03/11/2026 → Aportación de "
             u"Ana, 15,00 € del 03/11/2026 («noviembre»)."_s);
}

void LedgerPanelTest::memberAddedByMistakeIsDeletedOnlyWithoutMovements()
{
    QVERIFY(addMember(*database(), u"Bar Paco"_s, {u"Luis"_s, 1, QDate(2026, 12, 1), {}}, Today));
    m_panel->showSyndicate(1);
    FIND_CHILD(QTableWidget, members, *m_panel, u"LedgerMembers"_s);
    FIND_CHILD(QPushButton, remove, *m_panel, u"LedgerDeleteMember"_s);
    members->setCurrentCell(0, 0); // Ana has paid in
    m_run->fake.messages.answers = {true, true};
    remove->click();
    QCOMPARE(said(),
             QStringList{u"«Ana» tiene movimientos en las cuentas y no se puede borrar. Quite "
                         u"antes sus movimientos, o dele de baja."_s});
    members->setCurrentCell(1, 0);
    remove->click();
    QCOMPARE(questions(), 2);
    QCOMPARE(book().members.size(), 1);
    QCOMPARE(members->rowCount(), 1);
}

void LedgerPanelTest::reintegroIsClearedAfterAsking()
{
    QVERIFY(setReintegro(*database(), u"Bar Paco"_s, 4, QDate(2026, 11, 2), Today));
    m_panel->showSyndicate(1);
    auto *form = formOf<gui::ReintegroDialog>(u"LedgerReintegro"_s);
    QVERIFY(form);
    QPointer<QDialog> open = form;
    FIND_CHILD(QPushButton, clear, *form, u"ReintegroClear"_s);
    m_run->fake.messages.answers.append(true);
    clear->click();
    QTRY_VERIFY(!open);
    QCOMPARE(questions(), 1);
    QVERIFY(!book().reintegro);
}

void LedgerPanelTest::closedAccountsListHasTheirStatements()
{
    {
        std::optional<ProgramDatabase> db = database();
        QVERIFY(db);
        const SyndicateRecord old =
            test::makeSyndicate(u"Peña Vieja"_s, u"Todos"_s, QDate(2026, 11, 2), 1);
        QVERIFY(keepLedgerTerms(*db, old, 50, Today));
        QVERIFY(addMember(*db, u"Peña Vieja"_s, {u"Rosa"_s, 1, QDate(2026, 11, 2), {}}, Today));
        QVERIFY(closeLedger(*db, u"Peña Vieja"_s, QDate(2026, 12, 1)));
    }
    auto *list = formOf<gui::ClosedAccountsDialog>(u"LedgerClosedAccounts"_s);
    QVERIFY(list);
    FIND_CHILD(QTableWidget, accounts, *list, u"ClosedAccountsList"_s);
    QCOMPARE(accounts->rowCount(), 1);
    QCOMPARE(accounts->item(0, 0)->text(), u"Peña Vieja"_s);
    QCOMPARE(accounts->item(0, 2)->text(), u"01/12/2026"_s);
    FIND_CHILD(QComboBox, member, *list, u"ClosedAccountsMember"_s);
    QCOMPARE(member->count(), 2);
    list->findChild<QPushButton *>(u"ClosedAccountsStatement"_s)->click();
    member->setCurrentIndex(1);
    list->findChild<QPushButton *>(u"ClosedAccountsStatement"_s)->click();
    const QList<ReportDocument> &reports = m_run->fake.desktop.reports;
    QCOMPARE(reports.size(), 2);
    QCOMPARE(reports[0].title, u"Cuentas de la peña Peña Vieja"_s);
    QVERIFY(reports[0].html.contains(u"Cuentas cerradas"_s));
    QCOMPARE(reports[1].title, u"Cuentas de Rosa en la peña Peña Vieja"_s);
}

void LedgerPanelTest::pageShowsWhatAnotherProgramChanged()
{
    FIND_CHILD(QTableWidget, movements, *m_panel, u"LedgerMovements"_s);
    QCOMPARE(movements->rowCount(), 1);
    QVERIFY(addMovement(*database(), u"Bar Paco"_s,
                        {0, MovementKind::Contribution, u"Ana"_s, 500, QDate(2026, 12, 1), {}},
                        Today));
    QTRY_COMPARE(movements->rowCount(), 2);
}

QTEST_MAIN(LedgerPanelTest)
#include "test_ledger_panel.moc"
