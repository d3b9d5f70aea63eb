// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/page_fetch.h"
#include "net/results_source.h"

#include <QUrl>
#include <functional>
#include <optional>

class QNetworkAccessManager;

namespace zafrano {

// The longest one month's answer of the JSON service may keep arriving.
inline constexpr int JsonTransferLimitMs = 30'000;

// The days one catch-up asks for, one calendar month per request, oldest
// first: from the day after the newest stored draw up to today, or the last
// 50 days when none is stored. Empty when the newest draw is today's.
QList<std::pair<QDate, QDate>> catchUpRanges(QDate newestStored, QDate today);

// The most months of missing draw days one download asks for, the newest
// first; the older ones are asked for by the next downloads.
inline constexpr int MaxRepairMonths = 12;
// How far back a stored draw whose prizes are unknown is asked for again.
inline constexpr int PrizeRecoveryDays = 90;

// The stored days a download asks the service for again, oldest first: the
// missing draw days of `stored` (oldest first) and the stored draws of the
// last PrizeRecoveryDays days before `today` whose prizes `prizesKnown` does not know.
QList<QDate> daysToAskAgain(const QList<DrawRecord> &stored,
                            const std::function<bool(QDate)> &prizesKnown, QDate today);

// The windows a download asks for, one calendar month each, oldest first: the
// months that hold `askAgain` (at most MaxRepairMonths of them, the newest),
// whole up to today, and the catch-up after the newest stored draw.
QList<std::pair<QDate, QDate>> downloadRanges(const QList<QDate> &askAgain, QDate newestStored,
                                              QDate today);

// One request of the JSON service, the draws from `from` to `to` (one month
// at most), and its answer read once `fetch` has finished: the road every
// caller of the service takes.
void requestJsonWindow(PageFetch &fetch, const QUrl &operatorBase, QDate from, QDate to);
Result<QList<FetchedDraw>> jsonWindowAnswer(const PageFetch &fetch);

// The draw days from `from` to `to`, before `today` (its draw may be still to
// come), that `draws` lacks.
QList<QDate> lackedDrawDays(const QList<FetchedDraw> &draws, QDate from, QDate to, QDate today);

// The operator's JSON service: the months with a stored day to ask again for
// (a missing draw, unknown prizes), then every draw since the newest stored
// one, one month per request, with the prizes of each. A month that fails or
// lacks a draw day is said, with its days, and the others are taken: the
// intake appends nothing past the day lacked, so the next download asks again.
class JsonResultsSource : public ResultsSource
{
    Q_OBJECT
public:
    JsonResultsSource(QNetworkAccessManager &network, const QUrl &operatorBase, int timeoutMs,
                      qint64 maxBytes, QObject *parent = nullptr);

    // The stored days the next start() asks for again (daysToAskAgain).
    void setDaysToAskAgain(const QList<QDate> &days) { m_askAgain = days; }
    void start(QDate newestStored, QDate today) override;
    void cancel() override;
    bool busy() const override { return m_busy; }

private:
    void requestNext();
    void answerArrived();
    void end(Result<QList<FetchedDraw>> draws);

    QUrl m_base;
    PageFetch m_fetch;
    QList<std::pair<QDate, QDate>> m_ranges;
    std::pair<QDate, QDate> m_asked;
    QList<QDate> m_askAgain;
    QList<FetchedDraw> m_draws;
    QStringList m_failures; // one line per month that failed
    std::optional<Error> m_firstError;
    int m_answeredWindows = 0;
    QDate m_newestStored;
    QDate m_today;
    qint64 m_bytes = 0;
    bool m_busy = false;
};

// The refusal for a failed request to the results service.
Error fetchRefusal(const PageFetch &fetch);

} // namespace zafrano
