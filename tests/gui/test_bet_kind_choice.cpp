// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the kind of bet of a new syndicate: the chooser of "Manual" and
// "Crear peña nueva", and step 3 of the assistant with its coverage panel.
// Both end in the request the syndicate editor opens with.
#include "app/program_data.h"
#include "dialogs/bet_kind_chooser.h"
#include "gui_test_support.h"
#include "tabs/create_tab.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace zafrano;
using test::ProgramFolder;
using test::ProgramRun;

namespace {

constexpr int CreateTabIndex = 4;
const QDate Today(2026, 8, 21);

QString labelText(const QWidget &root, const QString &name)
{
    auto *label = root.findChild<QLabel *>(name);
    return label ? label->text() : u"<no "_s + name + u'>';
}

QStringList entries(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

// The shipped tables of 9 numbers are the 4th, 5th and 6th of the file.
const QStringList NineNumberTables = {u"9 números al 3, 1 apuestas."_s,
                                      u"9 números al 4, 3 apuestas."_s,
                                      u"9 números al 5, 7 apuestas."_s};

} // namespace

class BetKindChoiceTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void manualAndMenuOpenOneChooser();
    void chooserHandsOverTheKind_data();
    void chooserHandsOverTheKind();
    void stepThreeOffersKindsForTheCount_data();
    void stepThreeOffersKindsForTheCount();
    void reducedNeedsATableAndShowsItsCoverage();
    void createButtonsHandOverTheRankedNumbers_data();
    void createButtonsHandOverTheRankedNumbers();

private:
    gui::BetKindChooser *openChooser();
    void enterAssistant();
    void chooseCount(int count);

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<ProgramRun> m_run;
    QList<EditorRequest> m_requests;
};

void BetKindChoiceTest::init()
{
    m_folder = std::make_unique<ProgramFolder>();
    QVERIFY(m_folder->writeDraws(test::drawsUntil(Today.addDays(-1), 60)));
    m_run = std::make_unique<ProgramRun>(*m_folder, Today);
    QVERIFY(m_run->window.startUp());
    QVERIFY(m_run->showTab(CreateTabIndex));
    m_requests.clear();
    auto *tab = m_run->window.findChild<gui::CreateTab *>();
    QVERIFY(tab);
    connect(tab, &gui::CreateTab::editorRequested, this,
            [this](const EditorRequest &request) { m_requests.append(request); });
}

void BetKindChoiceTest::cleanup()
{
    m_run.reset();
    m_folder.reset();
}

gui::BetKindChooser *BetKindChoiceTest::openChooser()
{
    auto *manual = m_run->window.findChild<QPushButton *>(u"Command4"_s);
    if (!manual || !manual->isEnabled())
        return nullptr;
    QTest::mouseClick(manual, Qt::LeftButton);
    auto *chooser = m_run->window.findChild<gui::BetKindChooser *>(u"Creamenu"_s);
    if (!chooser || !QTest::qWaitForWindowExposed(chooser))
        return nullptr;
    connect(chooser, &gui::BetKindChooser::editorRequested, this,
            [this](const EditorRequest &request) { m_requests.append(request); });
    return chooser;
}

void BetKindChoiceTest::enterAssistant()
{
    QTest::mouseClick(m_run->window.findChild<QPushButton *>(u"Command9"_s), Qt::LeftButton);
}

void BetKindChoiceTest::chooseCount(int count)
{
    m_run->window.findChild<QSlider *>(u"Slider2"_s)->setValue(count);
}

void BetKindChoiceTest::manualAndMenuOpenOneChooser()
{
    gui::BetKindChooser *chooser = openChooser();
    QVERIFY(chooser);
    QVERIFY(chooser->isVisible());
    QCOMPARE(labelText(*chooser, u"Label1_0"_s), u"●"_s);
    // The markers roll in one by one, then the timer stops.
    QTRY_VERIFY(chooser->findChild<QLabel *>(u"Label1_17"_s)->isVisible());
    QVERIFY(!chooser->findChild<QTimer *>(u"Timer1"_s)->isActive());

    QAction *menuEntry = test::menuEntry(m_run->window, {u"General"_s, u"Crear peña nueva"_s});
    QVERIFY(menuEntry);
    menuEntry->trigger();
    QCOMPARE(m_run->window.findChildren<gui::BetKindChooser *>().size(), 1);

    // "X" closes it.
    QTest::mouseClick(chooser->findChild<QPushButton *>(u"Label3"_s), Qt::LeftButton);
    QTRY_VERIFY(m_run->window.findChildren<gui::BetKindChooser *>().isEmpty());
    QVERIFY(m_requests.isEmpty());

    // So does the player coming back to the main window once it was in front.
    chooser = openChooser();
    QVERIFY(chooser);
    chooser->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(chooser));
    m_run->window.handleActivation();
    QTRY_VERIFY(m_run->window.findChildren<gui::BetKindChooser *>().isEmpty());
}

