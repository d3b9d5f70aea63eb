// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/automatic_copies.h"
#include "calendar/calendar_status.h"
#include "calendar/draw_calendar.h"
#include "calendar/weekday.h"
#include "checking/draws_to_count.h"
#include "checking/prize_category.h"
#include "cli_context.h"
#include "common/texts.h"
#include "ledger/ledger_store.h"
#include "output.h"
#include "stats/draw_listing.h"
#include "store/day_serial.h"
#include "store/draw_history_csv.h"
#include "store/program_database.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zafrano::cli {

namespace {

QJsonValue dateOrNull(double serial)
{
    return serial == 0 ? QJsonValue() : QJsonValue(shortDate(fromDaySerial(serial)));
}

QList<DrawRecord> drawsOrNone(const DrawsFile &file)
{
    // For the calendar an unreadable draws file counts as empty.
    Result<QList<DrawRecord>> draws = file.readAll();
    return draws ? draws.value() : QList<DrawRecord>{};
}

// The draw days between the oldest and the newest stored draw that have no draw.
int missingDrawsCommand(const CliContext &context)
{
    Result<QList<DrawRecord>> draws = context.folder.draws().readAll();
    if (!draws)
        return fail(draws.error().message);
    const QList<QDate> missing = missingDrawDays(draws.value());
    if (context.json) {
        QJsonArray array;
        for (QDate day : missing)
            array.append(day.toString(Qt::ISODate));
        printJson(array);
        return Success;
    }
    for (QDate day : missing)
        printLine(shortDate(day) + u"  "_s + weekdayName(day));
    printLine(missing.isEmpty() ? u"No falta ningún sorteo."_s : missingDrawsCount(missing.size()));
    return Success;
}

int listDrawsCommand(const CliContext &context)
{
    if (context.options->isSet(QString::fromUtf16(option::Missing)))
        return missingDrawsCommand(context);
    Result<LoadedDraws> loaded = loadDrawsList(context.folder.draws(), 0);
    if (!loaded)
        return fail(loaded.error().message);
    const QList<DrawRecord> &draws = loaded->draws;
    if (context.json) {
        QJsonArray array;
        for (int record : loaded->listing.records) {
            const DrawRecord &draw = draws[record - 1];
            array.append(QJsonObject{{u"record"_s, record},
                                     {u"text"_s, drawEntryText(draw)},
                                     {u"date"_s, shortDate(draw.date())},
                                     {u"weekday"_s, diasemana(draw.drawDate)}});
        }
        printJson(array);
    } else {
        for (int record : loaded->listing.records) {
            const DrawRecord &draw = draws[record - 1];
            printLine(u"%1  %2  %3"_s.arg(record, 5).arg(drawEntryText(draw), drawDateText(draw)));
        }
        printLine(drawTotalText(loaded->listing.count()));
    }
    return Success;
}

int listSyndicatesCommand(const CliContext &context)
{
    Result<QList<SyndicateRecord>> syndicates = context.folder.syndicates().readAll();
    if (!syndicates)
        return fail(syndicates.error().message);
    QJsonArray array;
    int record = 0;
    for (const SyndicateRecord &syndicate : syndicates.value()) {
        ++record;
        if (!context.json) {
            // One multi-argument arg(): a "%3" inside a name stays as typed.
            printLine(u"%1  %2 %3 %4  %5  %6"_s.arg(
                QString::number(record).rightJustified(3), syndicate.nameText().leftJustified(20),
                syndicateKindName(syndicate.kind()).leftJustified(8),
                QString::number(syndicate.sixNumberBets()).rightJustified(4),
                shortDate(fromDaySerial(syndicate.createdOn)), syndicate.daysText()));
            continue;
        }
        QJsonObject hits;
        for (const PrizeCategoryInfo &category : PrizeCategories)
            hits.insert(QString::fromUtf16(category.key), syndicate.hit(category.slot));
        array.append(QJsonObject{{u"record"_s, record},
                                 {u"name"_s, syndicate.nameText()},
                                 {u"kind"_s, syndicateKindName(syndicate.kind())},
                                 {u"bets"_s, syndicate.sixNumberBets()},
                                 {u"days"_s, syndicate.daysText()},
                                 {u"createdOn"_s, shortDate(fromDaySerial(syndicate.createdOn))},
                                 {u"countedThrough"_s, dateOrNull(syndicate.countedThrough)},
                                 {u"hits"_s, hits}});
    }
    if (context.json)
        printJson(array);
    return Success;
}

int calendarCommand(const CliContext &context)
{
    Result<QList<SyndicateRecord>> syndicates = context.folder.syndicates().readAll();
    const CalendarStatus status =
        computeCalendar(drawsOrNone(context.folder.draws()),
                        syndicates ? syndicates.value() : QList<SyndicateRecord>{}, context.today);
    if (context.json) {
        printJson(QJsonObject{
            {u"draws"_s, status.drawCount},
            {u"lastDraw"_s, status.lastDrawText},
            {u"nextDraw"_s, status.nextDrawText},
            {u"daysToGo"_s, status.daysToGoText},
            {u"reminder"_s, status.reminder ? QJsonValue(*status.reminder) : QJsonValue()},
            {u"missingDraws"_s, static_cast<qint64>(status.missingDraws.size())},
            {u"drawsPlayed"_s, status.drawsPlayed}});
    } else {
        printLine(u"- Última actualización de sorteos: "_s + status.lastDrawText);
        printLine(u"- Próximo sorteo: "_s + status.nextDrawText + u" ("_s + status.daysToGoText +
                  u')');
        if (status.reminder)
            printLine(*status.reminder);
        if (!status.missingDrawsText.isEmpty())
            printLine(status.missingDrawsText);
        printLine(u"Sorteos guardados: %1; jugados por alguna peña: %2"_s.arg(status.drawCount)
                      .arg(status.drawsPlayed));
    }
    return Success;
}

// Where the data lives: the folder a user backs up or moves, and the shipped files.
int whereCommand(const CliContext &context)
{
    const auto shown = [](const QString &path) {
        return QDir::toNativeSeparators(QDir::cleanPath(path));
    };
    if (context.json)
        printJson(QJsonObject{{u"dataFolder"_s, shown(context.folder.basePath())},
                              {u"shareFolder"_s, shown(context.folder.sharePath())}});
    else
        printLine(shown(context.folder.basePath()));
    return Success;
}

int reportImport(const CliContext &context, const Result<int> &imported)
{
    if (!imported)
        return fail(imported.error().message);
    if (context.json)
        printJson(QJsonObject{{u"imported"_s, imported.value()}});
    else
        printLine(texts::importSucceeded().text + u" ("_s + QString::number(imported.value()) +
                  u" sorteos)."_s);
    return Success;
}

int importCommand(const CliContext &context)
{
    return reportImport(context, copies::importDrawsFile(context.folder, context.arguments.at(0)));
}

int importCsvCommand(const CliContext &context)
{
    Result<QList<DrawRecord>> draws = readDrawHistoryCsv(context.arguments.at(0), context.today);
    if (!draws)
        return fail(draws.error().message);
    return reportImport(context, copies::importDraws(context.folder, draws.value()));
}

int reportDone(const CliContext &context, const Status &status, const QJsonObject &json,
               const QString &text)
{
    if (!status)
        return fail(status.error().message);
    if (context.json)
        printJson(json);
    else
        printLine(text);
    return Success;
}

int deleteDrawCommand(const CliContext &context)
{
    const std::optional<int> k = parseRecordNumber(context.arguments.at(0));
    const DrawsFile draws = context.folder.draws();
    Result<QList<DrawRecord>> stored = draws.readAll();
    if (!stored)
        return fail(stored.error().message);
    if (!k || *k > stored->size())
        return fail({u"No existe el sorteo %1."_s.arg(context.arguments.at(0)), u"Error"_s,
                     MessageIcon::Exclamation});
    const DrawRecord removed = stored->at(*k - 1);
    return reportDone(context, deleteDraw(context.folder, *k),
                      QJsonObject{{u"deleted"_s, *k}, {u"text"_s, drawEntryText(removed)}},
                      u"Sorteo del %1 eliminado."_s.arg(drawDateText(removed)));
}

int resetResultsCommand(const CliContext &context)
{
    return reportDone(
        context, copies::resetResults(context.folder, context.today),
        QJsonObject{{u"reset"_s, true}},
        u"Aciertos de las peñas borrados; fecha de creación: %1."_s.arg(shortDate(context.today)));
}

int deleteSyndicateCommand(const CliContext &context)
{
    Result<ChosenSyndicate> chosen = chosenSyndicate(context);
    if (!chosen)
        return fail(chosen.error().message);
    const int k = chosen->record;
    const QString name = chosen->syndicate.nameText();
    // A script is asked nothing: the account stays, readable and closed.
    Status removed = copies::deleteSyndicate(context.folder, k);
    if (removed) {
        Result<ProgramDatabase> db = ProgramDatabase::openIn(context.folder);
        Result<std::optional<LedgerBook>> book =
            db ? readLedger(*db, name) : Result<std::optional<LedgerBook>>(db.error());
        if (!book)
            removed = Status(book.error());
        else if (book->has_value() && !(*book)->closedOn.isValid())
            removed = closeLedger(*db, name, context.today);
    }
    return reportDone(context, removed, QJsonObject{{u"deleted"_s, k}, {u"name"_s, name}},
                      u"Peña %1 eliminada."_s.arg(name));
}

} // namespace

