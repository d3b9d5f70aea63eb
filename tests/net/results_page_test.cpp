// SPDX-License-Identifier: GPL-3.0-or-later
// The search page parser on our fixture pages: which draws are new, in what
// order they are appended, and the page's failures with their messages.
#include "net/results_page.h"
#include "net_test_support.h"
#include "store/day_serial.h"
#include "store/draw_rule.h"
#include "test_support.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

QDate storedBefore(int newDraws)
{
    return listedDrawDates().at(newDraws);
}

PageParse parseFixture(const QString &name, QDate newest, const QString &link = {})
{
    return parseResultsPage(savedPageBytes(operatorPage(name)), newest, link, 2026);
}

} // namespace

TEST(ResultsPage, TakesTheNewDrawsOldestFirstWithSortedNumbers)
{
    const PageParse parse = parseFixture(u"buscador.html"_s, storedBefore(4));
    ASSERT_EQ(parse.outcome, PageOutcome::NewDraws);
    ASSERT_EQ(parse.draws.size(), 4);
    EXPECT_EQ(parse.newDrawCount, 4);
    EXPECT_EQ(parse.newDrawsText, u"4 sorteos"_s);
    EXPECT_EQ(parse.draws[0].date(), QDate(2026, 12, 4));
    EXPECT_EQ(parse.draws[1].date(), QDate(2026, 12, 5));
    EXPECT_EQ(parse.draws[2].date(), QDate(2026, 12, 6)); // a Sunday
    EXPECT_EQ(parse.draws[3].date(), QDate(2026, 12, 7));
    for (const DrawRecord &draw : parse.draws) {
        EXPECT_TRUE(std::is_sorted(draw.numbers.begin(), draw.numbers.end()));
        EXPECT_TRUE(checkDraw(draw).ok());
    }
    // The page lists 4 December with a reintegro of 0, which is a valid one.
    EXPECT_EQ(parse.draws[0].reintegro, 0);
    EXPECT_EQ(parse.drawLink, u"2026/926120701"_s);
    EXPECT_FALSE(parse.message.has_value());
}

TEST(ResultsPage, OneNewDrawIsNamedInTheSingular)
{
    const PageParse parse = parseFixture(u"buscador.html"_s, storedBefore(1));
    ASSERT_EQ(parse.draws.size(), 1);
    EXPECT_EQ(parse.newDrawsText, u"1 sorteo"_s);
}

TEST(ResultsPage, NothingNewStillTakesTheLinkAndCountsOne)
{
    const PageParse parse = parseFixture(u"buscador.html"_s, storedBefore(0));
    EXPECT_EQ(parse.outcome, PageOutcome::NothingNew);
    EXPECT_TRUE(parse.draws.isEmpty());
    EXPECT_EQ(parse.newDrawCount, 1);
    EXPECT_EQ(parse.drawLink, u"2026/926120701"_s);
    ASSERT_TRUE(parse.message.has_value());
    EXPECT_EQ(*parse.message, (ProgramMessage{u"Todavía no hay sorteos nuevos."_s,
                                              u"Pruebe más tarde"_s, MessageIcon::Information}));
    // A link already known is kept.
    EXPECT_EQ(parseFixture(u"buscador.html"_s, storedBefore(0), u"2026/1"_s).drawLink, u"2026/1"_s);
}

TEST(ResultsPage, FifteenNewDrawsFitAndSixteenDoNot)
{
    const PageParse fifteen = parseFixture(u"buscador.html"_s, storedBefore(15));
    ASSERT_EQ(fifteen.outcome, PageOutcome::NewDraws);
    EXPECT_EQ(fifteen.draws.size(), 15);
    EXPECT_EQ(fifteen.draws.first().date(), listedDrawDates().at(14));

    const PageParse sixteen = parseFixture(u"buscador.html"_s, storedBefore(16));
    EXPECT_EQ(sixteen.outcome, PageOutcome::Incomplete);
    EXPECT_TRUE(sixteen.draws.isEmpty());
    EXPECT_EQ(sixteen.newDrawCount, 15);
    EXPECT_EQ(*sixteen.message, (ProgramMessage{u"Aun no hay datos de sorteos del 2026."_s,
                                                u"Pruebe mas tarde"_s, MessageIcon::Information}));
}

TEST(ResultsPage, EnglishMonthsAndUpperCaseMarkersReadTheSame)
{
    const PageParse spanish = parseFixture(u"buscador.html"_s, storedBefore(3));
    for (const QString &name :
         {u"buscador-ingles.html"_s, u"buscador-mayusculas.html"_s, u"buscador-sin-while.html"_s}) {
        const PageParse parse = parseFixture(name, storedBefore(3));
        EXPECT_EQ(parse.outcome, PageOutcome::NewDraws) << name.toStdString();
        EXPECT_EQ(parse.draws, spanish.draws) << name.toStdString();
    }
    EXPECT_EQ(monthOfWord("DECEMBER"), 12);
    EXPECT_EQ(monthOfWord("diciembre"), 12);
    EXPECT_EQ(monthOfWord("Decembre"), 0);
}

