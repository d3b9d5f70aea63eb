// SPDX-License-Identifier: GPL-3.0-or-later
// The operator's JSON service read from memory: draws, prizes, the months a
// catch-up and the prize history ask for, and the answers that are refused.
#include "net/json_results.h"
#include "net/json_source.h"
#include "net/prize_history.h"
#include "net_test_support.h"
#include "store/day_serial.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

QByteArray oneDraw(const QByteArray &combination, const QByteArray &premio = "\"34884.59\"")
{
    // Fields the reader does not know are passed over.
    return "[{\"id_sorteo\": \"1\", \"fecha_sorteo\": \"2026-08-20 21:30:00\", "
           "\"combinacion\": \"" +
           combination +
           "\", \"premio_bote\": \"1.00\", \"algo_nuevo\": {\"x\": [1, 2]}, "
           "\"escrutinio\": [{\"tipo\": \"2ª (5 Aciertos + C)\", \"categoria\": 2, "
           "\"premio\": " +
           premio +
           ", \"ganadores\": \"1\"}, {\"tipo\": \"Reintegro\", \"categoria\": 6, "
           "\"premio\": \"0,50\"}, {\"tipo\": \"?\", \"categoria\": 9, \"premio\": \"7\"}]}]";
}

} // namespace

TEST(JsonResults, ADrawIsReadWithItsNumbersSortedAndItsPrizes)
{
    const Result<QList<FetchedDraw>> answer =
        readJsonAnswer(oneDraw("01 - 47 - 18 - 22 - 30 - 15 C(40) R(1)"));
    ASSERT_TRUE(answer.ok()) << answer.error().message.text.toStdString();
    ASSERT_EQ(answer->size(), 1);
    const FetchedDraw &draw = answer->at(0);
    EXPECT_EQ(draw.draw.date(), QDate(2026, 8, 20));
    EXPECT_EQ(draw.draw.numbers, (std::array<qint16, 6>{1, 15, 18, 22, 30, 47}));
    EXPECT_EQ(draw.draw.complementario, 40);
    EXPECT_EQ(draw.draw.reintegro, 1);
    EXPECT_EQ(draw.prizes.date, QDate(2026, 8, 20));
    EXPECT_EQ(draw.prizes.cents[1], 3488459);
    EXPECT_EQ(draw.prizes.cents[DrawPrizes::Refund], 50);
    EXPECT_FALSE(draw.prizes.cents[0].has_value());
    // A prize given as a number or with a decimal comma and thousands reads the same.
    EXPECT_EQ(readJsonAnswer(oneDraw("1-2-3-4-5-6 C(7) R(0)", "34884.59"))->at(0).prizes.cents[1],
              3488459);
    EXPECT_EQ(
        readJsonAnswer(oneDraw("1-2-3-4-5-6 C(7) R(0)", "\"34.884,59\""))->at(0).prizes.cents[1],
        3488459);
}

TEST(JsonResults, TheFixtureYearIsReadWhole)
{
    const Result<QList<FetchedDraw>> answer = readJsonAnswer(operatorPage(u"sorteos.json"_s));
    ASSERT_TRUE(answer.ok());
    EXPECT_EQ(answer->size(), 341); // 232 real draws to 20 August, then every day
    EXPECT_EQ(answer->at(0).draw.date(), QDate(2026, 12, 7));
    EXPECT_TRUE(answer->at(0).prizes.known());
}

TEST(JsonResults, AStringIsAnAnswerWithoutDraws)
{
    const Result<QList<FetchedDraw>> answer =
        readJsonAnswer("\"No hay sorteos en las fechas indicadas\"");
    ASSERT_TRUE(answer.ok());
    EXPECT_TRUE(answer->isEmpty());
}

TEST(JsonResults, AnswersThatCannotBeUsedAreRefused)
{
    for (const QByteArray &body :
         {QByteArray("<html>Acceso denegado</html>"), QByteArray("{\"a\": 1}"), QByteArray(""),
          QByteArray("[1, 2"), QByteArray("1],[2")}) {
        SCOPED_TRACE(body.toStdString());
        const Result<QList<FetchedDraw>> answer = readJsonAnswer(body);
        ASSERT_FALSE(answer.ok());
        EXPECT_EQ(answer.error().message.text,
                  u"El servidor de resultados no ha enviado datos válidos."_s);
    }
    // One combination not in the service's shape: its date named, no draw taken.
    // Whether a draw of that shape is a possible one is the intake's to say.
    for (const QByteArray &combination : {QByteArray("01 - 15 - 18 - 22 - 30 C(40) R(1)"),
                                          QByteArray("01 - 15 - 18 - 22 - 30 - 47 C(40) R(10)"),
                                          QByteArray("01 - 15 - 18 - 22 - 30 - 147 C(4) R(1)")}) {
        SCOPED_TRACE(combination.toStdString());
        const Result<QList<FetchedDraw>> answer = readJsonAnswer(oneDraw(combination));
        ASSERT_FALSE(answer.ok());
        EXPECT_EQ(answer.error().message.text,
                  u"La combinación del sorteo del 20/08/2026 no se puede leer; no se añade ningún "
                  u"sorteo."_s);
    }
}

