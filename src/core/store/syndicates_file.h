// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "store/record_file.h"
#include "store/syndicate_record.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace zafrano {

// The syndicates file bonoapu.dat: SyndicateRecords in creation order.
class SyndicatesFile
{
public:
    static constexpr auto FileName = u"bonoapu.dat";
    static constexpr auto DamagedName = u"bonoapu.bad";
    static constexpr int LegacySize = 591;
    // A syndicates file of 5,000 syndicates is already far beyond any player.
    static constexpr qint64 MaxBytes = 5000LL * SyndicateRecord::Size;

    explicit SyndicatesFile(const QString &folder);

    QString path() const { return m_file.path(); }
    QString workFilePath() const { return m_file.workFilePath(); }

    // Start-up: the work file of an interrupted change goes, and an empty
    // syndicates file is created when none is there.
    Status openAtStartup() const;

    // Every syndicate in record order. A last record cut short is damage:
    // InvalidData (start-up puts such a file right, see keepWholeRecords).
    Result<QList<SyndicateRecord>> readAll() const;
    Result<SyndicateRecord> read(int k) const;

    // Writes record k (count + 1 appends).
    Status write(int k, const SyndicateRecord &record) const;
    Status writeAll(const QList<SyndicateRecord> &records) const;
    // Deletes record k; the later syndicates move up by one.
    Status remove(int k) const;
    // Every syndicate: hits 0, countedThrough 0, createdOn today.
    Status resetResults(QDate today) const;

    // A file that ends in part of a record is kept whole as bonoapu.bad (or
    // .bad.1 …) and cut back to its whole records. Returns where the copy went,
    // or nothing when the file was whole.
    Result<std::optional<QString>> keepWholeRecords() const;

    // True when the file was written by the older version of the program
    // (591-byte records): its first record's days field names a draw day.
    bool isLegacyFormat() const;
    // Rewrites a legacy file in the current format. Returns the syndicates converted.
    Result<int> convertLegacy() const;

private:
    RecordFile m_file;
};

// Builds the current record from one 591-byte legacy record.
SyndicateRecord convertLegacyRecord(QByteArrayView legacy);

} // namespace zafrano
