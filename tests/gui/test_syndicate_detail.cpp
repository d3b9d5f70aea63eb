// SPDX-License-Identifier: GPL-3.0-or-later
// The syndicate detail of "Gestor de peñas", its copy in the report database,
// the two reports, and what a missing, damaged or locked database does.
#include "app/program_data.h"
#include "app/syndicate_commands.h"
#include "common/texts.h"
#include "gui_test_support.h"
#include "reports/report_database.h"

#include <QChartView>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QtTest>
#include <memory>

using namespace Qt::StringLiterals;
using namespace zafrano;
using test::ProgramFolder;
using test::ProgramRun;

namespace {

constexpr int SyndicatesTab = 2;

// A multiple of 8 numbers, a reduced syndicate and a simple one on Saturdays.
QList<SyndicateRecord> threeKinds()
{
    SyndicateRecord eight = test::makeSyndicate(u"Bar Paco"_s, u"Todos"_s, QDate(2026, 11, 2), 1);
    eight.betCount = 502;
    eight.bets[0] = {3, 8, 15, 22, 31, 38, 42, 47};
    return {eight, test::makeReducedSyndicate(u"Oficina"_s, QDate(2026, 11, 2)),
            test::makeSyndicate(u"Familia"_s, u"Sábado"_s, QDate(2026, 11, 2), 2)};
}

QString text(const QObject &root, const QString &name)
{
    auto *label = root.findChild<QLabel *>(name);
    return label ? label->text() : u"<no "_s + name + u'>';
}

ReportRow reportRow(const ProgramFolder &folder, const QString &table)
{
    Result<ReportTables> tables = ReportDatabase(folder.filePath(u"Zafrano.mdb"_s)).readAll();
    return tables ? tables->value(table).value(0) : ReportRow{};
}

const QString FileChanged = u"Un archivo necesario para el funcionamiento del programa ha sido "
                            u"modificado o eliminado. Reinstale el programa. Error "_s;

} // namespace

class SyndicateDetailTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstSyndicateIsShownAtStartUp();
    void pickingARowShowsItsDetailAndRemembersIt();
    void statisticsAreCopiedForTheirReport();
    void reportButtonsPreviewTheirReports();
    void missingLayoutSaysTheReportCannotBeShown();
    void emptySyndicatesFileShowsNoDetail();
    void brokenDatabaseEndsTheProgram_data();
    void brokenDatabaseEndsTheProgram();
    void databaseDeletedWhileRunningClosesTheWindow();
    void lockedDatabaseIsSaidOnceAndTheProgramGoesOn();

private:
    bool start();

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<ProgramRun> m_run;
};

void SyndicateDetailTest::init()
{
    m_folder = std::make_unique<ProgramFolder>();
    QVERIFY(m_folder->isValid());
    // Twelve draws up to Saturday 5 December 2026: two Saturdays since creation.
    QVERIFY(m_folder->writeDraws(test::drawsUntil(QDate(2026, 12, 5), 12)));
    QVERIFY(m_folder->writeSyndicates(threeKinds()));
    Settings settings;
    settings.pricePerBet = 0.5f;
    settings.maxMonths = 12;
    QVERIFY(m_folder->writeSettings(settings));
}

void SyndicateDetailTest::cleanup()
{
    m_run.reset();
    m_folder.reset();
}

bool SyndicateDetailTest::start()
{
    m_run = std::make_unique<ProgramRun>(*m_folder, QDate(2026, 12, 7));
    return m_run->window.startUp() && m_run->showTab(SyndicatesTab);
}

void SyndicateDetailTest::firstSyndicateIsShownAtStartUp()
{
    QVERIFY(start());
    const QWidget &window = m_run->window;
    FIND_CHILD(QListWidget, bets, window, u"ListView5"_s);
    QCOMPARE(bets->count(), 1);
    QCOMPARE(bets->item(0)->text(), u"3 - 8-15-22-31-38-42-47"_s);
    QCOMPARE(text(window, u"Label28"_s), u"-Apuesta múltiple de 8 nºs."_s);
    // 28 bets every draw of the week, seven draws a week in 2026, at 0,5 euros.
    QCOMPARE(text(window, u"Label37"_s), u"98,00 euros."_s);
    QCOMPARE(text(window, u"Label3_0"_s), u"4"_s);
    QCOMPARE(text(window, u"Label3_3"_s), u"1"_s);
    QCOMPARE(text(window, u"Label17"_s), u"12"_s);
    QCOMPARE(text(window, u"Label16"_s), u"50 %"_s);
    QVERIFY(window.findChild<QChartView *>(u"MSChart3"_s));
    // Nothing is picked until the player picks.
    QCOMPARE(m_run->window.syndicateCommands().selectedSyndicate(), 0);
    QCOMPARE(reportRow(*m_folder, u"Peña"_s).value(u"Nombre"_s), u"Bar Paco"_s);
}

