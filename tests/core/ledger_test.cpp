// SPDX-License-Identifier: GPL-3.0-or-later
// The peña's account: the cent-exact split, a multiple's 5 + complementario
// prize worked out by hand, a season with a member joining half-way, a price
// change, an edit of the bets and a pending draw, and the stored account that
// refuses bad input without changing.
#include "ledger/ledger_account.h"
#include "ledger/ledger_store.h"
#include "ledger/share_split.h"
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

DrawRecord drawOn(int d, std::initializer_list<int> numbers, int complementario, int reintegro)
{
    return DrawRecord::fromBytes(drawBytes(numbers, complementario, reintegro, serialOf(day(d))));
}

SyndicateRecord syndicateOf(const SyndicateBytes &bytes)
{
    return SyndicateRecord::fromBytes(bytes.bytes());
}

DrawPrizes prizes(int d, std::optional<qint64> fiveC, std::optional<qint64> five,
                  std::optional<qint64> four, std::optional<qint64> three)
{
    DrawPrizes p;
    p.date = day(d);
    p.cents = {std::nullopt, fiveC, five, four, three, std::nullopt};
    return p;
}

PrizeLookup lookupIn(const QList<DrawPrizes> &known)
{
    return [known](QDate date) -> std::optional<DrawPrizes> {
        for (const DrawPrizes &p : known) {
            if (p.date == date)
                return p;
        }
        return std::nullopt;
    };
}

} // namespace

TEST(ShareSplit, AddsUpExactlyByLargestRemainder)
{
    EXPECT_EQ(splitByShares(1000, {3, 2, 2}), (QList<Cents>{428, 286, 286}));
    EXPECT_EQ(splitByShares(-100, {1, 1, 1}), (QList<Cents>{-34, -33, -33}));
    EXPECT_EQ(splitByShares(7, {}), QList<Cents>{});
    // An account kept before shares and amounts were bounded still splits exactly.
    EXPECT_EQ(splitByShares(999'999'999'999'900, {5'000'000, 1}),
              (QList<Cents>{999'999'799'999'940, 199'999'960}));
}

// 7 numbers, five of them drawn and the sixth the complementario: one bet of
// 5 + C, one of 5 and five of 4. The slip's reintegro also came out.
TEST(LedgerAccount, MultipleWithFivePlusComplementarioByHand)
{
    LedgerBook book;
    book.syndicate = u"PEÑA"_s;
    book.createdOn = day(1);
    book.members = {{u"Ana"_s, 2, day(1), {}}, {u"Luis"_s, 1, day(1), {}}};
    book.prices = {{QDate(1985, 1, 1), 50}};
    book.bets = {{day(1), syndicateOf(SyndicateBytes()
                                          .name("PEÑA")
                                          .days("Todos")
                                          .betCount(501)
                                          .bet(1, {1, 2, 3, 4, 5, 6, 7})
                                          .createdOn(serialOf(day(1))))}};
    book.reintegro = ReintegroDigit{3, day(1)};
    const QList<DrawRecord> draws = {drawOn(2, {1, 2, 3, 4, 5, 40}, 6, 3)};

    const LedgerAccount account =
        workOutAccount(book, draws, lookupIn({prizes(2, 6123456, 123450, 3025, 400)}), day(2));

    ASSERT_EQ(account.played(), 1);
    EXPECT_EQ(account.draws[0].winning, (std::array<int, 5>{0, 5, 1, 0, 1}));
    EXPECT_EQ(account.draws[0].cost, 350);                           // 7 × 0,50
    EXPECT_EQ(account.draws[0].prizes, 6123456 + 123450 + 5 * 3025); // 62.620,31
    EXPECT_EQ(account.draws[0].refund, 350);
    EXPECT_EQ(account.prizes, 6262381);
    EXPECT_EQ(account.bote, 6262031);
    // 62.620,31 in thirds: 41.746,87⅓ and 20.873,43⅔; the odd cent goes to Luis.
    EXPECT_EQ(account.members[0].balance, 4174687);
    EXPECT_EQ(account.members[1].balance, 2087344);
}

