// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/data_folder.h"

#include "backup/automatic_copies.h"
#include "backup/restore.h"
#include "common/texts.h"
#include "reports/report_database.h"

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

} // namespace

QString basePathFor(const QString &programFolder)
{
    QString path = QDir::fromNativeSeparators(programFolder);
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}

DataFolder::DataFolder(const QString &dataFolder, const QString &shareFolder)
    : m_basePath(basePathFor(dataFolder)),
      m_sharePath(shareFolder.isEmpty() ? m_basePath : basePathFor(shareFolder))
{}

QString DataFolder::shippedFilePath(const QString &fileName) const
{
    const QString own = filePath(fileName);
    if (QFileInfo::exists(own))
        return own;
    return m_sharePath + fileName;
}

Result<Settings> openDataFolder(const DataFolder &folder,
                                const std::function<void(const ProgramMessage &)> &notify)
{
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
    if (Status copied = copies::makeDailyCopyIfDue(folder.basePath()); !copied)
        notify(copied.error().message);

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
