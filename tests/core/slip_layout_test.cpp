// SPDX-License-Identifier: GPL-3.0-or-later
// Where the "X" marks of a syndicate's slips go, in millimetres.
#include "printing/slip_document.h"
#include "printing/slip_layout.h"

#include <gtest/gtest.h>

using namespace zafrano;
using namespace Qt::StringLiterals;

namespace {

const SlipOptions Official{SlipMode::Official, 0, 0, false};
const SlipOptions Plain{SlipMode::Plain, 0, 0, false};

SyndicateRecord simpleSyndicate(int bets)
{
    SyndicateRecord syndicate;
    syndicate.betCount = static_cast<qint16>(bets);
    for (int b = 0; b < bets; ++b)
        for (int k = 0; k < 6; ++k)
            syndicate.bets[b][k] = static_cast<qint16>((b + k * 7) % 49 + 1);
    return syndicate;
}

SyndicateRecord multiple(qint16 code, std::initializer_list<int> numbers)
{
    SyndicateRecord syndicate;
    syndicate.betCount = code;
    int k = 0;
    for (int n : numbers)
        syndicate.bets[0][k++] = static_cast<qint16>(n);
    return syndicate;
}

void expectNear(QPointF actual, QPointF expected)
{
    EXPECT_NEAR(actual.x(), expected.x(), 1e-9);
    EXPECT_NEAR(actual.y(), expected.y(), 1e-9);
}

int count(const PrintDocument &document, PrintItem::Kind kind)
{
    return static_cast<int>(std::count_if(document.items().begin(), document.items().end(),
                                          [kind](const PrintItem &i) { return i.kind == kind; }));
}

} // namespace

TEST(SlipGrid, NumbersFallInTheirColumnAndRow)
{
    expectNear(markPosition(9, 1, Official), {0, 45});   // last row of the first column
    expectNear(markPosition(10, 1, Official), {3.8, 0}); // first row of the second
    expectNear(markPosition(1, 1, Official), {0, 5});
    expectNear(markPosition(49, 1, Official), {15.2, 45});
    expectNear(markPosition(1, 8, Official), {7 * 18.7, 5}); // block 8
    expectNear(markPosition(40, 2, Official), {18.7 + 15.2, 0});
}

TEST(SlipGrid, CorrectionsMoveOfficialMarksOnly)
{
    const SlipOptions corrected{SlipMode::Official, 2.5f, -1.5f, false};
    expectNear(markPosition(10, 3, corrected), {2.5 + 2 * 18.7 + 3.8, -1.5});
    const SlipOptions plainCorrected{SlipMode::Plain, 2.5f, -1.5f, false};
    expectNear(markPosition(10, 3, plainCorrected), markPosition(10, 3, Plain));
}

TEST(SlipCounts, EightBetsToASlipAndOneForAMultiple)
{
    EXPECT_EQ(slipCount(simpleSyndicate(8)), 1);
    EXPECT_EQ(slipCount(simpleSyndicate(9)), 2);
    EXPECT_EQ(slipCount(simpleSyndicate(205)), 26);
    const SyndicateRecord five = multiple(503, {1, 2, 3, 4, 5});
    EXPECT_EQ(slipCount(five), 1);
    EXPECT_EQ(betsToPrint(five), 1);
    EXPECT_EQ(numbersPerBet(five), 5);
    EXPECT_EQ(numbersPerBet(multiple(506, {})), 11);
    EXPECT_EQ(numbersPerBet(simpleSyndicate(3)), 6);
}

TEST(SlipLayout, NineBetsFillOneSlipAndOneBlockOfTheNext)
{
    const QList<SlipPrint> slips = layoutSlips(simpleSyndicate(9), Official);
    ASSERT_EQ(slips.size(), 2);
    EXPECT_EQ(slips[0].marks.size(), 48);
    EXPECT_EQ(slips[1].marks.size(), 6);
    EXPECT_EQ(slips[0].page, 1);
    EXPECT_EQ(slips[1].page, 2);
    // The ninth bet stands in block 1 of the second slip.
    for (const QPointF &mark : slips[1].marks)
        EXPECT_LT(mark.x(), 18.7);
}

TEST(SlipLayout, PlainPaperPutsTwoSlipsOnAPage)
{
    const QList<SlipPrint> slips = layoutSlips(simpleSyndicate(20), Plain);
    ASSERT_EQ(slips.size(), 3);
    EXPECT_EQ(slips[0].page, 1);
    EXPECT_EQ(slips[1].page, 1);
    EXPECT_EQ(slips[2].page, 2);
    expectNear(slips[0].origin, {25.8, 45});
    expectNear(slips[1].origin, {25.8, 149});
    expectNear(slips[2].origin, {25.8, 45});
    // Marks are placed from the slip's origin.
    expectNear(slips[1].marks.first(),
               slips[1].origin + markPosition(simpleSyndicate(20).bets[8][0], 1, Plain));
}

