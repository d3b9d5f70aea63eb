// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/program_message.h"
#include "net/html_source.h"
#include "net/json_source.h"
#include "net/results_page.h"
#include "store/data_folder.h"

#include <QDate>
#include <QNetworkAccessManager>
#include <QObject>
#include <QTimer>
#include <QUrl>

namespace zafrano {

// The sources a download tries: the operator's JSON service, then the HTML
// search page; or only one of them.
enum class SourceChoice
{
    Auto,
    Json,
    Html
};

// How a download reaches the operator's site.
struct DownloadConfig
{
    QUrl operatorBase;
    SourceChoice sources = SourceChoice::Auto;
    int requestTimeoutMs = 5000; // the silence after which a request fails
    int tickIntervalMs = 1000;   // 0: no timer of its own, the owner calls tick()
    qint64 maxPageBytes = 2 * 1024 * 1024;
};

// The download of new results. It tries its sources in order, the
// operator's JSON service first, which brings every draw since the newest
// stored one with its prizes; when it refuses, the HTML road: the search page
// of the last 50 days, then the newest draw's page. Whatever source answers,
// its draws go through the one intake of new draws. The HTML road is driven
// by a one-second tick; the requests run while the caller's event loop goes
// on. The check and the refreshes that follow are the owner's, asked for by
// signals in the order they must run.
class DownloadController : public QObject
{
    Q_OBJECT
public:
    // The progress shown by the download's bar.
    enum Progress
    {
        Idle = 0,
        Connecting = 1,
        PageReceived = 2,
        Rechecking = 3,
        Refreshing = 4,
        Finished = 5
    };

    DownloadController(const DataFolder &folder, const DownloadConfig &config,
                       QObject *parent = nullptr);

    // Starts a download on `today`, after the newest stored draw of
    // `newestStored` (invalid when there is none). A newest draw later than
    // today is the computer's date being wrong: its message, no request.
    void start(QDate today, QDate newestStored);
    // One tick of the download's clock, for the source that counts it.
    void tick();

    bool running() const { return m_running; }
    int progress() const { return m_progress; }
    const QString &status() const { return m_status; }             // "CONECTANDO AL SERVIDOR" …
    const QString &byteCount() const { return m_byteCount; }       // "0 Bytes", "123456 Bytes"
    const QString &newDrawsText() const { return m_newDrawsText; } // "3 sorteos"
    int newDrawCount() const { return m_newDrawCount; }
    bool parseFailed() const { return m_parseFailed; }
    const QString &drawLink() const { return m_html.drawLink(); }
    const QList<DrawRecord> &appendedDraws() const { return m_appended; }
    // The missing draw days the download filled, oldest first.
    const QList<DrawRecord> &insertedDraws() const { return m_inserted; }
    // How the answer of the last download was taken in.
    PageOutcome pageOutcome() const { return m_outcome; }
    // Whether a request is still on its way.
    bool fetching() const { return m_json.busy() || m_html.busy(); }
    // What each source that failed said, in the order they were tried.
    const QList<ProgramMessage> &refusals() const { return m_refusals; }
    // Whether the draws came from the JSON service.
    bool fromJson() const { return m_answering == &m_json; }

signals:
    void messageRaised(const ProgramMessage &message);
    void stateChanged();
    // The draws file changed: the calendar is to be refreshed.
    void drawsAppended();
    // The prize tab's text after a page that could not be interpreted.
    void parseErrorTextRaised(const QString &text);
    // Check the newest `drawCount` draws; `drawsToView` (0: leave it) is the
    // new number of draws the results show.
    void checkRequested(int drawCount, int drawsToView);
    // Refresh the calendar, the draws list, the prize report (fetching the
    // document) and the statistics.
    void refreshRequested();
    // The download ended, whether it brought draws or failed.
    void finished();

private:
    void startNextSource();
    void sourceChanged(ResultsSource *source);
    void sourceAnswered(ResultsSource *source);
    void sourceFinished(ResultsSource *source);
    // The bar, the status and the byte count of the source that runs.
    void showSource();
    // The message, after what the sources tried before said.
    ProgramMessage withRefusals(const ProgramMessage &message) const;
    void completeDownload();
    void fail(const ProgramMessage &message);
    void stop();

    DataFolder m_folder;
    DownloadConfig m_config;
    QNetworkAccessManager m_network;
    JsonResultsSource m_json;
    HtmlResultsSource m_html;
    QList<ResultsSource *> m_sources; // in the order they are tried
    qsizetype m_nextSource = 0;
    ResultsSource *m_current = nullptr;
    ResultsSource *m_answering = nullptr; // the source whose draws were taken in
    QTimer m_timer;
    bool m_running = false;
    QDate m_today;
    QDate m_newestStored;

    int m_progress = Idle;
    QString m_status;
    QString m_byteCount = QStringLiteral("0 Bytes");
    QString m_newDrawsText;
    int m_newDrawCount = 0;
    bool m_parseFailed = false;
    QList<ProgramMessage> m_refusals;
    QList<DrawRecord> m_appended;
    QList<DrawRecord> m_inserted;
    PageOutcome m_outcome = PageOutcome::NothingNew;
};

} // namespace zafrano
