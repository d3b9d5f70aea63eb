// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/prize_history.h"

#include "net/json_results.h"
#include "net/json_source.h"
#include "net/operator_site.h"
#include "store/prize_months.h"
#include "store/program_database.h"

#include <QHash>
#include <QMap>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano {

QString pesetaDrawsText()
{
    return u"Los sorteos anteriores al 01/01/2002 se pagaron en pesetas: no se piden sus "
           u"premios."_s;
}

PrizeHistoryPlan prizeHistoryPlan(const QList<DrawRecord> &stored, const QSet<QDate> &known,
                                  const QSet<QDate> &completeMonths, QDate from, QDate today)
{
    const bool fromStart = !from.isValid() || from < firstEuroDraw();
    const QDate firstMonth = fromStart ? firstEuroDraw() : QDate(from.year(), from.month(), 1);
    PrizeHistoryPlan plan;
    QMap<QDate, PrizeMonth> months;
    for (const DrawRecord &draw : stored) {
        const QDate date = draw.date();
        if (!date.isValid() || date > today || known.contains(date))
            continue;
        if (date < firstEuroDraw()) {
            plan.pesetaDrawsLeftOut = plan.pesetaDrawsLeftOut || fromStart;
            continue;
        }
        const QDate month(date.year(), date.month(), 1);
        if (month < firstMonth || completeMonths.contains(month))
            continue;
        PrizeMonth &entry = months[month];
        entry.first = month;
        entry.last = std::min(month.addMonths(1).addDays(-1), today);
        entry.draws.append(date);
    }
    plan.months = months.values();
    return plan;
}

Result<PrizeHistoryPlan> planPrizeHistory(const DataFolder &folder, QDate from, QDate today)
{
    Result<QList<DrawRecord>> stored = folder.draws().readAll();
    if (!stored)
        return stored.error();
    Result<ProgramDatabase> db = ProgramDatabase::openIn(folder);
    if (!db)
        return db.error();
    Result<QSet<QDate>> known = datesWithEveryPrize(db.value(), firstEuroDraw());
    if (!known)
        return known.error();
    Result<QSet<QDate>> complete = completePrizeMonths(db.value());
    if (!complete)
        return complete.error();
    return prizeHistoryPlan(stored.value(), known.value(), complete.value(), from, today);
}

PrizeHistoryFetch::PrizeHistoryFetch(const DataFolder &folder, QNetworkAccessManager &network,
                                     const QUrl &operatorBase, int timeoutMs, qint64 maxBytes,
                                     QObject *parent)
    : QObject(parent), m_folder(folder), m_base(operatorBase), m_fetch(network, timeoutMs, maxBytes)
{
    m_fetch.setTransferLimitMs(JsonTransferLimitMs);
    m_pause.setSingleShot(true);
    connect(&m_fetch, &PageFetch::finished, this, &PrizeHistoryFetch::answerArrived);
    connect(&m_pause, &QTimer::timeout, this, &PrizeHistoryFetch::requestNext);
}

QDate PrizeHistoryFetch::month() const
{
    return m_index < m_months.size() ? m_months[m_index].first : QDate();
}

void PrizeHistoryFetch::start(const PrizeHistoryPlan &plan, QDate today)
{
    cancel();
    m_months = plan.months;
    m_index = 0;
    m_today = today;
    m_result = {};
    m_running = true;
    // The first request, or the end of a plan without months, comes after start() returned.
    m_pause.start(0);
}

void PrizeHistoryFetch::cancel()
{
    m_running = false;
    m_pause.stop();
    m_fetch.cancel();
}

void PrizeHistoryFetch::requestNext()
{
    if (!m_running)
        return;
    if (m_index >= m_months.size()) {
        end({});
        return;
    }
    const PrizeMonth &month = m_months[m_index];
    emit monthStarted();
    m_fetch.start(jsonSearchUrl(m_base, month.first, month.last), browserJsonHeaders());
}

void PrizeHistoryFetch::answerArrived()
{
    if (!m_running)
        return;
    if (!m_fetch.errorText().isEmpty()) {
        end(fetchRefusal(m_fetch));
        return;
    }
    Result<QList<FetchedDraw>> answer = readJsonAnswer(m_fetch.page());
    if (!answer) {
        end(answer.error());
        return;
    }
    const PrizeMonth &month = m_months[m_index];
    QHash<QDate, DrawPrizes> given;
    for (const FetchedDraw &draw : answer.value())
        given.insert(draw.prizes.date, draw.prizes);
    PrizeMonthAnswer said{month.first, static_cast<int>(month.draws.size()), 0};
    QList<DrawPrizes> prizes;
    for (const QDate &date : month.draws) {
        const auto found = given.constFind(date);
        if (found == given.cend() || !found->known())
            continue;
        prizes.append(*found);
        if (everyCategoryKnown(*found))
            ++said.kept;
    }
    Result<ProgramDatabase> db = ProgramDatabase::openIn(m_folder);
    if (!db) {
        end(db.error());
        return;
    }
    if (Status kept = storePrizeMonth(db.value(), month.first, prizes, said.complete(), m_today);
        !kept) {
        end(kept.error());
        return;
    }
    emit monthAnswered(said);
    ++m_index;
    // The service is asked politely: a pause before each request after the first.
    if (m_running)
        m_pause.start(m_index < m_months.size() ? m_pauseMs : 0);
}

void PrizeHistoryFetch::end(Status result)
{
    m_running = false;
    m_pause.stop();
    m_result = std::move(result);
    emit finished();
}

} // namespace zafrano
