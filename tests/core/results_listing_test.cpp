// SPDX-License-Identifier: GPL-3.0-or-later
// The printed results listing as laid out before it reaches a printer.
#include "checking/check_run.h"
#include "printing/results_listing.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using zafrano::test::serialOf;

namespace {

DrawRecord makeDraw(QDate date, std::array<qint16, 6> numbers, int complementario, int reintegro)
{
    DrawRecord draw;
    draw.numbers = numbers;
    draw.complementario = static_cast<qint16>(complementario);
    draw.reintegro = static_cast<qint16>(reintegro);
    draw.drawDate = serialOf(date);
    return draw;
}

SyndicateRecord syndicate(const QString &name, int betCount, const QList<QList<int>> &bets)
{
    SyndicateRecord record;
    record.setName(name);
    record.setDays(u"Todos"_s);
    record.createdOn = serialOf(2018, 10, 1);
    record.betCount = static_cast<qint16>(betCount);
    for (int b = 0; b < bets.size(); ++b)
        std::copy(bets[b].begin(), bets[b].end(), record.bets[b].begin());
    return record;
}

// Each item as one line: "logo", "new page", or "x size [u] text".
QStringList describe(const PrintDocument &document)
{
    QStringList lines;
    for (const PrintItem &item : document.items()) {
        if (item.kind == PrintItem::Kind::Logo)
            lines.append(u"logo"_s);
        else if (item.kind == PrintItem::Kind::NewPage)
            lines.append(u"new page"_s);
        else if (item.kind == PrintItem::Kind::Text)
            lines.append(u"%1 %2%3 %4"_s.arg(item.xMm)
                             .arg(item.sizePt)
                             .arg(item.underline ? u" u"_s : QString())
                             .arg(item.text));
        else
            lines.append(u"other"_s);
    }
    return lines;
}

const DrawRecord Monday = makeDraw(QDate(2018, 10, 15), {3, 7, 12, 25, 33, 41}, 5, 3);
const DrawRecord Tuesday = makeDraw(QDate(2018, 10, 16), {1, 2, 20, 26, 28, 8}, 39, 5);

const SyndicateRecord Bar = syndicate(u"BAR"_s, 2, {{3, 7, 12, 25, 33, 5}, {1, 2, 4, 6, 8, 9}});
const SyndicateRecord Office = syndicate(u"OFICINA"_s, 1, {{1, 2, 20, 40, 41, 42}});
const SyndicateRecord Seven = syndicate(u"SIETE"_s, 501, {{3, 7, 12, 25, 33, 5, 44}});

CheckResults check(const QList<DrawRecord> &draws, const QList<SyndicateRecord> &syndicates,
                   bool prizesOnly)
{
    CheckOptions options;
    options.drawCount = static_cast<int>(draws.size());
    options.prizesOnly = prizesOnly;
    return runCheck(draws, syndicates, options);
}

const QString Heading = u"Sorteo del 15/10/2018  3-7-12-25-33-41  C:5  R:3"_s;

TEST(ResultsListing, SimpleThenMultiplesOnANewPage)
{
    const PrintDocument listing = buildResultsListing(check({Monday}, {Bar, Seven}, false));
    EXPECT_TRUE(listing.hasText());
    EXPECT_EQ(describe(listing),
              (QStringList{
                  u"logo"_s,
                  u"50 22 u PEÑAS SENCILLAS / REDUCIDAS"_s,
                  u"20 18 "_s + Heading,
                  u"30 8.2 PEÑA BAR                 "_s,
                  u"30 8.2     3    7  12  25  33    5  ¡¡ Premio !! 5 + COMPLEMENTARIO"_s,
                  u"30 8.2     1    2    4    6    8    9"_s,
                  u"new page"_s,
                  u"logo"_s,
                  u"70 22 u PEÑAS MÚLTIPLES"_s,
                  u"20 18 "_s + Heading,
                  u"30 8.2 PEÑA SIETE               "_s,
                  u"30 8.2     3    7  12  25  33    5  44  "
                  u"¡¡ Premio !! Tienes 5 apuestas de 4 aciertos."_s,
                  u"83.3 8.2 ¡¡ Premio !! Tienes 1 apuesta de 5 aciertos."_s,
                  u"83.3 8.2 ¡¡ Premio !! Tienes 1 apuesta de 5 aciertos + C."_s,
              }));
}

TEST(ResultsListing, EachDrawIsHeadedOnceNewestFirst)
{
    const PrintDocument listing =
        buildResultsListing(check({Monday, Tuesday}, {Bar, Office}, false));
    QStringList headings;
    int syndicateLines = 0;
    for (const PrintItem &item : listing.items()) {
        if (item.text.startsWith(u"Sorteo del "_s))
            headings.append(item.text);
        syndicateLines += item.text.startsWith(u"PEÑA "_s);
    }
    EXPECT_EQ(headings, (QStringList{u"Sorteo del 16/10/2018  1-2-20-26-28-8  C:39  R:5"_s,
                                     u"Sorteo del 15/10/2018  3-7-12-25-33-41  C:5  R:3"_s}));
    EXPECT_EQ(syndicateLines, 4);
}

TEST(ResultsListing, MultiplesAloneStartOnTheFirstPage)
{
    // With prizes only, the simple syndicate without a prize leaves nothing to print.
    const SyndicateRecord loser = syndicate(u"NADA"_s, 1, {{1, 2, 4, 6, 8, 9}});
    const PrintDocument listing = buildResultsListing(check({Monday}, {loser, Seven}, true));
    const QStringList lines = describe(listing);
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines.mid(0, 3),
              (QStringList{u"logo"_s, u"70 22 u PEÑAS MÚLTIPLES"_s, u"20 18 "_s + Heading}));
    EXPECT_FALSE(lines.contains(u"new page"_s));
    EXPECT_FALSE(lines.join(u'\n').contains(u"NADA"_s));
}

