// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli add-syndicate and rename-syndicate: a syndicate made or renamed
// without the window, through the editor's own rules and messages.
#include "calendar/weekday.h"
#include "cli_context.h"
#include "editor/syndicate_editor.h"
#include "output.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zafrano::cli {

namespace {

// The editor's option for a days name; "Todos" is "Semanal" as stored.
std::optional<int> dayOptionNamed(const QString &days)
{
    if (days == everyDrawDay())
        return WeeklyDayOption;
    const qsizetype option = editorDayOptions().indexOf(days);
    if (option < 0)
        return std::nullopt;
    return int(option);
}

// "1 2 3 4 5 6;7 8 9 10 11 12" as bets; nothing when a number is not one.
std::optional<QList<QList<int>>> parseBets(const QString &text)
{
    QList<QList<int>> bets;
    for (const QString &part : text.split(u';', Qt::SkipEmptyParts)) {
        QList<int> bet;
        for (const QString &word : part.split(u' ', Qt::SkipEmptyParts)) {
            bool ok = false;
            const int n = word.toInt(&ok);
            if (!ok || !BetGrid::valid(n))
                return std::nullopt;
            bet.append(n);
        }
        bets.append(bet);
    }
    return bets;
}

int addSyndicateCommand(const CliContext &context)
{
    const QString daysText = optionValue(context, option::Days);
    const std::optional<int> day = dayOptionNamed(daysText);
    if (!day) {
        printError(u"Día no válido (Lunes, Martes, Miércoles, Jueves, Viernes, Sábado, Domingo "
                   u"o Todos): "_s +
                   daysText);
        return UsageError;
    }
    EditorRequest request;
    if (optionSet(context, option::Multiple)) {
        bool ok = false;
        const int numbers = optionValue(context, option::Multiple).toInt(&ok);
        request.editorKind = ok ? multipleKindFor(numbers) : -1;
        if (request.editorKind < 0) {
            printError(u"Múltiple no válida (5, 7, 8, 9, 10 u 11 números): "_s +
                       optionValue(context, option::Multiple));
            return UsageError;
        }
    }
    const std::optional<QList<QList<int>>> bets = parseBets(optionValue(context, option::Bets));
    if (!bets) {
        printError(u"Apuestas no válidas (números del 1 al 49): "_s +
                   optionValue(context, option::Bets));
        return UsageError;
    }

    SyndicateEditor editor(context.folder, {}, [&context] { return context.today; });
    if (Status opened = editor.open(request); !opened)
        return fail(opened.error().message);
    if (const NameChange named = editor.changeName(optionValue(context, option::Name));
        !named.status)
        return fail(named.status.error().message);
    if (Status chosen = editor.chooseDay(*day); !chosen)
        return fail(chosen.error().message);
    // Without --bets the numbers are drawn as "Aleatorio" draws them.
    if (bets->isEmpty()) {
        if (Status drawn = editor.random(); !drawn)
            return fail(drawn.error().message);
    }
    for (const QList<int> &bet : *bets) {
        if (Status entered = editor.enterBet(bet); !entered)
            return fail(entered.error().message);
    }
    const Result<SaveOutcome> outcome = editor.save(context.today);
    if (!outcome)
        return fail(outcome.error().message);
    if (!outcome->saved)
        return fail(
            ProgramMessage{u"No se ha grabado la peña."_s, u"Error"_s, MessageIcon::Exclamation});

    const Result<QList<SyndicateRecord>> stored = context.folder.syndicates().readAll();
    if (!stored)
        return fail(stored.error().message);
    const int record = int(stored->size());
    const SyndicateRecord &saved = stored->last();
    if (context.json)
        printJson(QJsonObject{{u"record"_s, record},
                              {u"name"_s, saved.nameText()},
                              {u"days"_s, saved.daysText()},
                              {u"bets"_s, saved.sixNumberBets()}});
    else
        printLine(u"Peña %1 grabada en el registro %2: juega %3, %4 apuestas."_s.arg(
            saved.nameText(), QString::number(record), saved.daysText(),
            QString::number(saved.sixNumberBets())));
    return Success;
}

// A new name for syndicate N, written as the editor writes it: in capitals,
// at most 20 letters, its account following it.
int renameSyndicateCommand(const CliContext &context)
{
    Result<ChosenSyndicate> chosen = chosenSyndicate(context);
    if (!chosen)
        return fail(chosen.error().message);
    // A name the editor would refuse is said before anything is written.
    SyndicateEditor probe(context.folder);
    if (const NameChange checked = probe.changeName(context.arguments.at(1)); !checked.status)
        return fail(checked.status.error().message);
    EditorRequest request;
    request.editorKind = editorKindForBetCount(chosen->syndicate.betCount);
    request.editRecord = chosen->record;
    SyndicateEditor editor(context.folder, {}, [&context] { return context.today; });
    if (Status opened = editor.open(request); !opened)
        return fail(opened.error().message);
    const QString previous = chosen->syndicate.nameText();
    if (const NameChange named = editor.changeName(context.arguments.at(1)); !named.status)
        return fail(named.status.error().message);
    Result<SyndicateRecord> renamed = context.folder.syndicates().read(chosen->record);
    if (!renamed)
        return fail(renamed.error().message);
    if (context.json)
        printJson(QJsonObject{{u"record"_s, chosen->record},
                              {u"name"_s, renamed->nameText()},
                              {u"previous"_s, previous}});
    else
        printLine(u"Peña %1 renombrada: %2 → %3."_s.arg(QString::number(chosen->record), previous,
                                                        renamed->nameText()));
    return Success;
}

} // namespace

const QList<CommandEntry> &syndicateCommands()
{
    static const QList<CommandEntry> commands = {
        {u"add-syndicate",
         u"add-syndicate --name NOMBRE --days DÍA [--multiple K | --bets \"1 2 3 4 5 6;…\"]",
         addSyndicateCommand,
         u"añade una peña como lo hace «Grabar» en el editor, con sus mensajes; DÍA es Lunes … "
         u"Sábado, Domingo o Todos; --multiple K hace una múltiple de K números (al azar si "
         u"--bets no los da)"},
        {u"rename-syndicate", u"rename-syndicate N NOMBRE", renameSyndicateCommand,
         u"cambia el nombre de la peña N como lo hace el editor; sus cuentas la siguen"},
    };
    return commands;
}

} // namespace zafrano::cli
