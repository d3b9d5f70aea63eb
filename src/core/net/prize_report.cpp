// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/prize_report.h"

#include "net/marker_search.h"
#include "store/windows1252.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace zafrano {

QString prizesNotYetText()
{
    return u"\r\nATENCIÓN:\r\nLos datos del sorteo aún no están disponibles. Intente más tarde."_s;
}

PrizeReport readPrizeReport(QByteArrayView savedDrawPage, const QUrl &operatorBase)
{
    PrizeReport report;
    MarkerSearch page(savedDrawPage);
    // Each search may run off the page; that search's text stays empty and
    // the next one goes on from where the reading stopped.
    auto search = [&page](QByteArrayView start, QByteArrayView end) {
        try {
            return page.findClosed(start, end);
        } catch (const PageReadPastEnd &) {
            return QByteArray();
        }
    };
    search(">Categor", "/");
    for (QString &prize : report.prizes) {
        search("<td>", "<");
        prize = QString::fromLatin1(withoutRareCharacters(search("<td>", "&")));
    }
    search("DOCUMENT", "S");
    search("href", "=");
    const QByteArray path = search("\"", ".pdf");
    if (!path.isEmpty())
        report.documentUrl = documentUrlFor(path, operatorBase);
    return report;
}

QUrl documentUrlFor(QByteArrayView linkedPath, const QUrl &operatorBase)
{
    QByteArray path = linkedPath.toByteArray();
    path.replace('"', QByteArray());
    path.replace('\xC3', '\xC1'); // code 195 becomes "Á"
    path.replace("LOTER\xC1\x8D"
                 "A",
                 "LOTER\xCD"
                 "A"); // "LOTERÁ" + code 141 + "A"
    path.replace('\x81', QByteArray());
    QString text = windows1252::decode(path) + u".pdf"_s;
    // The path is only ever a path: glued after the host as the page gave it,
    // "@host/…" or "//host/…" would take the request to another host.
    if (text.contains(u'\\') || text.contains(u"://"_s))
        return {};
    while (text.startsWith(u'/'))
        text.remove(0, 1);
    QUrl url;
    url.setScheme(operatorBase.scheme());
    url.setHost(operatorBase.host());
    url.setPort(operatorBase.port());
    url.setPath(u'/' + text, QUrl::DecodedMode);
    if (!url.isValid() || url.host() != operatorBase.host())
        return {};
    return url;
}

bool documentAvailable(QByteArrayView header, bool hasLink, bool fetched)
{
    return hasLink && fetched && header.toByteArray().toUpper().startsWith("%PDF");
}

QString acceptedWebAddress(const QString &announced)
{
    static const QRegularExpression plain(
        u"^[A-Za-z0-9]([A-Za-z0-9-]*[A-Za-z0-9])?(\\.[A-Za-z0-9]([A-Za-z0-9-]*[A-Za-z0-9])?)*"
        u"(/[A-Za-z0-9._~%/-]*)?$"_s);
    const QString address = announced.trimmed();
    if (address.isEmpty() || address.size() > 60 || !plain.match(address).hasMatch())
        return {};
    return address;
}

} // namespace zafrano
