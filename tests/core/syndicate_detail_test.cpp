// SPDX-License-Identifier: GPL-3.0-or-later
// The syndicate detail of the "Gestor de peñas" tab: bet texts, draws played,
// hit share, kind of bet, weekly spend, the report row and the messages.
#include "common/texts.h"
#include "reports/report_messages.h"
#include "reports/syndicate_detail.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using test::serialOf;

namespace {

SyndicateRecord record(const test::SyndicateBytes &bytes)
{
    return SyndicateRecord::fromBytes(bytes.bytes());
}

// Three simple bets created on Monday 3 August 2026, 4 + 1 + 1 prizes.
test::SyndicateBytes threeBets(QByteArrayView days)
{
    test::SyndicateBytes bytes;
    bytes.name("LOS DEL BAR")
        .days(days)
        .betCount(3)
        .createdOn(serialOf(2026, 8, 3))
        .bet(1, {5, 12, 23, 7, 40, 49})
        .bet(2, {1, 2, 3, 4, 5, 6})
        .bet(3, {10, 20, 30, 40, 41, 42})
        .hits(4, 1, 0, 0, 1);
    return bytes;
}

// The draw calendar of 2026 has a draw every day.
const QDate Today(2026, 8, 20);

DrawRecord drawOn(int year, int month, int day)
{
    return DrawRecord::fromBytes(
        test::drawBytes({1, 2, 3, 4, 5, 6}, 7, 0, serialOf(year, month, day)));
}

TEST(SyndicateDetail, BetTextsKeepEveryNumberTwoCharactersWide)
{
    const SyndicateRecord simple = record(threeBets("Todos"));
    const QString text = betText(simple.bets[0], 6);
    EXPECT_EQ(text, u"5 -12-23- 7-40-49"_s);
    EXPECT_EQ(text.size(), 17);

    const SyndicateRecord eight = record(
        test::SyndicateBytes().betCount(502).days("Lunes").bet(1, {1, 9, 10, 22, 33, 40, 45, 49}));
    Result<SyndicateDetail> detail = describeSyndicate(eight, {}, 0.5f, Today);
    ASSERT_TRUE(detail);
    EXPECT_EQ(detail->bets, QStringList{u"1 - 9-10-22-33-40-45-49"_s});
    EXPECT_EQ(detail->kindText, u"-Apuesta múltiple de 8 nºs."_s);
    EXPECT_TRUE(detail->baseNumbersText.isEmpty());
    EXPECT_EQ(syndicateReportRow(eight, *detail).kind,
              u"Apuesta múltiple de 8 nºs. (28 apuestas)"_s);
    // 28 six-number bets on one day a week.
    EXPECT_EQ(detail->weeklySpend, 1400);
}

TEST(SyndicateDetail, WeeklySpendCountsTheDrawsOfTheWeekOnItsDays)
{
    EXPECT_EQ(weeklySpend(record(threeBets("Todos")), 0.5f, Today), 1050);
    EXPECT_EQ(weeklySpend(record(threeBets("Todos")), 0.5f, QDate(2021, 5, 1)), 900);
    EXPECT_EQ(weeklySpend(record(threeBets("Martes")), 0.5f, Today), 150);
    EXPECT_EQ(weeklySpend(record(threeBets("Domingo")), 0.5f, Today), 150);
    // 0,45 is 0.4499999… as a single: the spend is still whole cents.
    EXPECT_EQ(weeklySpend(record(threeBets("Todos")), 0.45f, QDate(2021, 5, 1)), 810);
    EXPECT_EQ(weeklySpendText(810), u"8,10 euros."_s);
    EXPECT_EQ(weeklySpendText(900), u"9,00 euros."_s);
    EXPECT_EQ(weeklySpendText(5), u"0,05 euros."_s);
}

TEST(SyndicateDetail, DrawsPlayedAreThoseSinceCreationOnItsDays)
{
    // Saturday 1 August is before the creation; Mon 3, Tue 4, Wed 5, Mon 10 after.
    const QList<DrawRecord> draws = {drawOn(2026, 8, 1), drawOn(2026, 8, 3), drawOn(2026, 8, 4),
                                     drawOn(2026, 8, 5), drawOn(2026, 8, 10)};
    Result<SyndicateDetail> mondays =
        describeSyndicate(record(threeBets("Lunes")), draws, 0.5f, Today);
    ASSERT_TRUE(mondays);
    EXPECT_EQ(mondays->drawsPlayed, 2);
    EXPECT_EQ(mondays->drawsPlayedText, u"2"_s);
    // Six prizes in two draws: a share above 100, and no negative chart value.
    EXPECT_EQ(mondays->hitShareText, u"300 %"_s);
    EXPECT_EQ(mondays->chartMissed, 0);
    EXPECT_EQ(mondays->prizes, (std::array<int, 5>{4, 1, 0, 1, 0}));
    EXPECT_EQ(mondays->prizesWon, 6);

    Result<SyndicateDetail> every =
        describeSyndicate(record(threeBets("Todos")), draws, 0.5f, Today);
    EXPECT_EQ(every->drawsPlayed, 4);
    EXPECT_EQ(every->hitShareText, u"150 %"_s);

    Result<SyndicateDetail> fridays =
        describeSyndicate(record(threeBets("Viernes")), draws, 0.5f, Today);
    EXPECT_EQ(fridays->drawsPlayedText, u"0"_s);
    EXPECT_EQ(fridays->hitShareText, u"0 %"_s);

    QList<DrawRecord> many;
    for (int week = 0; week < 18; ++week)
        many.append(DrawRecord::fromBytes(
            test::drawBytes({1, 2, 3, 4, 5, 6}, 7, 0, serialOf(2026, 8, 3) + 7 * week)));
    Result<SyndicateDetail> third =
        describeSyndicate(record(threeBets("Lunes")), many, 0.5f, Today);
    EXPECT_EQ(third->hitShareText, u"33,3 %"_s);
    EXPECT_EQ(third->chartMissed, 12);
}

TEST(SyndicateDetail, WithoutDrawsTheShareSaysWhetherAnythingWasWon)
{
    Result<SyndicateDetail> won = describeSyndicate(record(threeBets("Todos")), {}, 0.5f, Today);
    EXPECT_EQ(won->drawsPlayedText, u"0"_s);
    EXPECT_EQ(won->hitShareText, u"100 %"_s);
    Result<SyndicateDetail> nothing =
        describeSyndicate(record(threeBets("Todos").hits(0, 0, 0, 0, 0)), {}, 0.5f, Today);
    EXPECT_EQ(nothing->hitShareText, u"-"_s);
}

TEST(SyndicateDetail, KindLinesNameTheBaseNumbersOfAReducedSyndicate)
{
    test::SyndicateBytes reduced;
    reduced.reduced(8, 4, {3, 9, 14, 22, 27, 31, 40, 45})
        .betCount(1)
        .bet(1, {3, 9, 14, 22, 27, 31});
    Result<SyndicateDetail> detail = describeSyndicate(record(reduced), {}, 0.5f, Today);
    ASSERT_TRUE(detail);
    EXPECT_EQ(detail->kindText, u"-Reducida de 8 nºs al 4:"_s);
    EXPECT_EQ(detail->baseNumbersText, u"3-9-14-22-27-31-40-45"_s);
    EXPECT_EQ(syndicateReportRow(record(reduced), *detail).kind,
              u"Reducida de 8 nºs al 4: 3-9-14-22-27-31-40-45"_s);
    EXPECT_EQ(describeSyndicate(record(threeBets("Todos")), {}, 0, Today)->kindText,
              u"-Apuestas sencillas."_s);
}

TEST(SyndicateDetail, ADamagedBetCountIsAnErrorNotAnOverrun)
{
    for (int count : {-1, 206, 499, 507}) {
        Result<SyndicateDetail> detail =
            describeSyndicate(record(threeBets("Todos").betCount(count)), {}, 0.5f, Today);
        ASSERT_FALSE(detail) << count;
        EXPECT_EQ(detail.error().number, 9);
        EXPECT_EQ(detailFailure(detail.error()).message.text,
                  u"Posiblemente el fichero de apuestas está corrupto. Error 9"_s);
    }
    EXPECT_FALSE(describeSyndicate(record(threeBets("Todos").reduced(21, 4, {})), {}, 0.5f, Today));
}

TEST(SyndicateDetail, ReportRowTakesTheCreationDateUntilADrawIsCounted)
{
    const SyndicateRecord syndicate = record(threeBets("Martes"));
    Result<SyndicateDetail> detail = describeSyndicate(syndicate, {}, 0.5f, Today);
    const SyndicateReportRow row = syndicateReportRow(syndicate, *detail);
    EXPECT_EQ(row.name, u"LOS DEL BAR"_s);
    EXPECT_EQ(row.days, u"Martes"_s);
    EXPECT_EQ(row.createdOn, QDate(2026, 8, 3));
    EXPECT_EQ(row.checkedTo, QDate(2026, 8, 3));
    EXPECT_EQ(row.money, 150);
    EXPECT_EQ(row.hitShare, u"100 %"_s);
    EXPECT_EQ(row.kind, u"Apuestas sencillas."_s);

    const SyndicateRecord counted =
        record(threeBets("Martes").countedThrough(serialOf(2026, 8, 18)));
    EXPECT_EQ(syndicateReportRow(counted, *detail).checkedTo, QDate(2026, 8, 18));
}

TEST(DetailFailure, DatabaseErrorsEndTheProgramButALockedFileDoesNot)
{
    const DetailFailure missing = detailFailure({ErrorKind::NotFound, {}, -14});
    EXPECT_TRUE(missing.endsProgram);
    EXPECT_EQ(missing.message.text,
              u"Un archivo necesario para el funcionamiento del programa ha sido modificado o "
              u"eliminado. Reinstale el programa. Error -14"_s);
    EXPECT_EQ(missing.message.title, u"¡Vaya hombre!"_s);
    EXPECT_EQ(missing.message.icon, MessageIcon::Exclamation);
    EXPECT_TRUE(detailFailure({ErrorKind::InvalidData, {}, 3021}).endsProgram);

    const DetailFailure locked = detailFailure({ErrorKind::PermissionDenied, {}, -8});
    EXPECT_FALSE(locked.endsProgram);
    EXPECT_EQ(locked.message, texts::permissionDenied());

    EXPECT_EQ(detailFailure({ErrorKind::Io, {}, 430}).message.text,
              u"El sistema operativo no tiene algunas librerías actualizadas. Póngase en "
              u"contacto con nosotros para solucionar el problema. Error 430"_s);
    EXPECT_EQ(reportFailure(53).text,
              u"Error 53. No es posible mostrar el informe. Si el error persiste, reinstalar el "
              u"programa puede ser la solución."_s);
}

} // namespace
