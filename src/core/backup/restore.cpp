// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/restore.h"

#include "backup/work_folder.h"
#include "store/program_database.h"
#include "store/record_file.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

const QString BeforeKey = u"antes"_s;
const QString RestoredKey = u"restaurada"_s;

bool proceed(const std::function<bool()> &goOn)
{
    return !goOn || goOn();
}

Status removeFile(const QString &path)
{
    errno = 0;
    if (QFile::exists(path) && !QFile::remove(path))
        return fileError(path, errno ? errno : EACCES, u"borrar"_s);
    return {};
}

// Makes the records of truth those of the set, one file at a time. False when
// `goOn` stopped it half way.
Result<bool> placeSet(const QString &dataFolder, const CopySet &set,
                      const std::function<bool()> &goOn)
{
    const QDir folder(dataFolder);
    Result<QString> work = work::ownFolder(dataFolder);
    if (!work)
        return work.error();
    for (const QString &name : CopySet::recordNames()) {
        const QString target = folder.filePath(name);
        // Another database's journal must never be applied to the new file.
        if (name == QString::fromUtf16(ProgramDatabase::FileName)) {
            for (const QString &suffix : {u"-wal"_s, u"-shm"_s}) {
                if (Status removed = removeFile(target + suffix); !removed)
                    return removed.error();
            }
        }
        Status placed = set.files.contains(name)
                            ? replaceFileAtomically(target, QDir(work.value()).filePath(name),
                                                    set.files.value(name))
                            : removeFile(target);
        if (!placed)
            return placed.error();
        if (!proceed(goOn))
            return false;
    }
    return true;
}

QString markerPath(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QString::fromUtf16(RestoreMarkerName));
}

} // namespace

ProgramMessage interruptedRestoreMessage(const QString &dataFolder)
{
    return {u"Una restauración quedó a medias y no se encuentra ninguna copia para "
            u"terminarla ni para deshacerla. Restaure una copia de %1 a mano: "
            u"«zafrano-cli copies» las lista y «zafrano-cli restore NOMBRE» pone una en "
            u"su sitio."_s.arg(QDir::toNativeSeparators(copies::copiesPath(dataFolder))),
            u"Restaurar copia"_s, MessageIcon::Exclamation};
}

Result<copies::CopyEntry> restoreCopy(const QString &dataFolder, const CopySet &set,
                                      const QDateTime &now, const std::function<bool()> &goOn)
{
    Result<copies::CopyEntry> before =
        copies::makeCopy(dataFolder, QString::fromUtf16(copies::RestoreReason), now);
    if (!before || !proceed(goOn))
        return before;
    CopySet kept = set;
    kept.made = now;
    kept.reason = QString::fromUtf16(RestoredReason);
    Result<copies::CopyEntry> restored = copies::keepCopy(dataFolder, kept);
    if (!restored)
        return restored;
    if (!proceed(goOn))
        return before;
    const QJsonObject marker{{BeforeKey, before->name}, {RestoredKey, restored->name}};
    const QString marked = markerPath(dataFolder);
    Result<QString> work = work::ownFolder(dataFolder);
    if (!work)
        return work.error();
    if (Status written = replaceFileAtomically(
            marked, QDir(work.value()).filePath(QString::fromUtf16(RestoreMarkerName)),
            QJsonDocument(marker).toJson());
        !written)
        return written.error();
    if (!proceed(goOn))
        return before;
    Result<bool> placed = placeSet(dataFolder, set, goOn);
    if (!placed)
        return placed.error();
    if (!placed.value())
        return before;
    if (Status removed = removeFile(marked); !removed)
        return removed.error();
    return before;
}

bool restoreIsCutShort(const QString &dataFolder)
{
    return QFile::exists(markerPath(dataFolder));
}

Result<std::optional<ProgramMessage>> finishInterruptedRestore(const QString &dataFolder)
{
    const QString marked = markerPath(dataFolder);
    if (!QFile::exists(marked))
        return std::optional<ProgramMessage>();
    Result<QByteArray> bytes = readFileCapped(marked, 1 << 16);
    if (!bytes)
        return bytes.error();
    const QJsonObject marker = QJsonDocument::fromJson(bytes.value()).object();
    const QDir copiesFolder(copies::copiesPath(dataFolder));
    ProgramMessage message{{}, u"Restaurar copia"_s, MessageIcon::Information};
    Result<CheckedCopy> source =
        readCopy(copiesFolder.filePath(marker.value(RestoredKey).toString()), dataFolder);
    if (source) {
        message.text = u"Una restauración quedó a medias; se ha terminado ahora."_s;
    } else {
        source = readCopy(copiesFolder.filePath(marker.value(BeforeKey).toString()), dataFolder);
        if (!source)
            return Error{ErrorKind::InvalidData, interruptedRestoreMessage(dataFolder)};
        message.text = u"Una restauración quedó a medias; se han vuelto a poner los datos de "
                       u"antes."_s;
    }
    if (Result<bool> placed = placeSet(dataFolder, source->set, {}); !placed)
        return placed.error();
    if (Status removed = removeFile(marked); !removed)
        return removed.error();
    return std::optional<ProgramMessage>(message);
}

} // namespace zafrano
