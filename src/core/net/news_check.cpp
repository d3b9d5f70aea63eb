// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/news_check.h"

#include "net/marker_search.h"
#include "net/prize_report.h"
#include "store/windows1252.h"

using namespace Qt::StringLiterals;

namespace zafrano {

bool newsCheckDue(QDate newestDraw, QDate today, bool hasSyndicate)
{
    return hasSyndicate && newestDraw.isValid() && newestDraw.daysTo(today) >= 2;
}

QUrl newsUrl(const QString &webAddress)
{
    return QUrl((u"http://"_s + webAddress.trimmed() + u"/binforme.dat"_s).toLower());
}

std::optional<QUrl> configuredNewsUrl(const QString &webAddress)
{
    if (!qEnvironmentVariableIsSet(NewsUrlVariable))
        return newsUrl(webAddress);
    const QString configured = qEnvironmentVariable(NewsUrlVariable).trimmed();
    if (configured == u"off"_s)
        return std::nullopt;
    // Only a web address: a file or any other scheme is no news server.
    const QUrl url(configured, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != u"http"_s && url.scheme() != u"https"_s))
        return std::nullopt;
    return url;
}

NewsVerdict judgeNews(QByteArrayView oldText, QByteArrayView newText,
                      const QString &currentWebAddress)
{
    NewsVerdict verdict;
    if (newText.size() == oldText.size() || newText.size() < 301)
        return verdict;
    verdict.fresh = true;
    MarkerSearch news(newText);
    QString announced;
    try {
        announced = windows1252::decode(news.find("web:", ">")).trimmed();
    } catch (const PageReadPastEnd &) {
    }
    // The news page may move the maker's server, but only to a plain host:
    // the address goes into links the program opens.
    const QString accepted = acceptedWebAddress(announced);
    if (!accepted.isEmpty() && accepted != currentWebAddress.trimmed())
        verdict.newWebAddress = accepted;
    return verdict;
}

} // namespace zafrano