// Four draws at 2 bets, then 3 after an edit; the price doubles on the 3rd,
// when Bea joins with 2 shares; the 4th draw wins before its prizes are known.
TEST(LedgerAccount, SeasonWithJoiningPriceChangeEditAndPendingDraw)
{
    const SyndicateBytes two = SyndicateBytes()
                                   .name("BAR")
                                   .days("Todos")
                                   .betCount(2)
                                   .bet(1, {1, 2, 3, 4, 5, 6})
                                   .bet(2, {7, 8, 9, 10, 11, 12})
                                   .createdOn(serialOf(day(1)));
    SyndicateBytes three(two.bytes());
    three.betCount(3).bet(3, {13, 14, 15, 16, 17, 18});
    LedgerBook book;
    book.syndicate = u"BAR"_s;
    book.createdOn = day(1);
    book.members = {{u"Ana"_s, 1, day(1), {}}, {u"Bea"_s, 2, day(3), {}}};
    book.prices = {{QDate(1985, 1, 1), 50}, {day(3), 100}};
    book.bets = {{day(1), syndicateOf(two)}, {day(4), syndicateOf(three)}};
    book.movements = {{1, MovementKind::Contribution, u"Ana"_s, 500, day(1), {}},
                      {2, MovementKind::Contribution, u"Bea"_s, 1000, day(3), {}},
                      {3, MovementKind::Cost, {}, 100, day(3), u"Sobre"_s},
                      {4, MovementKind::Payout, u"Bea"_s, 50, day(4), {}}};
    const QList<DrawRecord> draws = {
        drawOn(1, {20, 21, 22, 23, 24, 25}, 26, 0), drawOn(2, {20, 21, 22, 23, 24, 25}, 26, 0),
        drawOn(3, {20, 21, 22, 23, 24, 25}, 26, 0), drawOn(4, {1, 2, 3, 30, 31, 32}, 33, 0)};

    LedgerAccount account = workOutAccount(book, draws, lookupIn({}), day(4));
    ASSERT_EQ(account.played(), 4);
    EXPECT_EQ(account.draws[1].cost, 100); // 2 × 0,50: the later edit and price leave it
    EXPECT_EQ(account.draws[2].cost, 200); // 2 × 1,00
    EXPECT_EQ(account.draws[3].cost, 300); // 3 × 1,00
    EXPECT_EQ(account.cost, 700);
    EXPECT_EQ(account.pending, QList<QDate>{day(4)});
    EXPECT_EQ(account.prizes, 0);
    EXPECT_EQ(account.otherCosts, 100);
    EXPECT_EQ(account.bote, 500 + 1000 - 50 - 700 - 100);
    // Ana: 500 − 100 − 100 − 67 − 100 − 33; Bea: 1000 − 133 − 200 − 67 − 50.
    EXPECT_EQ(account.members[0].balance, 100);
    EXPECT_EQ(account.members[1].balance, 550);
    EXPECT_EQ(account.members[0].balance + account.members[1].balance, account.bote);
    EXPECT_EQ(account.boteHistory.last().bote, account.bote);

    // The 3-hit prize entered later resolves the draw: its 4,00 split 1 : 2.
    account = workOutAccount(book, draws, lookupIn({prizes(4, {}, {}, {}, 400)}), day(4));
    EXPECT_TRUE(account.pending.isEmpty());
    EXPECT_EQ(account.prizes, 400);
    EXPECT_EQ(account.members[0].balance, 100 + 133);
    EXPECT_EQ(account.members[1].balance, 550 + 267);
}

class LedgerStoreTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Result<ProgramDatabase> opened =
            ProgramDatabase::open(QDir(m_dir.path()).filePath(u"zafrano.db"_s));
        ASSERT_TRUE(opened);
        m_db.emplace(std::move(opened.value()));
        ASSERT_TRUE(keepLedgerTerms(*m_db, m_syndicate, 50, day(1)));
        ASSERT_TRUE(addMember(*m_db, u"BAR"_s, {u"Ana"_s, 1, day(1), {}}));
    }
    LedgerBook book() const { return *readLedger(*m_db, u"BAR"_s).value(); }
    QString refusal(const Status &status) const
    {
        return status ? QString() : status.error().message.text;
    }

    QTemporaryDir m_dir;
    std::optional<ProgramDatabase> m_db;
    SyndicateRecord m_syndicate = syndicateOf(SyndicateBytes()
                                                  .name("BAR")
                                                  .days("Todos")
                                                  .betCount(1)
                                                  .bet(1, {1, 2, 3, 4, 5, 6})
                                                  .createdOn(serialOf(day(1))));
};

