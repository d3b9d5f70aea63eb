// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli ledger N …: the account of a peña, its members, movements and
// reintegro digit, with the same rules and figures as the "Cuentas" panel.
#include "cli_context.h"
#include "ledger/current_account.h"
#include "ledger/ledger_csv.h"
#include "ledger/ledger_statement.h"
#include "ledger/ledger_store.h"
#include "output.h"
#include "store/day_serial.h"
#include "store/program_database.h"

#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace zafrano::cli {

namespace {

int usage()
{
    printError(u"Uso: ledger N [member add NOMBRE [--shares K] [--from FECHA] | member remove "
               u"NOMBRE [--on FECHA] | member delete NOMBRE | pay NOMBRE EUROS [--date FECHA] "
               u"[--note TEXTO] | payout NOMBRE EUROS [--date FECHA] | cost EUROS [--date FECHA] "
               u"--note TEXTO | movements | movement edit NUM EUROS [--date FECHA] [--note TEXTO] "
               u"| movement remove NUM | reintegro CIFRA [--from FECHA] | reintegro clear | "
               u"history | statement [NOMBRE] --pdf ARCHIVO | csv movements|draws]"_s);
    return UsageError;
}

QJsonObject accountJson(const LedgerAccount &account)
{
    QJsonArray pending;
    for (QDate date : account.pending)
        pending.append(date.toString(Qt::ISODate));
    QJsonArray members;
    for (const MemberBalance &member : account.members)
        members.append(QJsonObject{{u"name"_s, member.name},
                                   {u"shares"_s, member.shares},
                                   {u"paid"_s, member.paid},
                                   {u"received"_s, member.received},
                                   {u"balance"_s, member.balance}});
    return {{u"syndicate"_s, account.syndicate},
            {u"played"_s, account.played()},
            {u"cost"_s, account.cost},
            {u"prizes"_s, account.prizes},
            {u"refunds"_s, account.refunds},
            {u"pending"_s, pending},
            {u"otherCosts"_s, account.otherCosts},
            {u"bote"_s, account.bote},
            {u"unassigned"_s, account.unassigned},
            {u"members"_s, members}};
}

void printAccount(const LedgerAccount &account)
{
    printLine(u"Peña "_s + account.syndicate);
    printLine(u"Sorteos jugados: "_s + QString::number(account.played()));
    printLine(u"Coste de las apuestas: "_s + eurosText(account.cost));
    printLine(u"Premios cobrados: "_s + eurosText(account.prizes - account.refunds));
    printLine(u"Reintegros: "_s + eurosText(account.refunds));
    QStringList pending;
    for (QDate date : account.pending)
        pending.append(shortDate(date));
    printLine(u"Premios pendientes de cobro: "_s +
              (pending.isEmpty() ? u"ninguno"_s : pending.join(u", "_s)));
    printLine(u"Otros gastos: "_s + eurosText(account.otherCosts));
    printLine(u"Bote: "_s + eurosText(account.bote));
    printLine(u"Sin repartir: "_s + eurosText(account.unassigned));
    for (const MemberBalance &member : account.members)
        printLine(u"%1  participaciones %2  pagado %3  recibido %4  saldo %5"_s.arg(
            member.name, QString::number(member.shares), eurosText(member.paid),
            eurosText(member.received), eurosText(member.balance)));
}

// A movement's number, as `movements` lists them; nothing, the problem printed, when not one.
std::optional<qint64> movementNumber(const QString &text)
{
    bool ok = false;
    const qint64 id = text.toLongLong(&ok);
    if (!ok || id <= 0) {
        printError(u"«"_s + text + u"» no es el número de un movimiento (lo da «movements»)."_s);
        return std::nullopt;
    }
    return id;
}

// The movement numbered `id` with a new amount, and the date and note given.
std::optional<Status> editedMovement(const CliContext &context, const ProgramDatabase &db,
                                     const QString &name, qint64 id, const QString &euros)
{
    Result<std::optional<LedgerBook>> book = readLedger(db, name);
    if (!book)
        return Status(book.error());
    const auto &movements = book->has_value() ? (*book)->movements : QList<LedgerMovement>();
    const auto found = std::find_if(movements.begin(), movements.end(),
                                    [id](const LedgerMovement &m) { return m.id == id; });
    if (found == movements.end())
        return Status(Error{ErrorKind::NotFound,
                            {u"No hay ningún movimiento con el número %1."_s.arg(id), u"Error"_s,
                             MessageIcon::Exclamation}});
    LedgerMovement movement = *found;
    const Result<Cents> cents = amountFromText(euros);
    if (!cents)
        return Status(cents.error());
    movement.cents = cents.value();
    const std::optional<QDate> date = dateOption(context, option::Date, movement.date);
    if (!date)
        return std::nullopt;
    movement.date = *date;
    if (context.options->isSet(QString::fromUtf16(option::Note)))
        movement.note = optionValue(context, option::Note);
    return editMovement(db, name, movement, context.today);
}

// The change a subcommand asks for, or nothing after printing why it is not one.
std::optional<Status> runChange(const CliContext &context, const ProgramDatabase &db,
                                const QString &name)
{
    const QStringList words = context.arguments.mid(1);
    const QString verb = words.value(0);
    if (verb == u"member"_s && words.size() == 3 && words[1] == u"add"_s) {
        // One share unless told otherwise, as the window's form starts.
        bool ok = !optionSet(context, option::Shares);
        const int shares = ok ? 1 : optionValue(context, option::Shares).toInt(&ok);
        const std::optional<QDate> from = dateOption(context, option::From, context.today);
        if (!from)
            return std::nullopt;
        return addMember(db, name, {words[2], ok ? shares : 0, *from, {}}, context.today);
    }
    if (verb == u"member"_s && words.size() == 3 && words[1] == u"remove"_s) {
        const std::optional<QDate> on = dateOption(context, option::On, context.today);
        if (!on)
            return std::nullopt;
        return removeMember(db, name, words[2], *on, context.today);
    }
    if (verb == u"member"_s && words.size() == 3 && words[1] == u"delete"_s)
        return deleteMember(db, name, words[2], context.today);
    if (verb == u"movement"_s && words.size() == 4 && words[1] == u"edit"_s) {
        const std::optional<qint64> id = movementNumber(words[2]);
        if (!id)
            return std::nullopt;
        return editedMovement(context, db, name, *id, words[3]);
    }
    if (verb == u"movement"_s && words.size() == 3 && words[1] == u"remove"_s) {
        const std::optional<qint64> id = movementNumber(words[2]);
        if (!id)
            return std::nullopt;
        return removeMovement(db, name, *id, context.today);
    }
    if (verb == u"reintegro"_s && words.size() == 2 && words[1] == u"clear"_s)
        return clearReintegro(db, name, context.today);
    if ((verb == u"pay"_s || verb == u"payout"_s) && words.size() == 3) {
        // An amount the treasurer's reader refuses is refused like any change.
        const Result<Cents> cents = amountFromText(words[2]);
        if (!cents)
            return Status(cents.error());
        const std::optional<QDate> date = dateOption(context, option::Date, context.today);
        if (!date)
            return std::nullopt;
        const MovementKind kind =
            verb == u"pay"_s ? MovementKind::Contribution : MovementKind::Payout;
        return addMovement(db, name,
                           {0, kind, words[1], *cents, *date, optionValue(context, option::Note)},
                           context.today);
    }
    if (verb == u"cost"_s && words.size() == 2) {
        const Result<Cents> cents = amountFromText(words[1]);
        if (!cents)
            return Status(cents.error());
        const std::optional<QDate> date = dateOption(context, option::Date, context.today);
        if (!date)
            return std::nullopt;
        return addMovement(
            db, name,
            {0, MovementKind::Cost, {}, *cents, *date, optionValue(context, option::Note)},
            context.today);
    }
    if (verb == u"reintegro"_s && words.size() == 2) {
        bool ok = false;
        const int digit = words[1].toInt(&ok);
        const std::optional<QDate> from = dateOption(context, option::From, context.today);
        if (!from)
            return std::nullopt;
        return setReintegro(db, name, ok && words[1].size() == 1 ? digit : -1, *from,
                            context.today);
    }
    usage();
    return std::nullopt;
}

// The statement of the peña, or of one member, printed to PDF; the movements
// or the per-draw account as CSV on standard output.
std::optional<int> runOutput(const CliContext &context, const LedgerBook &book,
                             const LedgerAccount &account)
{
    const QStringList words = context.arguments.mid(1);
    const QString verb = words.value(0);
    if ((verb == u"history"_s || verb == u"movements"_s) && words.size() == 1) {
        if (verb == u"history"_s) {
            for (const LedgerEvent &event : book.history)
                printLine(shortDate(event.madeOn) + u"  "_s + event.what);
        } else {
            for (const LedgerMovement &movement : book.movements)
                printLine(u"%1  "_s.arg(movement.id) + movementText(movement));
        }
        return Success;
    }
    if (verb != u"statement"_s && verb != u"csv"_s)
        return std::nullopt;
    if (verb == u"csv"_s) {
        if (words.size() != 2 || (words[1] != u"movements"_s && words[1] != u"draws"_s))
            return usage();
        std::fputs(qPrintable(words[1] == u"movements"_s ? movementsCsv(book) : drawsCsv(account)),
                   stdout);
        return Success;
    }
    const QString member = words.value(1);
    if (!member.isEmpty() && std::none_of(account.members.begin(), account.members.end(),
                                          [&](const MemberBalance &m) { return m.name == member; }))
        return fail({u"No hay ningún miembro llamado «"_s + member + u"» en la peña «"_s +
                         account.syndicate + u"»."_s,
                     u"Error"_s, MessageIcon::Exclamation});
    const std::optional<QString> pdf = requiredPdf(context);
    if (!pdf)
        return UsageError;
    Result<ReportDocument> statement =
        buildStatement(context.folder, account, book, member, context.today);
    if (!statement)
        return fail(statement.error().message);
    if (Status written = writeReportPdf(*statement, *pdf); !written)
        return fail(written.error().message);
    printLine(u"Extracto guardado en "_s + *pdf);
    return Success;
}

// What every account is worked out from: the stored draws and zafrano.db.
struct AccountSources
{
    QList<DrawRecord> draws;
    ProgramDatabase db;
};

Result<AccountSources> openSources(const CliContext &context)
{
    Result<QList<DrawRecord>> draws = context.folder.draws().readAll();
    if (!draws)
        return draws.error();
    Result<ProgramDatabase> db = ProgramDatabase::openIn(context.folder);
    if (!db)
        return db.error();
    return AccountSources{std::move(draws).value(), std::move(db).value()};
}

int showAccount(const CliContext &context, const LedgerAccount &account)
{
    if (context.json)
        printJson(accountJson(account));
    else
        printAccount(account);
    return Success;
}

int ledgerCommand(const CliContext &context)
{
    Result<ChosenSyndicate> chosen = chosenSyndicate(context);
    if (!chosen)
        return fail(chosen.error().message);
    Result<AccountSources> sources = openSources(context);
    if (!sources)
        return fail(sources.error().message);
    const QList<DrawRecord> &draws = sources->draws;
    const ProgramDatabase &db = sources->db;
    const SyndicateRecord &syndicate = chosen->syndicate;
    Result<LedgerAccount> account = currentAccount(
        db, syndicate, centsFromEuros(context.settings.pricePerBet), draws, context.today);
    if (!account)
        return fail(account.error().message);
    Result<std::optional<LedgerBook>> book = readLedger(db, syndicate.nameText());
    if (!book || !book->has_value())
        return fail(
            book ? ProgramMessage{u"La peña «"_s + syndicate.nameText() + u"» no tiene cuentas."_s,
                                  u"Error"_s, MessageIcon::Exclamation}
                 : book.error().message);
    if (const std::optional<int> shown = runOutput(context, **book, *account))
        return *shown;
    if (context.arguments.size() > 1) {
        const std::optional<Status> changed = runChange(context, db, syndicate.nameText());
        if (!changed)
            return UsageError;
        if (!*changed)
            return fail(changed->error().message);
        account = currentAccount(db, syndicate, centsFromEuros(context.settings.pricePerBet), draws,
                                 context.today);
        if (!account)
            return fail(account.error().message);
    }
    return showAccount(context, *account);
}

// The account of a deleted peña, kept closed: read by the peña's name, as
// it stands, with its statement and CSV files.
int closedLedgerCommand(const CliContext &context)
{
    const QString name = context.arguments.at(0);
    Result<AccountSources> sources = openSources(context);
    if (!sources)
        return fail(sources.error().message);
    Result<std::optional<LedgerBook>> book = readClosedLedger(sources->db, name);
    if (!book)
        return fail(book.error().message);
    if (!book->has_value())
        return fail({u"No hay cuentas cerradas de la peña «"_s + name + u"»."_s, u"Error"_s,
                     MessageIcon::Exclamation});
    const LedgerAccount account = accountOfBook(sources->db, **book, sources->draws, context.today);
    if (const std::optional<int> shown = runOutput(context, **book, account))
        return *shown;
    if (context.arguments.size() > 1)
        return usage();
    return showAccount(context, account);
}

} // namespace

