// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli backtest: what a peña's bets, typed bets, a multiple or a
// reduction table would have cost and won over the stored draws.
#include "backtest/backtest_bets.h"
#include "backtest/backtest_figures.h"
#include "backtest/backtest_sources.h"
#include "checking/prize_category.h"
#include "cli_context.h"
#include "output.h"
#include "store/day_serial.h"
#include "store/program_database.h"

#include <QJsonArray>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zafrano::cli {

namespace {

Error refused(const QString &text)
{
    return {ErrorKind::InvalidData, {text, u"¿Cuánto habría ganado?"_s, MessageIcon::Exclamation}};
}

// A whole number option; nothing when it is not one.
std::optional<int> wholeOption(const CliContext &context, const char16_t *name)
{
    bool ok = false;
    const int value = optionValue(context, name).toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// The bets the options name, with the days they are played on by default.
struct ChosenBets
{
    SyndicateRecord bets;
    QString days = u"Todos"_s;
    QString syndicate; // the peña's name when its bets were asked for
};

Result<ChosenBets> chosenBets(const CliContext &context)
{
    const int given =
        int(optionSet(context, option::Syndicate)) + int(optionSet(context, option::Bets)) +
        int(optionSet(context, option::Multiple)) + int(optionSet(context, option::Table));
    if (given != 1)
        return refused(u"Diga qué se juega: --syndicate N, --bets \"…\", --multiple K --numbers "
                       u"\"…\" o --table ID --numbers \"…\"."_s);
    if (optionSet(context, option::Syndicate)) {
        Result<QList<SyndicateRecord>> stored = context.folder.syndicates().readAll();
        if (!stored)
            return stored.error();
        const QString argument = optionValue(context, option::Syndicate);
        const std::optional<int> record = parseRecordNumber(argument);
        if (!record || *record > stored->size())
            return Error{
                ErrorKind::NotFound,
                {u"No existe la peña %1."_s.arg(argument), u"Error"_s, MessageIcon::Exclamation}};
        const SyndicateRecord &syndicate = stored->at(*record - 1);
        Result<QString> days = playingDaysFromText(syndicate.daysText());
        return ChosenBets{syndicate, days ? *days : u"Todos"_s, syndicate.nameText()};
    }
    if (optionSet(context, option::Bets)) {
        Result<QList<QList<int>>> bets = betsFromText(optionValue(context, option::Bets));
        if (!bets)
            return bets.error();
        Result<SyndicateRecord> record = simpleBets(*bets);
        if (!record)
            return record.error();
        return ChosenBets{*record, u"Todos"_s, {}};
    }
    Result<QList<int>> numbers = numbersFromText(optionValue(context, option::Numbers));
    if (!numbers)
        return numbers.error();
    if (optionSet(context, option::Multiple)) {
        const std::optional<int> k = wholeOption(context, option::Multiple);
        if (!k)
            return refused(u"Una múltiple tiene de 5 a 11 números; «"_s +
                           optionValue(context, option::Multiple) + u"» no vale."_s);
        Result<SyndicateRecord> record = multipleBet(*k, *numbers);
        if (!record)
            return record.error();
        return ChosenBets{*record, u"Todos"_s, {}};
    }
    Result<ReductionTables> tables = readReductionTables(context.folder.tablesPath());
    if (!tables)
        return tables.error();
    const std::optional<int> table = wholeOption(context, option::Table);
    Result<SyndicateRecord> record = reducedSystem(*tables, table.value_or(-1), *numbers);
    if (!record)
        return record.error();
    return ChosenBets{*record, u"Todos"_s, {}};
}

QJsonObject backtestJson(const Backtest &backtest)
{
    QJsonArray pending;
    for (QDate date : backtest.pending)
        pending.append(date.toString(Qt::ISODate));
    QJsonObject categories;
    for (std::size_t k = 0; k < PrizeCategories.size(); ++k)
        categories.insert(QString::fromUtf16(PrizeCategories[k].key),
                          QJsonObject{{u"bets"_s, backtest.categories[k].bets},
                                      {u"cents"_s, backtest.categories[k].cents}});
    return {{u"played"_s, backtest.played},
            {u"betsPerDraw"_s, backtest.betsPerDraw},
            {u"cost"_s, backtest.cost},
            {u"prizes"_s, backtest.prizes},
            {u"refunds"_s, backtest.refunds},
            {u"net"_s, backtest.net()},
            {u"pending"_s, pending},
            {u"pesetaDraws"_s, backtest.pesetaDraws},
            {u"missing"_s, int(backtest.missing.size())},
            {u"categories"_s, categories}};
}

void printBacktest(const Backtest &backtest, const BacktestRequest &request)
{
    printLine(u"Del %1 al %2, días: %3"_s.arg(shortDate(request.from), shortDate(request.to),
                                              request.days));
    for (const BacktestFigure &figure : backtestFigures(backtest))
        printLine(figure.label + u": "_s + figure.value);
    if (!backtest.pending.isEmpty())
        printLine(u"Premios aún no conocidos: "_s + pendingDatesText(backtest));
    for (const QString &note : backtestNotes(backtest)) {
        if (!note.startsWith(u"Premios aún"_s))
            printLine(note);
    }
}

int backtestCommand(const CliContext &context)
{
    Result<ChosenBets> chosen = chosenBets(context);
    if (!chosen)
        return fail(chosen.error().message);
    BacktestRequest request;
    request.bets = chosen->bets;
    request.days = chosen->days;
    if (optionSet(context, option::Days)) {
        Result<QString> days = playingDaysFromText(optionValue(context, option::Days));
        if (!days)
            return fail(days.error().message);
        request.days = *days;
    }
    Result<QList<DrawRecord>> draws = context.folder.draws().readAll();
    if (!draws)
        return fail(draws.error().message);
    const QDate first = draws->isEmpty() ? context.today : draws->first().date();
    const QDate last = draws->isEmpty() ? context.today : draws->last().date();
    const std::optional<QDate> from = dateOption(context, option::From, first);
    const std::optional<QDate> to = dateOption(context, option::To, last);
    if (!from || !to)
        return UsageError;
    request.from = *from;
    request.to = *to;
    Result<ProgramDatabase> db = ProgramDatabase::openIn(context.folder);
    if (!db)
        return fail(db.error().message);
    Result<BacktestSources> sources =
        readBacktestSources(*db, centsFromEuros(context.settings.pricePerBet), context.today);
    if (!sources)
        return fail(sources.error().message);
    request.prices = sources->prices;
    if (optionSet(context, option::Price)) {
        Result<Cents> price = amountFromText(optionValue(context, option::Price));
        if (!price)
            return fail(price.error().message);
        request.prices = {{QDate(1985, 1, 1), *price}};
    }
    if (!chosen->syndicate.isEmpty()) {
        Result<std::optional<ReintegroDigit>> digit = syndicateReintegro(*db, chosen->syndicate);
        if (!digit)
            return fail(digit.error().message);
        request.reintegro = *digit;
    }
    const Result<Backtest> backtest = runBacktest(request, *draws, sources->lookup());
    if (!backtest)
        return fail(backtest.error().message);
    if (context.json)
        printJson(backtestJson(*backtest));
    else
        printBacktest(*backtest, request);
    return Success;
}

} // namespace

const QList<CommandEntry> &backtestCommands()
{
    static const QList<CommandEntry> commands = {
        {u"backtest",
         u"backtest [--syndicate N | --bets \"1 2 3 4 5 6;…\" | --multiple K --numbers \"…\" | "
         u"--table ID --numbers \"…\"] [--days DÍA] [--from FECHA] [--to FECHA] [--price EUROS]",
         backtestCommand,
         u"lo que habrían costado y ganado en los sorteos guardados las apuestas de la peña N, "
         u"unas apuestas, una múltiple de K números (5 a 11) o la tabla de reducción ID "
         u"(tables list) sobre sus números: sorteos, coste, apuestas premiadas y euros por "
         u"categoría, reintegros, neto, rendimiento, mejor sorteo, racha sin premio y los "
         u"sorteos de premio aún no conocido; DÍA es Lunes … Domingo o Todos (los de la peña, o "
         u"Todos); el periodo, todos los sorteos guardados; el precio, el de la configuración "
         u"en cada fecha; antes del 01/01/2002 se cuentan los aciertos, no los euros (con "
         u"--json, en céntimos)",
         FolderUse::Reads},
    };
    return commands;
}

} // namespace zafrano::cli
