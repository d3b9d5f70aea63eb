// SPDX-License-Identifier: GPL-3.0-or-later
#include "ledger/ledger_account.h"

#include "checking/check_run.h"
#include "checking/prize_category.h"
#include "ledger/price_history.h"
#include "ledger/share_split.h"
#include "store/day_serial.h"

#include <QMap>
#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

// The newest entry dated on or before `date`; nothing before the first.
template <typename T> const T *inForceOn(const QList<T> &dated, QDate date)
{
    const T *found = nullptr;
    for (const T &entry : dated) {
        if (entry.since <= date)
            found = &entry;
    }
    return found;
}

std::optional<DrawAccount> accountOfDraw(const LedgerBook &book, const DrawRecord &draw,
                                         const PrizeLookup &prizesOf)
{
    const QDate date = draw.date();
    // A peña deleted on a day had played that day's draw when it was stored:
    // only later draws are outside its account.
    if (book.closedOn.isValid() && date > book.closedOn)
        return std::nullopt;
    const BetsChange *bets = inForceOn(book.bets, date);
    if (!bets || !playsDraw(bets->syndicate, draw))
        return std::nullopt;
    return playedDrawAccount(draw, bets->syndicate.sixNumberBets(), priceOn(book.prices, date),
                             prizesInDraw(bets->syndicate, draw), book.reintegro, prizesOf);
}

// The shares of the members who belonged on `date`, 0 for the others.
QList<int> sharesOn(const QList<LedgerMember> &members, QDate date)
{
    QList<int> shares;
    for (const LedgerMember &member : members)
        shares.append(member.belongsOn(date) ? member.shares : 0);
    return shares;
}

} // namespace

DrawAccount playedDrawAccount(const DrawRecord &draw, int bets, Cents price,
                              const std::array<int, 5> &winning,
                              const std::optional<ReintegroDigit> &reintegro,
                              const PrizeLookup &prizesOf)
{
    const QDate date = draw.date();
    DrawAccount account;
    account.date = date;
    account.bets = bets;
    account.cost = bets * price;
    account.winning = winning;
    if (std::any_of(winning.begin(), winning.end(), [](int n) { return n > 0; })) {
        const std::optional<DrawPrizes> paid = prizesOf(date);
        for (const PrizeCategoryInfo &category : PrizeCategories) {
            const int slot = category.slot - 3;
            if (winning[slot] == 0)
                continue;
            const std::optional<qint64> each =
                paid ? paid->cents[category.prizeIndex] : std::optional<qint64>();
            if (!each)
                account.pending = true;
            else
                account.won[slot] = winning[slot] * *each;
        }
        // Never a partial sum taken for the whole.
        if (account.pending)
            account.won = {};
        for (Cents cents : account.won)
            account.prizes += cents;
    }
    if (reintegro && date >= reintegro->since && draw.reintegro == reintegro->digit)
        account.refund = account.cost;
    return account;
}

QString movementKindName(MovementKind kind)
{
    switch (kind) {
    case MovementKind::Contribution:
        return u"Aportación"_s;
    case MovementKind::Payout:
        return u"Reparto"_s;
    case MovementKind::Cost:
        return u"Gasto"_s;
    }
    return {};
}

QString movementText(const LedgerMovement &movement)
{
    const QString who = movement.kind == MovementKind::Cost ? u" «"_s + movement.note + u'»'
                                                            : u" de "_s + movement.member;
    const QString note = movement.kind == MovementKind::Cost || movement.note.isEmpty()
                             ? QString()
                             : u" («"_s + movement.note + u"»)"_s;
    return movementKindName(movement.kind) + who + u", "_s + eurosText(movement.cents) +
           u" del "_s + shortDate(movement.date) + note;
}

LedgerAccount workOutAccount(const LedgerBook &book, const QList<DrawRecord> &draws,
                             const PrizeLookup &prizesOf, QDate today)
{
    LedgerAccount account;
    account.syndicate = book.syndicate;
    account.closed = book.closedOn.isValid();
    for (const LedgerMember &member : book.members)
        account.members.append({member.name, member.shares, member.belongsOn(today), 0, 0, 0});

    QMap<QDate, Cents> change; // what each day added to the bote
    for (const DrawRecord &draw : draws) {
        const std::optional<DrawAccount> played = accountOfDraw(book, draw, prizesOf);
        if (!played)
            continue;
        account.shared.append({played->date, account.draws.size(), {}, played->net(), 0, {}});
        account.draws.append(*played);
        account.cost += played->cost;
        account.prizes += played->prizes + played->refund;
        account.refunds += played->refund;
        if (played->pending)
            account.pending.append(played->date);
        change[played->date] += played->net();
    }
    for (const LedgerMovement &movement : book.movements) {
        const auto member =
            std::find_if(book.members.begin(), book.members.end(),
                         [&](const LedgerMember &m) { return m.name == movement.member; });
        MemberBalance *balance = member == book.members.end()
                                     ? nullptr
                                     : &account.members[member - book.members.begin()];
        switch (movement.kind) {
        case MovementKind::Contribution:
            account.paid += movement.cents;
            change[movement.date] += movement.cents;
            if (balance) {
                balance->paid += movement.cents;
                balance->balance += movement.cents;
            }
            break;
        case MovementKind::Payout:
            account.received += movement.cents;
            change[movement.date] -= movement.cents;
            if (balance) {
                balance->received += movement.cents;
                balance->balance -= movement.cents;
            }
            break;
        case MovementKind::Cost:
            account.otherCosts += movement.cents;
            change[movement.date] -= movement.cents;
            account.shared.append({movement.date, -1, movement.note, -movement.cents, 0, {}});
            break;
        }
    }
    // Shared in the order of the days, each line's parts the steps of the
    // running parts: they add up to what the balances get.
    std::stable_sort(account.shared.begin(), account.shared.end(),
                     [](const SharedLine &a, const SharedLine &b) { return a.date < b.date; });
    ShareTally tally(book.members.size());
    QList<Cents> before(book.members.size(), 0);
    for (SharedLine &line : account.shared) {
        const QList<int> shares = sharesOn(book.members, line.date);
        line.shares = std::accumulate(shares.begin(), shares.end(), 0);
        tally.add(line.total, shares);
        const QList<Cents> after = tally.parts();
        line.parts.resize(after.size());
        for (qsizetype i = 0; i < after.size(); ++i)
            line.parts[i] = after[i] - before[i];
        before = after;
    }
    for (qsizetype i = 0; i < before.size(); ++i)
        account.members[i].balance += before[i];
    account.unassigned = tally.unassigned();
    account.bote =
        account.paid - account.received + account.prizes - account.cost - account.otherCosts;
    Cents running = 0;
    for (auto day = change.cbegin(); day != change.cend(); ++day) {
        running += day.value();
        account.boteHistory.append({day.key(), running});
    }
    return account;
}

} // namespace zafrano
