// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/copy_set.h"

#include "backup/backup_archive.h"
#include "common/sqlite_statement.h"
#include "store/day_serial.h"
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

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

// Far more than any data folder holds; a bigger file is no record of truth.
constexpr qint64 MaxFileBytes = 512LL * 1024 * 1024;

const QString ProgramName = u"Zafrano"_s;

QString dbName()
{
    return QString::fromUtf16(ProgramDatabase::FileName);
}

QString sha256(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

// zafrano.db through the online backup API into a scratch file, read back whole.
Result<QByteArray> snapshotDatabase(const QString &source)
{
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return fileError(scratch.path(), EIO, u"crear"_s);
    const QString target = scratch.filePath(dbName());
    sqlite3 *from = nullptr;
    sqlite3 *to = nullptr;
    int code = sqlite3_open_v2(QFile::encodeName(source).constData(), &from, SQLITE_OPEN_READWRITE,
                               nullptr);
    if (code == SQLITE_OK)
        code = sqlite3_open_v2(QFile::encodeName(target).constData(), &to,
                               SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (code == SQLITE_OK) {
        sqlite3_busy_timeout(from, 2000);
        sqlite3_backup *backup = sqlite3_backup_init(to, "main", from, "main");
        if (!backup) {
            code = sqlite3_errcode(to);
        } else {
            const int stepped = sqlite3_backup_step(backup, -1);
            code = sqlite3_backup_finish(backup);
            if (stepped != SQLITE_DONE)
                code = stepped;
        }
    }
    sqlite3_close_v2(to);
    sqlite3_close_v2(from);
    if (code != SQLITE_OK)
        return sqlite::databaseError(code, sqlite::Phase::Working, source);
    return readFileCapped(target, MaxFileBytes);
}

Result<int> schemaOf(sqlite3 *db)
{
    sqlite::Statement check(db, u"PRAGMA integrity_check;"_s);
    if (check.code() != SQLITE_OK || sqlite3_step(check.get()) != SQLITE_ROW ||
        QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(check.get(), 0))) !=
            u"ok"_s)
        return Error{ErrorKind::InvalidData, {u"el archivo zafrano.db está dañado"_s, {}}};
    sqlite::Statement read(db, u"SELECT max(version) FROM schema_version;"_s);
    if (read.code() != SQLITE_OK || sqlite3_step(read.get()) != SQLITE_ROW)
        return Error{ErrorKind::InvalidData, {u"el archivo zafrano.db no es de Zafrano"_s, {}}};
    return sqlite3_column_int(read.get(), 0);
}

std::optional<int> countRows(sqlite3 *db, const QString &table)
{
    sqlite::Statement exists(db, u"SELECT count(*) FROM sqlite_master WHERE type = 'table' "
                                 u"AND name = ?;"_s);
    exists.bind(1, table);
    if (sqlite3_step(exists.get()) != SQLITE_ROW || sqlite3_column_int(exists.get(), 0) == 0)
        return std::nullopt;
    sqlite::Statement count(db, u"SELECT count(*) FROM "_s + table + u';');
    if (sqlite3_step(count.get()) != SQLITE_ROW)
        return std::nullopt;
    return sqlite3_column_int(count.get(), 0);
}

// A whole, known zafrano.db; fills in the members when it has them.
std::optional<QString> databaseProblem(const QByteArray &bytes, CopySummary &summary)
{
    QTemporaryDir scratch;
    const QString path = scratch.filePath(dbName());
    if (!scratch.isValid() || !replaceFileAtomically(path, path + u".tmp"_s, bytes))
        return u"no se ha podido leer zafrano.db"_s;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close_v2(db);
        return u"el archivo zafrano.db está dañado"_s;
    }
    std::optional<QString> problem;
    if (Result<int> version = schemaOf(db); !version)
        problem = version.error().message.text;
    else if (version.value() > ProgramDatabase::schemaVersion())
        problem = u"el archivo zafrano.db es de una versión más nueva del programa"_s;
    else if (version.value() < 1)
        problem = u"el archivo zafrano.db no es de Zafrano"_s;
    else
        summary.members = countRows(db, u"ledger_members"_s);
    sqlite3_close_v2(db);
    return problem;
}

} // namespace

const QStringList &CopySet::recordNames()
{
    static const QStringList names = {QString::fromUtf16(DrawsFile::FileName),
                                      QString::fromUtf16(SyndicatesFile::FileName),
                                      QString::fromUtf16(SettingsFile::FileName), dbName()};
    return names;
}

QByteArray CopySet::manifest() const
{
    QJsonObject sums;
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        sums.insert(it.key(), sha256(it.value()));
    const QJsonObject manifest{{u"programa"_s, ProgramName},
                               {u"version"_s, programVersion},
                               {u"fecha"_s, made.toString(Qt::ISODate)},
                               {u"motivo"_s, reason},
                               {u"sha256"_s, sums}};
    return QJsonDocument(manifest).toJson();
}

