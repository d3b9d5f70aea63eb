// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/copy_set.h"

#include "backup/backup_archive.h"
#include "backup/work_folder.h"
#include "common/sqlite_connection.h"
#include "common/version.h"
#include "store/data_location.h"
#include "store/day_serial.h"
#include "store/draw_rule.h"
#include "store/draws_file.h"
#include "store/program_database.h"
#include "store/record_file.h"
#include "store/settings.h"
#include "store/syndicates_file.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QUrl>
#include <QVersionNumber>
#include <sqlcipher/sqlite3.h>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

// Far more than a treasurer's database grows to; a bigger one is no record of truth.
constexpr qint64 MaxDatabaseBytes = 64LL * 1024 * 1024;
constexpr qint64 MaxSettingsBytes = 64 * 1024;
constexpr qint64 MaxManifestBytes = 1 << 20;

const QString ProgramName = u"Zafrano"_s;

QString dbName()
{
    return QString::fromUtf16(ProgramDatabase::FileName);
}

QString sha256(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QString scratchTemplate(const QString &dataFolder)
{
    return QDir(work::scratchFolder(dataFolder)).filePath(u"copia-XXXXXX"_s);
}

// zafrano.db through the online backup API into a scratch file, read back
// whole. Read-only, so a folder that may not be written is still copied.
Result<QByteArray> snapshotDatabase(const QString &source)
{
    QTemporaryDir scratch(scratchTemplate(QFileInfo(source).absolutePath()));
    if (!scratch.isValid())
        return fileError(QFileInfo(scratch.path()).absolutePath(), ENOSPC, u"crear"_s);
    const QString target = scratch.filePath(dbName());
    {
        // In a folder nobody may write, a database in WAL mode finds no journal to
        // make: nothing can change it there, so it is read as it stands.
        const sqlite::OpenMode mode = canWriteIn(QFileInfo(source).absolutePath())
                                          ? sqlite::OpenMode::ReadOnly
                                          : sqlite::OpenMode::ReadOnlyUnchanging;
        Result<sqlite::Connection> from = sqlite::Connection::open(source, mode);
        if (!from)
            return from.error();
        Result<sqlite::Connection> to = sqlite::Connection::open(target, sqlite::OpenMode::Create);
        Status copied = to ? from->backupTo(to.value()) : Status(to.error());
        if (!copied) {
            // A full scratch folder is said as such, not blamed on the data.
            const int number = copied.error().number;
            if (number == -SQLITE_FULL || number == -SQLITE_IOERR)
                return fileError(scratch.path(), number == -SQLITE_FULL ? ENOSPC : EIO,
                                 u"escribir"_s);
            return copied.error();
        }
    }
    return readFileCapped(target, MaxDatabaseBytes);
}

Error problem(const QString &text)
{
    return {ErrorKind::InvalidData, {text, {}}};
}

Result<int> schemaOf(const sqlite::Connection &db)
{
    QString check;
    if (!db.eachRow(u"PRAGMA integrity_check;"_s, {},
                    [&](const sqlite::Statement &row) {
                        if (check.isNull())
                            check = row.text(0);
                    }) ||
        check != u"ok"_s)
        return problem(u"el archivo zafrano.db está dañado"_s);
    std::optional<int> version;
    if (!db.eachRow(u"SELECT max(version) FROM schema_version;"_s, {},
                    [&](const sqlite::Statement &row) { version = row.integer(0); }) ||
        !version)
        return problem(u"el archivo zafrano.db no es de Zafrano"_s);
    return *version;
}

std::optional<int> countRows(const sqlite::Connection &db, const QString &table)
{
    int tables = 0;
    if (!db.eachRow(u"SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?;"_s,
                    {table}, [&](const sqlite::Statement &row) { tables = row.integer(0); }) ||
        tables == 0)
        return std::nullopt;
    std::optional<int> rows;
    if (!db.eachRow(u"SELECT count(*) FROM "_s + table + u';', {},
                    [&](const sqlite::Statement &row) { rows = row.integer(0); }))
        return std::nullopt;
    return rows;
}

// The members of a whole, known zafrano.db (none when it has not the
// treasurer's tables); else what is wrong with it.
Result<std::optional<int>> databaseMembers(const QByteArray &bytes, const QString &dataFolder)
{
    QTemporaryDir scratch(scratchTemplate(dataFolder));
    const QString path = scratch.filePath(dbName());
    if (!scratch.isValid() || !replaceFileAtomically(path, path + u".tmp"_s, bytes))
        return problem(u"no se ha podido leer zafrano.db"_s);
    Result<sqlite::Connection> db = sqlite::Connection::open(path, sqlite::OpenMode::ReadWrite);
    if (!db)
        return problem(u"el archivo zafrano.db está dañado"_s);
    Result<int> version = schemaOf(db.value());
    if (!version)
        return version.error();
    if (version.value() > ProgramDatabase::schemaVersion())
        return problem(u"el archivo zafrano.db es de una versión más nueva del programa"_s);
    if (version.value() < 1)
        return problem(u"el archivo zafrano.db no es de Zafrano"_s);
    return countRows(db.value(), u"ledger_members"_s);
}

} // namespace

