// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "net/page_fetch.h"
#include "store/data_folder.h"
#include "store/draw_record.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;

namespace zafrano {

// "Los sorteos anteriores al 01/01/2002 se pagaron en pesetas: no se piden sus premios."
QString pesetaDrawsText();

// One month the prize history asks for: its days (up to today in the
// current month) and its stored draws whose prizes are not all known.
struct PrizeMonth
{
    QDate first;
    QDate last;
    QList<QDate> draws;
};

struct PrizeHistoryPlan
{
    QList<PrizeMonth> months; // oldest first
    bool pesetaDrawsLeftOut = false;
};

// The months to ask for: from the month of `from` (invalid: from the first;
// never before January 2002) up to today's, each holding a stored draw whose five prizes are not
// all in `known` and not marked complete in `completeMonths`.
PrizeHistoryPlan prizeHistoryPlan(const QList<DrawRecord> &stored, const QSet<QDate> &known,
                                  const QSet<QDate> &completeMonths, QDate from, QDate today);

// The same read from a data folder's draws and zafrano.db.
Result<PrizeHistoryPlan> planPrizeHistory(const DataFolder &folder, QDate from, QDate today);

// What one month's answer brought.
struct PrizeMonthAnswer
{
    QDate month;
    int asked = 0; // the stored draws without their prizes
    int kept = 0;  // those the answer gave all five prizes of
    bool complete() const { return kept == asked; }
};

// The prize history: the operator's JSON service asked, one month per
// request and a pause between requests, for the escrutinio of the stored
// draws whose prizes are unknown. Each month's prizes are kept as its answer
// comes, with the month's mark when every draw got its prizes; a refusal or a
// store that fails stops the run and keeps what came before. The requests run
// while the caller's event loop goes on.
class PrizeHistoryFetch : public QObject
{
    Q_OBJECT
public:
    PrizeHistoryFetch(const DataFolder &folder, QNetworkAccessManager &network,
                      const QUrl &operatorBase, int timeoutMs, qint64 maxBytes,
                      QObject *parent = nullptr);

    void setPauseMs(int ms) { m_pauseMs = ms; }
    // Asks for the plan's months, oldest first; finished() follows, after
    // start() returned, even for a plan without months.
    void start(const PrizeHistoryPlan &plan, QDate today);
    // Stops without finished(): the months answered stay kept.
    void cancel();
    bool running() const { return m_running; }

    // The month being read, and its place among the plan's (0-based).
    QDate month() const;
    int monthIndex() const { return m_index; }
    int monthCount() const { return static_cast<int>(m_months.size()); }
    // After finished(): nothing, or why the run stopped.
    const Status &result() const { return m_result; }

signals:
    void monthStarted();
    void monthAnswered(const PrizeMonthAnswer &answer);
    void finished();

private:
    void requestNext();
    void answerArrived();
    void end(Status result);

    DataFolder m_folder;
    QUrl m_base;
    PageFetch m_fetch;
    QTimer m_pause;
    int m_pauseMs = 1000;
    QList<PrizeMonth> m_months;
    int m_index = 0;
    QDate m_today;
    bool m_running = false;
    Status m_result;
};

} // namespace zafrano