TEST(ResultsPage, PagesThatCannotBeInterpretedAppendNothing)
{
    for (const QString &name : {u"buscador-sin-marcas.html"_s, u"buscador-fecha-mala.html"_s}) {
        const PageParse parse = parseFixture(name, storedBefore(3));
        EXPECT_EQ(parse.outcome, PageOutcome::Corrupt) << name.toStdString();
        EXPECT_TRUE(parse.parseFailed());
        EXPECT_TRUE(parse.draws.isEmpty());
        EXPECT_EQ(parse.message->title, u"Error crítico"_s);
        EXPECT_EQ(parse.message->icon, MessageIcon::Critical);
        EXPECT_TRUE(parse.message->text.startsWith(u"¡¡Datos corruptos o inválidos!!"_s));
    }
    EXPECT_TRUE(parseErrorText().contains(u"ERROR DE INTERPRETACIÓN DE DATOS:"_s));
}

TEST(ResultsPage, DatesListedTwiceOrOutOfOrderAreNotTaken)
{
    // The second listed draw dated like the first: the file would hold 7
    // December twice.
    QByteArray page = operatorPage(u"buscador.html"_s);
    page.replace("sábado 05 de diciembre", "lunes 07 de diciembre");
    const PageParse twice = parseResultsPage(savedPageBytes(page), storedBefore(3), {}, 2026);
    EXPECT_EQ(twice.outcome, PageOutcome::Corrupt);
    EXPECT_TRUE(twice.draws.isEmpty());
}

TEST(ResultsPage, ABlockWithoutNumbersEndsTheDrawsQuietly)
{
    // The second listed draw has a "-" for its second number.
    const PageParse later = parseFixture(u"buscador-numero-malo.html"_s, storedBefore(3));
    EXPECT_EQ(later.outcome, PageOutcome::NewDraws);
    ASSERT_EQ(later.draws.size(), 1);
    EXPECT_EQ(later.draws[0].date(), QDate(2026, 12, 7));
    EXPECT_FALSE(later.message.has_value());
}

TEST(ResultsPage, ShortOrEmptyPagesHaveNothingNew)
{
    EXPECT_EQ(parseResultsPage({}, {}, {}, 2026).outcome, PageOutcome::NothingNew);
    EXPECT_EQ(
        parseResultsPage(savedPageBytes("<html>celebrado del&nbsp;x</html>"), {}, {}, 2026).outcome,
        PageOutcome::NothingNew);
}

TEST(ResultsPage, AListedDrawTheDrawRuleRefusesTakesInNothing)
{
    // The newest listed draw, of 7 December, drawn 38 1 44 34 12 10, gets a
    // complementario of 38.
    QByteArray page = operatorPage(u"buscador.html"_s);
    const qsizetype at = page.indexOf("q\"\">11<");
    ASSERT_GE(at, 0);
    page.replace(at, 7, "q\"\">38<");
    const PageParse parse = parseResultsPage(savedPageBytes(page), storedBefore(3), {}, 2026);
    EXPECT_EQ(parse.outcome, PageOutcome::Corrupt);
    EXPECT_TRUE(parse.draws.isEmpty());
    EXPECT_EQ(parse.message->text, u"El sorteo del 07/12/2026 no es válido: el complementario 38 "
                                   u"es uno de los seis números."_s);
}

TEST(ResultsPage, TakingInAppendsAfterTheStoredDraws)
{
    QTemporaryDir dir;
    const DataFolder folder(dir.path());
    writeBytes(folder.filePath(u"bononume.dat"_s), drawsFileBefore(3));
    Result<PageParse> parse =
        takeInResultsPage(folder, savedPageBytes(operatorPage(u"buscador.html"_s)), {}, 2026);
    ASSERT_TRUE(parse.ok());
    const QByteArray file = readBytes(folder.filePath(u"bononume.dat"_s));
    ASSERT_EQ(file.size(), 5 * DrawRecord::Size);
    EXPECT_EQ(file.mid(2 * DrawRecord::Size),
              parse->draws[0].toBytes() + parse->draws[1].toBytes() + parse->draws[2].toBytes());
    // Taking the same page in again finds nothing new and writes nothing.
    Result<PageParse> again =
        takeInResultsPage(folder, savedPageBytes(operatorPage(u"buscador.html"_s)), {}, 2026);
    EXPECT_EQ(again->outcome, PageOutcome::NothingNew);
    EXPECT_EQ(readBytes(folder.filePath(u"bononume.dat"_s)), file);
}
