// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli price: the price of a bet with the day each change counts from,
// and a change of it, as the settings window and the Cuentas page make it.
#include "cli_context.h"
#include "common/money.h"
#include "ledger/price_history.h"
#include "output.h"
#include "store/day_serial.h"
#include "store/program_database.h"

#include <QJsonArray>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zafrano::cli {

namespace {

ProgramMessage refusal(const QString &text)
{
    return {text, u"Error"_s, MessageIcon::Exclamation};
}

int showPrices(const CliContext &context, Cents now, const QList<PriceChange> &history)
{
    if (context.json) {
        QJsonArray changes;
        for (const PriceChange &change : history)
            changes.append(QJsonObject{{u"since"_s, change.since.toString(Qt::ISODate)},
                                       {u"cents"_s, change.cents}});
        printJson(QJsonObject{{u"price"_s, now}, {u"history"_s, changes}});
        return Success;
    }
    printLine(u"Precio por apuesta: "_s + moneyText(now) + u" €"_s);
    for (const PriceChange &change : history)
        printLine(u"  desde el "_s + shortDate(change.since) + u": "_s + moneyText(change.cents) +
                  u" €"_s);
    return Success;
}

int priceCommand(const CliContext &context)
{
    Result<ProgramDatabase> db = ProgramDatabase::openIn(context.folder);
    if (!db)
        return fail(db.error().message);
    Cents now = centsFromEuros(context.settings.pricePerBet);
    if (!context.arguments.isEmpty()) {
        const Result<Cents> price = amountFromText(context.arguments.at(0));
        if (!price)
            return fail(price.error().message);
        QDate since;
        const QString from = context.options->value(QString::fromUtf16(option::From));
        const bool dated = context.options->isSet(QString::fromUtf16(option::From));
        if (dated) {
            since = QDate::fromString(from, u"yyyy-MM-dd"_s);
            if (!since.isValid())
                return fail(refusal(u"Fecha no válida: "_s + from));
        } else {
            Result<QList<DrawRecord>> draws = context.folder.draws().readAll();
            if (!draws)
                return fail(draws.error().message);
            since =
                dayChangeCounts(context.today, draws->isEmpty() ? QDate() : draws->last().date());
        }
        // Only a date typed in may be refused for coming after today.
        const Result<Cents> kept =
            keepDatedPriceChange(*db, now, *price, since, dated ? context.today : since);
        if (!kept)
            return fail(kept.error().message);
        Settings settings = context.settings;
        settings.pricePerBet = static_cast<float>(eurosFromCents(*kept));
        if (Status written = context.folder.settings().write(settings); !written)
            return fail(written.error().message);
        now = *kept;
    }
    Result<QList<PriceChange>> history = priceHistory(*db);
    if (!history)
        return fail(history.error().message);
    return showPrices(context, now, *history);
}

} // namespace

const QList<CommandEntry> &priceCommands()
{
    static const QList<CommandEntry> commands = {
        {u"price", u"price [EUROS] [--from FECHA]", priceCommand,
         u"el precio por apuesta y sus cambios, cada uno desde el día en que cuenta (con --json, "
         u"en céntimos); con EUROS lo cambia desde hoy (desde el día siguiente si el sorteo de "
         u"hoy ya está guardado) o desde --from FECHA, no posterior a hoy: los sorteos "
         u"anteriores conservan su precio"},
    };
    return commands;
}

} // namespace zafrano::cli
