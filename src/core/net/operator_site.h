// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QUrl>

namespace zafrano {

// Where the operator's results site lives: the real host unless the
// environment (ZAFRANO_OPERATOR_URL) or the command line names another one,
// such as the fixture server on 127.0.0.1.
inline constexpr auto DefaultOperatorUrl = u"https://www.loteriasyapuestas.es";
inline constexpr auto OperatorUrlVariable = "ZAFRANO_OPERATOR_URL";

// The operator's base address: `configured` when given, else the environment
// variable, else the real host. Only the scheme, host and port are kept; an
// address that is not http(s) with a host gives nothing.
std::optional<QUrl> operatorBaseUrl(const QString &configured = {});

// The search page of the draws from today − 50 days to today.
QUrl searchPageUrl(const QUrl &base, QDate today);

// The page of one draw, from the link the search page gave ("2026/…").
QUrl drawPageUrl(const QUrl &base, const QString &drawLink);

// The operator's JSON service's draws of the days `from` to `to`, both included.
QUrl jsonSearchUrl(const QUrl &base, QDate from, QDate to);

// The days the search page covers, back from today.
inline constexpr int SearchWindowDays = 50;

} // namespace zafrano