const QStringList &CopySet::recordNames()
{
    static const QStringList names = {QString::fromUtf16(DrawsFile::FileName),
                                      QString::fromUtf16(SyndicatesFile::FileName),
                                      QString::fromUtf16(SettingsFile::FileName), dbName()};
    return names;
}

qint64 CopySet::maxBytesOf(const QString &name)
{
    if (name == QString::fromUtf16(DrawsFile::FileName))
        return DrawsFile::MaxBytes;
    if (name == QString::fromUtf16(SyndicatesFile::FileName))
        return SyndicatesFile::MaxBytes;
    if (name == QString::fromUtf16(SettingsFile::FileName))
        return MaxSettingsBytes;
    if (name == dbName())
        return MaxDatabaseBytes;
    if (name == QString::fromUtf16(ManifestName))
        return MaxManifestBytes;
    return 0;
}

qint64 CopySet::maxTotalBytes()
{
    qint64 total = maxBytesOf(QString::fromUtf16(ManifestName));
    for (const QString &name : recordNames())
        total += maxBytesOf(name);
    return total;
}

QByteArray CopySet::manifest() const
{
    QJsonObject sums;
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        sums.insert(it.key(), sha256(it.value()));
    const QJsonObject manifest{
        {u"programa"_s, ProgramName},
        {u"version"_s, programVersion},
        // With its offset from UTC: the same hour comes twice in October.
        {u"fecha"_s, made.toOffsetFromUtc(made.offsetFromUtc()).toString(Qt::ISODate)},
        {u"motivo"_s, reason},
        {u"sha256"_s, sums}};
    return QJsonDocument(manifest).toJson();
}

QString summaryText(const CopySummary &summary)
{
    const QDateTime made = summary.made.toLocalTime();
    QString text =
        u"Copia del %1 a las %2.\n"_s.arg(shortDate(made.date()), made.time().toString(u"HH:mm"_s));
    text += summary.draws == 0
                ? u"Sin sorteos.\n"_s
                : u"%1 sorteos, del %2 al %3.\n"_s.arg(summary.draws)
                      .arg(shortDate(*summary.firstDraw), shortDate(*summary.lastDraw));
    text += u"%1 peñas"_s.arg(summary.syndicates);
    if (summary.members)
        text += u", %1 socios"_s.arg(*summary.members);
    return text + u'.';
}

QString contentsText(const CopySummary &summary)
{
    const auto count = [](int n, const QString &one, const QString &many) {
        return u"%1 %2"_s.arg(n).arg(n == 1 ? one : many);
    };
    QString text = count(summary.draws, u"sorteo"_s, u"sorteos"_s) + u", "_s +
                   count(summary.syndicates, u"peña"_s, u"peñas"_s);
    if (summary.members)
        text += u", "_s + count(*summary.members, u"socio"_s, u"socios"_s);
    return text;
}