void BetKindChoiceTest::chooserHandsOverTheKind_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("table");
    QTest::addColumn<QString>("listText");
    QTest::addColumn<QString>("entryText");

    QTest::newRow("simple") << u"Option1_1"_s << -1 << 0 << 0 << QString() << QString();
    // The third multiple is the 5-number one: kind 3, not the 9-number kind 4.
    QTest::newRow("multiple of 5") << u"Option1_0"_s << 2 << 3 << 0 << u"Seleccione Múltiple"_s
                                   << u"5 números (44 apuestas)"_s;
    QTest::newRow("multiple of 11") << u"Option1_0"_s << 5 << 6 << 0 << u"Seleccione Múltiple"_s
                                    << u"11 números (462 apuestas)"_s;
    // Every table of the file is listed: the entry is the table's index.
    QTest::newRow("reduced") << u"Option1_2"_s << 4 << 7 << 4 << u"Seleccione Reducción"_s
                             << u"9 números al 4, 3 apuestas."_s;
    QTest::newRow("last table") << u"Option1_2"_s << 33 << 7 << 33 << u"Seleccione Reducción"_s
                                << u"20 números al 4, 82 apuestas."_s;
}

void BetKindChoiceTest::chooserHandsOverTheKind()
{
    QFETCH(QString, option);
    QFETCH(int, entry);
    QFETCH(int, kind);
    QFETCH(int, table);
    QFETCH(QString, listText);
    QFETCH(QString, entryText);

    gui::BetKindChooser *chooser = openChooser();
    QVERIFY(chooser);
    auto *list = chooser->findChild<QComboBox *>(u"Combo1"_s);
    QCOMPARE(list->placeholderText(), u"Tablas de reducciones"_s);
    // On the round indicator: the rest of the row is not the button's.
    auto *radio = chooser->findChild<QRadioButton *>(option);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
    if (entry >= 0) {
        QVERIFY(m_requests.isEmpty());
        QCOMPARE(list->placeholderText(), listText);
        QCOMPARE(list->currentIndex(), -1);
        QCOMPARE(list->itemText(entry), entryText);
        emit list->activated(entry);
    }
    QCOMPARE(m_requests.size(), 1);
    QCOMPARE(m_requests[0].editorKind, kind);
    QCOMPARE(m_requests[0].reductionTableIndex, table);
    QVERIFY(!m_requests[0].numbersFromRanking);
    QCOMPARE(m_requests[0].editRecord, 0);
    // The editor takes over.
    QTRY_VERIFY(m_run->window.findChildren<gui::BetKindChooser *>().isEmpty());
}

void BetKindChoiceTest::stepThreeOffersKindsForTheCount_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("tables");
    QTest::addColumn<QString>("listText");
    QTest::addColumn<bool>("reduced");
    QTest::addColumn<bool>("simple");
    QTest::addColumn<bool>("multiple");

    const QString available = u"Tablas disponibles"_s;
    QTest::newRow("5: multiple only")
        << 5 << QStringList() << u"No hay tablas reducidas de 5 nºs."_s << false << false << true;
    QTest::newRow("6: simple only")
        << 6 << QStringList() << u"No hay tablas reducidas de 6 nºs."_s << false << true << false;
    QTest::newRow("9: tables and multiple")
        << 9 << NineNumberTables << available << true << false << true;
    QTest::newRow("12: tables only")
        << 12
        << QStringList{u"12 números al 3, 2 apuestas."_s, u"12 números al 4, 6 apuestas."_s,
                       u"12 números al 5, 38 apuestas."_s}
        << available << true << false << false;
    QTest::newRow("30: nothing") << 30 << QStringList() << u"No hay tablas reducidas de 30 nºs."_s
                                 << false << false << false;
}

void BetKindChoiceTest::stepThreeOffersKindsForTheCount()
{
    QFETCH(int, count);
    QFETCH(QStringList, tables);
    QFETCH(QString, listText);
    QFETCH(bool, reduced);
    QFETCH(bool, simple);
    QFETCH(bool, multiple);

    // Entering the tab listed the tables for 0: the hint alone.
    QCOMPARE(labelText(m_run->window, u"Label51"_s),
             u"(Para crear reducidas, se han de elegir entre 7 y 20 números)"_s);
    enterAssistant();
    auto *list = m_run->window.findChild<QComboBox *>(u"Combo1"_s);
    QVERIFY(!list->isEnabled());
    chooseCount(count);
    QVERIFY(list->isEnabled());
    QCOMPARE(entries(list), tables);
    QCOMPARE(list->placeholderText(), listText);
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(m_run->window.findChild<QPushButton *>(u"Image3_0"_s)->isEnabled(), reduced);
    QCOMPARE(m_run->window.findChild<QPushButton *>(u"Image3_1"_s)->isEnabled(), simple);
    QCOMPARE(m_run->window.findChild<QPushButton *>(u"Image3_2"_s)->isEnabled(), multiple);

    // Back at step 1 nothing is offered.
    QTest::mouseClick(m_run->window.findChild<QPushButton *>(u"Image4"_s), Qt::LeftButton);
    QVERIFY(!list->isEnabled());
    for (const QString &name : {u"Image3_0"_s, u"Image3_1"_s, u"Image3_2"_s})
        QVERIFY(!m_run->window.findChild<QPushButton *>(name)->isEnabled());
    QVERIFY(m_requests.isEmpty());
}

