// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/automatic_copies.h"

#include "backup/work_folder.h"
#include "checking/draws_to_count.h"
#include "store/data_folder.h"
#include "store/data_location.h"
#include "store/record_file.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cerrno>

using namespace Qt::StringLiterals;

namespace zafrano::copies {

namespace {

// The time in UTC and the sequence number of the copies made in that second.
const QString NameFormat = u"yyyy-MM-dd-HHmmss'Z'"_s;
// A copy being written, in the work folder; moved into copias/ once whole, so
// a copy cut short never looks like one.
const QString WorkPrefix = u"nueva-"_s;

Error copyFailed(const QString &where, const Error &cause)
{
    return {cause.kind,
            {u"No se ha podido hacer la copia de seguridad en %1, así que no se ha hecho "
             u"nada.\r\n%2"_s.arg(QDir::toNativeSeparators(where), cause.message.text),
             u"Copia de seguridad"_s, MessageIcon::Exclamation}};
}

// When a copy was made and its place among the copies of that second, from its
// name: AAAA-MM-DD-HHMMSSZ-NN in UTC, or AAAA-MM-DD-HHMMSS[-N] in local time.
struct NameKey
{
    QDateTime made;
    int sequence = 0;
};

std::optional<NameKey> keyOf(const QString &name)
{
    static const QRegularExpression Pattern(
        u"^(\\d{4}-\\d{2}-\\d{2}-\\d{6})(Z)?(?:-(\\d{1,6}))?$"_s);
    const QRegularExpressionMatch match = Pattern.match(name);
    if (!match.hasMatch())
        return std::nullopt;
    const bool utc = match.hasCaptured(2);
    QDateTime made = QDateTime::fromString(match.captured(1), u"yyyy-MM-dd-HHmmss"_s);
    if (!made.isValid())
        return std::nullopt;
    if (utc)
        made.setTimeSpec(Qt::UTC);
    // The old names: the first of a second had no number, the next ones -2, -3...
    const int sequence = match.hasCaptured(3) ? match.captured(3).toInt() : (utc ? 0 : 1);
    return NameKey{made, sequence};
}

std::optional<CopyEntry> entryAt(const QString &path, const NameKey &key)
{
    Result<QByteArray> manifest =
        readFileCapped(QDir(path).filePath(QString::fromUtf16(CopySet::ManifestName)), 1 << 20);
    if (!manifest)
        return std::nullopt;
    const QJsonObject json = QJsonDocument::fromJson(manifest.value()).object();
    QDateTime made = QDateTime::fromString(json.value(u"fecha"_s).toString(), Qt::ISODate);
    return CopyEntry{path,
                     QFileInfo(path).fileName(),
                     json.value(u"motivo"_s).toString(),
                     made.isValid() ? made : key.made,
                     {}};
}

Status writeCopyFolder(const QString &folder, const CopySet &set)
{
    errno = 0;
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

// Moves the whole copy at `work` into copias/ under the first free name of its second.
Result<QString> placeCopy(const QDir &folder, const QString &work, const QDateTime &made)
{
    const QString base = made.toUTC().toString(NameFormat);
    for (int sequence = 1; sequence < 1000; ++sequence) {
        const QString name = base + u'-' + u"%1"_s.arg(sequence, 2, 10, QChar(u'0'));
        if (folder.exists(name))
            continue;
        errno = 0;
        if (QDir().rename(work, folder.filePath(name)))
            return name;
        if (!folder.exists(name))
            return fileError(folder.filePath(name), errno ? errno : EACCES, u"crear"_s);
    }
    return fileError(folder.filePath(base), EEXIST, u"crear"_s);
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
}

} // namespace

QString reasonInWords(const QString &reason)
{
    // What older versions wrote: the command's name.
    static const QMap<QString, QString> Older = {
        {u"importar sorteos"_s, QString::fromUtf16(ImportReason)},
        {u"borrar todos los sorteos"_s, QString::fromUtf16(DeleteDrawsReason)},
        {u"reset aciertos peñas"_s, QString::fromUtf16(ResetReason)},
        {u"eliminar peña"_s, QString::fromUtf16(DeleteSyndicateReason)},
        {u"actualizar zafrano.db"_s, QString::fromUtf16(MigrationReason)},
    };
    return Older.value(reason, reason);
}

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
    const QDir folder(copiesPath(dataFolder));
    Result<QString> own = work::ownFolder(dataFolder);
    if (!own)
        return copyFailed(folder.path(), own.error());
    const QString work =
        QDir(own.value()).filePath(WorkPrefix + set.made.toUTC().toString(NameFormat));
    QDir(work).removeRecursively();
    errno = 0;
    Status written = QDir().mkpath(folder.path())
                         ? writeCopyFolder(work, set)
                         : Status(fileError(folder.path(), errno ? errno : EACCES, u"crear"_s));
    Result<QString> name =
        written ? placeCopy(folder, work, set.made) : Result<QString>(written.error());
    if (!name) {
        QDir(work).removeRecursively();
        return copyFailed(folder.path(), name.error());
    }
    dropOldCopies(dataFolder);
    return CopyEntry{folder.filePath(name.value()), name.value(), set.reason, set.made,
                     set.notTaken};
}

Result<QStringList> makeDailyCopyIfDue(const QString &dataFolder, const QDateTime &now)
{
    for (const CopyEntry &entry : listCopies(dataFolder)) {
        if (entry.reason == QString::fromUtf16(DailyReason) &&
            entry.made.toOffsetFromUtc(now.offsetFromUtc()).date() == now.date())
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
    const QDir folder(copiesPath(dataFolder));
    QList<std::pair<NameKey, CopyEntry>> found;
    for (const QString &name : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const std::optional<NameKey> key = keyOf(name);
        if (!key)
            continue;
        if (std::optional<CopyEntry> entry = entryAt(folder.filePath(name), *key))
            found.append({*key, *entry});
    }
    std::sort(found.begin(), found.end(), [](const auto &a, const auto &b) {
        if (a.first.made != b.first.made)
            return a.first.made > b.first.made;
        return a.first.sequence > b.first.sequence;
    });
    QList<CopyEntry> entries;
    for (const auto &[key, entry] : std::as_const(found))
        entries.append(entry);
    return entries;
}

QList<ListedCopy> describeCopies(const QString &dataFolder)
{
    QList<ListedCopy> listed;
    for (CopyEntry &entry : listCopies(dataFolder)) {
        entry.reason = reasonInWords(entry.reason);
        ListedCopy copy{entry, std::nullopt, {}};
        if (Result<CheckedCopy> read = readCopy(entry.path, dataFolder))
            copy.contents = read->summary;
        else
            copy.problem = read.error().message.text;
        listed.append(copy);
    }
    return listed;
}

Status deleteAllDraws(const DataFolder &folder)
{
    if (Status copied = copyBeforeCommand(folder.basePath(), DeleteDrawsReason); !copied)
        return copied;
    return folder.draws().removeAll();
}

namespace {

// The draws of `imported` that fill a hole between stored ones: the
// syndicates that counted past one of them are owed it. Draws before the
// oldest stored one are not: a history loaded into an empty or emptied file
// (a new folder, a damaged draws file) brings back draws the tallies already
// hold, or that were never theirs to count.
Status keepImportedToCount(const DataFolder &folder, const QList<DrawRecord> &before,
                           const QList<DrawRecord> &imported)
{
    if (before.isEmpty())
        return {};
    const double oldest = before.first().drawDate;
    QSet<double> stored;
    for (const DrawRecord &draw : before)
        stored.insert(draw.drawDate);
    QList<DrawRecord> added;
    for (const DrawRecord &draw : imported) {
        if (draw.drawDate > oldest && !stored.contains(draw.drawDate))
            added.append(draw);
    }
    return keepDrawsToCountIn(folder, added);
}

} // namespace

Result<int> importDrawsFile(const DataFolder &folder, const QString &chosenPath)
{
    const Result<QList<DrawRecord>> before = folder.draws().readAll();
    Result<int> imported = folder.draws().importFile(
        chosenPath, [&] { return copyBeforeCommand(folder.basePath(), ImportReason); });
    if (imported && before) {
        if (Result<QList<DrawRecord>> now = folder.draws().readAll(); now) {
            if (Status owed = keepImportedToCount(folder, before.value(), now.value()); !owed)
                return owed.error();
        }
    }
    return imported;
}

Result<int> importDraws(const DataFolder &folder, const QList<DrawRecord> &draws)
{
    const Result<QList<DrawRecord>> before = folder.draws().readAll();
    return folder.draws().importDraws(draws, [&]() -> Status {
        if (Status copied = copyBeforeCommand(folder.basePath(), ImportReason); !copied)
            return copied;
        return before ? keepImportedToCount(folder, before.value(), draws) : Status();
    });
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
