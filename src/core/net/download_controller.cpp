// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/download_controller.h"

#include "net/draw_intake.h"
#include "net/operator_site.h"
#include "net/prize_report.h"
#include "store/record_file.h"

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

const QString ConnectingText = u"CONECTANDO AL SERVIDOR"_s;
const QString Searching = u"BUSCANDO SORTEOS"_s;
const QString Analysing = u"ANALIZANDO DATOS"_s;
const QString Done = u"TRANSFERENCIA FINALIZADA"_s;

// A page shorter than this is no answer of the site.
constexpr qsizetype MinPageChars = 100;
// Ticks after the search page's transfer ended without an answer before the
// download gives up, and the ticks the transfer itself may take: a page still
// arriving over a slow but working link is waited for, up to that cap.
constexpr int NoConnectionTicks = 5;
constexpr int SlowServerTicks = 30;
// The most draws the results show after a download.
constexpr int MaxDrawsToView = 8;

Status savePage(const QString &path, const QByteArray &savedBytes)
{
    return replaceFileAtomically(path, path + u".tmp"_s, savedBytes);
}

} // namespace

DownloadController::DownloadController(const DataFolder &folder, const DownloadConfig &config,
                                       QObject *parent)
    : QObject(parent), m_folder(folder), m_config(config),
      m_searchFetch(m_network, config.requestTimeoutMs, config.maxPageBytes),
      m_drawFetch(m_network, config.requestTimeoutMs, config.maxPageBytes),
      m_json(m_network, config.operatorBase, config.requestTimeoutMs, config.maxPageBytes)
{
    connect(&m_json, &ResultsSource::finished, this, &DownloadController::jsonArrived);
    m_timer.setInterval(config.tickIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &DownloadController::tick);
    connect(&m_searchFetch, &PageFetch::finished, this, &DownloadController::searchPageArrived);
    connect(&m_drawFetch, &PageFetch::finished, this, &DownloadController::drawPageArrived);
}

void DownloadController::start(QDate today, QDate newestStored)
{
    // A second press while a download runs would send the requests twice.
    if (m_running)
        return;
    m_newDrawsText.clear();
    m_parseFailed = false;
    m_appended.clear();
    m_refusals.clear();
    m_fromJson = false;
    m_outcome = PageOutcome::NothingNew;
    if (newestStored.isValid() && newestStored > today) {
        emit messageRaised({u"La fecha de tu ordenador parece incorrecta. Existen sorteos en la "
                            u"base de datos con fechas porsteriores a la actual. Comprueba la "
                            u"fecha de tu ordenador."_s,
                            u"Error de fechas"_s, MessageIcon::Information});
        emit stateChanged();
        emit finished();
        return;
    }
    m_today = today;
    m_newestStored = newestStored;
    m_byteTotal = 0;
    m_byteCount = QStringLiteral("0 Bytes");
    m_running = true;
    if (m_config.sources == SourceChoice::Html) {
        startHtmlRoad();
        return;
    }
    m_downloadStep = 1;
    m_progress = Connecting;
    m_status = ConnectingText;
    m_json.start(newestStored, today);
    emit stateChanged();
}

void DownloadController::jsonArrived()
{
    if (!m_running || m_downloadStep != 1)
        return;
    const SourceResult &result = m_json.result();
    m_byteTotal = m_json.bytesRead();
    m_byteCount = u"%1 Bytes"_s.arg(m_byteTotal);
    if (!result.ok) {
        if (m_config.sources != SourceChoice::Auto) {
            fail(result.refusal);
            return;
        }
        m_refusals.append(result.refusal);
        startHtmlRoad();
        return;
    }
    m_progress = PageReceived;
    m_status = Analysing;
    Result<Intake> intake = takeInDraws(m_folder, result.draws);
    if (!intake) {
        fail(intake.error().message);
        return;
    }
    m_fromJson = true;
    m_appended = intake->appended;
    m_newDrawCount = static_cast<int>(m_appended.size());
    if (m_newDrawCount == 0) {
        m_outcome = PageOutcome::NothingNew;
        emit messageRaised(nothingNewMessage());
        m_newDrawCount = 1;
    } else {
        m_outcome = PageOutcome::NewDraws;
        m_newDrawsText = zafrano::newDrawsText(m_newDrawCount);
    }
    if (intake->notice)
        emit messageRaised(*intake->notice);
    emit drawsAppended();
    // No draw page comes this way: the prize tab shows the stored prizes.
    m_pageText.clear();
    completeDownload();
}

void DownloadController::startHtmlRoad()
{
    m_tickCount = 0;
    m_transferTicks = 0;
    m_byteTotal = 0;
    m_downloadStep = 2;
    m_newDrawCount = 0;
    m_pageText.clear();
    m_progress = Connecting;
    m_status = ConnectingText;
    m_searchFetch.start(searchPageUrl(m_config.operatorBase, m_today));
    m_downloadStep = 3;
    if (m_config.tickIntervalMs > 0)
        m_timer.start();
    emit stateChanged();
}

void DownloadController::searchPageArrived()
{
    if (!m_running)
        return;
    if (!m_searchFetch.errorText().isEmpty()) {
        fail(notConnectedMessage());
        return;
    }
    m_pageText = m_searchFetch.page();
    m_byteTotal += m_pageText.size();
    m_byteCount = QString::number(m_byteTotal);
    if (m_pageText.size() > MinPageChars)
        m_status = Searching;
    emit stateChanged();
}

void DownloadController::drawPageArrived()
{
    if (!m_running || m_downloadStep != 6)
        return;
    // A draw page that failed counts as an empty one: the draws are in, and
    // the prize report says its data are not there yet.
    m_pageText = m_drawFetch.errorText().isEmpty() ? m_drawFetch.page() : QByteArray();
    m_byteTotal += m_pageText.size();
    m_byteCount = u"%1 Bytes"_s.arg(m_byteTotal);
    emit stateChanged();
}