TEST_F(LedgerStoreTest, KeepsDatedTermsOnlyWhenTheyChange)
{
    SyndicateRecord checked = m_syndicate;
    checked.setHit(3, 4); // a check moves the tallies: not an edit of the bets
    ASSERT_TRUE(keepLedgerTerms(*m_db, checked, 50, day(5)));
    EXPECT_EQ(book().bets.size(), 1);
    EXPECT_EQ(book().bets[0].since, day(1));
    EXPECT_EQ(book().prices.size(), 1);

    SyndicateRecord edited = m_syndicate;
    edited.betCount = 2;
    edited.bets[1] = {7, 8, 9, 10, 11, 12};
    ASSERT_TRUE(keepLedgerTerms(*m_db, edited, 100, day(8)));
    ASSERT_EQ(book().bets.size(), 2);
    EXPECT_EQ(book().bets[1].since, day(8));
    EXPECT_EQ(book().bets[1].syndicate.betCount, 2);
    ASSERT_EQ(book().prices.size(), 2);
    EXPECT_EQ(book().prices[1].since, day(8));
    EXPECT_EQ(book().prices[1].cents, 100);
}

TEST_F(LedgerStoreTest, RefusesBadInputAndChangesNothing)
{
    const QDate before(2023, 12, 31);
    EXPECT_EQ(refusal(addMember(*m_db, u"BAR"_s, {u"Bea"_s, 0, day(2), {}})),
              u"Las participaciones deben ser un número entero de 1 a 1000."_s);
    EXPECT_EQ(refusal(addMember(*m_db, u"BAR"_s, {u"Bea"_s, 1, before, {}})),
              u"La fecha 31/12/2023 es anterior a la creación de la peña (01/01/2024)."_s);
    EXPECT_EQ(refusal(addMember(*m_db, u"BAR"_s, {u"Ana"_s, 1, day(2), {}})),
              u"Ya hay un miembro llamado «Ana» en la peña."_s);
    EXPECT_EQ(refusal(addMovement(*m_db, u"BAR"_s,
                                  {0, MovementKind::Contribution, u"Zoe"_s, 100, day(2), {}})),
              u"No hay ningún miembro llamado «Zoe» en la peña «BAR»."_s);
    EXPECT_EQ(refusal(removeMember(*m_db, u"BAR"_s, u"Zoe"_s, day(2))),
              u"No hay ningún miembro llamado «Zoe» en la peña «BAR»."_s);
    EXPECT_EQ(refusal(setReintegro(*m_db, u"BAR"_s, 10, day(2))),
              u"El reintegro es una cifra del 0 al 9."_s);
    // Bounds that keep every sum of an account within reach, whatever road a change comes by.
    EXPECT_EQ(refusal(addMember(*m_db, u"BAR"_s, {u"Bea"_s, MaxShares + 1, day(2), {}})),
              u"Las participaciones deben ser un número entero de 1 a 1000."_s);
    EXPECT_EQ(refusal(addMovement(*m_db, u"BAR"_s,
                                  {0, MovementKind::Cost, {}, MaxTypedAmount + 1, day(2), u"x"_s})),
              u"El importe no puede pasar de 100.000.000,00 €."_s);
    EXPECT_EQ(book().members.size(), 1);
    EXPECT_TRUE(book().movements.isEmpty());
    EXPECT_FALSE(book().reintegro);
}

TEST_F(LedgerStoreTest, AClosedAccountStaysReadable)
{
    ASSERT_TRUE(addMovement(*m_db, u"BAR"_s,
                            {0, MovementKind::Contribution, u"Ana"_s, 1250, day(2), u"Enero"_s}));
    ASSERT_TRUE(removeMember(*m_db, u"BAR"_s, u"Ana"_s, day(9)));
    ASSERT_TRUE(closeLedger(*m_db, u"BAR"_s, day(10)));
    const LedgerBook closed = book();
    EXPECT_EQ(closed.closedOn, day(10));
    EXPECT_EQ(closed.members[0].left, day(9));
    ASSERT_EQ(closed.movements.size(), 1);
    EXPECT_EQ(closed.movements[0].cents, 1250);
    EXPECT_EQ(closed.movements[0].note, u"Enero"_s);
    ASSERT_TRUE(dropLedger(*m_db, u"BAR"_s));
    EXPECT_FALSE(readLedger(*m_db, u"BAR"_s).value());
}
