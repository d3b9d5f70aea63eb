// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/page_fetch.h"
#include "net/results_source.h"
#include "store/data_folder.h"

#include <QUrl>

class QNetworkAccessManager;

namespace zafrano {

// The operator's HTML pages: the search page of the last 50 days, saved as
// bonowww.txt and read with the marker search, then the newest draw's own
// page with its prizes. Driven by the download's one-second ticks, which
// bound the waits: five ticks without an answer of the site's length are no
// connection, thirty ticks of a transfer still arriving a slow server.
class HtmlResultsSource : public ResultsSource
{
    Q_OBJECT
public:
    // Where the road has got to.
    enum class Step
    {
        Idle,               // not started, or ended
        AwaitingSearchPage, // the search page is requested
        SearchPageRead,     // the search page is saved and read
        AwaitingDrawPage,   // the newest draw's page is requested (or there is no link)
        PagesIn,            // both pages are in: the road ends
    };

    HtmlResultsSource(QNetworkAccessManager &network, const DataFolder &folder,
                      const QUrl &operatorBase, int timeoutMs, qint64 maxBytes,
                      QObject *parent = nullptr);

    void start(QDate newestStored, QDate today) override;
    void cancel() override;
    bool busy() const override { return m_searchFetch.busy() || m_drawFetch.busy(); }
    void tick() override;

    Step step() const { return m_step; }
    // The newest listed draw's page ("2026/…"), taken on every read of a search page.
    const QString &drawLink() const { return m_drawLink; }

private:
    void searchPageArrived();
    void drawPageArrived();
    void readSearchPage();
    void end();
    void refuse(const ProgramMessage &message);

    DataFolder m_folder;
    QUrl m_base;
    PageFetch m_searchFetch;
    PageFetch m_drawFetch;
    Step m_step = Step::Idle;
    QDate m_today;
    int m_tickCount = 0;     // ticks since the last progress, or since the page came
    int m_transferTicks = 0; // ticks while the search page was still arriving
    qsizetype m_byteTotal = 0;
    QString m_drawLink;
    QDate m_drawLinkDate;
    bool m_readFailed = false;
};

} // namespace zafrano