ProgramMessage restoreQuestion(const CopySummary &summary)
{
    return {summaryText(summary) +
                u"\n\n¿Restaurar esta copia? Los datos actuales se guardan antes en copias/."_s,
            u"Restaurar copia"_s, MessageIcon::Question};
}

ProgramMessage notTakenMessage(const QStringList &notTaken)
{
    return {u"No se ha podido leer y no está en la copia:\n"_s + notTaken.join(u'\n'),
            u"Copia de seguridad"_s, MessageIcon::Exclamation};
}

Error refusedCopy(const QString &source, const QString &problem)
{
    return {ErrorKind::InvalidData,
            {u"La copia %1 no vale: %2. No se ha cambiado nada."_s.arg(
                 QDir::toNativeSeparators(source), problem),
             u"Restaurar copia"_s, MessageIcon::Exclamation}};
}

Result<CopySet> takeSnapshot(const QString &dataFolder, const QString &reason, const QDateTime &now)
{
    CopySet set{QString::fromUtf16(ProgramVersion), now, reason, {}, {}};
    const QDir folder(dataFolder);
    for (const QString &name : CopySet::recordNames()) {
        const QString path = folder.filePath(name);
        if (!QFileInfo::exists(path))
            continue;
        Result<QByteArray> bytes = name == dbName()
                                       ? snapshotDatabase(path)
                                       : readFileCapped(path, CopySet::maxBytesOf(name));
        if (bytes)
            set.files.insert(name, bytes.value());
        else
            set.notTaken.append(bytes.error().message.text);
    }
    return set;
}

Result<CopySet> assembleCopy(const QString &source, const std::optional<QByteArray> &manifest,
                             const QMap<QString, QByteArray> &files)
{
    const QJsonObject json = manifest ? QJsonDocument::fromJson(*manifest).object() : QJsonObject();
    if (json.value(u"programa"_s).toString() != ProgramName)
        return refusedCopy(source, u"no es una copia de Zafrano (le falta su manifiesto)"_s);
    CopySet set{json.value(u"version"_s).toString(),
                QDateTime::fromString(json.value(u"fecha"_s).toString(), Qt::ISODate),
                json.value(u"motivo"_s).toString(),
                {},
                {}};
    const QVersionNumber version = QVersionNumber::fromString(set.programVersion);
    if (version > QVersionNumber::fromString(QString::fromUtf16(ProgramVersion)))
        return refusedCopy(
            source, u"es de una versión más nueva del programa (%1)"_s.arg(set.programVersion));
    const QJsonObject sums = json.value(u"sha256"_s).toObject();
    if (sums.isEmpty())
        return refusedCopy(source, u"su manifiesto no nombra ningún archivo"_s);
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        if (!sums.contains(it.key()))
            return refusedCopy(source, u"tiene un archivo que no es de Zafrano: "_s + it.key());
    }
    for (auto it = sums.constBegin(); it != sums.constEnd(); ++it) {
        if (!CopySet::recordNames().contains(it.key()))
            return refusedCopy(source,
                               u"su manifiesto nombra un archivo desconocido: "_s + it.key());
        if (!files.contains(it.key()))
            return refusedCopy(source, u"le falta el archivo "_s + it.key());
        if (sha256(files.value(it.key())) != it.value().toString())
            return refusedCopy(source,
                               u"el archivo %1 no coincide con su suma SHA-256"_s.arg(it.key()));
        set.files.insert(it.key(), files.value(it.key()));
    }
    return set;
}

