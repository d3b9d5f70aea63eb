// SPDX-License-Identifier: GPL-3.0-or-later
// The prizes of draws: typed in once they are known (add-prizes), asked of the
// operator's JSON service month by month, or taken from a CSV file of the player's.
#include "calendar/weekday.h"
#include "checking/prize_category.h"
#include "cli_context.h"
#include "common/money.h"
#include "net/prize_history.h"
#include "net_options.h"
#include "output.h"
#include "prize_output.h"
#include "store/prize_csv.h"
#include "store/prize_months.h"
#include "store/prize_store.h"
#include "store/program_database.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <algorithm>

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

// "Enero de 2025".
QString monthTitle(QDate month)
{
    QString text = monthOfYearText(month);
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

QString monthLine(const PrizeMonthAnswer &answer)
{
    if (answer.complete())
        return u"%1: premios de %2 sorteos guardados."_s.arg(monthTitle(answer.month))
            .arg(answer.asked);
    return u"%1: premios de %2 de %3 sorteos guardados; el mes se volverá a pedir."_s
        .arg(monthTitle(answer.month))
        .arg(answer.kept)
        .arg(answer.asked);
}

int importPrizesCommand(const CliContext &context)
{
    const Result<int> kept = importPrizeCsv(context.folder, context.arguments.at(0));
    if (!kept)
        return fail(kept.error().message);
    if (context.json)
        printJson(QJsonObject{{u"imported"_s, kept.value()}});
    else
        printLine(u"Premios guardados: %1."_s.arg(kept.value()));
    return Success;
}

} // namespace

int fetchPrizeHistory(const CliContext &context, const DownloadConfig &config)
{
    // Without --from every stored draw is looked at.
    QDate from;
    if (const QString month = context.options->value(QString::fromUtf16(option::From));
        !month.isEmpty()) {
        from = QDate::fromString(month + u"-01"_s, u"yyyy-MM-dd"_s);
        if (!from.isValid()) {
            printError(u"Mes no válido: "_s + month + u" (AAAA-MM)."_s);
            return UsageError;
        }
    }
    int pauseMs = 1000;
    if (const QString pause = context.options->value(QString::fromUtf16(option::PauseMs));
        !pause.isEmpty()) {
        bool ok = false;
        pauseMs = pause.toInt(&ok);
        if (!ok || pauseMs < 0) {
            printError(u"Pausa no válida: "_s + pause + u" (milisegundos)."_s);
            return UsageError;
        }
    }
    const Result<PrizeHistoryPlan> plan = planPrizeHistory(context.folder, from, context.today);
    if (!plan)
        return fail(plan.error().message);
    if (plan->pesetaDrawsLeftOut && !context.json)
        printLine(pesetaDrawsText());

    QNetworkAccessManager network;
    PrizeHistoryFetch fetch(context.folder, network, config.operatorBase, config.requestTimeoutMs,
                            config.maxPageBytes);
    fetch.setPauseMs(pauseMs);
    QJsonArray months;
    QObject::connect(
        &fetch, &PrizeHistoryFetch::monthAnswered, [&](const PrizeMonthAnswer &answer) {
            if (!context.json)
                printLine(monthLine(answer));
            months.append(QJsonObject{{u"month"_s, answer.month.toString(u"yyyy-MM"_s)},
                                      {u"draws"_s, answer.asked},
                                      {u"kept"_s, answer.kept},
                                      {u"complete"_s, answer.complete()}});
        });
    QEventLoop loop;
    QObject::connect(&fetch, &PrizeHistoryFetch::finished, &loop, &QEventLoop::quit);
    fetch.start(plan.value(), context.today);
    loop.exec();

    const Status &result = fetch.result();
    if (context.json)
        printJson(QJsonObject{
            {u"months"_s, months},
            {u"pesetaDrawsLeftOut"_s, plan->pesetaDrawsLeftOut},
            {u"error"_s, result ? QJsonValue() : QJsonValue(result.error().message.text)}});
    if (!result) {
        if (!context.json)
            printError(result.error().message.text);
        printError(u"Los premios de los meses anteriores quedan guardados; la próxima vez se "
                   u"sigue por %1."_s.arg(monthOfYearText(fetch.month())));
        return Failed;
    }
    if (plan->months.isEmpty() && !context.json)
        printLine(u"Ya se conocen los premios de todos los sorteos guardados desde %1."_s.arg(
            monthOfYearText(from.isValid() ? std::max(from, firstEuroDraw()) : firstEuroDraw())));
    return Success;
}

const QList<CommandEntry> &prizeCommands()
{
    static const QList<CommandEntry> commands = {
        {u"add-prizes",
         u"add-prizes AAAA-MM-DD CAT=EUROS [CAT=EUROS] [CAT=EUROS] [CAT=EUROS] [CAT=EUROS]",
         addPrizesCommand,
         u"guarda los premios por apuesta de un sorteo ya guardado, cuando se conocen (CAT es "
         u"6, 5C, 5, 4 o 3; los EUROS se escriben «45,60»): las cuentas de las peñas dejan de "
         u"tenerlo pendiente"},
        {u"import-prizes", u"import-prizes ARCHIVO", importPrizesCommand,
         u"guarda en zafrano.db los premios de un CSV «fecha,categoria,premio,ganadores» (fecha "
         u"AAAA-MM-DD o DD/MM/AAAA de un sorteo guardado desde 2002; categoría 6, 5C, 5, 4 o 3; "
         u"premio en euros con coma o punto decimal); una línea mala se dice con su número y "
         u"entonces no se guarda nada del archivo"},
    };
    return commands;
}

} // namespace zafrano::cli
