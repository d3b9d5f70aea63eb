// SPDX-License-Identifier: GPL-3.0-or-later
// The copies of the data: the backup file, the restore and the automatic copies.
#include "backup/backup_archive.h"
#include "backup/copy_set.h"
#include "backup/restore.h"
#include "cli_context.h"
#include "output.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QTextStream>
#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace zafrano::cli {

namespace {

int backupCommand(const CliContext &context)
{
    const QString target = context.arguments.at(0);
    Result<CopySet> set = takeSnapshot(context.folder.basePath(), u"copia de seguridad"_s,
                                       QDateTime::currentDateTime());
    if (!set)
        return fail(set.error().message);
    if (Status written = writeBackupArchive(set.value(), target); !written)
        return fail(written.error().message);
    if (!set->notTaken.isEmpty())
        printError(notTakenMessage(set->notTaken).text);
    if (context.json)
        printJson(QJsonObject{{u"backup"_s, QFileInfo(target).absoluteFilePath()}});
    else
        printLine(u"Copia de seguridad guardada en %1."_s.arg(QDir::toNativeSeparators(target)));
    return Success;
}

// A backup file or folder as given, else one of the automatic copies by its name.
QString copyPath(const CliContext &context)
{
    const QString given = context.arguments.at(0);
    const QString automatic = QDir(copies::copiesPath(context.folder.basePath())).filePath(given);
    return !QFileInfo::exists(given) && QFileInfo(automatic).isDir() ? automatic : given;
}

// The question on the terminal; no terminal, no answer.
std::optional<bool> askOnTerminal(const QString &question)
{
    if (!::isatty(STDIN_FILENO))
        return std::nullopt;
    std::fputs(qPrintable(question + u" (s/n) "_s), stdout);
    std::fflush(stdout);
    const QString answer = QTextStream(stdin).readLine().trimmed().toLower();
    return answer == u"s"_s || answer == u"si"_s || answer == u"sí"_s;
}

// A copy, or another data folder (one without a manifest that holds draws or
// syndicates: the old folder of a move) read as one.
Result<CheckedCopy> chosenCopy(const CliContext &context)
{
    const QString path = copyPath(context);
    const QFileInfo info(path);
    if (info.isDir() &&
        !QFileInfo::exists(QDir(path).filePath(QString::fromUtf16(CopySet::ManifestName))) &&
        info.canonicalFilePath() != QFileInfo(context.folder.basePath()).canonicalFilePath()) {
        Result<std::optional<CheckedCopy>> folder =
            readDataFolderAsCopy(path, QDateTime::currentDateTime(), context.folder.basePath());
        if (!folder)
            return folder.error();
        if (folder.value())
            return *folder.value();
    }
    return readCopy(path, context.folder.basePath());
}

int restoreCommand(const CliContext &context)
{
    Result<CheckedCopy> copy = chosenCopy(context);
    if (!copy)
        return fail(copy.error().message);
    if (!context.options->isSet(QString::fromUtf16(option::Yes))) {
        const std::optional<bool> yes = askOnTerminal(restoreQuestion(copy->summary).text);
        if (!yes) {
            printLine(summaryText(copy->summary));
            return fail({u"No hay terminal para preguntar: repita la orden con --yes."_s,
                         u"Restaurar copia"_s, MessageIcon::Exclamation});
        }
        if (!*yes) {
            printLine(u"No se ha restaurado nada."_s);
            return Success;
        }
    }
    Result<copies::CopyEntry> before = restoreCopy(context.folder.basePath(), copy->set);
    if (!before)
        return fail(before.error().message);
    if (context.json)
        printJson(QJsonObject{{u"restored"_s, true}, {u"before"_s, before->name}});
    else
        printLine(u"Copia restaurada. Los datos de antes están en copias/%1."_s.arg(before->name));
    return Success;
}

int copiesCommand(const CliContext &context)
{
    const QList<copies::ListedCopy> found = copies::describeCopies(context.folder.basePath());
    if (context.json) {
        QJsonArray list;
        for (const copies::ListedCopy &copy : found) {
            QJsonObject item{{u"name"_s, copy.entry.name},
                             {u"reason"_s, copy.entry.reason},
                             {u"made"_s, copy.entry.made.toUTC().toString(Qt::ISODate)}};
            if (copy.contents) {
                item.insert(u"draws"_s, copy.contents->draws);
                item.insert(u"syndicates"_s, copy.contents->syndicates);
                if (copy.contents->members)
                    item.insert(u"members"_s, *copy.contents->members);
            } else {
                item.insert(u"problem"_s, copy.problem);
            }
            list.append(item);
        }
        printJson(list);
        return Success;
    }
    if (found.isEmpty())
        printLine(u"No hay copias en %1."_s.arg(
            QDir::toNativeSeparators(copies::copiesPath(context.folder.basePath()))));
    for (const copies::ListedCopy &copy : found) {
        printLine(u"%1  %2  %3  (%4)"_s.arg(
            copy.entry.name, copy.entry.made.toLocalTime().toString(u"dd/MM/yyyy HH:mm:ss"_s),
            copy.entry.reason, copy.contents ? contentsText(*copy.contents) : copy.problem));
    }
    return Success;
}

} // namespace

const QList<CommandEntry> &backupCommands()
{
    static const QList<CommandEntry> commands = {
        {u"backup", u"backup FILE", backupCommand,
         u"escribe una copia de seguridad (.tar.gz) de los sorteos, las peñas, la configuración y "
         u"zafrano.db, con las sumas SHA-256 de cada archivo",
         FolderUse::Reads},
        {u"restore", u"restore FILE|FOLDER [--yes]", restoreCommand,
         u"comprueba una copia de seguridad, una copia automática o la carpeta de datos de otro "
         u"sitio (la antigua al mudarse), dice lo que guarda, pregunta (sin terminal sólo sigue "
         u"con --yes), copia los datos actuales y la restaura"},
        {u"copies", u"copies", copiesCommand,
         u"las copias automáticas, de la más nueva a la más antigua, con el motivo de cada una"},
    };
    return commands;
}

} // namespace zafrano::cli
