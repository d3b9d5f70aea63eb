// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli timer on|off|status: the evening check, as the settings window's box switches it.
#include "cli_context.h"
#include "common/evening_timer.h"
#include "output.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zafrano::cli {

namespace {

int timerCommand(const CliContext &context)
{
    const QString verb = context.arguments.value(0);
    if (verb != u"on"_s && verb != u"off"_s && verb != u"status"_s) {
        printError(u"Use timer on, timer off o timer status."_s);
        return UsageError;
    }
    const QString folder = QDir::cleanPath(context.folder.basePath());
    SystemSystemctl systemctl;
    if (!systemctl.available()) {
        const QString cli = QDir(QCoreApplication::applicationDirPath()).filePath(u"zafrano-cli"_s);
        printError(withoutSystemdText(cli, folder));
        return Failed;
    }
    if (verb != u"status"_s) {
        if (Status switched = switchEveningCheck(systemctl, verb == u"on"_s, folder); !switched)
            return fail(switched.error().message);
    }
    // What systemd says is what is printed.
    const bool on = eveningCheckEnabled(systemctl);
    if (context.json) {
        printJson(QJsonObject{{u"enabled"_s, on}, {u"folder"_s, QDir::toNativeSeparators(folder)}});
        return Success;
    }
    printLine(on ? u"La comprobación de cada noche (22:30) está activada para la carpeta %1."_s.arg(
                       QDir::toNativeSeparators(folder))
                 : u"La comprobación de cada noche está desactivada."_s);
    return verb == u"status"_s || on == (verb == u"on"_s) ? Success : Failed;
}

} // namespace

const QList<CommandEntry> &timerCommands()
{
    static const QList<CommandEntry> commands = {
        {u"timer", u"timer on|off|status", timerCommand,
         u"la comprobación de cada noche (22:30) como la activa la ventana de configuración: "
         u"on la activa para esta carpeta de datos (la escribe en la configuración del servicio "
         u"de systemd cuando no es la de siempre), off la desactiva, status dice cómo está",
         FolderUse::Locates},
    };
    return commands;
}

} // namespace zafrano::cli