TEST(SlipLayout, AMultipleMarksItsNumbersAndItsKindBox)
{
    const SyndicateRecord seven = multiple(501, {3, 12, 19, 25, 33, 41, 48});
    const QList<SlipPrint> slips = layoutSlips(seven, Official);
    ASSERT_EQ(slips.size(), 1);
    ASSERT_EQ(slips[0].marks.size(), 8);
    for (int k = 0; k < 7; ++k)
        expectNear(slips[0].marks[k], markPosition(seven.bets[0][k], 1, Official));
    // 501 is told by the box 10 mm under number 39 of block 1.
    expectNear(slips[0].marks[7], markPosition(39, 1, Official) + QPointF(0, 10));

    const QList<std::pair<qint16, QPointF>> kinds = {{502, markPosition(9, 2, Official)},
                                                     {503, markPosition(19, 1, Official)},
                                                     {504, markPosition(29, 2, Official)},
                                                     {505, markPosition(49, 2, Official)},
                                                     {506, markPosition(19, 3, Official)}};
    for (const auto &[code, cell] : kinds)
        expectNear(layoutSlips(multiple(code, {1}), Official)[0].marks.last(),
                   cell + QPointF(0, 10));
}

TEST(SlipLayout, TheExtraMarkGoesUnderBlockEight)
{
    SlipOptions options = Official;
    options.extraMark = true;
    const QList<SlipPrint> slips = layoutSlips(simpleSyndicate(9), options);
    for (const SlipPrint &slip : slips)
        expectNear(slip.marks.last(), markPosition(9, 8, options) + QPointF(0, 10));
}

TEST(SlipLayout, ADamagedRecordNeverMarksOutsideTheGrid)
{
    SyndicateRecord damaged = simpleSyndicate(2);
    damaged.bets[0][0] = 0;
    damaged.bets[0][1] = 50;
    damaged.bets[1][2] = -3;
    EXPECT_EQ(layoutSlips(damaged, Official)[0].marks.size(), 9);
    damaged.betCount = 900; // no such code: read as many bets as a record holds
    EXPECT_EQ(slipCount(damaged), 26);
}

TEST(SlipLayout, OnlyARealBetCountIsPrinted)
{
    SyndicateRecord syndicate = simpleSyndicate(2);
    for (qint16 good : {qint16(1), qint16(205), qint16(501), qint16(506)}) {
        syndicate.betCount = good;
        EXPECT_TRUE(slipsPrintable(syndicate)) << good;
    }
    for (qint16 damaged : {qint16(0), qint16(-1), qint16(206), qint16(500), qint16(507)}) {
        syndicate.betCount = damaged;
        const Status printable = slipsPrintable(syndicate);
        ASSERT_FALSE(printable) << damaged;
        const ProgramMessage &refused = printable.error().message;
        EXPECT_TRUE(refused.text.startsWith(u"Número de apuestas no válido: "_s +
                                            QString::number(damaged) + u'.'));
        EXPECT_EQ(refused.title, u"¡Vaya hombre!"_s);
    }
}

TEST(SlipDocument, PagesAndArtworkFollowTheMode)
{
    const SyndicateRecord syndicate = simpleSyndicate(20);
    const PrintDocument official = buildSlipDocument(syndicate, Official);
    EXPECT_EQ(count(official, PrintItem::Kind::NewPage), 2);
    EXPECT_EQ(count(official, PrintItem::Kind::PlainSlip), 0);
    // The marks, and on every slip the name and days in small type in the
    // margin; the marks of the next slip are in 11.5 points again.
    EXPECT_EQ(count(official, PrintItem::Kind::Text), 20 * 6 + 3);
    QList<PrintItem> texts;
    for (const PrintItem &item : official.items()) {
        if (item.kind == PrintItem::Kind::Text && item.text != u"X"_s)
            texts.append(item);
    }
    ASSERT_EQ(texts.size(), 3);
    EXPECT_EQ(texts[0].text, syndicate.nameText() + u" - "_s + syndicate.daysText());
    EXPECT_LT(texts[0].sizePt, 11.5);
    EXPECT_GT(texts[0].yMm, 55 + 4); // below the boxes under the grid
    for (const PrintItem &item : official.items()) {
        if (item.text == u"X"_s) {
            EXPECT_EQ(item.sizePt, 11.5);
        }
    }

    const PrintDocument plain = buildSlipDocument(syndicate, Plain);
    EXPECT_EQ(count(plain, PrintItem::Kind::NewPage), 1);
    ASSERT_EQ(plain.plainSlips().size(), 3);
    EXPECT_EQ(plain.plainSlips()[1].band, 104);
    EXPECT_EQ(plain.plainSlips()[2].slip, 3);
    EXPECT_EQ(plain.plainSlips()[2].slipCount, 3);
    for (const PrintItem &item : plain.items()) {
        if (item.kind == PrintItem::Kind::Text) {
            EXPECT_EQ(item.text, u"X"_s);
        }
    }
}
