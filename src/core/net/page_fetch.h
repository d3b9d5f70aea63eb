// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;

namespace zafrano {

// One page fetched over HTTP(S) without blocking the caller: busy while the
// request runs, then the page or an error text. A request that stays silent
// longer than the time-out, or whose page grows past the cap, fails.
class PageFetch : public QObject
{
    Q_OBJECT
public:
    PageFetch(QNetworkAccessManager &network, int timeoutMs, qint64 maxBytes,
              QObject *parent = nullptr);
    ~PageFetch() override;

    // Cancels whatever runs and requests the address.
    void start(const QUrl &url);
    // Drops the running request; the fetch reads as failed.
    void cancel();

    bool busy() const { return m_reply != nullptr; }
    // Empty while nothing went wrong.
    const QString &errorText() const { return m_error; }
    const QByteArray &page() const { return m_page; }

signals:
    void finished();

private:
    void readSome();
    void finish();

    QNetworkAccessManager &m_network;
    int m_timeoutMs;
    qint64 m_maxBytes;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_page;
    QString m_error;
};

} // namespace zafrano
