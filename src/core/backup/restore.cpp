// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/restore.h"

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
    for (const QString &name : CopySet::recordNames()) {
        const QString target = folder.filePath(name);
        // Another database's journal must never be applied to the new file.
        if (name == QString::fromUtf16(ProgramDatabase::FileName)) {
            for (const QString &suffix : {u"-wal"_s, u"-shm"_s}) {
                if (Status removed = removeFile(target + suffix); !removed)
                    return removed.error();
            }
        }
        Status placed =
            set.files.contains(name)
                ? replaceFileAtomically(target, target + u".restaurar"_s, set.files.value(name))
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
    if (Status written =
            replaceFileAtomically(marked, marked + u".tmp"_s, QJsonDocument(marker).toJson());
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
        readCopy(copiesFolder.filePath(marker.value(RestoredKey).toString()));
    if (source) {
        message.text = u"Una restauración quedó a medias; se ha terminado ahora."_s;
    } else {
        source = readCopy(copiesFolder.filePath(marker.value(BeforeKey).toString()));
        if (!source)
            return Error{ErrorKind::InvalidData,
                         {u"Una restauración quedó a medias y no se encuentra ninguna copia "
                          u"para terminarla ni para deshacerla. Restaure una copia de "
                          u"copias/ a mano."_s,
                          u"Restaurar copia"_s, MessageIcon::Exclamation}};
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
