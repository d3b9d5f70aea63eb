// SPDX-License-Identifier: GPL-3.0-or-later
// What an account is worked out from, kept as it happened: prizes typed in
// for a draw stored while they were pending, and price and bet changes dated
// the day they count from rather than the day the account is next opened.
#include "ledger/current_account.h"
#include "ledger/ledger_store.h"
#include "ledger/price_history.h"
#include "store/prize_store.h"
#include "store/program_database.h"
#include "test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

QDate day(int d)
{
    return {2024, 1, d};
}

class AccountTermsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Result<ProgramDatabase> opened =
            ProgramDatabase::open(QDir(m_dir.path()).filePath(u"zafrano.db"_s));
        ASSERT_TRUE(opened);
        m_db.emplace(std::move(opened.value()));
    }
    // Draws of days 1 … `last`; the one of `fourHits` gives the bet 1–6 four hits.
    static QList<DrawRecord> draws(int last, int fourHits = 0)
    {
        QList<DrawRecord> list;
        for (int d = 1; d <= last; ++d) {
            const std::initializer_list<int> numbers = {20, 21, 22, 23, 24, 25};
            const std::initializer_list<int> winning = {1, 2, 3, 4, 24, 25};
            list.append(DrawRecord::fromBytes(
                drawBytes(d == fourHits ? winning : numbers, 26, 0, serialOf(day(d)))));
        }
        return list;
    }
    LedgerAccount account(const QList<DrawRecord> &stored, Cents price, QDate today) const
    {
        return currentAccount(*m_db, m_syndicate, price, stored, today).value();
    }

    QTemporaryDir m_dir;
    std::optional<ProgramDatabase> m_db;
    SyndicateRecord m_syndicate = SyndicateRecord::fromBytes(SyndicateBytes()
                                                                 .name("BAR")
                                                                 .days("Todos")
                                                                 .betCount(1)
                                                                 .bet(1, {1, 2, 3, 4, 5, 6})
                                                                 .createdOn(serialOf(day(1)))
                                                                 .bytes());
};

TEST_F(AccountTermsTest, PrizesTypedForAStoredDrawResolveItsPendingPrize)
{
    const QList<DrawRecord> stored = draws(3, 2);
    ASSERT_EQ(account(stored, 50, day(3)).pending, QList<QDate>{day(2)});

    DrawPrizes typed;
    typed.date = day(5);
    typed.cents[3] = 3456; // 4 hits
    const Status unknown = storePrizesOfDraw(*m_db, stored, typed);
    ASSERT_FALSE(unknown);
    EXPECT_EQ(unknown.error().message.text,
              u"No hay ningún sorteo guardado del 05/01/2024: añádalo antes con sus números."_s);

    typed.date = day(2);
    ASSERT_TRUE(storePrizesOfDraw(*m_db, stored, typed));
    const LedgerAccount resolved = account(stored, 50, day(3));
    EXPECT_TRUE(resolved.pending.isEmpty());
    EXPECT_EQ(resolved.prizes, 3456);
    EXPECT_EQ(resolved.bote, 3456 - 3 * 50);
}

TEST_F(AccountTermsTest, PriceAndBetChangesCountFromTheDayTheyWereMade)
{
    EXPECT_EQ(dayChangeCounts(day(5), day(4)), day(5));
    EXPECT_EQ(dayChangeCounts(day(5), day(5)), day(6)); // tonight's draw is in
    EXPECT_EQ(dayChangeCounts(day(5), QDate()), day(5));

    account(draws(1), 50, day(1)); // the account opens at 0,50
    // Set to 0,70 on day 3 before its draw, with five draws to come, and worked
    // out only on day 10: the five draws cost 0,70.
    ASSERT_TRUE(keepPriceChange(*m_db, 50, 60, dayChangeCounts(day(3), day(2))));
    ASSERT_TRUE(keepPriceChange(*m_db, 60, 70, dayChangeCounts(day(3), day(2))));
    // On day 8, after its draw: a second bet and 1,00, from day 9.
    SyndicateRecord edited = m_syndicate;
    edited.betCount = 2;
    edited.bets[1] = {7, 8, 9, 10, 11, 12};
    ASSERT_TRUE(keepBetsChange(*m_db, m_syndicate, edited, dayChangeCounts(day(8), day(8))));
    ASSERT_TRUE(keepPriceChange(*m_db, 70, 100, dayChangeCounts(day(8), day(8))));
    // A price typed and typed back the same day leaves no change.
    ASSERT_TRUE(keepPriceChange(*m_db, 100, 90, day(10)));
    ASSERT_TRUE(keepPriceChange(*m_db, 90, 100, day(10)));
    // The treasurer dates a change himself; never after today.
    const Result<Cents> later = keepDatedPriceChange(*m_db, 100, 80, day(11), day(10));
    ASSERT_FALSE(later);
    EXPECT_EQ(later.error().message.text,
              u"El cambio de precio no puede tener fecha posterior a hoy (10/01/2024)."_s);

    m_syndicate = edited;
    const LedgerAccount worked = account(draws(10), 100, day(10));
    EXPECT_EQ(worked.cost, 2 * 50 + 6 * 70 + 2 * 2 * 100);
    const QList<PriceChange> history = priceHistory(*m_db).value();
    ASSERT_EQ(history.size(), 3);
    EXPECT_EQ(history[1].since, day(3));
    EXPECT_EQ(history[2].since, day(9));

    // Dated back to day 2, 0,60 reprices that draw alone; 1,00 still holds now.
    EXPECT_EQ(keepDatedPriceChange(*m_db, 100, 60, day(2), day(10)).value(), 100);
    EXPECT_EQ(account(draws(10), 100, day(10)).cost, 50 + 60 + 6 * 70 + 2 * 2 * 100);
}

} // namespace
