// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/operator_site.h"

#include "store/day_serial.h"

#include <QUrlQuery>

using namespace Qt::StringLiterals;

namespace zafrano {

std::optional<QUrl> operatorBaseUrl(const QString &configured)
{
    QString text = configured;
    if (text.isEmpty())
        text = qEnvironmentVariable(OperatorUrlVariable);
    if (text.isEmpty())
        text = QString::fromUtf16(DefaultOperatorUrl);
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != u"http"_s && url.scheme() != u"https"_s))
        return std::nullopt;
    QUrl base;
    base.setScheme(url.scheme());
    base.setHost(url.host());
    base.setPort(url.port());
    return base;
}

QUrl searchPageUrl(const QUrl &base, QDate today)
{
    QUrl url = base;
    url.setPath(u"/es/buscador"_s);
    // The query keys and their order are the site's; the dates in the
    // day/month/year short form.
    url.setQuery(u"startDate="_s + shortDate(today.addDays(-SearchWindowDays)) +
                 u"&gameId=01&type=search&endDate="_s + shortDate(today));
    return url;
}

QUrl drawPageUrl(const QUrl &base, const QString &drawLink)
{
    QUrl url = base;
    url.setPath(u"/es/bonoloto/sorteos/"_s + drawLink, QUrl::DecodedMode);
    return url;
}

QUrl jsonSearchUrl(const QUrl &base, QDate from, QDate to)
{
    QUrl url = base;
    url.setPath(u"/servicios/buscadorSorteos"_s);
    url.setQuery(u"game_id=BONO&celebrados=true&fechaInicioInclusiva="_s +
                 from.toString(u"yyyyMMdd"_s) + u"&fechaFinInclusiva="_s +
                 to.toString(u"yyyyMMdd"_s));
    return url;
}

} // namespace zafrano
