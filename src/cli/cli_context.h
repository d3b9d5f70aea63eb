// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/statistics_selection.h"
#include "store/data_folder.h"

#include <QCommandLineParser>
#include <QDate>
#include <QStringList>

namespace zafrano::cli {

// What every command receives: the data folder opened as the program opens it
// at start-up, the date taken as today, the output form and its own arguments.
struct CliContext
{
    DataFolder folder;
    Settings settings;
    QDate today;
    bool json = false;
    QStringList arguments;                       // after the command name
    const QCommandLineParser *options = nullptr; // the options a command may read
};

using Command = int (*)(const CliContext &);

// What a command does with the data folder before it runs.
enum class FolderUse
{
    Opens,   // opens it as the program does at start-up; it must be writable
    Reads,   // opens it when it can be written, else reads it as it stands
    Locates, // only names it: nothing is created, opened or required
};

struct CommandEntry
{
    const char16_t *name;
    const char16_t *usage;
    Command run;
    // One line for the help and the manual page (which refuses a command without one).
    const char16_t *summary = nullptr;
    FolderUse folder = FolderUse::Opens;
};

// The commands on the stored data: draws, syndicates, calendar, imports, deletions.
const QList<CommandEntry> &dataCommands();
// A syndicate made through the editor's rules, without the window.
const QList<CommandEntry> &syndicateCommands();
// The check of every syndicate against the newest draws.
const QList<CommandEntry> &checkCommands();
// Printing a syndicate's slips to PDF.
const QList<CommandEntry> &slipCommands();
// The reduction tables: the assistant's list, the check of every table, coverage.
const QList<CommandEntry> &tablesCommands();
// The results from the operator's site: a saved page taken in, the download.
const QList<CommandEntry> &netCommands();
// The number frequencies of the selected draws and their ranking.
const QList<CommandEntry> &statsCommands();
// The two reports of the report database, printed to PDF.
const QList<CommandEntry> &reportCommands();
// The account of a peña: members, movements, what its draws cost and won.
const QList<CommandEntry> &ledgerCommands();
// The prizes of draws: typed in by hand, asked of the service, taken from a CSV file.
const QList<CommandEntry> &prizeCommands();
// The price of a bet: its history and a change dated the day it counts from.
const QList<CommandEntry> &priceCommands();
// What bets would have cost and won over the stored draws.
const QList<CommandEntry> &backtestCommands();
// The backup file, the restore and the list of the automatic copies.
const QList<CommandEntry> &backupCommands();
// The evening check's systemd timer, switched as the settings window does.
const QList<CommandEntry> &timerCommands();
// Every command, in the order the usage lists them.
QList<CommandEntry> allCommands();

// Options that only some commands read; all are known to the parser.
namespace option {
inline constexpr auto Draws = u"draws";
inline constexpr auto History = u"history";
inline constexpr auto PrizesOnly = u"prizes-only";
inline constexpr auto Syndicate = u"syndicate";
inline constexpr auto DryRun = u"dry-run";
inline constexpr auto Pdf = u"pdf";
inline constexpr auto Plain = u"plain";
inline constexpr auto ExtraMark = u"extra-mark";
inline constexpr auto Days = u"days";
inline constexpr auto Months = u"months";
inline constexpr auto Rank = u"rank";
inline constexpr auto Operator = u"operator";
inline constexpr auto Timeout = u"timeout";
inline constexpr auto Name = u"name";
inline constexpr auto Multiple = u"multiple";
inline constexpr auto Bets = u"bets";
inline constexpr auto Source = u"source";
inline constexpr auto Shares = u"shares";
inline constexpr auto From = u"from";
inline constexpr auto On = u"on";
inline constexpr auto Date = u"date";
inline constexpr auto Note = u"note";
inline constexpr auto Notify = u"notify";
inline constexpr auto Yes = u"yes";
inline constexpr auto Missing = u"missing";
inline constexpr auto FetchHistory = u"fetch-history";
inline constexpr auto PauseMs = u"pause-ms";
inline constexpr auto To = u"to";
inline constexpr auto Numbers = u"numbers";
inline constexpr auto Table = u"table";
inline constexpr auto Price = u"price";
} // namespace option

// The draws the statistics select and how many numbers to rank, as the
// options --days, --months and --rank give them.
struct StatisticsOptions
{
    WeekdayFilter days;
    StatisticsPeriod period;
    int rank = 49;
    bool rankGiven = false;
};

// Reads those options; nothing, the problem printed, when one is not valid.
std::optional<StatisticsOptions> statisticsOptions(const CliContext &context);

// The --pdf file of a command that writes one; nothing, "Falta --pdf ARCHIVO."
// printed, when it was not given.
std::optional<QString> requiredPdf(const CliContext &context);

// The value of an option a command reads, and whether it was given.
QString optionValue(const CliContext &context, const char16_t *name);
bool optionSet(const CliContext &context, const char16_t *name);
// A date option (AAAA-MM-DD), or `fallback` when it was not given; nothing,
// "Fecha no válida: …" printed, when it is not a date.
std::optional<QDate> dateOption(const CliContext &context, const char16_t *name, QDate fallback);

// Parses a record number argument (1-based); nothing when it is not one.
std::optional<int> parseRecordNumber(const QString &text);

struct ChosenSyndicate
{
    int record;
    SyndicateRecord syndicate;
};

// The syndicate whose record number is the command's first argument, or the
// message saying why there is none.
Result<ChosenSyndicate> chosenSyndicate(const CliContext &context);

} // namespace zafrano::cli
