// SPDX-License-Identifier: GPL-3.0-or-later
// A check that keeps its tallies: written once, the prizes newly counted and
// the winning lines returned, and a failed write leaving the file as it was.
#include "checking/check_and_keep.h"
#include "test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using zafrano::test::readBytes;
using zafrano::test::serialOf;

namespace {

SyndicateRecord syndicate(const QString &name, const QList<QList<int>> &bets)
{
    SyndicateRecord record;
    record.setName(name);
    record.setDays(u"Todos"_s);
    record.createdOn = serialOf(2026, 11, 1);
    record.countedThrough = serialOf(2026, 12, 1);
    for (const QList<int> &bet : bets)
        std::copy(bet.begin(), bet.end(), record.bets[record.betCount++].begin());
    return record;
}

struct KeepCase
{
    const char *what;
    TallyWrite write;
    bool writeFails;
};

} // namespace

TEST(CheckAndKeep, KeepsTheTalliesOnceOrSaysWhyNot)
{
    DrawRecord draw;
    draw.numbers = {1, 2, 3, 4, 5, 6};
    draw.complementario = 7;
    draw.drawDate = serialOf(2026, 12, 5);
    const QList<DrawRecord> draws = {draw};
    const QList<SyndicateRecord> before = {
        syndicate(u"LOS DEL BAR"_s, {{1, 2, 3, 20, 21, 22}, {1, 2, 3, 4, 5, 7}}),
        syndicate(u"SIN SUERTE"_s, {{20, 21, 22, 23, 24, 25}})};
    const QStringList wonLines = {u"Premio en la peña LOS DEL BAR: 3 aciertos 1, 5 + C 1"_s};
    CheckOptions options;
    options.prizeFinds = true;
    const QList<PrizeFind> wonFinds = {{QDate(2026, 12, 5), u"LOS DEL BAR"_s, {1, 0, 0, 0, 1}}};

    for (const KeepCase &c :
         {KeepCase{"kept", TallyWrite::Keep, false}, KeepCase{"dry run", TallyWrite::DryRun, false},
          KeepCase{"write refused", TallyWrite::Keep, true}}) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const SyndicatesFile file(dir.path());
        ASSERT_TRUE(file.writeAll(before).ok());
        const QByteArray stored = readBytes(file.path());
        // A folder where the work file should go stops the write.
        if (c.writeFails) {
            ASSERT_TRUE(QDir().mkpath(file.workFilePath()));
        }

        const KeptCheck checked = checkAndKeep(file, draws, before, options, c.write);
        EXPECT_EQ(checked.kept.ok(), !c.writeFails);
        // The lists are there to show whatever became of the write.
        EXPECT_GT(checked.results.simple.rowCount(), 0);
        if (c.writeFails) {
            EXPECT_EQ(readBytes(file.path()), stored);
            EXPECT_EQ(checked.results.syndicates, before);
            EXPECT_TRUE(checked.results.changedRecords.isEmpty());
            EXPECT_TRUE(checked.results.finds.isEmpty());
            EXPECT_TRUE(checked.winningLines.isEmpty());
            continue;
        }
        EXPECT_EQ(checked.results.changedRecords, (QList<int>{1, 2}));
        EXPECT_EQ(checked.results.finds, wonFinds);
        EXPECT_EQ(checked.winningLines, wonLines);
        if (c.write == TallyWrite::DryRun) {
            EXPECT_EQ(readBytes(file.path()), stored);
            continue;
        }
        Result<QList<SyndicateRecord>> now = file.readAll();
        ASSERT_TRUE(now.ok());
        EXPECT_EQ(now.value(), checked.results.syndicates);
        EXPECT_EQ(now->at(0).hit(7), 1);
        // Checked again from what was kept, nothing is new and nothing is written.
        const QByteArray kept = readBytes(file.path());
        const KeptCheck again = checkAndKeep(file, draws, now.value(), options);
        EXPECT_TRUE(again.kept.ok());
        EXPECT_TRUE(again.results.changedRecords.isEmpty());
        EXPECT_TRUE(again.results.finds.isEmpty());
        EXPECT_TRUE(again.winningLines.isEmpty());
        EXPECT_EQ(readBytes(file.path()), kept);
    }
}
