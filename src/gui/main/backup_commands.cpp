// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/backup_commands.h"

#include "app/program_data.h"
#include "backup/backup_archive.h"
#include "backup/restore.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

BackupCommands::BackupCommands(ProgramData &data, QObject *parent) : QObject(parent), m_data(data)
{}

void BackupCommands::saveBackup()
{
    Platform &platform = m_data.platform();
    const QString target = platform.desktop.chooseSaveFile(
        u"Copia de seguridad"_s,
        u"zafrano-%1.tar.gz"_s.arg(platform.clock.today().toString(u"yyyy-MM-dd"_s)),
        u"Copias de Zafrano (*.tar.gz)"_s);
    if (target.isEmpty())
        return;
    Result<CopySet> set = takeSnapshot(m_data.folder().basePath(), u"copia de seguridad"_s,
                                       QDateTime::currentDateTime());
    Status written = set ? writeBackupArchive(set.value(), target) : Status(set.error());
    if (!written) {
        platform.messages.show(written.error().message);
        return;
    }
    if (!set->notTaken.isEmpty())
        platform.messages.show(notTakenMessage(set->notTaken));
    platform.messages.show(
        {u"Copia de seguridad guardada en %1."_s.arg(QDir::toNativeSeparators(target)),
         u"Copia de seguridad"_s, MessageIcon::Information});
}

void BackupCommands::restoreOtherFile()
{
    Platform &platform = m_data.platform();
    QString chosen = platform.desktop.chooseFile(
        u"Restaurar copia"_s,
        u"Copias de Zafrano (*.tar.gz manifiesto.json);;Todos los archivos (*)"_s);
    if (chosen.isEmpty())
        return;
    // An automatic copy is a folder: its manifest stands for it.
    if (QFileInfo(chosen).fileName() == QString::fromUtf16(CopySet::ManifestName))
        chosen = QFileInfo(chosen).absolutePath();
    restoreFrom(chosen);
}

void BackupCommands::restoreFrom(const QString &path)
{
    Platform &platform = m_data.platform();
    Result<CheckedCopy> copy = readCopy(path, m_data.folder().basePath());
    if (!copy) {
        platform.messages.show(copy.error().message);
        return;
    }
    if (!platform.messages.ask(restoreQuestion(copy->summary)))
        return;
    const std::optional<FolderLock::Held> lock = m_data.lockForWriting();
    if (!lock)
        return;
    Result<copies::CopyEntry> before = restoreCopy(m_data.folder().basePath(), copy->set);
    if (!before) {
        m_data.showFailure(before.error());
        return;
    }
    platform.messages.show(
        {u"Copia restaurada. Los datos de antes están en copias/%1."_s.arg(before->name),
         u"Restaurar copia"_s, MessageIcon::Information});
    m_data.setSettings(m_data.folder().settings().readAtStartup());
    m_data.refreshCalendar();
    m_data.runCheckingCycle();
}

} // namespace zafrano::gui