TEST(ResultsListing, PrizesOnlyPrintsThePrizeLinesAlone)
{
    const SyndicateRecord five = syndicate(u"CINCO"_s, 503, {{3, 7, 40, 42, 44}});
    const PrintDocument listing = buildResultsListing(check({Monday}, {Bar, five}, true));
    const QStringList lines = describe(listing);
    EXPECT_TRUE(lines.contains(u"30 8.2     3    7  12  25  33    5  "
                               u"¡¡ Premio !! 5 + COMPLEMENTARIO"_s));
    EXPECT_FALSE(lines.contains(u"30 8.2     1    2    4    6    8    9"_s));
    // The 5-number multiple with two hits prints its line, without the empty one after it.
    EXPECT_EQ(lines.last(), u"30 8.2     3    7  40  42  44  "
                            u"¡¡ Premio !! Tienes 4 apuestas de 3 aciertos."_s);
}

TEST(ResultsListing, NothingToPrintLeavesTheLogoAlone)
{
    const SyndicateRecord loser = syndicate(u"NADA"_s, 1, {{1, 2, 4, 6, 8, 9}});
    const SyndicateRecord eight = syndicate(u"OCHO"_s, 502, {{3, 7, 40, 42, 44, 45, 46, 47}});
    for (const CheckResults &results :
         {check({Monday}, {loser, eight}, true), check({}, {Bar, Seven}, false),
          check({Monday}, {}, false)}) {
        const PrintDocument listing = buildResultsListing(results);
        EXPECT_FALSE(listing.hasText());
        EXPECT_EQ(describe(listing), QStringList{u"logo"_s});
    }
}

TEST(ResultsListing, DrawText)
{
    EXPECT_EQ(listingDrawText(Monday), u"3-7-12-25-33-41  C:5  R:3"_s);
    EXPECT_EQ(listingDrawText(makeDraw(QDate(2026, 8, 20), {1, 2, 16, 20, 28, 47}, 10, 9)),
              u"1-2-16-20-28-47  C:10  R:9"_s);
}

} // namespace
