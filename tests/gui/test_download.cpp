// SPDX-License-Identifier: GPL-3.0-or-later
// The download in the real window against our fixture operator on 127.0.0.1:
// the picture starts it, the draws are appended and checked, the indicator
// lights for a prize, and "Último sorteo" shows the prizes and the document.
#include "app/program_data.h"
#include "dialogs/manual_draw_dialog.h"
#include "dialogs/news_window.h"
#include "dialogs/prize_history_dialog.h"
#include "gui_test_support.h"
#include "main/download_commands.h"
#include "main/news_commands.h"
#include "net/draw_intake.h"
#include "operator_fixture_server.h"
#include "tabs/last_draw_tab.h"
#include "tabs/results_panel.h"
#include "test_paths.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

// The draws stored before the download: the newest on Friday 4 December
// 2026, so the fixture's search page has three new ones (5, 6 and 7 December).
QList<DrawRecord> storedDraws()
{
    return drawsUntil(QDate(2026, 12, 4), 6);
}

// Plays every day; its bet has five of the numbers drawn on 7 December.
SyndicateRecord fiveOnMonday()
{
    SyndicateRecord syndicate = makeSyndicate(u"LA PEÑA"_s, u"Todos"_s, QDate(2026, 11, 1), 1);
    syndicate.bets[0] = {1, 10, 12, 34, 38, 49};
    syndicate.countedThrough = serialOf(QDate(2026, 12, 4));
    return syndicate;
}

constexpr int Patience = 20'000; // a hang, not a measure of speed

// The requests the server saw until it answered a probe sent now: what the
// window asked for before is in it, a request it never sent is not.
QStringList requestsUpToProbe(const fixture::OperatorFixtureServer &server)
{
    QNetworkAccessManager network;
    std::unique_ptr<QNetworkReply> probe(
        network.get(QNetworkRequest(server.baseUrl().resolved(QUrl(u"/sonda"_s)))));
    QDeadlineTimer deadline(Patience);
    while (!probe->isFinished() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return server.requests();
}

} // namespace

class DownloadTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aDownloadAppendsChecksAndShowsThePrizes();
    void aDrawTypedByHandIsChecked();
    void aDocumentThatCannotBeReplacedIsNotShown();
    void aWrongComputerDateSendsNoRequest();
    void theLastDrawTabAndTheNewsWaitForTheDownload();
    void newsAtStartUpIsShownAndMayMoveTheMakersAddress();
    void pastPrizesComeMonthByMonthAndCancelKeepsTheMonthsRead();

private:
    std::unique_ptr<fixture::OperatorFixtureServer> m_server;
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<ProgramRun> m_run;
};

void DownloadTest::init()
{
    m_server = std::make_unique<fixture::OperatorFixtureServer>();
    QVERIFY(m_server->loadPages(QDir(QString::fromUtf8(FixturesDir)).filePath(u"operator"_s)));
    QVERIFY(m_server->listen());
    qputenv("ZAFRANO_OPERATOR_URL", m_server->baseUrl().toString().toUtf8());
    m_folder = std::make_unique<ProgramFolder>();
    QVERIFY(m_folder->writeDraws(storedDraws()));
    QVERIFY(m_folder->writeSyndicates({fiveOnMonday()}));
    m_run = std::make_unique<ProgramRun>(*m_folder, QDate(2026, 12, 8));
    QVERIFY(m_run->window.startUp());
    QVERIFY(m_run->showTab(0));
}

void DownloadTest::cleanup()
{
    m_run.reset();
    m_folder.reset();
    m_server.reset();
}

