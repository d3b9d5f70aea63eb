// SPDX-License-Identifier: GPL-3.0-or-later
// The peña's account: the cent-exact split of the running parts, a
// multiple's 5 + complementario prize worked out by hand, a season with a
// member joining half-way, a price change, an edit of the bets and a pending
// draw, and the stored account that refuses bad input without changing,
// follows a rename and is not taken over by a new peña of the same name.
#include "checking/draws_to_count.h"
#include "ledger/ledger_account.h"
#include "ledger/ledger_store.h"
#include "ledger/member_statement.h"
#include "ledger/share_split.h"
#include "store/day_serial.h"
#include "store/program_database.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <numeric>
#include <sqlcipher/sqlite3.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

QDate day(int d)
{
    return {2024, 1, d};
}

// The day the store's tests make their changes on.
const QDate Today = day(20);

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

// Many amounts, and members coming and going: each running part stays within a
// cent of the exact figure, and the parts add up to what was shared.
TEST(ShareSplit, RunningPartsStayWithinACentOfTheExactFigure)
{
    struct Step
    {
        Cents amount;
        QList<int> shares;
        int times;
    };
    const QList<QList<Step>> seasons = {
        {{-100, {1, 1, 1}, 90}},                       // a draw's odd cent, 90 times
        {{-50, {1, 1, 1}, 100}, {-75, {1, 1, 2}, 60}}, // the third member doubles
        {{-45, {2, 0, 3}, 40}, {1234, {2, 7, 3}, 3}, {-7, {0, 7, 0}, 5}, {-99, {5, 7, 11}, 77}},
    };
    for (const QList<Step> &season : seasons) {
        ShareTally tally(3);
        std::array<long double, 3> exact{};
        Cents total = 0;
        for (const Step &step : season) {
            const int sum = std::accumulate(step.shares.begin(), step.shares.end(), 0);
            for (int n = 0; n < step.times; ++n) {
                tally.add(step.amount, step.shares);
                total += step.amount;
                for (int i = 0; i < 3; ++i)
                    exact[i] += static_cast<long double>(step.amount) * step.shares[i] / sum;
            }
        }
        const QList<Cents> parts = tally.parts();
        EXPECT_EQ(std::accumulate(parts.begin(), parts.end(), Cents{0}), total);
        for (int i = 0; i < 3; ++i)
            EXPECT_LT(std::abs(static_cast<long double>(parts[i]) - exact[i]), 1.0L)
                << "member " << i << " of the season of " << total;
    }
    // Ninety draws of 1,00 in thirds: each pays 30,00, not 30,90 the first.
    ShareTally thirds(3);
    for (int n = 0; n < 90; ++n)
        thirds.add(-100, {1, 1, 1});
    EXPECT_EQ(thirds.parts(), (QList<Cents>{-3000, -3000, -3000}));
    thirds.add(-10, {0, 0, 0});
    EXPECT_EQ(thirds.unassigned(), -10);
    EXPECT_EQ(thirds.shared(), -9000);
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

// Draws played before the first member joined are in the bote and in nobody's
// balance: said apart, so that balances and "Sin repartir" make the bote.
TEST(LedgerAccount, MoneyOfDaysWithoutMembersIsNobodys)
{
    LedgerBook book;
    book.syndicate = u"TARDE"_s;
    book.createdOn = day(1);
    book.members = {{u"Ana"_s, 1, day(3), {}}, {u"Luis"_s, 2, day(3), {}}};
    book.prices = {{QDate(1985, 1, 1), 70}};
    book.bets = {{day(1), syndicateOf(SyndicateBytes()
                                          .name("TARDE")
                                          .days("Todos")
                                          .betCount(2)
                                          .bet(1, {1, 2, 3, 4, 5, 6})
                                          .bet(2, {7, 8, 9, 10, 11, 12}))}};
    book.movements = {{1, MovementKind::Cost, {}, 100, day(2), u"Sobre"_s}};
    QList<DrawRecord> draws;
    for (int d = 1; d <= 4; ++d)
        draws.append(drawOn(d, {20, 21, 22, 23, 24, 25}, 26, 0));

    const LedgerAccount account = workOutAccount(book, draws, lookupIn({}), day(4));
    EXPECT_EQ(account.bote, -4 * 140 - 100);
    EXPECT_EQ(account.unassigned, -2 * 140 - 100);
    EXPECT_EQ(account.members[0].balance + account.members[1].balance + account.unassigned,
              account.bote);
}

// José joins on the 3rd: his statement shows how what he paid became his
// balance, each draw and cost with the peña's total and his part.
TEST(MemberStatement, LinesGoFromWhatWasPaidToTheBalance)
{
    LedgerBook book;
    book.syndicate = u"BAR"_s;
    book.createdOn = day(1);
    book.members = {{u"Ana"_s, 1, day(1), {}}, {u"José"_s, 1, day(3), {}}};
    book.prices = {{QDate(1985, 1, 1), 50}};
    book.bets = {{day(1), syndicateOf(SyndicateBytes()
                                          .name("BAR")
                                          .days("Todos")
                                          .betCount(2)
                                          .bet(1, {1, 2, 3, 4, 5, 6})
                                          .bet(2, {7, 8, 9, 10, 11, 12}))}};
    book.movements = {{1, MovementKind::Contribution, u"José"_s, 100050, day(3), {}},
                      {2, MovementKind::Cost, {}, 100, day(4), u"Sobre"_s}};
    QList<DrawRecord> draws;
    for (int d = 1; d <= 4; ++d)
        draws.append(drawOn(d, {20, 21, 22, 23, 24, 25}, 26, 0));
    draws.append(drawOn(5, {1, 2, 3, 30, 31, 32}, 33, 0));
    const LedgerAccount account =
        workOutAccount(book, draws, lookupIn({prizes(5, {}, {}, {}, 400)}), day(5));

    QStringList lines;
    for (const MemberLine &line : memberLines(book, account, u"José"_s))
        lines.append(u"%1|%2|%3|%4|%5|%6"_s.arg(line.date.day())
                         .arg(line.what)
                         .arg(line.total ? moneyText(*line.total) : QString())
                         .arg(line.shares, moneyText(line.amount), moneyText(line.balance)));
    EXPECT_EQ(lines, (QStringList{
                         u"3|Aportación|||1.000,50|1.000,50"_s,
                         u"3|Sorteo: 2 apuestas|-1,00|1 de 2|-0,50|1.000,00"_s,
                         u"4|Sorteo: 2 apuestas|-1,00|1 de 2|-0,50|999,50"_s,
                         u"4|Gasto: Sobre|-1,00|1 de 2|-0,50|999,00"_s,
                         u"5|Sorteo: 2 apuestas, premio 4,00\u00A0€|3,00|1 de 2|1,50|1.000,50"_s}));
    EXPECT_EQ(account.members[1].balance, 100050);
}

// Whatever the season, each member's lines add up to their balance, and each
// line's parts to what it shared; a member who left sees no later line but a
// cent the rounding moved on its own line.
TEST(MemberStatement, LinesAddUpToEachBalance)
{
    const struct
    {
        QList<LedgerMember> members;
        int draws;
        int price;
    } seasons[] = {
        {{{u"Ana"_s, 1, day(1), {}}, {u"Bea"_s, 1, day(1), {}}, {u"Luis"_s, 1, day(1), {}}},
         25,
         50},
        {{{u"Ana"_s, 1, day(1), day(9)}, {u"Bea"_s, 2, day(1), {}}, {u"Luis"_s, 3, day(5), {}}},
         28,
         70},
        {{{u"Ana"_s, 7, day(4), day(20)},
          {u"Bea"_s, 1, day(2), day(11)},
          {u"Luis"_s, 3, day(8), {}}},
         30,
         45},
    };
    for (const auto &season : seasons) {
        LedgerBook book;
        book.syndicate = u"BAR"_s;
        book.createdOn = day(1);
        book.members = season.members;
        book.prices = {{QDate(1985, 1, 1), season.price}};
        book.bets = {
            {day(1), syndicateOf(SyndicateBytes().name("BAR").days("Todos").betCount(1).bet(
                         1, {1, 2, 3, 4, 5, 6}))}};
        book.movements = {{1, MovementKind::Cost, {}, 101, day(6), u"Sobre"_s},
                          {2, MovementKind::Contribution, u"Bea"_s, 1000, day(2), {}},
                          {3, MovementKind::Payout, u"Bea"_s, 10, day(9), {}}};
        QList<DrawRecord> draws;
        for (int d = 1; d <= season.draws; ++d)
            draws.append(drawOn(d, {20, 21, 22, 23, 24, 25}, 26, 0));
        const LedgerAccount account = workOutAccount(book, draws, lookupIn({}), day(31));
        for (const SharedLine &line : account.shared) {
            const Cents parts = std::accumulate(line.parts.begin(), line.parts.end(), Cents{0});
            EXPECT_EQ(parts, line.shares > 0 ? line.total : 0)
                << line.date.toString().toStdString();
        }
        for (qsizetype i = 0; i < book.members.size(); ++i) {
            const QList<MemberLine> lines = memberLines(book, account, book.members[i].name);
            ASSERT_FALSE(lines.isEmpty());
            EXPECT_EQ(lines.last().balance, account.members[i].balance)
                << book.members[i].name.toStdString();
            for (const MemberLine &line : lines) {
                if (line.what != u"Redondeo al céntimo"_s) {
                    EXPECT_TRUE(
                        line.date >= book.members[i].joined &&
                        (!book.members[i].left.isValid() || line.date < book.members[i].left));
                }
            }
        }
    }
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
        ASSERT_TRUE(addMember(*m_db, u"BAR"_s, {u"Ana"_s, 1, day(1), {}}, Today));
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
    ASSERT_TRUE(addMovement(*m_db, u"BAR"_s,
                            {0, MovementKind::Contribution, u"Ana"_s, 500, day(2), {}}, Today));
    const qint64 paid = book().movements[0].id;
    const LedgerBook before = book();
    const QString early =
        u"La fecha 31/12/2023 es anterior a la creación de la peña (01/01/2024)."_s;
    const QString late = u"La fecha 21/01/2024 es posterior a hoy (20/01/2024)."_s;
    const auto pay = [&](QDate date) {
        return LedgerMovement{0, MovementKind::Contribution, u"Ana"_s, 100, date, {}};
    };
    const struct
    {
        std::function<Status()> change;
        QString message;
    } refusals[] = {
        {[&] {
             return addMember(*m_db, u"BAR"_s, {u"Bea"_s, 0, day(2), {}}, Today);
         },
         u"Las participaciones deben ser un número entero de 1 a 1000."_s},
        {[&] {
             return addMember(*m_db, u"BAR"_s, {u"Ana"_s, 1, day(2), {}}, Today);
         },
         u"Ya hay un miembro llamado «Ana» en la peña."_s},
        {[&] {
             return addMovement(*m_db, u"BAR"_s,
                                {0, MovementKind::Contribution, u"Zoe"_s, 100, day(2), {}}, Today);
         },
         u"No hay ningún miembro llamado «Zoe» en la peña «BAR»."_s},
        {[&] { return removeMember(*m_db, u"BAR"_s, u"Zoe"_s, day(2), Today); },
         u"No hay ningún miembro llamado «Zoe» en la peña «BAR»."_s},
        {[&] { return setReintegro(*m_db, u"BAR"_s, 10, day(2), Today); },
         u"El reintegro es una cifra del 0 al 9."_s},
        // Bounds that keep every sum of an account within reach, whatever road a change comes by.
        {[&] {
             return addMember(*m_db, u"BAR"_s, {u"Bea"_s, MaxShares + 1, day(2), {}}, Today);
         },
         u"Las participaciones deben ser un número entero de 1 a 1000."_s},
        {[&] {
             return addMovement(*m_db, u"BAR"_s,
                                {0, MovementKind::Cost, {}, MaxTypedAmount + 1, day(2), u"x"_s},
                                Today);
         },
         u"El importe no puede pasar de 100.000.000,00 €."_s},
        // Every day of the account is from the peña's creation to today.
        {[&] {
             return addMember(*m_db, u"BAR"_s, {u"Bea"_s, 1, QDate(2023, 12, 31), {}}, Today);
         },
         early},
        {[&] {
             return addMember(*m_db, u"BAR"_s, {u"Bea"_s, 1, day(21), {}}, Today);
         },
         late},
        {[&] { return addMovement(*m_db, u"BAR"_s, pay(QDate(2023, 12, 31)), Today); }, early},
        {[&] { return addMovement(*m_db, u"BAR"_s, pay(day(21)), Today); }, late},
        {[&] {
             LedgerMovement moved = pay(day(21));
             moved.id = paid;
             return editMovement(*m_db, u"BAR"_s, moved, Today);
         },
         late},
        {[&] { return removeMember(*m_db, u"BAR"_s, u"Ana"_s, day(21), Today); }, late},
        {[&] { return setReintegro(*m_db, u"BAR"_s, 3, QDate(2023, 12, 31), Today); }, early},
        {[&] { return setReintegro(*m_db, u"BAR"_s, 3, day(21), Today); }, late},
        // Corrections: only what is there, and a member only while no movement names them.
        {[&] { return editMovement(*m_db, u"BAR"_s, pay(day(3)), Today); },
         u"Ese movimiento ya no está en las cuentas."_s},
        {[&] { return deleteMember(*m_db, u"BAR"_s, u"Ana"_s, Today); },
         u"«Ana» tiene movimientos en las cuentas y no se puede borrar. Quite antes sus "
         u"movimientos, o dele de baja."_s},
        {[&] { return clearReintegro(*m_db, u"BAR"_s, Today); },
         u"La peña «BAR» no tiene reintegro."_s},
    };
    for (const auto &refused : refusals)
        EXPECT_EQ(refusal(refused.change()), refused.message);
    const LedgerBook after = book();
    EXPECT_EQ(after.members.size(), 1);
    EXPECT_FALSE(after.members[0].left.isValid());
    ASSERT_EQ(after.movements.size(), 1);
    EXPECT_EQ(after.movements[0].date, day(2));
    EXPECT_FALSE(after.reintegro);
    EXPECT_EQ(after.history.size(), before.history.size());
}

// A movement corrected, a member added by mistake deleted and the reintegro
// cleared: each kept in the account's history with the day it was made.
TEST_F(LedgerStoreTest, CorrectionsAreKeptInTheHistory)
{
    ASSERT_TRUE(addMember(*m_db, u"BAR"_s, {u"Pepe"_s, 2, day(3), {}}, day(3)));
    ASSERT_TRUE(addMovement(*m_db, u"BAR"_s,
                            {0, MovementKind::Contribution, u"Ana"_s, 1000, day(4), {}}, day(4)));
    ASSERT_TRUE(setReintegro(*m_db, u"BAR"_s, 7, day(2), day(5)));
    LedgerMovement corrected = book().movements[0];
    corrected.cents = 1250;
    corrected.note = u"enero"_s;
    ASSERT_TRUE(editMovement(*m_db, u"BAR"_s, corrected, day(6)));
    ASSERT_TRUE(deleteMember(*m_db, u"BAR"_s, u"Pepe"_s, day(6)));
    ASSERT_TRUE(clearReintegro(*m_db, u"BAR"_s, day(7)));

    const LedgerBook kept = book();
    ASSERT_EQ(kept.movements.size(), 1);
    EXPECT_EQ(kept.movements[0].cents, 1250);
    EXPECT_EQ(kept.movements[0].note, u"enero"_s);
    ASSERT_EQ(kept.members.size(), 1);
    EXPECT_FALSE(kept.reintegro);
    QStringList history;
    for (const LedgerEvent &event : kept.history)
        history.append(event.madeOn.toString(u"dd/MM"_s) + u' ' + event.what);
    EXPECT_EQ(history,
              (QStringList{
                  u"20/01 Alta de Ana (1 participación) desde el 01/01/2024."_s,
                  u"03/01 Alta de Pepe (2 participaciones) desde el 03/01/2024."_s,
                  u"04/01 Movimiento añadido: Aportación de Ana, 10,00 € del 04/01/2024."_s,
                  u"05/01 Reintegro 7 desde el 02/01/2024."_s,
                  u"06/01 Movimiento corregido: Aportación de Ana, 10,00 € del 04/01/2024 → "
                  u"Aportación de Ana, 12,50 € del 04/01/2024 («enero»)."_s,
                  u"06/01 Miembro borrado: Pepe."_s,
                  u"07/01 Reintegro quitado (era el 7 desde el 02/01/2024)."_s,
              }));
}

TEST_F(LedgerStoreTest, AClosedAccountStaysReadable)
{
    ASSERT_TRUE(addMovement(*m_db, u"BAR"_s,
                            {0, MovementKind::Contribution, u"Ana"_s, 1250, day(2), u"Enero"_s},
                            Today));
    ASSERT_TRUE(removeMember(*m_db, u"BAR"_s, u"Ana"_s, day(9), Today));
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

TEST_F(LedgerStoreTest, ARenamedPenaKeepsItsAccount)
{
    // A missing day filled behind its counted draws, not counted yet.
    DrawRecord filled;
    filled.drawDate = toDaySerial(day(2));
    SyndicateRecord counted = m_syndicate;
    counted.countedThrough = toDaySerial(day(5));
    ASSERT_TRUE(keepDrawsToCount(*m_db, {filled}, {counted}));
    ASSERT_TRUE(renameLedger(*m_db, u"BAR"_s, u"BAR 2026"_s));
    EXPECT_EQ(drawsToCount(*m_db).value(), (QList<DrawToCount>{{day(2), u"BAR 2026"_s, {}}}));
    EXPECT_FALSE(readLedger(*m_db, u"BAR"_s).value());
    SyndicateRecord renamed = m_syndicate;
    renamed.setName(u"BAR 2026"_s);
    ASSERT_TRUE(keepLedgerTerms(*m_db, renamed, 50, day(3)));
    const LedgerBook moved = *readLedger(*m_db, u"BAR 2026"_s).value();
    ASSERT_EQ(moved.members.size(), 1);
    EXPECT_EQ(moved.members[0].name, u"Ana"_s);
    EXPECT_EQ(moved.bets.size(), 1);

    // Another peña's open account is never joined.
    SyndicateRecord other = m_syndicate;
    other.setName(u"OTRA"_s);
    ASSERT_TRUE(keepLedgerTerms(*m_db, other, 50, day(3)));
    EXPECT_EQ(refusal(renameLedger(*m_db, u"OTRA"_s, u"BAR 2026"_s)),
              u"Ya hay otra peña llamada «BAR 2026» con sus cuentas. Elija otro nombre para no "
              u"mezclarlas."_s);
    EXPECT_TRUE(readLedger(*m_db, u"OTRA"_s).value()->members.isEmpty());
}

TEST_F(LedgerStoreTest, ANewPenaOfAClosedOnesNameGetsItsOwnAccount)
{
    ASSERT_TRUE(closeLedger(*m_db, u"BAR"_s, day(10)));
    EXPECT_EQ(refusal(addMember(*m_db, u"BAR"_s, {u"Bea"_s, 1, day(2), {}}, Today)),
              u"Las cuentas de la peña «BAR» están cerradas desde el 10/01/2024: no admiten "
              u"cambios."_s);

    SyndicateRecord again = m_syndicate;
    again.createdOn = serialOf(day(12));
    ASSERT_TRUE(keepLedgerTerms(*m_db, again, 50, day(12)));
    ASSERT_TRUE(addMember(*m_db, u"BAR"_s, {u"Bea"_s, 1, day(12), {}}, Today));
    const LedgerBook fresh = book();
    EXPECT_FALSE(fresh.closedOn.isValid());
    EXPECT_EQ(fresh.createdOn, day(12));
    ASSERT_EQ(fresh.members.size(), 1);
    EXPECT_EQ(fresh.members[0].name, u"Bea"_s);
    const LedgerBook closed = *readClosedLedger(*m_db, u"BAR"_s).value();
    ASSERT_EQ(closed.members.size(), 1);
    EXPECT_EQ(closed.members[0].name, u"Ana"_s);
}

// A zafrano.db of the schema before accounts had their own number: the
// account, its member, movement and bets are all there after the upgrade.
TEST(LedgerMigration, AnOldAccountIsKept)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(u"zafrano.db"_s);
    sqlite3 *old = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &old), SQLITE_OK);
    const QString bets = QString::fromLatin1(SyndicateBytes()
                                                 .name("VIEJA")
                                                 .days("Todos")
                                                 .betCount(1)
                                                 .bet(1, {1, 2, 3, 4, 5, 6})
                                                 .bytes()
                                                 .toBase64());
    const QByteArray schema =
        "CREATE TABLE schema_version (version INTEGER NOT NULL);"
        "INSERT INTO schema_version (version) VALUES (3);"
        "CREATE TABLE draw_prizes (draw_date TEXT NOT NULL, category TEXT NOT NULL,"
        "  cents INTEGER NOT NULL, PRIMARY KEY (draw_date, category)) WITHOUT ROWID;"
        "CREATE TABLE prize_marks (draw_date TEXT NOT NULL, syndicate TEXT NOT NULL,"
        "  bets TEXT NOT NULL, announced INTEGER NOT NULL DEFAULT 0,"
        "  shown INTEGER NOT NULL DEFAULT 0, PRIMARY KEY (draw_date, syndicate)) WITHOUT ROWID;"
        "CREATE TABLE ledger_accounts (syndicate TEXT PRIMARY KEY, created_on TEXT NOT NULL,"
        "  closed_on TEXT, reintegro INTEGER, reintegro_from TEXT);"
        "CREATE TABLE ledger_members (account TEXT NOT NULL, name TEXT NOT NULL,"
        "  shares INTEGER NOT NULL CHECK (shares >= 1), joined TEXT NOT NULL, left_on TEXT,"
        "  PRIMARY KEY (account, name));"
        "CREATE TABLE ledger_movements (id INTEGER PRIMARY KEY, account TEXT NOT NULL,"
        "  kind TEXT NOT NULL, member TEXT, cents INTEGER NOT NULL CHECK (cents > 0),"
        "  date TEXT NOT NULL, note TEXT NOT NULL DEFAULT '');"
        "CREATE TABLE bet_prices (since TEXT PRIMARY KEY, cents INTEGER NOT NULL);"
        "CREATE TABLE ledger_bets (account TEXT NOT NULL, since TEXT NOT NULL,"
        "  record TEXT NOT NULL, PRIMARY KEY (account, since));"
        "INSERT INTO ledger_accounts VALUES ('VIEJA', '2024-01-01', NULL, 7, '2024-01-02');"
        "INSERT INTO ledger_accounts VALUES ('CERRADA', '2023-05-01', '2023-12-31', NULL, NULL);"
        "INSERT INTO ledger_members VALUES ('VIEJA', 'Zoe', 2, '2024-01-05', NULL);"
        "INSERT INTO ledger_members VALUES ('VIEJA', 'Ana', 1, '2024-01-05', '2024-01-09');"
        "INSERT INTO ledger_movements VALUES (41, 'VIEJA', 'pay', 'Ana', 1250, '2024-01-06', 'x');"
        "INSERT INTO bet_prices VALUES ('1985-01-01', 50);"
        "INSERT INTO ledger_bets VALUES ('VIEJA', '2024-01-01', '" +
        bets.toLatin1() + "');";
    ASSERT_EQ(sqlite3_exec(old, schema.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(old);

    Result<ProgramDatabase> db = ProgramDatabase::open(path);
    ASSERT_TRUE(db) << db.error().message.text.toStdString();
    const std::optional<LedgerBook> kept = readLedger(*db, u"VIEJA"_s).value();
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->createdOn, QDate(2024, 1, 1));
    ASSERT_EQ(kept->members.size(), 2);
    EXPECT_EQ(kept->members[0].name, u"Zoe"_s); // joined the same day: in the order kept
    EXPECT_EQ(kept->members[1].left, QDate(2024, 1, 9));
    ASSERT_EQ(kept->movements.size(), 1);
    EXPECT_EQ(kept->movements[0].id, 41);
    EXPECT_EQ(kept->movements[0].cents, 1250);
    ASSERT_EQ(kept->bets.size(), 1);
    EXPECT_EQ(kept->bets[0].syndicate.nameText(), u"VIEJA"_s);
    ASSERT_TRUE(kept->reintegro);
    EXPECT_EQ(kept->reintegro->digit, 7);
    EXPECT_EQ(readClosedLedger(*db, u"CERRADA"_s).value()->closedOn, QDate(2023, 12, 31));
}
