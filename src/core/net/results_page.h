// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/program_message.h"
#include "common/result.h"
#include "net/json_results.h"
#include "store/data_folder.h"
#include "store/draw_record.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

namespace zafrano {

// How a search page was taken in.
enum class PageOutcome
{
    NewDraws,   // draws newer than the newest stored one were read
    NothingNew, // the page lists no newer draw: "Todavía no hay sorteos nuevos."
    Corrupt,    // nothing could be read: "¡¡Datos corruptos o inválidos!!…", or a
                // listed draw the draw rule refuses, with its message; parse failed
    Incomplete, // it failed after some draws were read: "Aun no hay datos…", nothing kept
};

// What the parse of one saved search page found.
struct PageParse
{
    PageOutcome outcome = PageOutcome::NothingNew;
    QList<DrawRecord> draws; // the new draws, oldest first, numbers sorted
    // The draws counted: the new draws; 1 when nothing was new (the newest
    // draw is checked again); the count reached when the parse failed later.
    int newDrawCount = 0;
    QString drawLink;     // the newest draw's page ("2026/…"), as kept for the next request
    QDate drawLinkDate;   // the draw that page belongs to, when the parse found the link
    QString newDrawsText; // "1 sorteo", "3 sorteos": the count of draws read
    std::optional<ProgramMessage> message;
    bool parseFailed() const { return outcome == PageOutcome::Corrupt; }
    // The new draws as a source brings them; the search page gives no prizes.
    QList<FetchedDraw> fetchedDraws() const;
};

// The most a single search page can bring in, and the dates it may list.
inline constexpr int MaxPageDraws = 15;
inline constexpr int MaxPageDates = 50;

// Reads the draws newer than `newestStored` (an invalid date: every listed
// draw is new) from the saved search page. `drawLink` is the link already
// known; it is only looked for while empty. `year` goes into the "Aun no hay
// datos" message. A failed transfer never reaches the parse: the download
// ends with its own message before the page is saved.
PageParse parseResultsPage(QByteArrayView savedPage, QDate newestStored, const QString &drawLink,
                           int year);

// The text of the search-page date words: "07", "diciembre" or "December", "2026".
QDate pageDate(QByteArrayView day, int month, QByteArrayView year);

// The month of a Spanish or English month word (any case); 0 for any other word.
int monthOfWord(QByteArrayView word);

// The support address of the parse-error text.
inline constexpr auto SupportAddress = u"soporte@zafrano.es";

// "1 sorteo", "3 sorteos": the count of the draws a download read.
QString newDrawsText(int count);

// "Todavía no hay sorteos nuevos.": the sources list no draw after the newest stored.
ProgramMessage nothingNewMessage();

// "No conectado: …": the transfer failed or the server never answered.
ProgramMessage notConnectedMessage();

// The text of the prize tab after a page that could not be interpreted.
QString parseErrorText();

// Reads a saved search page against the newest stored draw of the folder;
// writes nothing. An unreadable draws file is an error; the page's own
// problems come back in the parse.
Result<PageParse> readResultsPage(const DataFolder &folder, QByteArrayView savedPage,
                                  const QString &drawLink, int year);

// Reads a saved search page and takes its new draws in as every source's
// draws are. A draw the intake refuses is an error, and nothing is written.
Result<PageParse> takeInResultsPage(const DataFolder &folder, QByteArrayView savedPage,
                                    const QString &drawLink, int year);

// A page as it is saved: one quoted item, a double quote, the text, a double
// quote and CR LF.
QByteArray savedPageBytes(QByteArrayView page);

// The largest saved page read back; a results page is a small part of this.
inline constexpr qint64 MaxSavedPageBytes = 2 * 1024 * 1024 + 4;

} // namespace zafrano
