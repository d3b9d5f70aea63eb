// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/data_location.h"

#include "store/draws_file.h"
#include "store/syndicates_file.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

QString shown(const QString &folder)
{
    return QDir::toNativeSeparators(folder);
}

Error folderError(const QString &text)
{
    return Error{ErrorKind::Io, {text, u"Error"_s, MessageIcon::Exclamation}};
}

bool holdsData(const QString &folder)
{
    const QDir dir(folder);
    return QFileInfo(dir.filePath(QString::fromUtf16(DrawsFile::FileName))).isFile() ||
           QFileInfo(dir.filePath(QString::fromUtf16(SyndicatesFile::FileName))).isFile();
}

Error notWritable(const QString &folder)
{
    return folderError(u"No se puede escribir en la carpeta de datos "_s + shown(folder) +
                       u". Compruebe sus permisos o indique otra con ZAFRANO_DATA_DIR."_s);
}

Result<QString> chosenFolder(const QString &folder, FolderAccess access)
{
    const QFileInfo info(folder);
    if (!info.exists())
        return folderError(u"No existe la carpeta de datos "_s + shown(folder) + u'.');
    if (!info.isDir())
        return folderError(u"La carpeta de datos "_s + shown(folder) +
                           u" no es una carpeta, sino un archivo."_s);
    if (access == FolderAccess::Writes && !canWriteIn(folder))
        return notWritable(folder);
    return info.absoluteFilePath();
}

// Made for its owner alone, in one step, so it is never open to others.
bool makePrivateFolder(const QString &folder)
{
    const QFileInfo info(folder);
    return QDir().mkpath(info.absolutePath()) &&
           QDir().mkdir(info.absoluteFilePath(),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

Result<QString> userFolder(const QString &folder, FolderAccess access)
{
    if (folder.isEmpty())
        return folderError(u"No se sabe cuál es la carpeta de datos del usuario. "
                           u"Indique una con ZAFRANO_DATA_DIR."_s);
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir())
        return folderError(u"La carpeta de datos "_s + shown(folder) +
                           u" no es una carpeta, sino un archivo."_s);
    if (access == FolderAccess::Names)
        return info.absoluteFilePath();
    if (!info.exists() && !makePrivateFolder(folder))
        return folderError(u"No se puede crear la carpeta de datos "_s + shown(folder) +
                           u". Compruebe sus permisos o indique otra con ZAFRANO_DATA_DIR."_s);
    if (access == FolderAccess::Writes && !canWriteIn(folder))
        return notWritable(folder);
    return QFileInfo(folder).absoluteFilePath();
}

} // namespace

bool canWriteIn(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(u"zafrano-XXXXXX.tmp"_s));
    return probe.open();
}

QString shareFolderFor(const QString &programFolder)
{
    const QFileInfo installed(QDir(programFolder).filePath(u"../share/zafrano"_s));
    if (installed.isDir())
        return installed.canonicalFilePath();
    return QFileInfo(programFolder).absoluteFilePath();
}

Result<DataLocation> locateDataFolder(const DataLocationInputs &inputs)
{
    const QString share = shareFolderFor(inputs.programFolder);
    const QString chosen = !inputs.dirOption.isEmpty() ? inputs.dirOption : inputs.environmentDir;
    if (!chosen.isEmpty()) {
        Result<QString> folder = chosenFolder(chosen, inputs.access);
        if (!folder)
            return folder.error();
        return DataLocation{folder.value(), share, DataLocationKind::Chosen};
    }
    if (!inputs.programFolder.isEmpty() && holdsData(inputs.programFolder) &&
        canWriteIn(inputs.programFolder))
        return DataLocation{QFileInfo(inputs.programFolder).absoluteFilePath(), share,
                            DataLocationKind::Portable};
    Result<QString> folder = userFolder(inputs.userFolder, inputs.access);
    if (!folder)
        return folder.error();
    return DataLocation{folder.value(), share, DataLocationKind::PerUser};
}

} // namespace zafrano