void SyndicateDetailTest::pickingARowShowsItsDetailAndRemembersIt()
{
    QVERIFY(start());
    const QWidget &window = m_run->window;
    FIND_CHILD(QTableView, list, window, u"ListView1"_s);
    test::clickCell(list, 1);
    QCOMPARE(m_run->window.syndicateCommands().selectedSyndicate(), 2);
    QCOMPARE(text(window, u"Label28"_s), u"-Reducida de 8 nºs al 4:"_s);
    QCOMPARE(text(window, u"Label29"_s), u"3-9-14-22-27-31-40-45"_s);
    QCOMPARE(window.findChild<QListWidget *>(u"ListView5"_s)->count(), 3);

    test::clickCell(list, 2);
    QCOMPARE(text(window, u"Label28"_s), u"-Apuestas sencillas."_s);
    QCOMPARE(text(window, u"Label17"_s), u"2"_s);
    QCOMPARE(text(window, u"Label37"_s), u"1,00 euros."_s);
    const ReportRow row = reportRow(*m_folder, u"Peña"_s);
    QCOMPARE(row.value(u"Nombre"_s), u"Familia"_s);
    QCOMPARE(row.value(u"Diasajugar"_s), u"Sábado"_s);
    QCOMPARE(row.value(u"Sorteos"_s), u"2"_s);
    QCOMPARE(row.value(u"Aciertos"_s), text(window, u"Label16"_s));
    QVERIFY(m_run->fake.messages.shown.isEmpty());
}

void SyndicateDetailTest::statisticsAreCopiedForTheirReport()
{
    QVERIFY(start());
    gui::ProgramData &data = m_run->window.data();
    QCOMPARE(reportRow(*m_folder, u"Informe"_s).value(u"Frase"_s), data.listing().newestEntryText);
    const ReportRow selection = reportRow(*m_folder, u"Sorteos"_s);
    QCOMPARE(selection.value(u"Total"_s), u"12"_s);
    QCOMPARE(selection.value(u"Dia2"_s), u"05/12/2026"_s);
    QCOMPARE(selection.value(u"Diasajugar"_s), u"Todos."_s);

    data.rankNumbers(6);
    Result<ReportTables> tables = ReportDatabase(m_folder->filePath(u"Zafrano.mdb"_s)).readAll();
    QVERIFY(tables);
    const QList<ReportRow> numbers = tables->value(u"Numeros"_s);
    QCOMPARE(numbers.size(), 6);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(numbers[i].value(u"Numero"_s).toInt(), data.chosenNumbers()[i].number);
}

void SyndicateDetailTest::reportButtonsPreviewTheirReports()
{
    QVERIFY(start());
    FIND_CHILD(QToolButton, syndicateReport, m_run->window, u"Image2_0"_s);
    syndicateReport->click();
    QCOMPARE(m_run->fake.desktop.reports.size(), 1);
    QCOMPARE(m_run->fake.desktop.reports[0].title, u"Informe de la peña Bar Paco"_s);
    QVERIFY(m_run->fake.desktop.reports[0].html.contains(u"3 - 8-15-22-31-38-42-47"_s));

    FIND_CHILD(QPushButton, statistics, m_run->window, u"Image2_1"_s);
    QVERIFY(statistics->isEnabled());
    m_run->window.data().rankNumbers(5);
    statistics->click();
    QCOMPARE(m_run->fake.desktop.reports.size(), 2);
    QCOMPARE(m_run->fake.desktop.reports[1].title, u"Informe estadístico"_s);
    const RankedNumber first = m_run->window.data().chosenNumbers().first();
    QVERIFY(m_run->fake.desktop.reports[1].html.contains(u"<b>%1</b>"_s.arg(first.number)));
    QVERIFY(m_run->fake.messages.shown.isEmpty());
}

void SyndicateDetailTest::missingLayoutSaysTheReportCannotBeShown()
{
    QVERIFY(start());
    QVERIFY(QFile::remove(m_folder->filePath(u"Zafrano.net"_s)));
    m_run->window.findChild<QToolButton *>(u"Image2_0"_s)->click();
    QVERIFY(m_run->fake.desktop.reports.isEmpty());
    QCOMPARE(m_run->fake.messages.shown.size(), 1);
    QCOMPARE(m_run->fake.messages.shown[0].message,
             (ProgramMessage{u"Error 53. No es posible mostrar el informe. Si el error persiste, "
                             u"reinstalar el programa puede ser la solución."_s,
                             u"Error"_s, MessageIcon::Information}));
    QVERIFY(m_run->window.isVisible());
}

