// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/syndicate_record.h"

#include "common/weekday_names.h"
#include "store/little_endian.h"
#include "store/windows1252.h"

#include <algorithm>
#include <cstring>
#include <numeric>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

constexpr int NameOffset = 0;
constexpr int ReducedFromOffset = 20;
constexpr int ReducedGuaranteeOffset = 22;
constexpr int ReducedNumbersOffset = 24;
constexpr int BetsOffset = 64;
constexpr int HitsOffset = 8264;
constexpr int DaysOffset = 8274;
constexpr int BetCountOffset = 8289;
constexpr int CreatedOnOffset = 8291;
constexpr int CountedThroughOffset = 8299;

template <std::size_t N> void setTextField(std::array<char, N> &field, const QString &text)
{
    const QByteArray bytes = windows1252::encodeField(text, static_cast<int>(N));
    std::memcpy(field.data(), bytes.constData(), N);
}

} // namespace

SyndicateRecord::SyndicateRecord()
{
    name.fill(' ');
    days.fill(' ');
}

QString SyndicateRecord::nameText() const
{
    return windows1252::decodeField(QByteArrayView(name.data(), NameWidth));
}

void SyndicateRecord::setName(const QString &text)
{
    setTextField(name, text);
}

QString SyndicateRecord::daysText() const
{
    return windows1252::decodeField(QByteArrayView(days.data(), DaysWidth));
}

void SyndicateRecord::setDays(const QString &text)
{
    setTextField(days, text);
}

int SyndicateRecord::totalHits() const
{
    return std::accumulate(hits.begin(), hits.end(), 0);
}

SyndicateKind SyndicateRecord::kind() const
{
    if (MultipleCode::isMultiple(betCount))
        return SyndicateKind::Multiple;
    return reducedFrom > 0 ? SyndicateKind::Reduced : SyndicateKind::Simple;
}

int SyndicateRecord::sixNumberBets() const
{
    return cuantos(static_cast<qint16>(betCount + 6));
}

bool SyndicateRecord::playsOn(const QString &weekday) const
{
    const QString played = daysText();
    return played == weekday || played == everyDrawDay();
}

QByteArray SyndicateRecord::toBytes() const
{
    QByteArray bytes(Size, '\0');
    char *data = bytes.data();
    std::memcpy(data + NameOffset, name.data(), NameWidth);
    le::writeInt16(data, ReducedFromOffset, reducedFrom);
    le::writeInt16(data, ReducedGuaranteeOffset, reducedGuarantee);
    for (int i = 0; i < 20; ++i)
        le::writeInt16(data, ReducedNumbersOffset + 2 * i, reducedNumbers[i]);
    for (int j = 0; j < MaxBets; ++j)
        for (int i = 0; i < NumbersPerBet; ++i)
            le::writeInt16(data, BetsOffset + 2 * (i + NumbersPerBet * j), bets[j][i]);
    for (int s = 0; s < 5; ++s)
        le::writeInt16(data, HitsOffset + 2 * s, hits[s]);
    std::memcpy(data + DaysOffset, days.data(), DaysWidth);
    le::writeInt16(data, BetCountOffset, betCount);
    le::writeDouble(data, CreatedOnOffset, createdOn);
    le::writeDouble(data, CountedThroughOffset, countedThrough);
    return bytes;
}

SyndicateRecord SyndicateRecord::fromBytes(QByteArrayView bytes)
{
    Q_ASSERT(bytes.size() >= Size);
    const char *data = bytes.data();
    SyndicateRecord record;
    std::memcpy(record.name.data(), data + NameOffset, NameWidth);
    record.reducedFrom = le::readInt16(data, ReducedFromOffset);
    record.reducedGuarantee = le::readInt16(data, ReducedGuaranteeOffset);
    for (int i = 0; i < 20; ++i)
        record.reducedNumbers[i] = le::readInt16(data, ReducedNumbersOffset + 2 * i);
    for (int j = 0; j < MaxBets; ++j)
        for (int i = 0; i < NumbersPerBet; ++i)
            record.bets[j][i] = le::readInt16(data, BetsOffset + 2 * (i + NumbersPerBet * j));
    for (int s = 0; s < 5; ++s)
        record.hits[s] = le::readInt16(data, HitsOffset + 2 * s);
    std::memcpy(record.days.data(), data + DaysOffset, DaysWidth);
    record.betCount = le::readInt16(data, BetCountOffset);
    record.createdOn = le::readDouble(data, CreatedOnOffset);
    record.countedThrough = le::readDouble(data, CountedThroughOffset);
    return record;
}

int numbersPerBet(int betCount)
{
    return MultipleCode::isCode(betCount) ? cuantos(static_cast<qint16>(betCount)) : 6;
}

int multipleNumberCount(const SyndicateRecord &syndicate)
{
    return std::clamp<int>(cuantos(syndicate.betCount), 0, 11);
}

qint16 cuantos(qint16 x)
{
    switch (x) {
    case 501:
    case 507:
        return 7;
    case 502:
        return 8;
    case 503:
        return 5;
    case 504:
        return 9;
    case 505:
        return 10;
    case 506:
        return 11;
    case 508:
        return 28;
    case 509:
        return 44;
    case 510:
        return 84;
    case 511:
        return 210;
    case 512:
        return 462;
    default:
        return x > 499 ? 0 : static_cast<qint16>(x - 6);
    }
}

QString syndicateKindName(SyndicateKind kind)
{
    switch (kind) {
    case SyndicateKind::Simple:
        return u"simple"_s;
    case SyndicateKind::Reduced:
        return u"reduced"_s;
    case SyndicateKind::Multiple:
        break;
    }
    return u"multiple"_s;
}

} // namespace zafrano
