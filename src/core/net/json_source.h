// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/page_fetch.h"
#include "net/results_source.h"

#include <QUrl>

class QNetworkAccessManager;

namespace zafrano {

// The longest one month's answer of the JSON service may keep arriving.
inline constexpr int JsonTransferLimitMs = 30'000;

// The days one catch-up asks for, one calendar month per request, oldest
// first: from the day after the newest stored draw up to today, or the last
// 50 days when none is stored. Empty when the newest draw is today's.
QList<std::pair<QDate, QDate>> catchUpRanges(QDate newestStored, QDate today);

// The operator's JSON service: every draw since the newest stored one, one
// month per request, with the prizes of each.
class JsonResultsSource : public ResultsSource
{
    Q_OBJECT
public:
    JsonResultsSource(QNetworkAccessManager &network, const QUrl &operatorBase, int timeoutMs,
                      qint64 maxBytes, QObject *parent = nullptr);

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
    QList<FetchedDraw> m_draws;
    QDate m_newestStored;
    QDate m_today;
    qint64 m_bytes = 0;
    bool m_busy = false;
};

// The refusal for a failed request to the results service.
Error fetchRefusal(const PageFetch &fetch);

} // namespace zafrano
