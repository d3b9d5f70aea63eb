// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <array>

namespace zafrano {

enum class SyndicateKind
{
    Simple,
    Reduced,
    Multiple
};

// One syndicate ("peña"): 8307 bytes, packed, little-endian. Text fields are
// kept as their stored bytes so a record reads and writes back unchanged.
struct SyndicateRecord
{
    static constexpr int Size = 8307;
    static constexpr int MaxBets = 205;
    static constexpr int NumbersPerBet = 20;
    static constexpr int NameWidth = 20;
    static constexpr int DaysWidth = 15;

    using Bet = std::array<qint16, NumbersPerBet>;

    std::array<char, NameWidth> name{};
    qint16 reducedFrom = 0;
    qint16 reducedGuarantee = 0;
    std::array<qint16, 20> reducedNumbers{};
    std::array<Bet, MaxBets> bets{};
    std::array<qint16, 5> hits{}; // slots 3, 4, 5, 6 and 7 (5 + complementario)
    std::array<char, DaysWidth> days{};
    qint16 betCount = 0;
    double createdOn = 0;
    double countedThrough = 0;

    SyndicateRecord();

    QString nameText() const;
    void setName(const QString &text);
    QString daysText() const;
    void setDays(const QString &text);

    // Hit slot 3..7: [3] 3 hits, [4] 4, [5] 5, [6] 6, [7] 5 + complementario.
    qint16 hit(int slot) const { return hits[slot - 3]; }
    void setHit(int slot, qint16 value) { hits[slot - 3] = value; }
    int totalHits() const;

    SyndicateKind kind() const;
    // The six-number bets the syndicate plays: betCount, or 7…462 for a multiple.
    int sixNumberBets() const;
    // True when the syndicate plays a draw on this weekday name.
    bool playsOn(const QString &weekday) const;

    QByteArray toBytes() const;
    static SyndicateRecord fromBytes(QByteArrayView bytes);

    friend bool operator==(const SyndicateRecord &, const SyndicateRecord &) = default;
};

// Multiple bets: betCount 501..506 stands for one bet of 7, 8, 5, 9, 10 or 11
// numbers (7, 28, 44, 84, 210 or 462 six-number bets).
namespace MultipleCode {
inline constexpr qint16 First = 501;
inline constexpr qint16 Last = 506;
inline constexpr bool isMultiple(int betCount)
{
    return betCount >= 500;
}
// One of the six codes a multiple is stored with (isMultiple also takes the
// damaged values above them).
inline constexpr bool isCode(int betCount)
{
    return betCount >= First && betCount <= Last;
}
} // namespace MultipleCode

// The numbers of a multiple (given betCount) or the six-number bets a syndicate
// plays (given betCount + 6): 501/507 → 7, 502 → 8, 503 → 5, 504 → 9, 505 → 10,
// 506 → 11, 508 → 28, 509 → 44, 510 → 84, 511 → 210, 512 → 462, other values
// above 499 → 0, anything up to 499 → x − 6.
qint16 cuantos(qint16 x);

// The numbers in each bet: 7, 8, 5, 9, 10 or 11 for a multiple (betCount
// 501..506), 6 otherwise.
int numbersPerBet(int betCount);
inline int numbersPerBet(const SyndicateRecord &syndicate)
{
    return numbersPerBet(syndicate.betCount);
}
// The numbers the check reads from a multiple's bet: cuantos of its code, kept
// within the eleven a bet can hold whatever a damaged code says.
int multipleNumberCount(const SyndicateRecord &syndicate);

QString syndicateKindName(SyndicateKind kind); // "simple", "reduced", "multiple"

} // namespace zafrano
