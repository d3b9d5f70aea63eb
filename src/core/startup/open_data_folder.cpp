// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup/open_data_folder.h"

#include "backup/automatic_copies.h"
#include "backup/restore.h"
#include "backup/work_folder.h"
#include "common/texts.h"
#include "reports/report_database.h"
#include "store/program_database.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

// The report database is written on every pick, so each data folder needs its
// own; a copy of the shipped empty one is made once and never overwritten.
void copyShippedReportDatabase(const DataFolder &folder)
{
    const QString name = QString::fromUtf16(ReportDatabase::FileName);
    const QString own = folder.filePath(name);
    const QString shipped = folder.sharePath() + name;
    if (QFileInfo::exists(own) || !QFileInfo::exists(shipped))
        return;
    // A copy that fails leaves the reports to say the database is missing.
    if (QFile::copy(shipped, own))
        QFile(own).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                  QFileDevice::ReadGroup | QFileDevice::ReadOther);
}

// zafrano.db, when the folder has one, is opened once before any command
// reads it: a damaged one is put aside and said here, on every road, and an
// older schema is brought up to date after its copy. Any other failure is
// left for the command that needs the file to say.
void checkProgramDatabase(const DataFolder &folder,
                          const std::function<void(const ProgramMessage &)> &notify)
{
    const QString path = folder.filePath(QString::fromUtf16(ProgramDatabase::FileName));
    if (!QFileInfo::exists(path))
        return;
    std::optional<Error> copyFailure;
    Result<ProgramDatabase> db = ProgramDatabase::open(path, [&]() -> Status {
        Status copied = copies::copyBeforeMigration(path);
        if (!copied)
            copyFailure = copied.error();
        return copied;
    });
    if (copyFailure)
        notify(copyFailure->message);
    else if (db && db->notice())
        notify(*db->notice());
}

} // namespace

Result<Settings> openDataFolder(const DataFolder &folder,
                                const std::function<void(const ProgramMessage &)> &notify)
{
    // What a process killed half way left in the work folder goes first.
    work::cleanLeftovers(folder.basePath());
    // A restore cut short is put right before anything reads the files; one
    // that can be neither finished nor undone stops the start-up.
    Result<std::optional<ProgramMessage>> restored = finishInterruptedRestore(folder.basePath());
    if (!restored)
        return restored.error();
    if (restored.value())
        notify(*restored.value());

    // A file that cannot be created leaves the program running without it, as
    // every start-up step goes on after a failure.
    const SyndicatesFile syndicates = folder.syndicates();
    (void)syndicates.openAtStartup();
    (void)folder.draws().createIfMissing();
    for (const auto name : {DataFolder::SavedPageName, DataFolder::SavedDrawPageName})
        (void)RecordFile(folder.filePath(QString::fromUtf16(name)), 1, 0).createIfMissing();
    copyShippedReportDatabase(folder);
    checkProgramDatabase(folder, notify);

    const QFileInfo tables(folder.tablesPath());
    if (!tables.isFile() || !tables.isReadable()) {
        // Which file and where it was looked for: a partial install is mended from that.
        ProgramMessage missing = texts::requiredFileMissing(texts::ErrorFileNotFound);
        const auto shown = [](const QString &path) {
            return QDir::toNativeSeparators(QDir::cleanPath(path));
        };
        missing.text += u"\r\nFalta "_s + QString::fromUtf16(DataFolder::TablesFileName) +
                        u" en "_s + shown(folder.sharePath());
        if (folder.sharePath() != folder.basePath())
            missing.text +=
                u" (ni la tiene la carpeta de datos "_s + shown(folder.basePath()) + u')';
        missing.text += u'.';
        return Error{ErrorKind::NotFound, missing};
    }

    const Settings settings = folder.settings().readAtStartup();
    // The day's copy is taken of the files as they stand, before any change;
    // a folder that may not be written only says so.
    if (Result<QStringList> copied = copies::makeDailyCopyIfDue(folder.basePath()); !copied)
        notify(copied.error().message);
    else if (!copied->isEmpty())
        notify(notTakenMessage(copied.value()));

    if (syndicates.isLegacyFormat()) {
        notify(texts::legacySyndicatesFound());
        if (Result<int> converted = syndicates.convertLegacy(); !converted)
            notify(converted.error().message);
    }
    // Older records are of another size; only a current file can be cut short.
    if (syndicates.isLegacyFormat())
        return settings;
    if (Result<std::optional<QString>> kept = syndicates.keepWholeRecords(); kept && kept.value())
        notify(texts::partialSyndicatesFile(*kept.value()));
    return settings;
}

} // namespace zafrano