const QList<CommandEntry> &ledgerCommands()
{
    static const QList<CommandEntry> commands = {
        {u"ledger",
         u"ledger N [member|pay|payout|cost|movements|movement|reintegro|history|statement|csv] "
         u"[add|remove|delete|edit|clear|NOMBRE|EUROS|CIFRA] "
         u"[NOMBRE|NUM|EUROS|movements|draws] [EUROS] [--pdf ARCHIVO] [--shares K] "
         u"[--from FECHA] [--on FECHA] [--date FECHA] [--note TEXTO]",
         ledgerCommand,
         u"la cuenta de la peña N: sin más, sus totales y sus miembros (con --json, en "
         u"céntimos); member add NOMBRE [--shares K] [--from FECHA], member remove NOMBRE "
         u"[--on FECHA] (la baja), member delete NOMBRE (un miembro añadido por error, sin "
         u"movimientos), pay NOMBRE EUROS [--date FECHA] [--note TEXTO], payout NOMBRE EUROS, "
         u"cost EUROS --note TEXTO, movements (con su número), movement edit NUM EUROS [--date "
         u"FECHA] [--note TEXTO], movement remove NUM, reintegro CIFRA [--from FECHA], "
         u"reintegro clear, history (los cambios de la cuenta), statement [NOMBRE] --pdf "
         u"ARCHIVO, csv movements|draws; los EUROS se escriben «12,50» o «12.50»; las fechas, "
         u"de la creación de la peña a hoy"},
        {u"closed-ledger",
         u"closed-ledger NOMBRE [statement|csv|movements|history] [NOMBRE|movements|draws] "
         u"[--pdf ARCHIVO]",
         closedLedgerCommand,
         u"la cuenta que guardó una peña borrada, cerrada, leída por su nombre (sin mirar "
         u"mayúsculas ni acentos): sus totales, movements, history, statement [MIEMBRO] --pdf "
         u"ARCHIVO o csv movements|draws"},
    };
    return commands;
}

} // namespace zafrano::cli
