// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli add-syndicate: a syndicate made without the window, through the
// editor's own rules and messages, as "Grabar" makes it.
#include "calendar/weekday.h"
#include "cli_context.h"
#include "editor/syndicate_editor.h"
#include "output.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zafrano::cli {

namespace {

QString optionValue(const CliContext &context, const char16_t *name)
{
    return context.options->value(QString::fromUtf16(name));
}

bool optionSet(const CliContext &context, const char16_t *name)
{
    return context.options->isSet(QString::fromUtf16(name));
}

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

    SyndicateEditor editor(context.folder);
    if (Status opened = editor.open(request); !opened)
        return fail(opened.error().message);
    if (const NameChange named = editor.changeName(optionValue(context, option::Name));
        named.message)
        return fail(*named.message);
    editor.chooseDay(*day);
    // Without --bets the numbers are drawn as "Aleatorio" draws them.
    if (bets->isEmpty()) {
        if (EditorReply drawn = editor.random())
            return fail(*drawn);
    }
    for (const QList<int> &bet : *bets) {
        if (EditorReply entered = editor.enterBet(bet))
            return fail(*entered);
    }
    const SaveOutcome outcome = editor.save(context.today);
    if (!outcome.saved)
        return fail(outcome.message.value_or(
            ProgramMessage{u"No se ha grabado la peña."_s, u"Error"_s, MessageIcon::Exclamation}));

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
    };
    return commands;
}

} // namespace zafrano::cli
