// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli stats: the counts the statistics tab shows, for the draws the
// "Filtrado de datos:" group would select, and the assistant's ranking.
#include "calendar/weekday.h"
#include "cli_context.h"
#include "output.h"
#include "stats/draw_listing.h"
#include "stats/number_counts.h"
#include "stats/statistics_selection.h"
#include "store/day_serial.h"

#include <QJsonArray>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zafrano::cli {

namespace {

const QStringList DayCodes = {u"Lu"_s, u"Ma"_s, u"Mi"_s, u"Ju"_s, u"Vi"_s, u"Sa"_s, u"Do"_s};

// "Lu,Mi,Do" as ticked boxes; nothing when a code is not a weekday.
std::optional<WeekdayFilter> parseDays(const QString &text)
{
    WeekdayFilter filter;
    filter.ticked.fill(false);
    for (const QString &code : text.split(u',', Qt::SkipEmptyParts)) {
        const qsizetype day = DayCodes.indexOf(code.trimmed(), 0);
        if (day < 0)
            return std::nullopt;
        filter.ticked[day] = true;
    }
    return filter;
}

// A whole number within [low, high] from an option; nothing otherwise.
std::optional<int> numberOption(const QCommandLineParser &parser, const char16_t *name, int low,
                                int high)
{
    bool ok = false;
    const int value = parser.value(QString::fromUtf16(name)).toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

QJsonArray countsArray(const NumberCounts &counts, int day)
{
    QJsonArray array;
    for (int number = 1; number <= NumberCounts::Numbers; ++number)
        array.append(day < 0 ? counts.timesOf(number) : counts.timesOn(number, day));
    return array;
}

QJsonValue dateOrNull(QDate date)
{
    return date.isValid() ? QJsonValue(shortDate(date)) : QJsonValue();
}

int statsCommand(const CliContext &context)
{
    const std::optional<StatisticsOptions> options = statisticsOptions(context);
    if (!options)
        return UsageError;
    const WeekdayFilter &days = options->days;
    const StatisticsPeriod &period = options->period;
    const int rank = options->rank;

    Result<LoadedDraws> loaded =
        loadDrawsList(context.folder.draws(), periodStart(period, context.today), days);
    if (!loaded)
        return fail(loaded.error().message);
    const DrawListing &listing = loaded->listing;
    const NumberCounts &counts = listing.counts;
    const QList<RankedNumber> ranking = chosenNumbers(counts, rankNumbers(counts), rank);

    if (context.json) {
        QJsonObject byDay;
        for (int day = 0; day < NumberCounts::DrawDays; ++day)
            byDay.insert(weekdayNames()[day], countsArray(counts, day));
        QJsonArray ranked;
        for (const RankedNumber &number : ranking)
            ranked.append(number.number);
        printJson(QJsonObject{{u"selected"_s, listing.count()},
                              {u"newest"_s, dateOrNull(listing.newestListed)},
                              {u"oldest"_s, dateOrNull(listing.oldestListed)},
                              {u"overall"_s, countsArray(counts, -1)},
                              {u"weekday"_s, byDay},
                              {u"ranking"_s, ranked}});
        return Success;
    }

    const SelectionDescription description = describeSelection(
        period, days, listing.count(), listing.newestListed, listing.oldestListed);
    printLine(description.periodLine);
    printLine(description.weekdaysLine);
    printLine(u"Nº   Veces   Lun   Mar   Mié   Jue   Vie   Sáb   Dom"_s);
    for (int number = 1; number <= NumberCounts::Numbers; ++number) {
        QString line = QString::number(number).rightJustified(2) + u' ' +
                       QString::number(counts.timesOf(number)).rightJustified(7);
        for (int day = 0; day < NumberCounts::DrawDays; ++day)
            line += QString::number(counts.timesOn(number, day)).rightJustified(6);
        printLine(line);
    }
    QStringList ranked;
    for (const RankedNumber &number : ranking)
        ranked.append(u"%1 (%2)"_s.arg(number.number).arg(number.times));
    printLine(u"Más frecuentes: "_s + ranked.join(u", "_s));
    return Success;
}

} // namespace

std::optional<StatisticsOptions> statisticsOptions(const CliContext &context)
{
    const QCommandLineParser &parser = *context.options;
    StatisticsOptions options;
    if (parser.isSet(QString::fromUtf16(option::Days))) {
        const std::optional<WeekdayFilter> parsed =
            parseDays(parser.value(QString::fromUtf16(option::Days)));
        if (!parsed) {
            printError(u"Días no válidos (Lu,Ma,Mi,Ju,Vi,Sa,Do): "_s +
                       parser.value(QString::fromUtf16(option::Days)));
            return std::nullopt;
        }
        options.days = *parsed;
    }
    if (parser.isSet(QString::fromUtf16(option::Months))) {
        const std::optional<int> months = numberOption(parser, option::Months, 1, 32767);
        if (!months) {
            printError(u"Número de meses no válido: "_s +
                       parser.value(QString::fromUtf16(option::Months)));
            return std::nullopt;
        }
        options.period = {false, *months};
    }
    if (parser.isSet(QString::fromUtf16(option::Rank))) {
        const std::optional<int> count = numberOption(parser, option::Rank, 0, 49);
        if (!count) {
            printError(u"Cantidad de números no válida: "_s +
                       parser.value(QString::fromUtf16(option::Rank)));
            return std::nullopt;
        }
        options.rank = *count;
        options.rankGiven = true;
    }
    return options;
}

const QList<CommandEntry> &statsCommands()
{
    static const QList<CommandEntry> commands = {
        {u"stats", u"stats [--days Lu,Ma,Mi,Ju,Vi,Sa,Do] [--months N] [--rank N]", statsCommand,
         u"cuántas veces ha salido cada número en los sorteos de esos días y de los últimos N "
         u"meses, en total y por día, y los N más frecuentes"},
    };
    return commands;
}

} // namespace zafrano::cli