TEST(JsonResults, ACatchUpAsksMonthByMonthOldestFirst)
{
    // 111 days behind: from 19 August to 8 December, in five requests.
    const QDate today(2026, 12, 8);
    const QList<std::pair<QDate, QDate>> ranges = catchUpRanges(today.addDays(-111), today);
    ASSERT_EQ(ranges.size(), 5);
    EXPECT_EQ(ranges[0], std::pair(QDate(2026, 8, 20), QDate(2026, 8, 31)));
    EXPECT_EQ(ranges[1], std::pair(QDate(2026, 9, 1), QDate(2026, 9, 30)));
    EXPECT_EQ(ranges[4], std::pair(QDate(2026, 12, 1), today));
    // None stored: the last 50 days. Up to date: nothing to ask.
    EXPECT_EQ(catchUpRanges({}, today).first().first, QDate(2026, 10, 19));
    EXPECT_TRUE(catchUpRanges(today, today).isEmpty());
}

TEST(JsonResults, NewDrawsAreOrderedAndOnlyThoseAfterTheNewestStored)
{
    const QList<FetchedDraw> all = readJsonAnswer(operatorPage(u"sorteos.json"_s)).value();
    const Result<QList<FetchedDraw>> result =
        newDrawsOf(all, QDate(2026, 12, 3), QDate(2026, 12, 8));
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result->size(), 4);
    EXPECT_EQ(result->at(0).draw.date(), QDate(2026, 12, 4));
    EXPECT_EQ(result->at(2).draw.date(), QDate(2026, 12, 6)); // a Sunday
    EXPECT_EQ(result->at(3).draw.date(), QDate(2026, 12, 7));
    // The same day with two combinations is refused.
    QList<FetchedDraw> twice = {all[0], all[0]};
    twice[1].draw.reintegro = (twice[0].draw.reintegro + 1) % 10;
    const Result<QList<FetchedDraw>> refused =
        newDrawsOf(twice, QDate(2026, 12, 3), QDate(2026, 12, 8));
    ASSERT_FALSE(refused.ok());
    EXPECT_TRUE(refused.error().message.text.contains(u"07/12/2026"_s));
}

TEST(PrizeHistory, AsksTheMonthsOfDrawsWithoutPrizesInEurosOnly)
{
    const auto draw = [](QDate date) {
        DrawRecord record;
        record.drawDate = toDaySerial(date);
        return record;
    };
    const QList<DrawRecord> stored = {draw(QDate(2001, 12, 31)), draw(QDate(2002, 1, 2)),
                                      draw(QDate(2002, 1, 4)),   draw(QDate(2002, 2, 1)),
                                      draw(QDate(2002, 3, 1)),   draw(QDate(2002, 4, 1)),
                                      draw(QDate(2026, 12, 7)),  draw(QDate(2026, 12, 9))};
    // February's prizes are known, March came back complete, the 9th is after today.
    const PrizeHistoryPlan plan =
        prizeHistoryPlan(stored, {QDate(2002, 2, 1)}, {QDate(2002, 3, 1)}, {}, QDate(2026, 12, 8));
    EXPECT_TRUE(plan.pesetaDrawsLeftOut);
    ASSERT_EQ(plan.months.size(), 3);
    EXPECT_EQ(plan.months[0].first, QDate(2002, 1, 1));
    EXPECT_EQ(plan.months[0].last, QDate(2002, 1, 31));
    EXPECT_EQ(plan.months[0].draws, (QList<QDate>{QDate(2002, 1, 2), QDate(2002, 1, 4)}));
    EXPECT_EQ(plan.months[1].first, QDate(2002, 4, 1));
    EXPECT_EQ(plan.months[2].last, QDate(2026, 12, 8));
    // From a month on: the earlier ones, pesetas or not, are not looked at.
    const PrizeHistoryPlan later =
        prizeHistoryPlan(stored, {}, {}, QDate(2002, 4, 15), QDate(2026, 12, 8));
    EXPECT_FALSE(later.pesetaDrawsLeftOut);
    ASSERT_EQ(later.months.size(), 2);
    EXPECT_EQ(later.months[0].first, QDate(2002, 4, 1));
}