void DownloadController::tick()
{
    // The JSON service bounds its own requests; the ticks are the HTML road's.
    if (!m_running || m_downloadStep < 2)
        return;
    if (m_downloadStep == 3 && m_searchFetch.busy()) {
        // Still arriving: a slow link is not a lost one, up to the transfer's cap.
        if (++m_transferTicks == SlowServerTicks) {
            fail({u"Problemas con el servidor. Tarda en responder. Pruebe más tarde..."_s,
                  u"Error de conexión"_s, MessageIcon::Exclamation});
            return;
        }
        emit stateChanged();
        return;
    }
    ++m_tickCount;
    if (m_tickCount == NoConnectionTicks && m_status == ConnectingText) {
        fail(notConnectedMessage());
        return;
    }
    // The requests do not block, so the search page is taken in once, when
    // it has come and while the download still waits for it.
    if (m_downloadStep == 3 && !m_searchFetch.busy() && m_searchFetch.errorText().isEmpty() &&
        m_status == Searching) {
        takeInSearchPage();
        if (!m_running)
            return;
    }
    if (m_downloadStep == 5) {
        m_downloadStep = 6;
        if (!m_drawLink.isEmpty()) {
            m_drawFetch.start(drawPageUrl(m_config.operatorBase, m_drawLink));
            m_tickCount = 0;
        }
    }
    // A draw page that trickles in for ever is given up like a failed one.
    if (m_downloadStep == 6 && m_drawFetch.busy() && m_tickCount >= SlowServerTicks) {
        m_drawFetch.cancel();
        drawPageArrived();
    }
    if (m_downloadStep == 6 && !m_drawFetch.busy())
        m_downloadStep = 7;
    if (m_downloadStep != 7) {
        emit stateChanged();
        return;
    }
    completeDownload();
}

void DownloadController::takeInSearchPage()
{
    m_tickCount = 0;
    m_progress = PageReceived;
    m_downloadStep = 5;
    const QString pagePath = m_folder.filePath(QString::fromUtf16(DataFolder::SavedPageName));
    const QByteArray savedBytes = savedPageBytes(m_pageText);
    if (Status saved = savePage(pagePath, savedBytes); !saved) {
        fail(saved.error().message);
        return;
    }
    m_status = Analysing;
    emit stateChanged();
    // A failed transfer has ended the download before its page could come
    // here. The link is the newest listed draw's on every parse, so that a
    // second download of the run shows its own draw's page.
    Result<PageParse> parse = takeInResultsPage(m_folder, savedBytes, {}, m_today.year());
    if (!parse) {
        fail(parse.error().message);
        return;
    }
    m_drawLink = parse->drawLink;
    m_drawLinkDate = parse->drawLinkDate;
    m_newDrawCount = parse->newDrawCount;
    m_newDrawsText = parse->newDrawsText;
    m_appended = parse->draws;
    m_outcome = parse->outcome;
    switch (parse->outcome) {
    case PageOutcome::NewDraws:
        break;
    case PageOutcome::NothingNew:
    case PageOutcome::Incomplete:
        emit messageRaised(withRefusals(*parse->message));
        break;
    case PageOutcome::Corrupt:
        emit messageRaised(withRefusals(*parse->message));
        emit parseErrorTextRaised(parseErrorText());
        m_parseFailed = true;
        break;
    }
    emit drawsAppended();
}

void DownloadController::completeDownload()
{
    m_progress = PageReceived;
    stop();
    const QString drawPagePath =
        m_folder.filePath(QString::fromUtf16(DataFolder::SavedDrawPageName));
    if (Status saved = savePage(drawPagePath, savedPageBytes(m_pageText)); !saved)
        emit messageRaised(saved.error().message);
    keepDrawPagePrizes();
    m_pageText.clear();
    if (!m_parseFailed) {
        m_progress = Rechecking;
        emit stateChanged();
        const int drawsToView = m_newDrawCount != 0 ? std::min(m_newDrawCount, MaxDrawsToView) : 0;
        emit checkRequested(m_newDrawCount, drawsToView);
        m_progress = Refreshing;
        emit stateChanged();
        emit refreshRequested();
    }
    m_status = Done;
    m_progress = Finished;
    emit stateChanged();
    emit finished();
}

void DownloadController::keepDrawPagePrizes()
{
    if (m_fromJson || m_parseFailed || m_pageText.isEmpty() || !m_drawLinkDate.isValid())
        return;
    const PrizeReport report = readPrizeReport(savedPageBytes(m_pageText), m_config.operatorBase);
    const Result<std::optional<ProgramMessage>> kept =
        keepPrizes(m_folder, prizesOfPage(report.prizes, m_drawLinkDate));
    if (!kept)
        emit messageRaised(kept.error().message);
    else if (kept.value())
        emit messageRaised(*kept.value());
}

ProgramMessage DownloadController::withRefusals(const ProgramMessage &message) const
{
    if (m_refusals.isEmpty())
        return message;
    QStringList lines;
    for (const ProgramMessage &refusal : m_refusals)
        lines.append(refusal.text);
    lines.append(message.text);
    return {lines.join(u"\n"_s), message.title, message.icon};
}

void DownloadController::fail(const ProgramMessage &message)
{
    m_searchFetch.cancel();
    m_drawFetch.cancel();
    m_json.cancel();
    stop();
    m_progress = Idle;
    m_status.clear();
    emit stateChanged();
    emit messageRaised(withRefusals(message));
    emit finished();
}

void DownloadController::stop()
{
    m_timer.stop();
    m_running = false;
}

} // namespace zafrano
