// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/program_message.h"
#include "common/result.h"
#include "net/json_results.h"
#include "net/results_page.h"

#include <QDate>
#include <QList>
#include <QObject>

namespace zafrano {

// What a results source read: the draws newer than the newest stored one,
// oldest first, with the prizes it gave, and how its answer was taken in.
// The draws are not yet checked: the download takes them in.
struct SourceAnswer
{
    QList<FetchedDraw> draws;
    PageOutcome outcome = PageOutcome::NothingNew;
    // The newest draws to check: the new ones; 1 when nothing was new (the
    // newest draw is checked again); those counted before a page failed.
    int drawCount = 0;
    // What the source has to say of its answer ("Todavía no hay sorteos nuevos.").
    std::optional<ProgramMessage> message;
};

// Where a source has got to, as the download shows it.
enum class SourceStage
{
    Connecting, // the request is out, no answer yet
    Searching,  // an answer long enough to be the site's has come
    Analysing,  // the answer is being read
};

// A way of getting the new draws. The download tries its sources in order:
// the first that answers brings the draws, a refusal hands over to the next.
class ResultsSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Asks for the draws after `newestStored` (invalid: none stored) up to `today`.
    virtual void start(QDate newestStored, QDate today) = 0;
    virtual void cancel() = 0;
    // Whether a request is on its way.
    virtual bool busy() const = 0;
    // One tick of the download's one-second clock; a source that bounds its
    // own requests does nothing with it.
    virtual void tick() {}

    SourceStage stage() const { return m_stage; }
    // The bytes read so far as the download shows them ("123456 Bytes");
    // empty before the first answer.
    const QString &byteCount() const { return m_byteCount; }
    // After answered(): the draws, or the refusal that hands over to the next source.
    const Result<SourceAnswer> &answer() const { return m_answer; }
    // After finished(): the page of the newest draw, as it is saved for the
    // prize report (empty when the source brings none), and its prizes.
    const QByteArray &drawPage() const { return m_drawPage; }
    const DrawPrizes &drawPagePrizes() const { return m_drawPagePrizes; }

signals:
    // Its stage or its byte count changed.
    void stateChanged();
    // answer() holds the draws or the refusal. After a refusal the source has stopped.
    void answered();
    // After the draws were answered, the source has nothing more to bring.
    void finished();

protected:
    // A fresh start: nothing answered, no page, connecting.
    void reset();

    SourceStage m_stage = SourceStage::Connecting;
    QString m_byteCount;
    Result<SourceAnswer> m_answer = SourceAnswer{};
    QByteArray m_drawPage;
    DrawPrizes m_drawPagePrizes;
};

// Orders the draws of several answers oldest first and keeps those after
// `newestStored` and up to `today`. A refusal when two differ on one date.
Result<QList<FetchedDraw>> newDrawsOf(QList<FetchedDraw> draws, QDate newestStored, QDate today);

} // namespace zafrano
