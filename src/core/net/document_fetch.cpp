// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/document_fetch.h"

#include "net/prize_report.h"
#include "store/record_file.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

Error documentError(ErrorKind kind, const QString &text)
{
    return {kind, {text, u"Error"_s, MessageIcon::Exclamation}};
}

} // namespace

DocumentFetch::DocumentFetch(QNetworkAccessManager &network, int timeoutMs, QObject *parent)
    : QObject(parent), m_fetch(network, timeoutMs, MaxDocumentBytes)
{
    connect(&m_fetch, &PageFetch::finished, this, &DocumentFetch::arrived);
}

Status DocumentFetch::start(const DataFolder &folder, const QUrl &url)
{
    m_fetch.cancel();
    m_path = folder.filePath(QString::fromUtf16(DocumentFileName));
    // A document that cannot be removed is the draw before's: never shown as this one's.
    if (QFile::exists(m_path) && !QFile::remove(m_path)) {
        m_result = documentError(ErrorKind::PermissionDenied,
                                 u"No se puede borrar el documento de premios anterior (%1)."_s.arg(
                                     QString::fromUtf16(DocumentFileName)));
        return m_result;
    }
    m_result = {};
    m_fetch.start(url);
    return {};
}

void DocumentFetch::arrived()
{
    if (!m_fetch.errorText().isEmpty())
        m_result = documentError(
            ErrorKind::Io,
            u"No se ha podido descargar el documento de premios (%1)."_s.arg(m_fetch.errorText()));
    else if (!documentAvailable(m_fetch.page().left(4), true, true))
        m_result = documentError(ErrorKind::InvalidData,
                                 u"Lo descargado no es un documento PDF; no se guarda."_s);
    else
        m_result = replaceFileAtomically(m_path, m_path + u".tmp"_s, m_fetch.page());
    emit finished();
}

} // namespace zafrano
