// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/automatic_copies.h"

#include "store/data_folder.h"
#include "store/data_location.h"
#include "store/record_file.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>

using namespace Qt::StringLiterals;

namespace zafrano::copies {

namespace {

const QString NameFormat = u"yyyy-MM-dd-HHmmss"_s;
// A copy being written; renamed to its own name once whole, so a copy cut
// short never looks like one.
const QString WorkPrefix = u".nueva-"_s;

Error copyFailed(const QString &where, const Error &cause)
{
    return {cause.kind,
            {u"No se ha podido hacer la copia de seguridad en %1, así que no se ha hecho "
             u"nada.\r\n%2"_s.arg(QDir::toNativeSeparators(where), cause.message.text),
             u"Copia de seguridad"_s, MessageIcon::Exclamation}};
}

std::optional<CopyEntry> entryAt(const QString &path)
{
    Result<QByteArray> manifest =
        readFileCapped(QDir(path).filePath(QString::fromUtf16(CopySet::ManifestName)), 1 << 20);
    if (!manifest)
        return std::nullopt;
    const QJsonObject json = QJsonDocument::fromJson(manifest.value()).object();
    return CopyEntry{path,
                     QFileInfo(path).fileName(),
                     json.value(u"motivo"_s).toString(),
                     QDateTime::fromString(json.value(u"fecha"_s).toString(), Qt::ISODate),
                     {}};
}

QList<CopyEntry> copiesNamed(const QString &dataFolder, const QString &pattern)
{
    const QDir folder(copiesPath(dataFolder));
    QList<CopyEntry> found;
    for (const QString &name : folder.entryList({pattern}, QDir::Dirs | QDir::NoDotAndDotDot,
                                                QDir::Name | QDir::Reversed)) {
        if (std::optional<CopyEntry> entry = entryAt(folder.filePath(name)))
            found.append(*entry);
    }
    return found;
}

Status writeCopyFolder(const QString &folder, const CopySet &set)
{
    if (!QDir().mkpath(folder))
        return fileError(folder, errno ? errno : EACCES, u"crear"_s);
    const QDir dir(folder);
    for (auto it = set.files.cbegin(); it != set.files.cend(); ++it) {
        const QString path = dir.filePath(it.key());
        if (Status written = replaceFileAtomically(path, path + u".tmp"_s, it.value()); !written)
            return written;
    }
    const QString manifest = dir.filePath(QString::fromUtf16(CopySet::ManifestName));
    return replaceFileAtomically(manifest, manifest + u".tmp"_s, set.manifest());
}

void dropOldCopies(const QString &dataFolder)
{
    int daily = 0;
    int command = 0;
    for (const CopyEntry &entry : listCopies(dataFolder)) {
        const bool isDaily = entry.reason == QString::fromUtf16(DailyReason);
        const int kept = isDaily ? ++daily : ++command;
        if (kept > (isDaily ? DailyKept : CommandKept))
            QDir(entry.path).removeRecursively();
    }
    // What a copy cut short by a crash left.
    const QDir folder(copiesPath(dataFolder));
    for (const QString &name :
         folder.entryList({WorkPrefix + u'*'}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot))
        QDir(folder.filePath(name)).removeRecursively();
}

} // namespace

QString copiesPath(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QString::fromUtf16(FolderName));
}

Result<CopyEntry> makeCopy(const QString &dataFolder, const QString &reason, const QDateTime &now)
{
    // A data folder that cannot be written gets the permission message the
    // command itself would get, before the files are read: there a database in
    // WAL mode cannot even be opened.
    if (!canWriteIn(dataFolder))
        return fileError(dataFolder, EACCES, u"modificar"_s);
    Result<CopySet> set = takeSnapshot(dataFolder, reason, now);
    if (!set)
        return copyFailed(copiesPath(dataFolder), set.error());
    return keepCopy(dataFolder, set.value());
}

Result<CopyEntry> keepCopy(const QString &dataFolder, const CopySet &set)
{
    QDir folder(copiesPath(dataFolder));
    QString name = set.made.toString(NameFormat);
    for (int n = 2; folder.exists(name); ++n)
        name = set.made.toString(NameFormat) + u'-' + QString::number(n);
    const QString work = folder.filePath(WorkPrefix + name);
    errno = 0;
    Status written = writeCopyFolder(work, set);
    if (written && !folder.rename(WorkPrefix + name, name))
        written = fileError(folder.filePath(name), errno ? errno : EACCES, u"crear"_s);
    if (!written) {
        QDir(work).removeRecursively();
        return copyFailed(folder.path(), written.error());
    }
    dropOldCopies(dataFolder);
    return CopyEntry{folder.filePath(name), name, set.reason, set.made, set.notTaken};
}

Result<QStringList> makeDailyCopyIfDue(const QString &dataFolder, const QDateTime &now)
{
    for (const CopyEntry &entry : copiesNamed(dataFolder, now.toString(u"yyyy-MM-dd-*"_s))) {
        if (entry.reason == QString::fromUtf16(DailyReason))
            return QStringList();
    }
    Result<CopyEntry> made = makeCopy(dataFolder, QString::fromUtf16(DailyReason), now);
    if (!made)
        return made.error();
    return made->notTaken;
}

Status copyBeforeMigration(const QString &databasePath)
{
    return copyBeforeCommand(QFileInfo(databasePath).absolutePath(), MigrationReason);
}

Status copyBeforeCommand(const QString &dataFolder, const char16_t *reason)
{
    if (Result<CopyEntry> made = makeCopy(dataFolder, QString::fromUtf16(reason)); !made)
        return made.error();
    return {};
}

QList<CopyEntry> listCopies(const QString &dataFolder)
{
    return copiesNamed(dataFolder, u"[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]-*"_s);
}

Status deleteAllDraws(const DataFolder &folder)
{
    if (Status copied = copyBeforeCommand(folder.basePath(), DeleteDrawsReason); !copied)
        return copied;
    return folder.draws().removeAll();
}

Result<int> importDrawsFile(const DataFolder &folder, const QString &chosenPath)
{
    return folder.draws().importFile(
        chosenPath, [&] { return copyBeforeCommand(folder.basePath(), ImportReason); });
}

Result<int> importDraws(const DataFolder &folder, const QList<DrawRecord> &draws)
{
    return folder.draws().importDraws(
        draws, [&] { return copyBeforeCommand(folder.basePath(), ImportReason); });
}

Status resetResults(const DataFolder &folder, QDate today)
{
    if (Status copied = copyBeforeCommand(folder.basePath(), ResetReason); !copied)
        return copied;
    return folder.syndicates().resetResults(today);
}

Status deleteSyndicate(const DataFolder &folder, int k)
{
    if (Status copied = copyBeforeCommand(folder.basePath(), DeleteSyndicateReason); !copied)
        return copied;
    return folder.syndicates().remove(k);
}

} // namespace zafrano::copies
