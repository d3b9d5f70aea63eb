// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli: the program's core run from a terminal or a timer job.
#include "backup/restore.h"
#include "cli_context.h"
#include "manual_page.h"
#include "output.h"
#include "startup/draws_rescue.h"
#include "startup/open_data_folder.h"
#include "store/data_location.h"
#include "store/day_serial.h"
#include "store/folder_lock.h"
#include "store/program_database.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QStandardPaths>
#include <cstdio>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::cli;

namespace {

// The commands and what each does (`withSummaries`) or just their usage lines.
QString usageText(bool withSummaries = false)
{
    QString text = u"Uso: zafrano-cli [--dir CARPETA] [--today AAAA-MM-DD] [--json] ORDEN …\n"
                   u"Órdenes:\n"_s;
    for (const CommandEntry &command : allCommands()) {
        text += u"  "_s + QString::fromUtf16(command.usage) + u'\n';
        if (withSummaries && command.summary)
            text += u"      "_s + QString::fromUtf16(command.summary) + u'\n';
    }
    return text;
}

int usageError(const QString &problem)
{
    printError(problem);
    printError(usageText());
    return UsageError;
}

// What the parser refused, in Spanish: Qt's own texts are English.
QString parseProblem(const QCommandLineParser &parser)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
        return u"Opción desconocida: «"_s + (unknown.first().size() == 1 ? u"-"_s : u"--"_s) +
               unknown.first() + u"»."_s;
    // "Missing value after '--x'." and "Unexpected value after '--x'." name
    // the option between quotes.
    static const QRegularExpression quotedName(u"'([^']+)'"_s);
    const QString problem = parser.errorText();
    const QRegularExpressionMatch named = quotedName.match(problem);
    if (named.hasMatch() && problem.startsWith(u"Missing"_s))
        return u"Falta el valor de la opción «"_s + named.captured(1) + u"»."_s;
    if (named.hasMatch() && problem.startsWith(u"Unexpected"_s))
        return u"La opción «"_s + named.captured(1) + u"» no lleva valor."_s;
    return u"No se entienden los argumentos: "_s + parser.errorText();
}

qsizetype wordsOf(const char16_t *text)
{
    return QString::fromUtf16(text).split(u' ', Qt::SkipEmptyParts).size();
}

// The command the positional arguments start with, taken off them. A name may
// be several words ("tables list"); the longest that matches wins.
std::optional<CommandEntry> takeCommand(QStringList &positional)
{
    std::optional<CommandEntry> found;
    for (const CommandEntry &command : allCommands()) {
        const QStringList name = QString::fromUtf16(command.name).split(u' ');
        if (positional.mid(0, name.size()) == name &&
            (!found || name.size() > wordsOf(found->name)))
            found = command;
    }
    if (found)
        positional.remove(0, wordsOf(found->name));
    return found;
}

// The words of the usage outside the name and the [options]: FILE, N, …
qsizetype argumentsOf(const CommandEntry &command)
{
    static const QRegularExpression optional(u"\\[[^\\]]*\\]|--\\S+ [A-ZÁÉÍÓÚÑ]+"_s);
    const QString usage = QString::fromUtf16(command.usage).remove(optional);
    return usage.split(u' ', Qt::SkipEmptyParts).size() - wordsOf(command.name);
}

// The arguments that may be left out: the [WORDS] of the usage that are no option.
qsizetype optionalArgumentsOf(const CommandEntry &command)
{
    static const QRegularExpression optional(u"\\[[^-\\]][^\\]]*\\]"_s);
    return QString::fromUtf16(command.usage).count(optional);
}

// Standard error is for the program's own messages; the platform's remarks
// about the session it runs in are not for the player.
QtMessageHandler standardMessageHandler = nullptr;

