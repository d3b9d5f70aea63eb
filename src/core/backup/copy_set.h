// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

namespace zafrano {

// One copy of the data folder's records of truth (the draws, the syndicates,
// the settings and zafrano.db), held in memory with its manifest: what the
// automatic copies, the backup file and the restore all pass around.
struct CopySet
{
    static constexpr auto ManifestName = u"manifiesto.json";

    QString programVersion;
    QDateTime made;
    // Why it was made: "diaria" for the copy of the day's first start, else the command's name.
    QString reason;
    // A record of truth missing from the folder is missing from the copy too.
    QMap<QString, QByteArray> files;
    // The files of the folder that could not be read, left out of the copy and
    // of its manifest, each with the reason.
    QStringList notTaken;

    // The files a copy may hold, in the order they are written and replaced.
    static const QStringList &recordNames();
    // The most a file of that name may hold; 0 for a name a copy never holds.
    static qint64 maxBytesOf(const QString &name);
    // The most a whole copy may hold: every file at its largest.
    static qint64 maxTotalBytes();
    QByteArray manifest() const;
};

inline constexpr auto DailyReason = u"diaria";

// What a copy holds, as the restore's question shows it.
struct CopySummary
{
    QDateTime made;
    int draws = 0;
    std::optional<QDate> firstDraw;
    std::optional<QDate> lastDraw;
    int syndicates = 0;
    // Only a zafrano.db with the treasurer's tables has members.
    std::optional<int> members;
};

// What the copy holds, in lines: its date, the draws, the syndicates (and members).
QString summaryText(const CopySummary &summary);
// "12 sorteos, 3 peñas, 5 socios": what a copy holds, in the list of copies.
QString contentsText(const CopySummary &summary);
// The restore's question, after that summary.
ProgramMessage restoreQuestion(const CopySummary &summary);

// The records of truth of the data folder as they are now; zafrano.db through
// SQLite's online backup, so the copy is consistent while the program writes.
// A file that cannot be read is left out and named in `notTaken`, so that a
// damaged one does not keep the others from being copied.
Result<CopySet> takeSnapshot(const QString &dataFolder, const QString &reason,
                             const QDateTime &now);

// Builds a set from the manifest and the files read from a copy called
// `source`; a missing or foreign manifest, a file it does not name, a missing
// file or a wrong checksum is refused.
Result<CopySet> assembleCopy(const QString &source, const std::optional<QByteArray> &manifest,
                             const QMap<QString, QByteArray> &files);

// Checks every file of a set as the program would read it: whole records, the
// draws in order, zafrano.db whole and of a schema this program knows. The
// database is opened from a scratch file in `dataFolder`'s work folder.
Result<CopySummary> checkCopy(const QString &source, const CopySet &set, const QString &dataFolder);

struct CheckedCopy
{
    CopySet set;
    CopySummary summary;
};

// A copy kept as a folder (copias/…) or as a backup file (.tar.gz), read and
// checked for the data folder `dataFolder`.
Result<CheckedCopy> readCopy(const QString &path, const QString &dataFolder);

// Says which files a copy or a backup left out because they could not be read.
ProgramMessage notTakenMessage(const QStringList &notTaken);

// Another data folder (an older one being moved from) read as a copy: its
// records of truth as they stand, zafrano.db included, checked as a copy is.
// Nothing, with no error, when the folder holds no draws and no syndicates.
// `dataFolder` is the folder the copy is for: its work folder takes the scratch files.
Result<std::optional<CheckedCopy>> readDataFolderAsCopy(const QString &folder, const QDateTime &now,
                                                        const QString &dataFolder);

// "La copia X no vale: <problem>. No se ha cambiado nada."
Error refusedCopy(const QString &source, const QString &problem);

} // namespace zafrano
