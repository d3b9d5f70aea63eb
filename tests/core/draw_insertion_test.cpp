// SPDX-License-Identifier: GPL-3.0-or-later
// A missing draw day put in its place behind the peñas' counted-through
// dates: the file stays in date order, each peña that played it counts it
// once (also after a crash in the middle of the check's write, or when it
// had been counted before it was deleted), and a date that is no missing
// draw day is refused.
#include "backup/automatic_copies.h"
#include "checking/check_and_keep.h"
#include "checking/draws_to_count.h"
#include "net/draw_intake.h"
#include "store/data_folder.h"
#include "store/day_serial.h"
#include "store/program_database.h"
#include "test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <numeric>

using namespace Qt::StringLiterals;
using namespace zafrano;
using zafrano::test::serialOf;

namespace {

// The draw of 16/06/2026, a Tuesday, that the shipped history lacks.
const QDate Missing(2026, 6, 16);

SyndicateRecord syndicate(const QString &name, const QString &days, const QList<int> &bet,
                          QDate countedThrough, QDate createdOn = QDate(2026, 1, 1))
{
    SyndicateRecord record;
    record.setName(name);
    record.setDays(days);
    record.createdOn = serialOf(createdOn);
    record.countedThrough = serialOf(countedThrough);
    std::copy(bet.begin(), bet.end(), record.bets[record.betCount++].begin());
    return record;
}

// A folder holding the real history.
class DrawInsertion : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(folder.draws().rewrite(history).ok());
    }

    QTemporaryDir dir;
    const DataFolder folder{dir.path()};
    const QList<DrawRecord> &history = test::realHistory();
    const QDate newest = history.last().date();
};

} // namespace

TEST_F(DrawInsertion, FillsAMissingDayAndCountsItOnceForEachPenaThatPlayedIt)
{
    FetchedDraw missing;
    missing.draw.numbers = {7, 11, 14, 24, 28, 40};
    missing.draw.complementario = 1;
    missing.draw.reintegro = 5;
    missing.draw.drawDate = serialOf(Missing);

    // Each bet wins in the missing draw: 4, 3, 5 + C and 3 hits.
    const QList<SyndicateRecord> before = {
        syndicate(u"LOS MARTES"_s, u"Martes"_s, {7, 11, 14, 24, 2, 3}, newest),
        syndicate(u"TODOS LOS DIAS"_s, u"Todos"_s, {7, 11, 14, 30, 31, 32}, newest),
        syndicate(u"LOS MIERCOLES"_s, u"Miércoles"_s, {7, 11, 14, 24, 28, 1}, newest),
        syndicate(u"ATRASADA"_s, u"Todos"_s, {7, 11, 28, 33, 35, 36}, QDate(2026, 6, 10)),
        syndicate(u"NUEVA"_s, u"Todos"_s, {7, 11, 14, 24, 28, 40}, newest, QDate(2026, 6, 20)),
    };
    ASSERT_TRUE(folder.syndicates().writeAll(before).ok());

    // Typed in: a stored day and a day with no draw (the 2020 suspension) are refused.
    const std::array<int, 6> six = {7, 11, 14, 24, 28, 40};
    for (const QDate refused : {QDate(2026, 6, 17), QDate(2020, 4, 15), newest}) {
        SCOPED_TRACE(refused.toString(Qt::ISODate).toStdString());
        const Result<FetchedDraw> typed = drawTypedIn(refused, six, 1, 5, history, newest);
        ASSERT_FALSE(typed.ok());
        EXPECT_TRUE(typed.error().message.text.contains(u"día de sorteo que falte"_s));
        FetchedDraw wrong = missing;
        wrong.draw.drawDate = serialOf(refused);
        if (refused == QDate(2020, 4, 15)) {
            EXPECT_FALSE(takeInDraws(folder, {wrong}).ok());
        }
    }
    EXPECT_EQ(folder.draws().readAll().value(), history);
    const Result<FetchedDraw> typed = drawTypedIn(Missing, six, 1, 5, history, newest);
    ASSERT_TRUE(typed.ok()) << typed.error().message.text.toStdString();

    const Result<Intake> intake = takeInDraws(folder, {typed.value()});
    ASSERT_TRUE(intake.ok()) << intake.error().message.text.toStdString();
    EXPECT_EQ(intake->inserted, QList<DrawRecord>{missing.draw});
    EXPECT_TRUE(intake->appended.isEmpty());
    const QList<DrawRecord> stored = folder.draws().readAll().value();
    ASSERT_EQ(stored.size(), history.size() + 1);
    EXPECT_TRUE(std::is_sorted(stored.begin(), stored.end(), [](const auto &a, const auto &b) {
        return a.drawDate < b.drawDate;
    }));
    const QList<copies::CopyEntry> made = copies::listCopies(folder.basePath());
    ASSERT_EQ(made.size(), 1);
    EXPECT_EQ(made[0].reason, QString::fromUtf16(copies::InsertDrawReason));

    // The check counts it; a second check, and a check after a crash that
    // came between the write of the tallies and the rows' dropping, do not.
    CheckOptions options;
    options.prizeFinds = true;
    KeptCheck first = checkAndKeep(folder.syndicates(), stored, before, options);
    ASSERT_TRUE(first.kept.ok());
    const QList<SyndicateRecord> after = folder.syndicates().readAll().value();
    for (int s = 0; s < before.size(); ++s) {
        SCOPED_TRACE(before[s].nameText().toStdString());
        const QDate from = fromDaySerial(before[s].countedThrough);
        const QDate counted = from == newest ? Missing.addDays(-1) : from;
        const QDate through = from == newest ? Missing : newest;
        EXPECT_EQ(test::talliesOf(after[s]),
                  test::talliesByHand(before[s], stored, counted, through));
    }
    EXPECT_EQ(test::talliesOf(after[0]), (std::array<int, 5>{0, 1, 0, 0, 0}));
    EXPECT_EQ(test::talliesOf(after[1]), (std::array<int, 5>{1, 0, 0, 0, 0}));
    EXPECT_EQ(test::talliesOf(after[2]), (std::array<int, 5>{}));
    EXPECT_EQ(test::talliesOf(after[4]), (std::array<int, 5>{}));
    EXPECT_TRUE(first.results.finds.contains(PrizeFind{Missing, u"LOS MARTES"_s, {0, 1, 0, 0, 0}}));

    const Result<ProgramDatabase> db = ProgramDatabase::openIn(folder);
    ASSERT_TRUE(db.ok());
    EXPECT_TRUE(drawsToCount(db.value()).value().isEmpty());
    KeptCheck again = checkAndKeep(folder.syndicates(), stored, after, options);
    EXPECT_TRUE(again.results.changedRecords.isEmpty());
    EXPECT_EQ(folder.syndicates().readAll().value(), after);

    // The crash: the rows still there, settled with the tallies the file now holds.
    ASSERT_TRUE(keepDrawsToCount(db.value(), {missing.draw}, before).ok());
    QList<DrawToCount> rows = drawsToCount(db.value()).value();
    ASSERT_EQ(rows.size(), 2);
    for (DrawToCount &row : rows) {
        for (const SyndicateRecord &one : after) {
            if (one.nameText() == row.syndicate)
                row.settling = talliesKey(one);
        }
    }
    ASSERT_TRUE(settleDrawsToCount(db.value(), rows).ok());
    KeptCheck afterCrash = checkAndKeep(folder.syndicates(), stored, after, options);
    EXPECT_TRUE(afterCrash.results.changedRecords.isEmpty());
    EXPECT_EQ(folder.syndicates().readAll().value(), after);
    EXPECT_TRUE(drawsToCount(db.value()).value().isEmpty());
}

