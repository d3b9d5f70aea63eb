// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace zafrano {

// The prize document as downloaded beside the program, and the largest one taken.
inline constexpr auto DocumentFileName = u"tuv.pdf";
inline constexpr qint64 MaxDocumentBytes = 16 * 1024 * 1024;

// The prize report of the newest draw, read from its saved draw page.
struct PrizeReport
{
    // The prize of one winning bet per category, in page order: 6 hits,
    // 5 + complementario, 5, 4, 3 hits; empty text when the page has none.
    QStringList prizes = QStringList(5);
    // The prize document; empty when the page links none.
    QUrl documentUrl;
};

// Reads the prizes and the document link of a saved draw page. Every step
// that fails leaves its part empty and the next one runs.
PrizeReport readPrizeReport(QByteArrayView savedDrawPage, const QUrl &operatorBase);

// The document's address on the operator's site from the path the page links,
// repaired of its code-page damage ("LOTERÃ\x8dA" back to "LOTERÍA"). The
// host is always the operator's, whatever the path holds; nothing for a path
// that cannot be one.
QUrl documentUrlFor(QByteArrayView linkedPath, const QUrl &operatorBase);

// The first four bytes of a downloaded document decide whether it is one: the
// document is shown only when a link was found, it was fetched and it starts
// with "%PDF".
bool documentAvailable(QByteArrayView header, bool hasLink, bool fetched);

// The "ATENCIÓN" text of the prize tab when the draw's data are not there yet.
QString prizesNotYetText();

// A maker's address announced by the news page, accepted only as a plain host
// with an optional path: no scheme, no blanks or quotes, at most 60
// characters. Returns the address or an empty text.
QString acceptedWebAddress(const QString &announced);

} // namespace zafrano