const QList<CommandEntry> &dataCommands()
{
    static const QList<CommandEntry> commands = {
        {u"draws", u"draws [--missing]", listDrawsCommand,
         u"los sorteos guardados, del más nuevo al más antiguo; con --missing, los días de "
         u"sorteo que faltan entre el primero y el último guardados"},
        {u"syndicates", u"syndicates", listSyndicatesCommand, u"las peñas, por orden de registro"},
        {u"calendar", u"calendar", calendarCommand,
         u"el estado: último sorteo, próximo sorteo, aviso"},
        {u"where", u"where", whereCommand,
         u"la carpeta de datos (con --json también la de los archivos del programa); no crea "
         u"ni cambia nada",
         FolderUse::Locates},
        {u"import", u"import FILE", importCommand,
         u"sustituye los sorteos por un archivo bononume.dat (el anterior queda como "
         u"bononume.bak)"},
        {u"import-csv", u"import-csv FILE", importCsvCommand,
         u"lo mismo desde un histórico CSV (fecha,n1..n6,complementario,reintegro)"},
        {u"delete-draw", u"delete-draw N", deleteDrawCommand, u"borra el sorteo del registro N"},
        {u"reset-results", u"reset-results", resetResultsCommand,
         u"pone a cero los aciertos de todas las peñas; su fecha de alta pasa a ser hoy"},
        {u"delete-syndicate", u"delete-syndicate N", deleteSyndicateCommand,
         u"borra la peña del registro N (su cuenta se guarda, cerrada)"},
    };
    return commands;
}

} // namespace zafrano::cli
