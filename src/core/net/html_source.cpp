// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/html_source.h"

#include "net/draw_intake.h"
#include "net/operator_site.h"
#include "net/prize_report.h"
#include "store/record_file.h"

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

// A page shorter than this is no answer of the site.
constexpr qsizetype MinPageChars = 100;
// Ticks after the search page's transfer ended without an answer before the
// road gives up, and the ticks the transfer itself may take: a page still
// arriving over a slow but working link is waited for, up to that cap.
constexpr int NoConnectionTicks = 5;
constexpr int SlowServerTicks = 30;

} // namespace

HtmlResultsSource::HtmlResultsSource(QNetworkAccessManager &network, const DataFolder &folder,
                                     const QUrl &operatorBase, int timeoutMs, qint64 maxBytes,
                                     QObject *parent)
    : ResultsSource(parent), m_folder(folder), m_base(operatorBase),
      m_searchFetch(network, timeoutMs, maxBytes), m_drawFetch(network, timeoutMs, maxBytes)
{
    connect(&m_searchFetch, &PageFetch::finished, this, &HtmlResultsSource::searchPageArrived);
    connect(&m_drawFetch, &PageFetch::finished, this, &HtmlResultsSource::drawPageArrived);
}

void HtmlResultsSource::start(QDate, QDate today)
{
    cancel();
    reset();
    m_today = today;
    m_tickCount = 0;
    m_transferTicks = 0;
    m_byteTotal = 0;
    m_readFailed = false;
    m_drawLinkDate = {};
    m_step = Step::AwaitingSearchPage;
    m_searchFetch.start(searchPageUrl(m_base, today));
}

void HtmlResultsSource::cancel()
{
    m_searchFetch.cancel();
    m_drawFetch.cancel();
    m_step = Step::Idle;
}

void HtmlResultsSource::searchPageArrived()
{
    if (m_step != Step::AwaitingSearchPage)
        return;
    if (!m_searchFetch.errorText().isEmpty()) {
        refuse(notConnectedMessage());
        return;
    }
    // Without a draw link this stays the page the prize report is given.
    m_drawPage = m_searchFetch.page();
    m_byteTotal += m_drawPage.size();
    m_byteCount = QString::number(m_byteTotal);
    if (m_drawPage.size() > MinPageChars)
        m_stage = SourceStage::Searching;
    emit stateChanged();
}

void HtmlResultsSource::drawPageArrived()
{
    if (m_step != Step::AwaitingDrawPage)
        return;
    // A draw page that failed counts as an empty one: the draws are in, and
    // the prize report says its data are not there yet.
    m_drawPage = m_drawFetch.errorText().isEmpty() ? m_drawFetch.page() : QByteArray();
    m_byteTotal += m_drawPage.size();
    m_byteCount = u"%1 Bytes"_s.arg(m_byteTotal);
    emit stateChanged();
}

void HtmlResultsSource::tick()
{
    if (m_step == Step::Idle || m_step == Step::PagesIn)
        return;
    if (m_step == Step::AwaitingSearchPage && m_searchFetch.busy()) {
        // Still arriving: a slow link is not a lost one, up to the transfer's cap.
        if (++m_transferTicks == SlowServerTicks) {
            refuse({u"Problemas con el servidor. Tarda en responder. Pruebe más tarde..."_s,
                    u"Error de conexión"_s, MessageIcon::Exclamation});
            return;
        }
        emit stateChanged();
        return;
    }
    ++m_tickCount;
    if (m_tickCount == NoConnectionTicks && m_stage == SourceStage::Connecting) {
        refuse(notConnectedMessage());
        return;
    }
    // The requests do not block, so the search page is read once, when it
    // has come and while the road still waits for it.
    if (m_step == Step::AwaitingSearchPage && m_stage == SourceStage::Searching) {
        readSearchPage();
        // A refusal, or draws the download would not take in, end the road.
        if (m_step == Step::Idle)
            return;
    }
    if (m_step == Step::SearchPageRead) {
        m_step = Step::AwaitingDrawPage;
        if (!m_drawLink.isEmpty()) {
            m_drawFetch.start(drawPageUrl(m_base, m_drawLink));
            m_tickCount = 0;
        }
    }
    // A draw page that trickles in for ever is given up like a failed one.
    if (m_step == Step::AwaitingDrawPage && m_drawFetch.busy() && m_tickCount >= SlowServerTicks) {
        m_drawFetch.cancel();
        drawPageArrived();
    }
    if (m_step == Step::AwaitingDrawPage && !m_drawFetch.busy())
        end();
    else
        emit stateChanged();
}

void HtmlResultsSource::readSearchPage()
{
    m_tickCount = 0;
    m_step = Step::SearchPageRead;
    const QString pagePath = m_folder.filePath(QString::fromUtf16(DataFolder::SavedPageName));
    const QByteArray savedBytes = savedPageBytes(m_searchFetch.page());
    if (Status saved = replaceFileAtomically(pagePath, pagePath + u".tmp"_s, savedBytes); !saved) {
        refuse(saved.error().message);
        return;
    }
    m_stage = SourceStage::Analysing;
    emit stateChanged();
    // The link is the newest listed draw's on every read, so that a second
    // download of the run shows its own draw's page.
    Result<PageParse> parse = readResultsPage(m_folder, savedBytes, {}, m_today.year());
    if (!parse) {
        refuse(parse.error().message);
        return;
    }
    m_drawLink = parse->drawLink;
    m_drawLinkDate = parse->drawLinkDate;
    m_readFailed = parse->parseFailed();
    SourceAnswer answer;
    answer.draws = parse->fetchedDraws();
    answer.outcome = parse->outcome;
    answer.drawCount = parse->newDrawCount;
    answer.message = parse->message;
    m_answer = std::move(answer);
    emit answered();
}

void HtmlResultsSource::end()
{
    m_step = Step::PagesIn;
    if (!m_readFailed && !m_drawPage.isEmpty() && m_drawLinkDate.isValid())
        m_drawPagePrizes = prizesOfPage(readPrizeReport(savedPageBytes(m_drawPage), m_base).prizes,
                                        m_drawLinkDate);
    emit finished();
}

void HtmlResultsSource::refuse(const ProgramMessage &message)
{
    cancel();
    m_answer = Error{ErrorKind::Io, message};
    emit answered();
}

} // namespace zafrano
