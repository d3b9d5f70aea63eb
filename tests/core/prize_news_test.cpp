// SPDX-License-Identifier: GPL-3.0-or-later
// What an unattended check announces: the prizes it newly counted, in one
// notification; a dead results source after three days; and the marks in
// zafrano.db that let each prize be announced and shown once.
#include "checking/prize_marks.h"
#include "checking/prize_news.h"
#include "store/program_database.h"
#include "test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

DrawRecord makeDraw(QDate date, std::initializer_list<int> numbers, int complementario)
{
    DrawRecord draw;
    std::copy(numbers.begin(), numbers.end(), draw.numbers.begin());
    draw.complementario = static_cast<qint16>(complementario);
    draw.drawDate = serialOf(date);
    return draw;
}

SyndicateRecord syndicate(const QString &name, const QString &days, const QList<QList<int>> &bets)
{
    SyndicateRecord record;
    record.setName(name);
    record.setDays(days);
    record.createdOn = serialOf(2026, 11, 1);
    record.countedThrough = serialOf(2026, 12, 1);
    for (const QList<int> &bet : bets)
        std::copy(bet.begin(), bet.end(), record.bets[record.betCount++].begin());
    return record;
}

} // namespace

TEST(PrizeNews, TheFindsAreThePrizesTheCheckNewlyCountedOnThePlayedDraws)
{
    // 1 Dec was counted before; 5 Dec is a Saturday, 7 Dec a Monday.
    const QList<DrawRecord> draws = {makeDraw(QDate(2026, 12, 1), {1, 2, 3, 4, 5, 6}, 7),
                                     makeDraw(QDate(2026, 12, 5), {1, 2, 3, 4, 5, 6}, 7),
                                     makeDraw(QDate(2026, 12, 7), {1, 2, 3, 4, 40, 41}, 7)};
    const QList<SyndicateRecord> before = {
        syndicate(u"LOS DEL BAR"_s, u"Todos"_s,
                  {{1, 2, 3, 20, 21, 22}, {1, 2, 3, 4, 30, 31}, {1, 2, 40, 43, 44, 45}}),
        syndicate(u"LOS LUNES"_s, u"Lunes"_s, {{1, 2, 3, 4, 5, 6}}),
        syndicate(u"SIN SUERTE"_s, u"Todos"_s, {{20, 21, 22, 23, 24, 25}})};
    CheckOptions options;
    options.prizeFinds = true;
    const CheckResults checked = runCheck(draws, before, options);
    const QList<PrizeFind> &finds = checked.finds;
    ASSERT_EQ(finds.size(), 3);
    EXPECT_EQ(finds[0], (PrizeFind{QDate(2026, 12, 5), u"LOS DEL BAR"_s, {1, 1, 0, 0, 0}}));
    EXPECT_EQ(finds[1], (PrizeFind{QDate(2026, 12, 7), u"LOS DEL BAR"_s, {2, 1, 0, 0, 0}}));
    // A Monday syndicate wins nothing on Saturday's six.
    EXPECT_EQ(finds[2], (PrizeFind{QDate(2026, 12, 7), u"LOS LUNES"_s, {0, 1, 0, 0, 0}}));

    // One line per peña and draw, with its date; the euros where the draw's
    // prizes are known (7 Dec), none where they are not (5 Dec).
    DrawPrizes seventh{QDate(2026, 12, 7), {}};
    seventh.cents[3] = 3120; // 4 aciertos
    seventh.cents[4] = 400;  // 3 aciertos
    const Announcement said = prizeAnnouncement(finds, [&seventh](QDate date) {
        return date == seventh.date ? std::optional<DrawPrizes>(seventh) : std::nullopt;
    });
    EXPECT_EQ(said.title, u"¡Premio en la Bonoloto!"_s);
    EXPECT_EQ(said.body, u"LOS DEL BAR: 4 aciertos, 3 aciertos el 05/12/2026\n"
                         u"LOS DEL BAR: 4 aciertos, 2 de 3 aciertos el 07/12/2026 (39,20 €)\n"
                         u"LOS LUNES: 4 aciertos el 07/12/2026 (31,20 €)"_s);
    // Checked again, nothing is new.
    EXPECT_TRUE(runCheck(draws, checked.syndicates, options).finds.isEmpty());
}

TEST(PrizeNews, ADeadSourceIsSaidFromTheThirdDayWithoutNewDraws)
{
    const QDate today(2026, 12, 8);
    EXPECT_FALSE(silentSourceAnnouncement(true, QDate(2026, 12, 6), today));
    EXPECT_FALSE(silentSourceAnnouncement(false, QDate(2026, 11, 1), today));
    const std::optional<Announcement> said =
        silentSourceAnnouncement(true, QDate(2026, 12, 5), today);
    ASSERT_TRUE(said);
    EXPECT_EQ(said->title, u"Zafrano no puede bajar los sorteos"_s);
    EXPECT_TRUE(said->body.contains(u"desde el sorteo del 05/12/2026"_s))
        << said->body.toStdString();
    EXPECT_TRUE(silentSourceAnnouncement(true, QDate(), today));
}

TEST(PrizeNews, EachKeptPrizeIsAnnouncedOnceAndShownOnce)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = QDir(dir.path()).filePath(u"zafrano.db"_s);
    const PrizeFind bar{QDate(2026, 12, 7), u"LOS DEL BAR"_s, {3, 1, 0, 0, 0}};
    const PrizeFind lunes{QDate(2026, 12, 5), u"LOS LUNES"_s, {0, 0, 1, 0, 1}};
    {
        Result<ProgramDatabase> db = ProgramDatabase::open(path);
        ASSERT_TRUE(db);
        ASSERT_TRUE(keepPrizeFinds(db.value(), {bar, lunes}));
        ASSERT_TRUE(markPrizeFinds(db.value(), {bar}, PrizeMark::Announced));
        // Kept again (the same draw checked once more), it keeps its mark.
        ASSERT_TRUE(keepPrizeFinds(db.value(), {bar}));
    }
    Result<ProgramDatabase> db = ProgramDatabase::open(path);
    ASSERT_TRUE(db);
    Result<QList<PrizeFind>> toAnnounce = unmarkedPrizeFinds(db.value(), PrizeMark::Announced);
    ASSERT_TRUE(toAnnounce);
    EXPECT_EQ(toAnnounce.value(), QList<PrizeFind>{lunes});
    Result<QList<PrizeFind>> toShow = unmarkedPrizeFinds(db.value(), PrizeMark::Shown);
    ASSERT_TRUE(toShow);
    EXPECT_EQ(toShow.value(), (QList<PrizeFind>{lunes, bar}));
    ASSERT_TRUE(markPrizeFinds(db.value(), toShow.value(), PrizeMark::Shown));
    EXPECT_TRUE(unmarkedPrizeFinds(db.value(), PrizeMark::Shown)->isEmpty());
}