void quietPlatformNotes(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtDebugMsg || type == QtInfoMsg || text.startsWith(u"QStandardPaths:"_s))
        return;
    if (standardMessageHandler)
        standardMessageHandler(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

// The options only some commands read, with what the help and the manual say of them.
QList<QCommandLineOption> commandOptions()
{
    return {
        {QString::fromUtf16(option::Draws), u"Sorteos a comprobar (check)."_s, u"N"_s},
        {QString::fromUtf16(option::History), u"Incluir el histórico (check)."_s},
        {QString::fromUtf16(option::PrizesOnly), u"Sólo si hay premio (check)."_s},
        {QString::fromUtf16(option::Syndicate),
         u"Sólo esta peña (check); la peña de este registro (backtest)."_s, u"NOMBRE"_s},
        {QString::fromUtf16(option::DryRun), u"No grabar los aciertos (check)."_s},
        {QString::fromUtf16(option::Pdf), u"Imprimir a un PDF (check, print-slips, report)."_s,
         u"ARCHIVO"_s},
        {QString::fromUtf16(option::Plain), u"En papel normal (print-slips)."_s},
        {QString::fromUtf16(option::ExtraMark),
         u"Marca también la casilla bajo el bloque 8 (print-slips)."_s},
        {QString::fromUtf16(option::Days),
         u"Días de sorteo, Lu,Ma,Mi,Ju,Vi,Sa,Do (stats, report); día de juego "
         u"(add-syndicate, backtest)."_s,
         u"DÍAS"_s},
        {QString::fromUtf16(option::Months), u"Sólo los últimos N meses (stats, report)."_s,
         u"N"_s},
        {QString::fromUtf16(option::Rank), u"Los N números más frecuentes (stats, report)."_s,
         u"N"_s},
        {QString::fromUtf16(option::Operator), u"Web del operador (download, prizes)."_s, u"URL"_s},
        {QString::fromUtf16(option::Timeout),
         u"Espera máxima de cada petición (download, prizes)."_s, u"MS"_s},
        {QString::fromUtf16(option::FetchHistory),
         u"Pedir al operador los premios de los sorteos guardados que no los tienen (prizes)."_s},
        {QString::fromUtf16(option::PauseMs),
         u"Pausa entre dos peticiones, 1000 si no se da (prizes --fetch-history)."_s, u"N"_s},
        {QString::fromUtf16(option::Name), u"Nombre de la peña (add-syndicate)."_s, u"NOMBRE"_s},
        {QString::fromUtf16(option::Multiple),
         u"Múltiple de K números (add-syndicate, backtest)."_s, u"K"_s},
        {QString::fromUtf16(option::Bets), u"Apuestas separadas por ; (add-syndicate, backtest)."_s,
         u"APUESTAS"_s},
        {QString::fromUtf16(option::Source),
         u"Fuente de resultados: auto, json o html (download)."_s, u"FUENTE"_s},
        {QString::fromUtf16(option::Shares), u"Participaciones del miembro (ledger)."_s, u"K"_s},
        {QString::fromUtf16(option::From),
         u"Desde esta fecha (ledger, backtest); desde este mes, AAAA-MM (prizes "
         u"--fetch-history)."_s,
         u"FECHA"_s},
        {QString::fromUtf16(option::To), u"Hasta esta fecha (backtest)."_s, u"FECHA"_s},
        {QString::fromUtf16(option::Numbers),
         u"Los números de la múltiple o de la tabla (backtest)."_s, u"NÚMEROS"_s},
        {QString::fromUtf16(option::Table),
         u"La tabla de reducción, como la numera tables list "
         u"(backtest)."_s,
         u"ID"_s},
        {QString::fromUtf16(option::Price), u"Precio de cada apuesta en euros (backtest)."_s,
         u"EUROS"_s},
        {QString::fromUtf16(option::On), u"Baja en esta fecha (ledger)."_s, u"FECHA"_s},
        {QString::fromUtf16(option::Date), u"Fecha del movimiento (ledger)."_s, u"FECHA"_s},
        {QString::fromUtf16(option::Note), u"Nota del movimiento (ledger)."_s, u"TEXTO"_s},
        {QString::fromUtf16(option::Notify),
         u"Avisar en el escritorio de los premios y de una fuente que no responde "
         u"(download)."_s},
        {QString::fromUtf16(option::Yes), u"Sin preguntar (restore)."_s},
        {QString::fromUtf16(option::Missing),
         u"Los días de sorteo que faltan entre el primero y el último guardados (draws)."_s}};
}

} // namespace

