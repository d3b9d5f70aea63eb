// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/page_fetch.h"

#include "net/network_error_text.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

using namespace Qt::StringLiterals;

namespace zafrano {

FetchHeaders browserJsonHeaders()
{
    return {"Mozilla/5.0 (X11; Linux x86_64; rv:128.0) Gecko/20100101 Firefox/128.0",
            "application/json"};
}

PageFetch::PageFetch(QNetworkAccessManager &network, int timeoutMs, qint64 maxBytes,
                     QObject *parent)
    : QObject(parent), m_network(network), m_timeoutMs(timeoutMs), m_maxBytes(maxBytes)
{
    m_transferLimit.setSingleShot(true);
    connect(&m_transferLimit, &QTimer::timeout, this, [this] {
        fail(FetchFailure::TooLong, u"Tarda demasiado"_s);
        emit finished();
    });
}

PageFetch::~PageFetch()
{
    cancel();
}

void PageFetch::start(const QUrl &url, const FetchHeaders &headers)
{
    cancel();
    m_page.clear();
    m_error.clear();
    m_failure = FetchFailure::None;
    m_httpStatus = 0;
    QNetworkRequest request(url);
    request.setTransferTimeout(m_timeoutMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    // A redirect may not take the request off the operator's site.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::SameOriginRedirectPolicy);
    request.setHeader(QNetworkRequest::UserAgentHeader, QString::fromLatin1(headers.userAgent));
    if (!headers.accept.isEmpty())
        request.setRawHeader("Accept", headers.accept);
    m_reply = m_network.get(request);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &PageFetch::checkAnnouncedSize);
    connect(m_reply, &QNetworkReply::readyRead, this, &PageFetch::readSome);
    connect(m_reply, &QNetworkReply::finished, this, &PageFetch::finish);
    if (m_transferLimitMs > 0)
        m_transferLimit.start(m_transferLimitMs);
}

void PageFetch::cancel()
{
    fail(FetchFailure::Cancelled, u"Cancelado"_s);
}

void PageFetch::fail(FetchFailure failure, const QString &text)
{
    m_transferLimit.stop();
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
    m_page.clear();
    if (m_error.isEmpty()) {
        m_error = text;
        m_failure = failure;
    }
}

void PageFetch::checkAnnouncedSize()
{
    // A reply that says beforehand it is far more than a results page is
    // refused before a byte of it is read.
    if (!m_reply)
        return;
    bool known = false;
    const qint64 announced =
        m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    if (known && announced > m_maxBytes) {
        fail(FetchFailure::TooBig, u"Página demasiado grande"_s);
        emit finished();
    }
}

void PageFetch::readSome()
{
    if (!m_reply || !m_reply->isOpen())
        return;
    m_page += m_reply->read(m_maxBytes + 1 - m_page.size());
    if (m_page.size() > m_maxBytes) {
        // Far more than a results page: not read any further, not saved.
        fail(FetchFailure::TooBig, u"Página demasiado grande"_s);
        emit finished();
    }
}

void PageFetch::finish()
{
    if (!m_reply)
        return;
    readSome();
    if (!m_reply)
        return;
    m_transferLimit.stop();
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    m_httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError) {
        m_error = networkErrorText(reply->error());
        m_page.clear();
        // The silence time-out ends the reply as cancelled: nobody else does.
        if (reply->error() == QNetworkReply::OperationCanceledError ||
            reply->error() == QNetworkReply::TimeoutError)
            m_failure = FetchFailure::Silent;
        else if (m_httpStatus >= 400)
            m_failure = FetchFailure::HttpStatus;
        else
            m_failure = FetchFailure::Network;
    }
    reply->deleteLater();
    emit finished();
}

} // namespace zafrano