void SyndicateDetailTest::emptySyndicatesFileShowsNoDetail()
{
    QVERIFY(m_folder->writeSyndicates({}));
    QVERIFY(start());
    const QWidget &window = m_run->window;
    QCOMPARE(text(window, u"Label28"_s), u"Sin datos"_s);
    QCOMPARE(text(window, u"Label17"_s), u"-"_s);
    QCOMPARE(text(window, u"Label16"_s), u"-"_s);
    QCOMPARE(window.findChild<QListWidget *>(u"ListView5"_s)->count(), 0);
    QVERIFY(!window.findChild<QPushButton *>(u"Image2_1"_s)->isEnabled());
    QCOMPARE(reportRow(*m_folder, u"Peña"_s).value(u"Nombre"_s), QString());
}

void SyndicateDetailTest::brokenDatabaseEndsTheProgram_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("number");
    QTest::newRow("missing") << QByteArray() << u"-14"_s;
    QTest::newRow("not a database") << QByteArray(8192, 'z') << u"-26"_s;
}

void SyndicateDetailTest::brokenDatabaseEndsTheProgram()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, number);
    QVERIFY(QFile::remove(m_folder->filePath(u"Zafrano.mdb"_s)));
    if (!contents.isEmpty())
        QVERIFY(m_folder->writeBytes(u"Zafrano.mdb"_s, contents));
    const QByteArray syndicates = m_folder->syndicatesBytes();
    const QByteArray draws = m_folder->drawsBytes();

    m_run = std::make_unique<ProgramRun>(*m_folder, QDate(2026, 12, 7));
    QVERIFY(!m_run->window.startUp());
    QCOMPARE(m_run->fake.messages.shown.size(), 1);
    QCOMPARE(m_run->fake.messages.shown[0].message,
             (ProgramMessage{FileChanged + number, u"¡Vaya hombre!"_s, MessageIcon::Exclamation}));
    // Nothing else is lost or made.
    QCOMPARE(m_folder->syndicatesBytes(), syndicates);
    QCOMPARE(m_folder->drawsBytes(), draws);
    QCOMPARE(m_folder->exists(u"Zafrano.mdb"_s), !contents.isEmpty());
}

void SyndicateDetailTest::databaseDeletedWhileRunningClosesTheWindow()
{
    QVERIFY(start());
    QVERIFY(QFile::remove(m_folder->filePath(u"Zafrano.mdb"_s)));
    test::clickCell(m_run->window.findChild<QTableView *>(u"ListView1"_s), 1);
    QVERIFY(!m_run->fake.messages.shown.isEmpty());
    QCOMPARE(m_run->fake.messages.shown[0].message.text, FileChanged + u"-14"_s);
    QTRY_VERIFY(!m_run->window.isVisible());
    QVERIFY(!m_folder->exists(u"Zafrano.mdb"_s));
}

void SyndicateDetailTest::lockedDatabaseIsSaidOnceAndTheProgramGoesOn()
{
    QVERIFY(start());
    test::ReadOnlyFolder readOnly(m_folder->path());
    if (!readOnly.blocksChanges())
        QSKIP("this system lets files be created in a read-only folder");
    FIND_CHILD(QTableView, list, m_run->window, u"ListView1"_s);
    test::clickCell(list, 1);
    test::clickCell(list, 2);
    QCOMPARE(m_run->fake.messages.texts(), QStringList{texts::permissionDenied().text});
    // The detail is shown all the same.
    QCOMPARE(text(m_run->window, u"Label28"_s), u"-Apuestas sencillas."_s);
    QCOMPARE(m_run->window.syndicateCommands().selectedSyndicate(), 3);
    // Its report would print the syndicate the database still holds.
    m_run->fake.messages.shown.clear();
    m_run->window.findChild<QToolButton *>(u"Image2_0"_s)->click();
    QVERIFY(m_run->fake.desktop.reports.isEmpty());
    QCOMPARE(m_run->fake.messages.shown.size(), 1);
    QCOMPARE(m_run->fake.messages.shown[0].message.title, u"Error de permiso"_s);
    // The statistics it holds are still the ones on show.
    m_run->window.findChild<QPushButton *>(u"Image2_1"_s)->click();
    QCOMPARE(m_run->fake.desktop.reports.size(), 1);
    // Until a ranking cannot be copied either.
    m_run->window.data().rankNumbers(6);
    m_run->window.findChild<QPushButton *>(u"Image2_1"_s)->click();
    QCOMPARE(m_run->fake.desktop.reports.size(), 1);
    QTest::qWait(50);
    QVERIFY(m_run->window.isVisible());
}

QTEST_MAIN(SyndicateDetailTest)
#include "test_syndicate_detail.moc"
