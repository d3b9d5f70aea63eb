// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "net/page_fetch.h"
#include "store/data_folder.h"

#include <QObject>
#include <QUrl>

class QNetworkAccessManager;

namespace zafrano {

// The newest draw's prize document fetched into tuv.pdf. The document there
// is removed first, so that one that does not come is never shown as this
// draw's; what comes is capped, kept only when it is a PDF, and written whole
// or not at all.
class DocumentFetch : public QObject
{
    Q_OBJECT
public:
    DocumentFetch(QNetworkAccessManager &network, int timeoutMs, QObject *parent = nullptr);

    // Removes the tuv.pdf of `folder` and requests `url`; finished() follows.
    // A document that cannot be removed is the error, and nothing is requested.
    Status start(const DataFolder &folder, const QUrl &url);
    void cancel() { m_fetch.cancel(); }
    bool busy() const { return m_fetch.busy(); }
    // After finished(): tuv.pdf holds the document, or the reason it does not.
    const Status &result() const { return m_result; }

signals:
    void finished();

private:
    void arrived();

    PageFetch m_fetch;
    QString m_path;
    Status m_result;
};

} // namespace zafrano