void BetKindChoiceTest::reducedNeedsATableAndShowsItsCoverage()
{
    enterAssistant();
    chooseCount(9);
    auto *help = m_run->window.findChild<QGroupBox *>(u"Frame9"_s);
    auto *coverage = m_run->window.findChild<QGroupBox *>(u"Frame10"_s);
    QVERIFY(help->isVisible());
    QVERIFY(!coverage->isVisible());

    QTest::mouseClick(m_run->window.findChild<QPushButton *>(u"Image3_0"_s), Qt::LeftButton);
    QCOMPARE(m_run->fake.messages.shown.size(), 1);
    QCOMPARE(m_run->fake.messages.shown[0].message,
             (ProgramMessage{u"Elija primero una tabla de reducidas en el menú desplegable."_s,
                             u"No tan deprisa!"_s, MessageIcon::Information}));
    QVERIFY(m_requests.isEmpty());
    QCOMPARE(m_run->window.findChild<QSlider *>(u"Slider2"_s)->value(), 9);

    // Picking the first table: 1 bet of the 84 of the full system.
    auto *list = m_run->window.findChild<QComboBox *>(u"Combo1"_s);
    emit list->activated(0);
    QVERIFY(!help->isVisible());
    QVERIFY(coverage->isVisible());
    QCOMPARE(labelText(m_run->window, u"Label47"_s), u"1,19%"_s);
    // Another pick recomputes everything: the second table of 9 numbers is
    // the file's fifth (index 4), 3 bets.
    emit list->activated(1);
    QCOMPARE(labelText(m_run->window, u"Label43"_s),
             u"Si entre los 9 números seleccionados, se encuentran los 6 ganadores:"_s);
    QCOMPARE(labelText(m_run->window, u"Label47"_s), u"3,57%"_s);
    QCOMPARE(labelText(m_run->window, u"Label49"_s),
             u"Jugar a 9 números sin reducir, tendría que rellenar:"_s);
    QCOMPARE(labelText(m_run->window, u"Label50"_s), u"84 apuestas."_s);
    QVERIFY(labelText(m_run->window, u"Label48"_s).startsWith(u'4'));

    QTest::mouseClick(m_run->window.findChild<QPushButton *>(u"Image3_0"_s), Qt::LeftButton);
    QCOMPARE(m_requests.size(), 1);
    QCOMPARE(m_requests[0].editorKind, EditorKind::Reduced);
    QCOMPARE(m_requests[0].reductionTableIndex, 4);
    QVERIFY(m_requests[0].numbersFromRanking);
    QCOMPARE(m_requests[0].numbers, m_run->window.data().rankedNumbers().mid(0, 9));
    // The assistant went back to step 1.
    QCOMPARE(m_run->window.findChild<QSlider *>(u"Slider2"_s)->value(), 0);
    QVERIFY(help->isVisible());
    QVERIFY(!coverage->isVisible());
    QVERIFY(m_run->window.findChild<QWidget *>(u"Check3_3"_s)->isEnabled());
}

void BetKindChoiceTest::createButtonsHandOverTheRankedNumbers_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("kind");

    QTest::newRow("simple of 6") << 6 << u"Image3_1"_s << 0;
    QTest::newRow("multiple of 5") << 5 << u"Image3_2"_s << 3;
    QTest::newRow("multiple of 7") << 7 << u"Image3_2"_s << 1;
    QTest::newRow("multiple of 11") << 11 << u"Image3_2"_s << 6;
}

void BetKindChoiceTest::createButtonsHandOverTheRankedNumbers()
{
    QFETCH(int, count);
    QFETCH(QString, button);
    QFETCH(int, kind);

    enterAssistant();
    chooseCount(count);
    const QList<int> ranked = m_run->window.data().rankedNumbers().mid(0, count);
    QCOMPARE(ranked.size(), count);
    QTest::mouseClick(m_run->window.findChild<QPushButton *>(button), Qt::LeftButton);
    QCOMPARE(m_requests.size(), 1);
    QCOMPARE(m_requests[0].editorKind, kind);
    QCOMPARE(m_requests[0].reductionTableIndex, 0);
    QVERIFY(m_requests[0].numbersFromRanking);
    QCOMPARE(m_requests[0].numbers, ranked);
    QCOMPARE(m_run->window.findChild<QSlider *>(u"Slider2"_s)->value(), 0);
    QVERIFY(m_run->fake.messages.shown.isEmpty());
}

QTEST_MAIN(BetKindChoiceTest)
#include "test_bet_kind_choice.moc"