Result<CopySummary> checkCopy(const QString &source, const CopySet &set, const QString &dataFolder)
{
    CopySummary summary;
    summary.made = set.made;
    const QString drawsName = QString::fromUtf16(DrawsFile::FileName);
    if (set.files.contains(drawsName)) {
        Result<QList<DrawRecord>> draws = decodeDraws(set.files.value(drawsName), drawsName);
        if (!draws)
            return refusedCopy(source, u"los sorteos de bononume.dat no se leen bien"_s);
        if (Status valid = draws->isEmpty() ? Status() : checkDrawSequence(draws.value()); !valid)
            // The rule's own message, without its full stop: the copy's follows.
            return refusedCopy(source, u"los sorteos de bononume.dat no se leen bien ("_s +
                                           valid.error().message.text.chopped(1) + u')');
        summary.draws = static_cast<int>(draws->size());
        if (!draws->isEmpty()) {
            summary.firstDraw = fromDaySerial(draws->first().drawDate);
            summary.lastDraw = fromDaySerial(draws->last().drawDate);
        }
    }
    const QString settingsName = QString::fromUtf16(SettingsFile::FileName);
    if (set.files.contains(settingsName) && set.files.value(settingsName).size() != Settings::Size)
        return refusedCopy(source, u"el archivo bnums.ini no es un registro de ajustes completo"_s);
    const QString syndicatesName = QString::fromUtf16(SyndicatesFile::FileName);
    const qsizetype syndicateBytes = set.files.value(syndicatesName).size();
    if (syndicateBytes % SyndicateRecord::Size != 0)
        return refusedCopy(source, u"el archivo bonoapu.dat no tiene peñas completas"_s);
    summary.syndicates = static_cast<int>(syndicateBytes / SyndicateRecord::Size);
    if (set.files.contains(dbName())) {
        Result<std::optional<int>> members = databaseMembers(set.files.value(dbName()), dataFolder);
        if (!members)
            return refusedCopy(source, members.error().message.text);
        summary.members = members.value();
    }
    return summary;
}

Result<CheckedCopy> readCopy(const QString &path, const QString &dataFolder)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Error{ErrorKind::NotFound,
                     {u"No se encuentra la copia %1."_s.arg(QDir::toNativeSeparators(path)),
                      u"Restaurar copia"_s, MessageIcon::Exclamation}};
    std::optional<QByteArray> manifest;
    QMap<QString, QByteArray> files;
    if (info.isDir()) {
        const QDir folder(path);
        const QString manifestPath = folder.filePath(QString::fromUtf16(CopySet::ManifestName));
        if (Result<QByteArray> bytes = readFileCapped(manifestPath, MaxManifestBytes))
            manifest = bytes.value();
        for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden)) {
            if (name == QString::fromUtf16(CopySet::ManifestName))
                continue;
            // A file of a name no copy holds is refused unread.
            if (!CopySet::recordNames().contains(name))
                return refusedCopy(path, u"tiene un archivo que no es de Zafrano: "_s + name);
            Result<QByteArray> bytes =
                readFileCapped(folder.filePath(name), CopySet::maxBytesOf(name));
            if (!bytes)
                return bytes.error();
            files.insert(name, bytes.value());
        }
    } else {
        Result<ArchiveEntries> entries = readBackupArchive(path);
        if (!entries)
            return entries.error();
        manifest = entries->manifest;
        files = entries->files;
    }
    Result<CopySet> set = assembleCopy(path, manifest, files);
    if (!set)
        return set.error();
    Result<CopySummary> summary = checkCopy(path, set.value(), dataFolder);
    if (!summary)
        return summary.error();
    return CheckedCopy{set.value(), summary.value()};
}

Result<std::optional<CheckedCopy>> readDataFolderAsCopy(const QString &folder, const QDateTime &now,
                                                        const QString &dataFolder)
{
    const QDir dir(folder);
    if (!QFileInfo(dir.filePath(QString::fromUtf16(DrawsFile::FileName))).isFile() &&
        !QFileInfo(dir.filePath(QString::fromUtf16(SyndicatesFile::FileName))).isFile())
        return std::optional<CheckedCopy>();
    Result<CopySet> set = takeSnapshot(folder, u"carpeta"_s, now);
    if (!set)
        return set.error();
    Result<CopySummary> summary = checkCopy(folder, set.value(), dataFolder);
    if (!summary)
        return summary.error();
    return std::optional<CheckedCopy>(CheckedCopy{set.value(), summary.value()});
}

} // namespace zafrano
