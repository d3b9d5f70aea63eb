// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/data_folder.h"

#include "common/texts.h"

#include <QDir>
#include <QFileInfo>

namespace zafrano {

QString basePathFor(const QString &programFolder)
{
    QString path = QDir::fromNativeSeparators(programFolder);
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}

DataFolder::DataFolder(const QString &programFolder) : m_basePath(basePathFor(programFolder)) {}

Result<Settings> openDataFolder(const DataFolder &folder,
                                const std::function<void(const ProgramMessage &)> &notify)
{
    // A file that cannot be created leaves the program running without it, as
    // every start-up step goes on after a failure.
    const SyndicatesFile syndicates = folder.syndicates();
    (void)syndicates.openAtStartup();
    (void)folder.draws().createIfMissing();
    for (const auto name : {DataFolder::SavedPageName, DataFolder::SavedDrawPageName})
        (void)RecordFile(folder.filePath(QString::fromUtf16(name)), 1, 0).createIfMissing();

    const QFileInfo tables(folder.tablesPath());
    if (!tables.isFile() || !tables.isReadable())
        return Error{ErrorKind::NotFound, texts::requiredFileMissing(texts::ErrorFileNotFound)};

    const Settings settings = folder.settings().readAtStartup();

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
