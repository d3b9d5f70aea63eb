// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QUrl>
#include <optional>

namespace zafrano {

// The maker's news file beside the program, and the most of it taken.
inline constexpr auto NewsFileName = u"informe.dat";
inline constexpr qint64 MaxNewsBytes = 1024 * 1024;

// The start-up looks for news only when the newest stored draw is two days
// old or more, and only for a player who has created a syndicate.
bool newsCheckDue(QDate newestDraw, QDate today, bool hasSyndicate);

// The news page on the maker's server named by the settings' web address.
QUrl newsUrl(const QString &webAddress);

// The maker's server is configuration too: ZAFRANO_NEWS_URL names another
// news address (our own on 127.0.0.1), or "off" for none at all. An address
// that is not http(s) with a host is none.
inline constexpr auto NewsUrlVariable = "ZAFRANO_NEWS_URL";
std::optional<QUrl> configuredNewsUrl(const QString &webAddress);

// What a downloaded news page brings.
struct NewsVerdict
{
    bool fresh = false;    // show it: longer than 300 characters and not the old length
    QString newWebAddress; // the maker's new address, when it announces an acceptable one
};

// Compares the new news text with the old one and reads its "web:" entry.
NewsVerdict judgeNews(QByteArrayView oldText, QByteArrayView newText,
                      const QString &currentWebAddress);

} // namespace zafrano
