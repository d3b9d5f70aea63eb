// SPDX-License-Identifier: GPL-3.0-or-later
// The sequential marker search: where it stops, what it returns, and how it
// runs off the end of a page.
#include "net/marker_search.h"

#include <gtest/gtest.h>

using namespace zafrano;

TEST(MarkerSearch, WalksForwardThroughConsecutiveMarkers)
{
    const QByteArray page = "<ul><li> 12</li><li> 7</li></ul> fin";
    MarkerSearch search(page);
    EXPECT_EQ(search.find("<li> ", "<"), "12");
    // The end marker's first byte is where the next search starts.
    EXPECT_EQ(search.position(), page.indexOf("</li>") + 2);
    EXPECT_EQ(search.find("<li> ", "<"), "7");
    search.rewind();
    EXPECT_EQ(search.find("<li> ", "<"), "12");
}

TEST(MarkerSearch, StartMarkerIgnoresCaseAndEndMarkerTakesItsUpperCase)
{
    MarkerSearch search("xx<DIV CLASS=\"COMBI\"><UL><LI> 5</LI>  ");
    EXPECT_EQ(search.find("combi", "<"), "\">");
    // The end marker's first byte is behind the position: "<UL>" is not a marker any more.
    EXPECT_EQ(search.find("<li> ", "</li"), "5");
}

TEST(MarkerSearch, MissingStartMarkerStopsBeforeTheLastBytes)
{
    const QByteArray page = "abcdefghij";
    MarkerSearch search(page);
    EXPECT_EQ(search.find("zzz", "x"), "");
    EXPECT_EQ(search.position(), page.size() - 3 + 2); // the start of the last n − 1 bytes
    // A marker that ends exactly on the last byte is not found either.
    search.rewind();
    EXPECT_EQ(search.find("ij", "x"), "");
    search.rewind();
    EXPECT_EQ(search.find("hi", "x"), "");
}

TEST(MarkerSearch, MissingEndMarkerGivesTextUpToTheLastByte)
{
    MarkerSearch search("<td>1.234,56 euros");
    EXPECT_EQ(search.find("<td>", "&"), "1.234,56 euro");

    MarkerSearch closed("<td>1.234,56 euros");
    EXPECT_EQ(closed.findClosed("<td>", "&"), "");
    MarkerSearch found("<td>1.234,56&nbsp;</td>");
    EXPECT_EQ(found.findClosed("<td>", "&"), "1.234,56");
}

TEST(MarkerSearch, ReadingFromBeyondTheEndIsAnError)
{
    MarkerSearch search("ab c");
    EXPECT_EQ(search.find(" ", "z"), ""); // runs to the end of the page
    EXPECT_THROW(search.find(" ", " "), PageReadPastEnd);
    MarkerSearch empty("");
    EXPECT_THROW(empty.find("a", "b"), PageReadPastEnd);
}

TEST(RareCharacters, KeepOnlyCodes33To122)
{
    // "612.345,67 €" as the page's UTF-8 bytes: the blank and the euro sign go.
    EXPECT_EQ(withoutRareCharacters("612.345,67 \xE2\x82\xAC"), "612.345,67");
    EXPECT_EQ(withoutRareCharacters("!z{ \t\x7f\xe9"), "!z");
    EXPECT_EQ(withoutRareCharacters(""), "");
}
