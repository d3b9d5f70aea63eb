// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/syndicates_file.h"

#include "common/weekday_names.h"
#include "store/day_serial.h"
#include "store/little_endian.h"
#include "store/windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

constexpr int LegacyBets = 24;
constexpr int LegacyNumbersPerBet = 11;
constexpr int LegacyBetsOffset = 20;
constexpr int LegacyHitsOffset = 548;
constexpr int LegacyDaysOffset = 558;
constexpr int LegacyBetCountOffset = 573;
constexpr int LegacyCreatedOnOffset = 575;
constexpr int LegacyCountedThroughOffset = 583;
// The older version numbered its multiples 101..106 in the order of today's 501..506.
constexpr int LegacyMultipleShift = 400;

QList<QByteArray> encodeAll(const QList<SyndicateRecord> &records)
{
    QList<QByteArray> encoded;
    encoded.reserve(records.size());
    for (const SyndicateRecord &record : records)
        encoded.append(record.toBytes());
    return encoded;
}

} // namespace

SyndicatesFile::SyndicatesFile(const QString &folder)
    : m_file(QDir(folder).filePath(QString::fromUtf16(FileName)), SyndicateRecord::Size, MaxBytes)
{}

Status SyndicatesFile::openAtStartup() const
{
    QFile::remove(m_file.workFilePath());
    return m_file.createIfMissing();
}

Result<QList<SyndicateRecord>> SyndicatesFile::readAll() const
{
    Result<QList<QByteArray>> raw = m_file.readAll(TrailingBytes::Reject);
    if (!raw)
        return raw.error();
    QList<SyndicateRecord> records;
    records.reserve(raw->size());
    for (const QByteArray &bytes : raw.value())
        records.append(SyndicateRecord::fromBytes(bytes));
    return records;
}

Result<SyndicateRecord> SyndicatesFile::read(int k) const
{
    Result<QByteArray> raw = m_file.read(k);
    if (!raw)
        return raw.error();
    return SyndicateRecord::fromBytes(raw.value());
}

Status SyndicatesFile::write(int k, const SyndicateRecord &record) const
{
    return m_file.write(k, record.toBytes(), TrailingBytes::Reject);
}

Status SyndicatesFile::writeAll(const QList<SyndicateRecord> &records) const
{
    return m_file.writeAll(encodeAll(records));
}

Status SyndicatesFile::remove(int k) const
{
    return m_file.remove(k, TrailingBytes::Reject);
}

Result<std::optional<QString>> SyndicatesFile::keepWholeRecords() const
{
    if (!m_file.exists())
        return std::optional<QString>{};
    Result<QByteArray> bytes = readFileCapped(path(), MaxBytes);
    if (!bytes)
        return bytes.error();
    const qsizetype rest = bytes->size() % SyndicateRecord::Size;
    if (rest == 0)
        return std::optional<QString>{};
    Result<QString> kept =
        moveAside(path(), QFileInfo(path()).dir().filePath(QString::fromUtf16(DamagedName)));
    if (!kept)
        return kept.error();
    if (Status written = replaceFileAtomically(path(), workFilePath(), bytes->chopped(rest));
        !written)
        return written.error();
    return std::optional<QString>{kept.value()};
}

Status SyndicatesFile::resetResults(QDate today) const
{
    Result<QList<SyndicateRecord>> records = readAll();
    if (!records)
        return records.error();
    QList<SyndicateRecord> all = std::move(records).value();
    for (SyndicateRecord &record : all) {
        record.hits.fill(0);
        record.countedThrough = 0;
        record.createdOn = toDaySerial(today);
    }
    return writeAll(all);
}

bool SyndicatesFile::isLegacyFormat() const
{
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(LegacySize);
    if (head.size() < LegacyDaysOffset + SyndicateRecord::DaysWidth)
        return false;
    const QString days = windows1252::decodeField(
        QByteArrayView(head).sliced(LegacyDaysOffset, SyndicateRecord::DaysWidth));
    // The older version knew no Sunday syndicates.
    return days == everyDrawDay() || weekdayNames().first(6).contains(days);
}

SyndicateRecord convertLegacyRecord(QByteArrayView legacy)
{
    Q_ASSERT(legacy.size() >= SyndicatesFile::LegacySize);
    const char *data = legacy.data();
    SyndicateRecord record;
    std::memcpy(record.name.data(), data, SyndicateRecord::NameWidth);
    for (int j = 0; j < LegacyBets; ++j)
        for (int i = 0; i < LegacyNumbersPerBet; ++i)
            record.bets[j][i] =
                le::readInt16(data, LegacyBetsOffset + 2 * (i + LegacyNumbersPerBet * j));
    for (int s = 0; s < 5; ++s)
        record.hits[s] = le::readInt16(data, LegacyHitsOffset + 2 * s);
    std::memcpy(record.days.data(), data + LegacyDaysOffset, SyndicateRecord::DaysWidth);
    const qint16 betCount = le::readInt16(data, LegacyBetCountOffset);
    record.betCount =
        betCount <= 100 ? betCount : static_cast<qint16>(betCount + LegacyMultipleShift);
    record.createdOn = le::readDouble(data, LegacyCreatedOnOffset);
    record.countedThrough = le::readDouble(data, LegacyCountedThroughOffset);
    return record;
}

Result<int> SyndicatesFile::convertLegacy() const
{
    RecordFile legacyFile(path(), LegacySize, MaxBytes);
    Result<QList<QByteArray>> legacy = legacyFile.readAll(TrailingBytes::PadWithZeros);
    if (!legacy)
        return legacy.error();
    QList<SyndicateRecord> converted;
    converted.reserve(legacy->size());
    for (const QByteArray &bytes : legacy.value())
        converted.append(convertLegacyRecord(bytes));
    if (Status written = writeAll(converted); !written)
        return written.error();
    return static_cast<int>(converted.size());
}

} // namespace zafrano
