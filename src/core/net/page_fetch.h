// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;

namespace zafrano {

// Why a fetch brought no page.
enum class FetchFailure
{
    None,
    Cancelled,  // dropped by its owner
    Silent,     // nothing arrived for longer than the time-out
    TooLong,    // still arriving when the whole transfer's time ran out
    TooBig,     // larger than the cap
    HttpStatus, // the server answered with an error status
    Network,    // no connection, a reset, a refused redirect…
};

// How a request presents itself. The operator's JSON service refuses many
// clients that do not look like a browser.
struct FetchHeaders
{
    QByteArray userAgent = "Zafrano";
    QByteArray accept;
};

// A browser's ordinary User-Agent and a JSON Accept header.
FetchHeaders browserJsonHeaders();

// One page fetched over HTTP(S) without blocking the caller: busy while the
// request runs, then the page or an error text. A request that stays silent
// longer than the time-out, that lasts longer than its whole-transfer time
// (when given), or whose page grows past the cap, fails. Redirects are
// followed only within the same scheme, host and port.
class PageFetch : public QObject
{
    Q_OBJECT
public:
    PageFetch(QNetworkAccessManager &network, int timeoutMs, qint64 maxBytes,
              QObject *parent = nullptr);
    ~PageFetch() override;

    // Cancels whatever runs and requests the address.
    void start(const QUrl &url, const FetchHeaders &headers = {});
    // Drops the running request; the fetch reads as failed.
    void cancel();
    // The longest a whole transfer may take; 0: only the silence time-out.
    void setTransferLimitMs(int ms) { m_transferLimitMs = ms; }

    bool busy() const { return m_reply != nullptr; }
    // Empty while nothing went wrong.
    const QString &errorText() const { return m_error; }
    FetchFailure failure() const { return m_failure; }
    // The HTTP status of the answer; 0 before one came.
    int httpStatus() const { return m_httpStatus; }
    const QByteArray &page() const { return m_page; }

signals:
    void finished();

private:
    void checkAnnouncedSize();
    void readSome();
    void finish();
    void fail(FetchFailure failure, const QString &text);

    QNetworkAccessManager &m_network;
    int m_timeoutMs;
    qint64 m_maxBytes;
    int m_transferLimitMs = 0;
    QTimer m_transferLimit;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_page;
    QString m_error;
    FetchFailure m_failure = FetchFailure::None;
    int m_httpStatus = 0;
};

} // namespace zafrano