QString summaryText(const CopySummary &summary)
{
    const auto day = [](QDate date) { return date.toString(u"dd/MM/yyyy"_s); };
    QString text = u"Copia del %1 a las %2.\n"_s.arg(day(summary.made.date()),
                                                     summary.made.time().toString(u"HH:mm"_s));
    text += summary.draws == 0 ? u"Sin sorteos.\n"_s
                               : u"%1 sorteos, del %2 al %3.\n"_s.arg(summary.draws)
                                     .arg(day(*summary.firstDraw), day(*summary.lastDraw));
    text += u"%1 peñas"_s.arg(summary.syndicates);
    if (summary.members)
        text += u", %1 socios"_s.arg(*summary.members);
    return text + u'.';
}

ProgramMessage restoreQuestion(const CopySummary &summary)
{
    return {summaryText(summary) +
                u"\n\n¿Restaurar esta copia? Los datos actuales se guardan antes en copias/."_s,
            u"Restaurar copia"_s, MessageIcon::Question};
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
    CopySet set{QStringLiteral(ZAFRANO_VERSION), now, reason, {}};
    const QDir folder(dataFolder);
    for (const QString &name : CopySet::recordNames()) {
        const QString path = folder.filePath(name);
        if (!QFileInfo::exists(path))
            continue;
        Result<QByteArray> bytes =
            name == dbName() ? snapshotDatabase(path) : readFileCapped(path, MaxFileBytes);
        if (!bytes)
            return bytes.error();
        set.files.insert(name, bytes.value());
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
                {}};
    const QJsonObject sums = json.value(u"sha256"_s).toObject();
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

Result<CopySummary> checkCopy(const QString &source, const CopySet &set)
{
    CopySummary summary;
    summary.made = set.made;
    const QString drawsName = QString::fromUtf16(DrawsFile::FileName);
    if (set.files.contains(drawsName)) {
        Result<QList<DrawRecord>> draws = decodeDraws(set.files.value(drawsName), drawsName);
        if (!draws || (!draws->isEmpty() && findInvalidDraw(draws.value())))
            return refusedCopy(source, u"los sorteos de bononume.dat no se leen bien"_s);
        summary.draws = static_cast<int>(draws->size());
        if (!draws->isEmpty()) {
            summary.firstDraw = fromDaySerial(draws->first().drawDate);
            summary.lastDraw = fromDaySerial(draws->last().drawDate);
        }
    }
    const QString syndicatesName = QString::fromUtf16(SyndicatesFile::FileName);
    const qsizetype syndicateBytes = set.files.value(syndicatesName).size();
    if (syndicateBytes % SyndicateRecord::Size != 0)
        return refusedCopy(source, u"el archivo bonoapu.dat no tiene peñas completas"_s);
    summary.syndicates = static_cast<int>(syndicateBytes / SyndicateRecord::Size);
    if (set.files.contains(dbName())) {
        if (std::optional<QString> problem = databaseProblem(set.files.value(dbName()), summary))
            return refusedCopy(source, *problem);
    }
    return summary;
}

Result<CheckedCopy> readCopy(const QString &path)
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
        if (Result<QByteArray> bytes = readFileCapped(manifestPath, 1 << 20))
            manifest = bytes.value();
        for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden)) {
            if (name == QString::fromUtf16(CopySet::ManifestName))
                continue;
            Result<QByteArray> bytes = readFileCapped(folder.filePath(name), MaxFileBytes);
            if (!bytes)
                return bytes.error();
            files.insert(name, bytes.value());
        }
    } else {
        Result<ArchiveEntries> entries = readBackupArchive(path, MaxFileBytes);
        if (!entries)
            return entries.error();
        manifest = entries->manifest;
        files = entries->files;
    }
    Result<CopySet> set = assembleCopy(path, manifest, files);
    if (!set)
        return set.error();
    Result<CopySummary> summary = checkCopy(path, set.value());
    if (!summary)
        return summary.error();
    return CheckedCopy{set.value(), summary.value()};
}

Result<std::optional<CheckedCopy>> readDataFolderAsCopy(const QString &folder, const QDateTime &now)
{
    const QDir dir(folder);
    if (!QFileInfo(dir.filePath(QString::fromUtf16(DrawsFile::FileName))).isFile() &&
        !QFileInfo(dir.filePath(QString::fromUtf16(SyndicatesFile::FileName))).isFile())
        return std::optional<CheckedCopy>();
    Result<CopySet> set = takeSnapshot(folder, u"carpeta"_s, now);
    if (!set)
        return set.error();
    Result<CopySummary> summary = checkCopy(folder, set.value());
    if (!summary)
        return summary.error();
    return std::optional<CheckedCopy>(CheckedCopy{set.value(), summary.value()});
}

} // namespace zafrano