TEST_F(DrawInsertion, ADrawDeletedAfterItWasCountedComesBackWithoutBeingCountedAgain)
{
    // Some draw in the middle, and a bet that wins all six in it.
    const int k = static_cast<int>(history.size()) - 20;
    const DrawRecord deleted = history.at(k - 1);
    const QList<int> six(deleted.numbers.begin(), deleted.numbers.end());
    const QList<SyndicateRecord> before = {
        syndicate(u"CONTADA"_s, u"Todos"_s, six, newest),
        syndicate(u"ATRASADA"_s, u"Todos"_s, six, deleted.date().addDays(-1)),
    };
    ASSERT_TRUE(folder.syndicates().writeAll(before).ok());

    ASSERT_TRUE(deleteDraw(folder, k).ok());
    ASSERT_EQ(folder.draws().readAll()->size(), history.size() - 1);
    const Result<Intake> back = takeInDraws(folder, {FetchedDraw{deleted, {}}});
    ASSERT_TRUE(back.ok()) << back.error().message.text.toStdString();
    ASSERT_EQ(back->inserted, QList<DrawRecord>{deleted});
    EXPECT_EQ(folder.draws().readAll().value(), history);

    // The peña that had counted it keeps its tallies; the one that had not
    // counts it now, on the usual road.
    const KeptCheck checked = checkAndKeep(folder.syndicates(), history, before, CheckOptions{});
    ASSERT_TRUE(checked.kept.ok());
    const QList<SyndicateRecord> after = folder.syndicates().readAll().value();
    EXPECT_EQ(test::talliesOf(after[0]), (std::array<int, 5>{}));
    EXPECT_EQ(test::talliesOf(after[1]),
              test::talliesByHand(before[1], history, deleted.date().addDays(-1), newest));
    const std::array<int, 5> late = test::talliesOf(after[1]);
    EXPECT_EQ(std::accumulate(late.begin(), late.end(), 0), 1); // its one winning bet
    const Result<ProgramDatabase> db = ProgramDatabase::openIn(folder);
    ASSERT_TRUE(db.ok());
    EXPECT_TRUE(drawsToCount(db.value()).value().isEmpty());
}