void DownloadTest::aDownloadAppendsChecksAndShowsThePrizes()
{
    gui::MainWindow &window = m_run->window;
    FIND_CHILD(QToolButton, button, window, u"Picture2"_s);
    FIND_CHILD(QProgressBar, progress, window, u"ProgressBar1"_s);
    FIND_CHILD(QLabel, status, window, u"Label6"_s);
    FIND_CHILD(QLabel, bytes, window, u"Label58"_s);
    FIND_CHILD(QLabel, notice, window, u"Label59"_s);
    FIND_CHILD(QTabWidget, tabs, window, u"SSTab1"_s);
    FIND_CHILD(QScrollBar, drawsToCheck, window, u"HScroll1"_s);
    // Before any download the prize tab says the data are not there.
    FIND_CHILD(QPlainTextEdit, message, window, u"Text1"_s);
    QVERIFY(message->toPlainText().contains(u"aún no están disponibles"_s));
    // The service refuses this client: the HTML road brings the draws, quietly.
    m_server->jsonBehaviour = fixture::Behaviour::HttpError;
    m_server->jsonErrorStatus = 403;
    // One syndicate chosen: the download still checks them all.
    FIND_CHILD(QComboBox, filter, window, u"Combo2"_s);
    filter->setCurrentIndex(1);
    emit filter->activated(1);

    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(status->text(), u"CONECTANDO AL SERVIDOR"_s);
    QCOMPARE(progress->value(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(progress->value(), 5, Patience);
    QCOMPARE(status->text(), u"TRANSFERENCIA FINALIZADA"_s);
    QVERIFY(bytes->text().endsWith(u" Bytes"_s));
    QVERIFY(m_run->fake.messages.shown.isEmpty());

    QCOMPARE(m_folder->drawsBytes().size(), (6 + 3) * DrawRecord::Size);
    QCOMPARE(notice->text(), u"3 sorteos"_s);
    QCOMPARE(drawsToCheck->value(), 3);
    QVERIFY(window.findChild<gui::ResultsPanel *>()->prizeIndicatorRunning());
    QCOMPARE(filter->currentIndex(), 0);
    QCOMPARE(tabs->currentIndex(), 0);

    // The prize document comes on its own after the draws.
    FIND_CHILD(QScrollArea, viewer, window, u"WebBrowser1"_s);
    tabs->setCurrentIndex(1);
    QTRY_VERIFY_WITH_TIMEOUT(viewer->isVisible(), Patience);
    QVERIFY(!message->isVisible());
    FIND_CHILD(QLabel, page, window, u"PdfPage_0"_s);
    // The document's red band is drawn on the page.
    const QImage drawn = page->pixmap().toImage();
    bool red = false;
    for (int y = 0; y < drawn.height() / 4 && !red; ++y) {
        const QColor color = drawn.pixelColor(drawn.width() / 2, y);
        red = color.red() > 150 && color.green() < 80;
    }
    QVERIFY(red);
    QVERIFY(m_folder->bytes(u"tuv.pdf"_s).startsWith("%PDF"));
    FIND_CHILD(QLabel, first, window, u"Label10_0"_s);
    FIND_CHILD(QLabel, last, window, u"Label10_4"_s);
    QCOMPARE(first->text(), u"612.345,67"_s);
    QCOMPARE(last->text(), u"4,00"_s);
    FIND_CHILD(QLabel, heading, window, u"Label8"_s);
    QCOMPARE(heading->text(), u"-Informe del Lunes, 7 de diciembre del 2026"_s);
}

void DownloadTest::aDrawTypedByHandIsChecked()
{
    gui::MainWindow &window = m_run->window;
    QAction *entry = window.menuBar()->findChild<QAction *>(u"mnuAnadirSorteo"_s);
    QVERIFY(entry);
    entry->trigger();
    FIND_CHILD(gui::ManualDrawDialog, dialog, window, u"AddDrawWindow"_s);
    QVERIFY(dialog->isVisible());
    FIND_CHILD(QDateEdit, date, *dialog, u"DrawDate"_s);
    FIND_CHILD(QPushButton, save, *dialog, u"DrawSave"_s);
    const int numbers[] = {38, 1, 12, 34, 10, 2}; // five of the syndicate's bet
    for (int i = 0; i < 6; ++i) {
        FIND_CHILD(QSpinBox, box, *dialog, u"DrawNumber_"_s + QString::number(i));
        box->setValue(numbers[i]);
    }
    FIND_CHILD(QSpinBox, complementario, *dialog, u"DrawComplementario"_s);
    complementario->setValue(7);
    FIND_CHILD(QLineEdit, fiveHits, *dialog, u"DrawPrize_2"_s);
    fiveHits->setText(u"1.234,56"_s);

    // Not after the newest stored draw (4 December): said, nothing appended.
    const QByteArray before = m_folder->drawsBytes();
    date->setDate(QDate(2026, 12, 3));
    save->click();
    QCOMPARE(m_run->fake.messages.shown.size(), 1);
    QVERIFY(m_run->fake.messages.shown[0].message.text.contains(u"posterior"_s));
    QCOMPARE(m_folder->drawsBytes(), before);
    QVERIFY(dialog->isVisible());

    date->setDate(QDate(2026, 12, 7));
    save->click();
    QCOMPARE(m_run->fake.messages.shown.size(), 1);
    QCOMPARE(m_folder->drawsBytes().size(), before.size() + DrawRecord::Size);
    QVERIFY(window.findChild<gui::ResultsPanel *>()->prizeIndicatorRunning());
    FIND_CHILD(QLabel, shown, window, u"Label10_2"_s);
    QCOMPARE(shown->text(), u"1.234,56"_s);
}

void DownloadTest::aDocumentThatCannotBeReplacedIsNotShown()
{
    // The draw page of this download, and the document of an earlier one.
    QVERIFY(m_folder->writeBytes(u"bonowww2.txt"_s, '"' + m_server->drawPage + "\"\r\n"));
    QVERIFY(m_folder->writeBytes(u"tuv.pdf"_s, m_server->document));
    auto *tab = m_run->window.findChild<gui::LastDrawTab *>();
    QVERIFY(tab);
    {
        const ReadOnlyFolder readOnly(m_folder->path());
        if (!readOnly.blocksChanges())
            QSKIP("this machine lets the folder be written");
        tab->showReport(true);
        // The document was never asked for.
        QCOMPARE(requestsUpToProbe(*m_server), QStringList{u"/sonda"_s});
    }
    QVERIFY(tab->messageShown());
    FIND_CHILD(QPlainTextEdit, message, m_run->window, u"Text1"_s);
    QVERIFY(message->toPlainText().contains(u"aún no están disponibles"_s));
}

void DownloadTest::aWrongComputerDateSendsNoRequest()
{
    m_run->fake.clock.day = QDate(2026, 12, 1);
    m_run->window.downloadCommands().start();
    QCOMPARE(m_run->fake.messages.shown.size(), 1);
    QCOMPARE(m_run->fake.messages.shown[0].message.title, u"Error de fechas"_s);
    QVERIFY(!m_run->window.downloadCommands().running());
    QCOMPARE(requestsUpToProbe(*m_server), QStringList{u"/sonda"_s});
}

void DownloadTest::theLastDrawTabAndTheNewsWaitForTheDownload()
{
    FIND_CHILD(QTabWidget, tabs, m_run->window, u"SSTab1"_s);
    FIND_CHILD(QPushButton, showNews, m_run->window, u"Command6"_s);
    gui::NewsCommands &news = m_run->window.newsCommands();
    showNews->click();
    QVERIFY(news.newsShown());
    news.closeNews();

    m_server->behaviour = fixture::Behaviour::Silent;
    m_run->window.downloadCommands().start();
    QVERIFY(m_run->window.downloadCommands().running());
    tabs->setCurrentIndex(1);
    QCOMPARE(tabs->currentIndex(), 0);
    // Sent back to "Crear Combinación", the assistant stays where it was.
    tabs->setCurrentIndex(4);
    FIND_CHILD(QPushButton, automatic, m_run->window, u"Command9"_s);
    automatic->click();
    tabs->setCurrentIndex(1);
    QCOMPARE(tabs->currentIndex(), 4);
    QVERIFY(!automatic->isVisibleTo(tabs));
    showNews->click();
    QVERIFY(!news.newsShown());
}

void DownloadTest::newsAtStartUpIsShownAndMayMoveTheMakersAddress()
{
    m_run.reset();
    QByteArray news = "<html><body><h1>Noticias</h1><!-- web:nuevo.zafrano.es> -->";
    while (news.size() < 400)
        news += "<p>Ya est\xe1 disponible la nueva versi\xf3n del programa.</p>";
    m_server->news = news + "</body></html>";
    qputenv("ZAFRANO_NEWS_URL", (m_server->baseUrl().toString() + u"/binforme.dat"_s).toUtf8());
    // The newest draw is five days old and a syndicate exists: the news is fetched.
    m_run = std::make_unique<ProgramRun>(*m_folder, QDate(2026, 12, 8));
    QVERIFY(m_run->window.startUp());
    qunsetenv("ZAFRANO_NEWS_URL");
    gui::NewsCommands &newsCommands = m_run->window.newsCommands();
    QTRY_VERIFY_WITH_TIMEOUT(newsCommands.newsShown(), Patience);
    auto *window = m_run->window.findChild<gui::NewsWindow *>(u"Infor"_s);
    QVERIFY(window && window->showsPage());
    QCOMPARE(m_folder->bytes(u"informe.dat"_s), m_server->news);
    QCOMPARE(m_folder->bytes(u"bnums.ini"_s).mid(18, 60).trimmed(), QByteArray("nuevo.zafrano.es"));

    // While the news is up, the download picture does nothing.
    m_run->window.downloadCommands().start();
    QVERIFY(!m_run->window.downloadCommands().running());
    QCOMPARE(m_server->requests(), QStringList{u"/binforme.dat"_s});
}

void DownloadTest::pastPrizesComeMonthByMonthAndCancelKeepsTheMonthsRead()
{
    // The stored draws of 29 November to 4 December 2026 have no prizes.
    gui::MainWindow &window = m_run->window;
    const auto jsonRequests = [this] {
        return requestsUpToProbe(*m_server).filter(u"/servicios/buscadorSorteos"_s);
    };
    const auto known = [&window](QDate date) {
        const Result<std::optional<DrawPrizes>> kept = prizesOfDraw(window.data().folder(), date);
        return kept && kept.value().has_value();
    };
    QAction *entry = menuEntry(window, {u"General"_s, u"Bajar premios de sorteos anteriores..."_s});
    QVERIFY(entry);
    entry->trigger();
    FIND_CHILD(gui::PrizeHistoryDialog, dialog, window, u"BajarPremios"_s);
    FIND_CHILD(QLabel, month, *dialog, u"lblMesPremios"_s);
    FIND_CHILD(QProgressBar, bar, *dialog, u"barPremios"_s);
    FIND_CHILD(QPushButton, cancel, *dialog, u"cmdCancelarPremios"_s);
    QVERIFY(dialog->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(bar->value(), 1, Patience);
    QCOMPARE(month->text(), u"Leyendo los premios de noviembre de 2026 (1 de 2)..."_s);
    // In the pause before December's request.
    cancel->click();
    QVERIFY(!dialog->isVisible());
    QVERIFY(known(QDate(2026, 11, 30)));
    QVERIFY(!known(QDate(2026, 12, 4)));
    QCOMPARE(jsonRequests().size(), 1);
    QVERIFY(m_run->fake.messages.shown.isEmpty());

    // Again: only December is asked, and the end is said; "Último sorteo"
    // shows the newest draw's prizes that came.
    FIND_CHILD(QLabel, lastDrawPrize, window, u"Label10_4"_s);
    QVERIFY(lastDrawPrize->text().isEmpty());
    entry->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(m_run->fake.messages.shown.size(), 1, Patience);
    QCOMPARE(m_run->fake.messages.shown[0].message.text,
             u"Se han guardado los premios de 1 mes."_s);
    QVERIFY(known(QDate(2026, 12, 4)));
    QVERIFY(!lastDrawPrize->text().isEmpty());
    const QStringList asked = jsonRequests();
    QCOMPARE(asked.size(), 2);
    QVERIFY(asked[1].contains(u"fechaInicioInclusiva=20261201&fechaFinInclusiva=20261208"_s));
    QVERIFY(!window.findChild<gui::PrizeHistoryDialog *>() ||
            !window.findChild<gui::PrizeHistoryDialog *>()->isVisible());
}

QTEST_MAIN(DownloadTest)
#include "test_download.moc"
