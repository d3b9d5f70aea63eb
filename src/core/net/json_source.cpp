// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/json_source.h"

#include "net/operator_site.h"

using namespace Qt::StringLiterals;

namespace zafrano {

QList<std::pair<QDate, QDate>> catchUpRanges(QDate newestStored, QDate today)
{
    QDate from =
        newestStored.isValid() ? newestStored.addDays(1) : today.addDays(-SearchWindowDays);
    QList<std::pair<QDate, QDate>> ranges;
    while (from <= today) {
        const QDate monthEnd(from.year(), from.month(), from.daysInMonth());
        const QDate to = std::min(monthEnd, today);
        ranges.append({from, to});
        from = to.addDays(1);
    }
    return ranges;
}

Error fetchRefusal(const PageFetch &fetch)
{
    switch (fetch.failure()) {
    case FetchFailure::HttpStatus:
        if (fetch.httpStatus() == 403)
            return sourceRefusal(
                u"El servidor de resultados ha rechazado la conexión (HTTP 403)."_s, ErrorKind::Io);
        return sourceRefusal(
            u"El servidor de resultados ha respondido con un error (HTTP %1)."_s.arg(
                fetch.httpStatus()),
            ErrorKind::Io);
    case FetchFailure::Silent:
    case FetchFailure::TooLong:
        return sourceRefusal(u"El servidor de resultados no ha respondido a tiempo."_s,
                             ErrorKind::Io);
    case FetchFailure::TooBig:
        return sourceRefusal(
            u"La respuesta del servidor de resultados es demasiado grande; no se lee."_s);
    case FetchFailure::None:
    case FetchFailure::Cancelled:
    case FetchFailure::Network:
        break;
    }
    return sourceRefusal(u"No se puede conectar con el servidor de resultados ("_s +
                             fetch.errorText() + u")."_s,
                         ErrorKind::Io);
}

JsonResultsSource::JsonResultsSource(QNetworkAccessManager &network, const QUrl &operatorBase,
                                     int timeoutMs, qint64 maxBytes, QObject *parent)
    : ResultsSource(parent), m_base(operatorBase), m_fetch(network, timeoutMs, maxBytes)
{
    m_fetch.setTransferLimitMs(JsonTransferLimitMs);
    connect(&m_fetch, &PageFetch::finished, this, &JsonResultsSource::answerArrived);
}

void JsonResultsSource::start(QDate newestStored, QDate today)
{
    cancel();
    reset();
    m_draws.clear();
    m_bytes = 0;
    m_newestStored = newestStored;
    m_today = today;
    m_ranges = catchUpRanges(newestStored, today);
    m_busy = true;
    if (m_ranges.isEmpty()) {
        // Up to date: the answer comes like any other, after start() returned.
        QTimer::singleShot(0, this, [this] {
            if (m_busy)
                requestNext();
        });
        return;
    }
    requestNext();
}

void JsonResultsSource::cancel()
{
    m_fetch.cancel();
    m_ranges.clear();
    m_busy = false;
}

void JsonResultsSource::requestNext()
{
    if (m_ranges.isEmpty()) {
        end(newDrawsOf(m_draws, m_newestStored, m_today));
        return;
    }
    const auto [from, to] = m_ranges.takeFirst();
    m_fetch.start(jsonSearchUrl(m_base, from, to), browserJsonHeaders());
}

void JsonResultsSource::answerArrived()
{
    if (!m_busy)
        return;
    if (!m_fetch.errorText().isEmpty()) {
        end(fetchRefusal(m_fetch));
        return;
    }
    m_bytes += m_fetch.page().size();
    Result<QList<FetchedDraw>> answer = readJsonAnswer(m_fetch.page());
    if (!answer) {
        end(answer.error());
        return;
    }
    m_draws += answer.value();
    requestNext();
}

void JsonResultsSource::end(Result<QList<FetchedDraw>> draws)
{
    m_busy = false;
    m_ranges.clear();
    m_byteCount = u"%1 Bytes"_s.arg(m_bytes);
    if (!draws) {
        m_answer = draws.error();
        emit answered();
        return;
    }
    SourceAnswer answer;
    answer.draws = std::move(draws).value();
    answer.drawCount = static_cast<int>(answer.draws.size());
    answer.outcome = answer.draws.isEmpty() ? PageOutcome::NothingNew : PageOutcome::NewDraws;
    if (answer.draws.isEmpty()) {
        answer.message = nothingNewMessage();
        answer.drawCount = 1;
    }
    m_stage = SourceStage::Analysing;
    m_answer = std::move(answer);
    emit answered();
    // No draw page comes this way: the prize tab shows the stored prizes.
    if (m_answer)
        emit finished();
}

} // namespace zafrano
