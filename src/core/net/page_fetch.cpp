// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/page_fetch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

using namespace Qt::StringLiterals;

namespace zafrano {

PageFetch::PageFetch(QNetworkAccessManager &network, int timeoutMs, qint64 maxBytes,
                     QObject *parent)
    : QObject(parent), m_network(network), m_timeoutMs(timeoutMs), m_maxBytes(maxBytes)
{}

PageFetch::~PageFetch()
{
    cancel();
}

void PageFetch::start(const QUrl &url)
{
    cancel();
    m_page.clear();
    m_error.clear();
    QNetworkRequest request(url);
    request.setTransferTimeout(m_timeoutMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader, u"Zafrano"_s);
    m_reply = m_network.get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &PageFetch::readSome);
    connect(m_reply, &QNetworkReply::finished, this, &PageFetch::finish);
}

void PageFetch::cancel()
{
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
    if (m_error.isEmpty())
        m_error = u"Cancelado"_s;
}

void PageFetch::readSome()
{
    if (!m_reply || !m_reply->isOpen())
        return;
    m_page += m_reply->read(m_maxBytes + 1 - m_page.size());
    if (m_page.size() > m_maxBytes) {
        // Far more than a results page: not read any further, not saved.
        m_error = u"Página demasiado grande"_s;
        m_page.clear();
        cancel();
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
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    if (reply->error() != QNetworkReply::NoError) {
        m_error = reply->errorString();
        m_page.clear();
    }
    reply->deleteLater();
    emit finished();
}

} // namespace zafrano
