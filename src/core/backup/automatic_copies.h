// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backup/copy_set.h"
#include "store/draw_record.h"

namespace zafrano {

class DataFolder;

// The automatic copies in the data folder's copias/: one on the first start of
// each day, one before each command that rewrites a whole file. The last 14
// daily copies and the last 20 command copies are kept. A copy is named by its
// time in UTC and a sequence number, AAAA-MM-DD-HHMMSSZ-NN, so the names sort
// by time whatever the clocks do; copies named by the local time alone
// (AAAA-MM-DD-HHMMSS[-N], of older versions) are still listed and restored.
namespace copies {

inline constexpr auto FolderName = u"copias";
inline constexpr int DailyKept = 14;
inline constexpr int CommandKept = 20;

// The reasons the commands give, as `zafrano-cli copies` lists them.
inline constexpr auto ImportReason = u"antes de importar sorteos";
inline constexpr auto DeleteDrawsReason = u"antes de borrar todos los sorteos";
inline constexpr auto ResetReason = u"antes de reiniciar aciertos";
inline constexpr auto DeleteSyndicateReason = u"antes de eliminar una peña";
inline constexpr auto RestoreReason = u"antes de restaurar";
inline constexpr auto MigrationReason = u"antes de actualizar zafrano.db";
inline constexpr auto InsertDrawReason = u"antes de añadir un sorteo que faltaba";

struct CopyEntry
{
    QString path; // the copy's folder
    QString name; // AAAA-MM-DD-HHMMSSZ-NN
    QString reason;
    QDateTime made;
    // What the copy left out because it could not be read (CopySet::notTaken).
    QStringList notTaken;
};

// A copy as the list of copies shows it: what it holds, or why it does not read.
struct ListedCopy
{
    CopyEntry entry;
    std::optional<CopySummary> contents;
    QString problem;
};

// The reason in words, also for the copies older versions named by the command.
QString reasonInWords(const QString &reason);

QString copiesPath(const QString &dataFolder);

// Makes one copy and drops the copies beyond the ones kept. A copy that cannot
// be made is an error whose message says so: the command must not go on.
Result<CopyEntry> makeCopy(const QString &dataFolder, const QString &reason,
                           const QDateTime &now = QDateTime::currentDateTime());

// Keeps a set made elsewhere (the one a restore puts in place) as a copy.
Result<CopyEntry> keepCopy(const QString &dataFolder, const CopySet &set);

// The day's copy, unless one of today is already there (a listing of today's
// names, so the start-up stays cheap). Returns what it left out (see CopySet::notTaken).
Result<QStringList> makeDailyCopyIfDue(const QString &dataFolder,
                                       const QDateTime &now = QDateTime::currentDateTime());

// The copy of the data folder that holds the database at `databasePath`,
// made before the program changes its schema.
Status copyBeforeMigration(const QString &databasePath);

// The copy before a command that rewrites a whole file of `dataFolder`.
Status copyBeforeCommand(const QString &dataFolder, const char16_t *reason);

// Every automatic copy, the newest first.
QList<CopyEntry> listCopies(const QString &dataFolder);

// The commands that rewrite a whole file, as the window and the command line
// run them: each makes its copy just before it writes, and a copy that cannot
// be made stops it with its message before anything changes.
Status deleteAllDraws(const DataFolder &folder);
// A draws file or draws read elsewhere (a CSV history) replace the stored
// ones: the copy comes once they have been checked, so a refused import makes none.
Result<int> importDrawsFile(const DataFolder &folder, const QString &chosenPath);
Result<int> importDraws(const DataFolder &folder, const QList<DrawRecord> &draws);
Status resetResults(const DataFolder &folder, QDate today);
Status deleteSyndicate(const DataFolder &folder, int k);
// Every automatic copy with what it holds, the newest first: the window's list
// and `zafrano-cli copies`.
QList<ListedCopy> describeCopies(const QString &dataFolder);

} // namespace copies

} // namespace zafrano
