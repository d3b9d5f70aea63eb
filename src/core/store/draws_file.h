// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "store/draw_record.h"
#include "store/record_file.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace zafrano {

// The draws file bononume.dat: DrawRecords in ascending date order, the newest last.
class DrawsFile
{
public:
    static constexpr auto FileName = u"bononume.dat";
    static constexpr auto BackupName = u"bononume.bak";
    static constexpr auto DamagedName = u"bononume.bad";
    // Far more than Bonoloto will ever draw; a bigger file is not a draws file.
    static constexpr qint64 MaxBytes = 200'000LL * DrawRecord::Size;

    explicit DrawsFile(const QString &folder);

    QString path() const { return m_file.path(); }
    QString backupPath() const;

    Status createIfMissing() const { return m_file.createIfMissing(); }

    // Every stored draw, oldest first. A file with a cut-off last record is an
    // InvalidData error; a missing file reads as empty.
    Result<QList<DrawRecord>> readAll() const;

    // Appends draws after the newest one.
    Status append(const QList<DrawRecord> &draws) const;
    // Writes these draws, in date order, in place of the stored ones.
    Status rewrite(const QList<DrawRecord> &draws) const;
    // Deletes record k (1-based); the later draws move up.
    Status removeRecord(int k) const;
    // Leaves an empty draws file.
    Status removeAll() const;

    // Replaces the whole file by the draws file at chosenPath once every record
    // of it has been checked and `beforeWrite` (the command's copy) has run;
    // its error stops the import. The previous file is kept as bononume.bak.
    // Returns the number of draws imported. Errors carry the import's messages.
    Result<int> importFile(const QString &chosenPath,
                           const std::function<Status()> &beforeWrite = {}) const;
    // The same replacement from draws read elsewhere (a CSV history).
    Result<int> importDraws(const QList<DrawRecord> &draws,
                            const std::function<Status()> &beforeWrite = {}) const;

    // An unreadable draws file is moved aside (bononume.bad, or .bad.1 …) and an
    // empty one takes its place. Returns where the damaged file went, if anywhere.
    Result<std::optional<QString>> recoverUnreadable() const;

private:
    RecordFile m_file;
};

// Decodes whole records; InvalidData when the size is not a whole number of records.
Result<QList<DrawRecord>> decodeDraws(QByteArrayView bytes, const QString &fileName);

} // namespace zafrano