int main(int argc, char *argv[])
{
    const QCommandLineOption dirOption(u"dir"_s, u"Carpeta de los datos."_s, u"CARPETA"_s);
    const QCommandLineOption todayOption(u"today"_s, u"Fecha tomada como hoy."_s, u"FECHA"_s);
    const QCommandLineOption jsonOption(u"json"_s, u"Salida en JSON."_s);
    const QCommandLineOption helpOption({u"h"_s, u"help"_s}, u"Esta ayuda."_s);
    const QList<QCommandLineOption> options =
        QList<QCommandLineOption>{dirOption, todayOption, jsonOption, helpOption} +
        commandOptions();

    // Every argument is the program's own: Qt gets only the program's name, so
    // no platform takes --name or -display for itself.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // The build writes the manual page's commands and options from here.
    if (arguments.size() == 2 && arguments[1] == u"--manual-page"_s) {
        const std::optional<QString> page = manualPageSections(allCommands(), options);
        if (!page)
            return Failed;
        printLine(*page);
        return Success;
    }

    // Printing to PDF needs fonts, which come with a GUI application; it never
    // opens a window, so it needs no display, whatever platform the session names.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_QPA_PLATFORMTHEME");
    standardMessageHandler = qInstallMessageHandler(quietPlatformNotes);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    // The window's name: both find the same per-user data folder.
    QCoreApplication::setApplicationName(u"Zafrano"_s);

    QCommandLineParser parser;
    parser.addOptions(options);
    parser.addPositionalArgument(u"orden"_s, u"La orden y sus argumentos."_s);
    // "-5" would read as an option: said as what it is, a negative amount
    // (not when it is an option's value).
    static const QRegularExpression negative(u"^-[0-9]+([.,][0-9]*)?$"_s);
    for (qsizetype i = 2; i < arguments.size(); ++i) {
        if (negative.match(arguments[i]).hasMatch() && !arguments[i - 1].startsWith(u"--"_s)) {
            QString refusal =
                u"«"_s + arguments[i] + u"» no vale: las cantidades se escriben en positivo"_s;
            if (arguments.contains(u"ledger"_s))
                refusal += u" (pay, payout y cost ya dicen si el dinero entra o sale)"_s;
            printError(refusal + u'.');
            return UsageError;
        }
    }
    if (!parser.parse(arguments))
        return usageError(parseProblem(parser));
    if (parser.isSet(helpOption)) {
        printLine(usageText(true));
        return Success;
    }

    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return usageError(u"Falta la orden."_s);
    const std::optional<CommandEntry> command = takeCommand(positional);
    if (!command)
        return usageError(u"Orden desconocida."_s);
    if (positional.size() < argumentsOf(*command) ||
        positional.size() > argumentsOf(*command) + optionalArgumentsOf(*command))
        return usageError(u"Argumentos incorrectos para "_s + QString::fromUtf16(command->name));

    QDate today = QDate::currentDate();
    if (parser.isSet(todayOption)) {
        today = QDate::fromString(parser.value(todayOption), u"yyyy-MM-dd"_s);
        if (!today.isValid())
            return usageError(u"Fecha no válida: "_s + parser.value(todayOption));
    }
    const FolderUse use = command->folder;
    const Result<DataLocation> location = locateDataFolder(
        {parser.isSet(dirOption) ? parser.value(dirOption) : QString(),
         qEnvironmentVariable("ZAFRANO_DATA_DIR"), QCoreApplication::applicationDirPath(),
         QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
         use == FolderUse::Opens   ? FolderAccess::Writes
         : use == FolderUse::Reads ? FolderAccess::Reads
                                   : FolderAccess::Names});
    if (!location)
        return fail(location.error().message);

    const DataFolder dataFolder(location->dataFolder, location->shareFolder);
    Settings settings;
    // One writer at a time: held from the start-up's own writes to the
    // command's end, so the window and the evening check never interleave.
    std::optional<FolderLock::Held> lock;
    // A folder read where it stands is left exactly as it is.
    if (use == FolderUse::Opens || (use == FolderUse::Reads && canWriteIn(location->dataFolder))) {
        Result<FolderLock::Held> taken = FolderLock::take(dataFolder.basePath());
        if (!taken)
            return fail(taken.error().message);
        lock.emplace(std::move(taken).value());
        Result<Settings> opened = openDataFolder(
            dataFolder, [](const ProgramMessage &message) { printError(message.text); });
        // A restore that can be neither finished nor undone leaves listing the
        // copies and restoring one by hand, the way out its message names.
        const QString name = QString::fromUtf16(command->name);
        if (!opened && restoreIsCutShort(dataFolder.basePath()) &&
            (name == u"copies"_s || name == u"restore"_s)) {
            printError(opened.error().message.text);
            opened = dataFolder.settings().readAtStartup();
        }
        if (!opened)
            return fail(opened.error().message);
        settings = opened.value();
        // A damaged zafrano.db the command itself meets is said as it happens.
        ProgramDatabase::setDamageListener(
            [](const ProgramMessage &message) { printError(message.text); });
        // A draws file that does not read is put aside here, and what brings
        // the draws back is named before the command runs on the empty file.
        if (const std::optional<DrawsRescue> rescue = rescueDamagedDraws(dataFolder)) {
            printError(rescue->damage.text);
            printError(rescueAdvice(*rescue));
        }
    }

    const CliContext context{dataFolder, settings, today, parser.isSet(jsonOption),
                             positional, &parser};
    return command->run(context);
}
