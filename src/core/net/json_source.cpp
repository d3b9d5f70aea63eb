// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/json_source.h"

#include "calendar/draw_calendar.h"
#include "net/operator_site.h"
#include "store/day_serial.h"

#include <algorithm>

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

QList<QDate> daysToAskAgain(const QList<DrawRecord> &stored,
                            const std::function<bool(QDate)> &prizesKnown, QDate today)
{
    QList<QDate> days = missingDrawDays(stored);
    const QDate since = today.addDays(-PrizeRecoveryDays);
    for (auto draw = stored.crbegin(); draw != stored.crend() && draw->date() >= since; ++draw) {
        if (draw->date() <= today && !prizesKnown(draw->date()))
            days.append(draw->date());
    }
    std::sort(days.begin(), days.end());
    return days;
}

QList<std::pair<QDate, QDate>> downloadRanges(const QList<QDate> &askAgain, QDate newestStored,
                                              QDate today)
{
    const auto monthOf = [](QDate day) { return QDate(day.year(), day.month(), 1); };
    QList<QDate> months;
    for (auto day = askAgain.crbegin(); day != askAgain.crend(); ++day) {
        const QDate month = monthOf(*day);
        if (*day > today || months.contains(month))
            continue;
        if (months.size() == MaxRepairMonths)
            break;
        months.append(month);
    }
    std::sort(months.begin(), months.end());
    QList<std::pair<QDate, QDate>> ranges;
    for (const QDate &month : std::as_const(months))
        ranges.append({std::max(month, firstDrawDay()),
                       std::min(month.addDays(month.daysInMonth() - 1), today)});
    for (const auto &[from, to] : catchUpRanges(newestStored, today)) {
        // The catch-up's first month may already be asked for whole.
        if (!months.contains(monthOf(from)))
            ranges.append({from, to});
    }
    std::sort(ranges.begin(), ranges.end());
    return ranges;
}

void requestJsonWindow(PageFetch &fetch, const QUrl &operatorBase, QDate from, QDate to)
{
    fetch.start(jsonSearchUrl(operatorBase, from, to), browserJsonHeaders());
}

Result<QList<FetchedDraw>> jsonWindowAnswer(const PageFetch &fetch)
{
    if (!fetch.errorText().isEmpty())
        return fetchRefusal(fetch);
    return readJsonAnswer(fetch.page());
}

QList<QDate> lackedDrawDays(const QList<FetchedDraw> &draws, QDate from, QDate to, QDate today)
{
    QList<QDate> lacked;
    for (QDate day = from; day <= to && day < today; day = day.addDays(1)) {
        if (isDrawDay(day) && std::none_of(draws.begin(), draws.end(), [day](const auto &one) {
                return one.draw.date() == day;
            }))
            lacked.append(day);
    }
    return lacked;
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
    m_failures.clear();
    m_firstError.reset();
    m_answeredWindows = 0;
    m_bytes = 0;
    m_newestStored = newestStored;
    m_today = today;
    m_ranges = downloadRanges(m_askAgain, newestStored, today);
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
        // Every month failed: the next source may answer instead.
        if (m_answeredWindows == 0 && m_firstError) {
            end(*m_firstError);
            return;
        }
        end(newDrawsOf(m_draws, QDate(), m_today));
        return;
    }
    m_asked = m_ranges.takeFirst();
    requestJsonWindow(m_fetch, m_base, m_asked.first, m_asked.second);
}

namespace {

QString dayList(const QList<QDate> &days)
{
    constexpr int Shown = 10;
    QStringList texts;
    for (const QDate &day : days.first(std::min<qsizetype>(days.size(), Shown)))
        texts.append(shortDate(day));
    QString list = texts.join(u", "_s);
    if (days.size() > Shown)
        list += u" y %1 más"_s.arg(days.size() - Shown);
    return list;
}

} // namespace

void JsonResultsSource::answerArrived()
{
    if (!m_busy)
        return;
    m_bytes += m_fetch.page().size();
    const auto [from, to] = m_asked;
    const QString window = u"del %1 al %2"_s.arg(shortDate(from), shortDate(to));
    Result<QList<FetchedDraw>> answer = jsonWindowAnswer(m_fetch);
    if (!answer) {
        // A service that answers nothing at first is not asked month after month.
        if (m_answeredWindows == 0 && !m_fetch.errorText().isEmpty()) {
            end(answer.error());
            return;
        }
        if (!m_firstError)
            m_firstError = answer.error();
        m_failures.append(u"Los sorteos %1 no se han podido traer: %2 Se pedirán en la "
                          u"próxima descarga."_s.arg(window, answer.error().message.text));
        requestNext();
        return;
    }
    ++m_answeredWindows;
    QList<FetchedDraw> draws;
    for (const FetchedDraw &one : std::as_const(answer.value())) {
        // A draw outside the days asked for is not this answer's.
        if (one.draw.date() >= from && one.draw.date() <= to)
            draws.append(one);
    }
    if (const QList<QDate> lacked = lackedDrawDays(draws, from, to, m_today); !lacked.isEmpty())
        m_failures.append(u"El servidor de resultados no ha dado %1 de los sorteos %2: %3. Se "
                          u"pedirán en la próxima descarga."_s.arg(
                              lacked.size() == 1 ? u"uno"_s : QString::number(lacked.size()),
                              window, dayList(lacked)));
    m_draws += draws;
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
    // Whether the draws are new is the intake's to say: the months asked
    // again bring stored draws too.
    SourceAnswer answer;
    answer.draws = std::move(draws).value();
    answer.drawCount = static_cast<int>(answer.draws.size());
    answer.outcome = PageOutcome::NewDraws;
    if (!m_failures.isEmpty())
        answer.message = sourceRefusal(m_failures.join(u'\n')).message;
    m_stage = SourceStage::Analysing;
    m_answer = std::move(answer);
    emit answered();
    // No draw page comes this way: the prize tab shows the stored prizes.
    if (m_answer)
        emit finished();
}

} // namespace zafrano
