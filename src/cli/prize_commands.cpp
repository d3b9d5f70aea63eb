// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli add-prizes: the prizes of a stored draw, typed in once they are
// known, so that a prize the accounts keep pending is counted.
#include "checking/prize_category.h"
#include "cli_context.h"
#include "common/money.h"
#include "output.h"
#include "prize_output.h"
#include "store/prize_store.h"
#include "store/program_database.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zafrano::cli {

namespace {

ProgramMessage refusal(const QString &text)
{
    return {text, u"Error"_s, MessageIcon::Exclamation};
}

// The prizes of `date` written "4=45,60 3=4": a category of the table of prize
// categories, "=", and its euros as a treasurer writes them.
Result<DrawPrizes> typedPrizes(const QStringList &words, QDate date)
{
    DrawPrizes prizes;
    prizes.date = date;
    for (const QString &word : words) {
        const qsizetype equals = word.indexOf(u'=');
        const QString key = word.left(equals).trimmed();
        const auto category = std::find_if(
            PrizeCategories.begin(), PrizeCategories.end(), [&](const PrizeCategoryInfo &info) {
                return key.compare(QString::fromUtf16(info.key), Qt::CaseInsensitive) == 0;
            });
        if (equals < 0 || category == PrizeCategories.end())
            return Error{ErrorKind::InvalidData,
                         refusal(u"«"_s + word +
                                 u"» no vale: escriba cada premio como CATEGORÍA=EUROS, por "
                                 u"ejemplo 4=45,60; las categorías son 6, 5C, 5, 4 y 3."_s)};
        std::optional<qint64> &slot = prizes.cents[category->prizeIndex];
        if (slot)
            return Error{ErrorKind::InvalidData,
                         refusal(u"El premio de "_s + QString::fromUtf16(category->name) +
                                 u" está escrito dos veces."_s)};
        Result<Cents> cents = amountFromText(QStringView(word).mid(equals + 1));
        if (!cents) {
            ProgramMessage message = cents.error().message;
            message.text =
                u"El premio de "_s + QString::fromUtf16(category->name) + u": "_s + message.text;
            return Error{cents.error().kind, message};
        }
        slot = cents.value();
    }
    return prizes;
}

int addPrizesCommand(const CliContext &context)
{
    const QDate date = QDate::fromString(context.arguments.at(0), u"yyyy-MM-dd"_s);
    if (!date.isValid())
        return fail(refusal(u"Fecha no válida: "_s + context.arguments.at(0)));
    Result<DrawPrizes> typed = typedPrizes(context.arguments.mid(1), date);
    if (!typed)
        return fail(typed.error().message);
    Result<QList<DrawRecord>> stored = context.folder.draws().readAll();
    if (!stored)
        return fail(stored.error().message);
    Result<ProgramDatabase> db = ProgramDatabase::openIn(context.folder);
    if (!db)
        return fail(db.error().message);
    if (db->notice())
        printError(db->notice()->text);
    if (Status kept = storePrizesOfDraw(*db, *stored, *typed); !kept)
        return fail(kept.error().message);
    Result<std::optional<DrawPrizes>> prizes = storedPrizes(*db, date);
    if (!prizes)
        return fail(prizes.error().message);
    if (context.json)
        printJson(QJsonObject{{u"date"_s, date.toString(Qt::ISODate)},
                              {u"prizes"_s, prizesJson(*prizes)}});
    else if (*prizes)
        printPrizes(**prizes);
    return Success;
}

} // namespace

const QList<CommandEntry> &prizeCommands()
{
    static const QList<CommandEntry> commands = {
        {u"add-prizes",
         u"add-prizes AAAA-MM-DD CAT=EUROS [CAT=EUROS] [CAT=EUROS] [CAT=EUROS] [CAT=EUROS]",
         addPrizesCommand,
         u"guarda los premios por apuesta de un sorteo ya guardado, cuando se conocen (CAT es "
         u"6, 5C, 5, 4 o 3; los EUROS se escriben «45,60»): las cuentas de las peñas dejan de "
         u"tenerlo pendiente"},
    };
    return commands;
}

} // namespace zafrano::cli
