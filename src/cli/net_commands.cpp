// SPDX-License-Identifier: GPL-3.0-or-later
// The results from the operator's site: a saved search page taken in, and the
// whole download without a window, as a timer job runs it.
#include "checking/check_and_keep.h"
#include "checking/prize_category.h"
#include "cli_context.h"
#include "common/money.h"
#include "evening_news.h"
#include "net/document_fetch.h"
#include "net/download_controller.h"
#include "net/draw_intake.h"
#include "net/operator_site.h"
#include "net/prize_report.h"
#include "net/results_page.h"
#include "net_options.h"
#include "output.h"
#include "prize_output.h"
#include "store/day_serial.h"
#include "store/record_file.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonObject>
#include <QNetworkAccessManager>

using namespace Qt::StringLiterals;

namespace zafrano::cli {

namespace {

QJsonArray drawsJson(const QList<DrawRecord> &draws)
{
    QJsonArray list;
    for (const DrawRecord &draw : draws) {
        QJsonArray numbers;
        for (qint16 n : draw.numbers)
            numbers.append(n);
        list.append(QJsonObject{{u"date"_s, draw.date().toString(Qt::ISODate)},
                                {u"numbers"_s, numbers},
                                {u"complementario"_s, draw.complementario},
                                {u"reintegro"_s, draw.reintegro}});
    }
    return list;
}

void printDraws(const QList<DrawRecord> &draws)
{
    for (const DrawRecord &draw : draws)
        printLine(u"Sorteo añadido: "_s + drawDateText(draw) + u"  "_s + drawEntryText(draw));
}

// Information goes with the output; warnings and errors to standard error.
void printMessage(const ProgramMessage &message)
{
    if (message.icon == MessageIcon::Information)
        printLine(message.text);
    else
        printError(message.text);
}

// Checks every syndicate against the newest `drawCount` draws and keeps the
// tallies. Nothing is checked when a file cannot be read: the next check says so.
KeptCheck checkNewestDraws(const DataFolder &folder, int drawCount)
{
    Result<QList<DrawRecord>> draws = folder.draws().readAll();
    const SyndicatesFile syndicatesFile = folder.syndicates();
    Result<QList<SyndicateRecord>> syndicates = syndicatesFile.readAll();
    if (!draws || !syndicates)
        return {};
    CheckOptions options;
    options.drawCount = std::min<int>(drawCount, static_cast<int>(draws->size()));
    options.prizeFinds = true;
    return checkAndKeep(syndicatesFile, draws.value(), syndicates.value(), options);
}

int parsePageCommand(const CliContext &context)
{
    Result<QByteArray> page = readFileCapped(context.arguments.at(0), MaxSavedPageBytes);
    if (!page)
        return fail(page.error().message);
    Result<PageParse> parse =
        takeInResultsPage(context.folder, page.value(), {}, context.today.year());
    if (!parse)
        return fail(parse.error().message);
    const bool taken =
        parse->outcome == PageOutcome::NewDraws || parse->outcome == PageOutcome::NothingNew;
    if (context.json) {
        printJson(QJsonObject{{u"added"_s, drawsJson(parse->draws)},
                              {u"drawLink"_s, parse->drawLink},
                              {u"message"_s, parse->message ? parse->message->text : QString()}});
    } else {
        printDraws(parse->draws);
        if (parse->message && taken)
            printMessage(*parse->message);
    }
    if (!taken)
        return fail(*parse->message);
    return Success;
}

// Fetches the prize document into tuv.pdf, waiting for it.
Status fetchDocument(const DataFolder &folder, const QUrl &url, int timeoutMs)
{
    QNetworkAccessManager network;
    DocumentFetch fetch(network, timeoutMs);
    if (Status started = fetch.start(folder, url); !started)
        return started;
    QEventLoop loop;
    QObject::connect(&fetch, &DocumentFetch::finished, &loop, &QEventLoop::quit);
    loop.exec();
    return fetch.result();
}

int downloadCommand(const CliContext &context)
{
    std::optional<DownloadConfig> asked = operatorOptions(context);
    if (!asked)
        return UsageError;
    DownloadConfig config = *asked;
    const QString source = context.options->value(QString::fromUtf16(option::Source));
    if (source == u"json"_s)
        config.sources = SourceChoice::Json;
    else if (source == u"html"_s)
        config.sources = SourceChoice::Html;
    else if (!source.isEmpty() && source != u"auto"_s) {
        printError(u"Fuente no válida: "_s + source + u" (auto, json o html)."_s);
        return UsageError;
    }
    Result<QList<DrawRecord>> stored = context.folder.draws().readAll();
    if (!stored)
        return fail(stored.error().message);

    DownloadController download(context.folder, config);
    QList<ProgramMessage> failures;
    QStringList prizeLines;
    QList<PrizeFind> finds;
    QJsonObject report;
    QObject::connect(&download, &DownloadController::messageRaised,
                     [&](const ProgramMessage &message) {
                         if (message.icon == MessageIcon::Information)
                             printMessage(message);
                         else
                             failures.append(message);
                     });
    QObject::connect(&download, &DownloadController::checkRequested, [&](int drawCount, int) {
        const KeptCheck checked = checkNewestDraws(context.folder, drawCount);
        if (!checked.kept)
            failures.append(checked.kept.error().message);
        prizeLines += checked.winningLines;
        finds += checked.results.finds;
    });
    QObject::connect(&download, &DownloadController::refreshRequested, [&] {
        Result<QByteArray> page = readFileCapped(
            context.folder.filePath(QString::fromUtf16(DataFolder::SavedDrawPageName)),
            MaxSavedPageBytes);
        const PrizeReport prizes = readPrizeReport(
            page ? QByteArrayView(page.value()) : QByteArrayView(), config.operatorBase);
        const bool document =
            !prizes.documentUrl.isEmpty() &&
            fetchDocument(context.folder, prizes.documentUrl, config.requestTimeoutMs).ok();
        report = QJsonObject{{u"prizes"_s, QJsonArray::fromStringList(prizes.prizes)},
                             {u"document"_s, document ? prizes.documentUrl.toString() : QString()}};
    });
    QEventLoop loop;
    QObject::connect(&download, &DownloadController::finished, &loop, &QEventLoop::quit);
    download.start(context.today, stored->isEmpty() ? QDate() : stored->last().date());
    if (download.running())
        loop.exec();

    // Draws added make a download that did its job, whatever else failed
    // (said below); with nothing added, any failure does not.
    const bool added = !download.appendedDraws().isEmpty() || !download.insertedDraws().isEmpty();
    const bool done = added || (download.progress() == DownloadController::Finished &&
                                (download.pageOutcome() == PageOutcome::NewDraws ||
                                 download.pageOutcome() == PageOutcome::NothingNew) &&
                                failures.isEmpty());
    QJsonArray refusals;
    for (const ProgramMessage &refusal : download.refusals())
        refusals.append(refusal.text);
    // The prizes each new draw brought, as kept in zafrano.db.
    QList<DrawPrizes> kept;
    for (const DrawRecord &draw : download.appendedDraws()) {
        // Prizes that could not be kept were said by the download itself.
        if (Result<std::optional<DrawPrizes>> prizes = prizesOfDraw(context.folder, draw.date());
            prizes && prizes.value())
            kept.append(*prizes.value());
    }
    if (context.json) {
        QJsonArray keptJson;
        for (const DrawPrizes &prizes : kept)
            keptJson.append(QJsonObject{{u"date"_s, prizes.date.toString(Qt::ISODate)},
                                        {u"prizes"_s, prizesJson(prizes)}});
        printJson(QJsonObject{{u"added"_s, drawsJson(download.appendedDraws())},
                              {u"inserted"_s, drawsJson(download.insertedDraws())},
                              {u"source"_s, download.fromJson() ? u"json"_s : u"html"_s},
                              {u"refusals"_s, refusals},
                              {u"prizes"_s, keptJson},
                              {u"prizesFound"_s, QJsonArray::fromStringList(prizeLines)},
                              {u"report"_s, report},
                              {u"bytes"_s, download.byteCount()}});
    } else {
        // A source that refused before another answered is said first.
        if (done) {
            for (const ProgramMessage &refusal : download.refusals())
                printError(refusal.text);
        }
        printDraws(download.insertedDraws());
        printDraws(download.appendedDraws());
        // The newest draw's prizes, as kept from either road; --json gives every draw's.
        if (!kept.isEmpty())
            printPrizes(kept.last());
        for (const QString &line : prizeLines)
            printLine(line);
        // The prize document comes with the HTML road's draw page.
        if (!report.isEmpty() && !download.fromJson()) {
            const QString document = report.value(u"document"_s).toString();
            printLine(document.isEmpty() ? prizesNotYetText().trimmed()
                                         : u"Documento de premios guardado en tuv.pdf"_s);
        }
    }
    for (const ProgramMessage &message : failures)
        printMessage(message);
    if (context.options->isSet(QString::fromUtf16(option::Notify)))
        announceEveningNews(context.folder, finds, !done,
                            stored->isEmpty() ? QDate() : stored->last().date(), context.today);
    return done ? Success : Failed;
}

int prizesCommand(const CliContext &context)
{
    if (context.options->isSet(QString::fromUtf16(option::FetchHistory))) {
        if (!context.arguments.isEmpty()) {
            printError(u"Con --fetch-history no se da fecha: se piden todos los sorteos sin "
                       u"premios (desde --from AAAA-MM)."_s);
            return UsageError;
        }
        const std::optional<DownloadConfig> config = operatorOptions(context);
        return config ? fetchPrizeHistory(context, *config) : UsageError;
    }
    Result<QList<DrawRecord>> stored = context.folder.draws().readAll();
    if (!stored)
        return fail(stored.error().message);
    QDate date = stored->isEmpty() ? QDate() : stored->last().date();
    if (!context.arguments.isEmpty())
        date = QDate::fromString(context.arguments.at(0), u"yyyy-MM-dd"_s);
    const bool drawn = date.isValid() &&
                       std::any_of(stored->begin(), stored->end(),
                                   [date](const DrawRecord &draw) { return draw.date() == date; });
    if (!drawn)
        return fail({u"No hay ningún sorteo del "_s +
                         (context.arguments.isEmpty() ? u"último día"_s : context.arguments.at(0)) +
                         u'.',
                     u"Error"_s, MessageIcon::Exclamation});
    const Result<std::optional<DrawPrizes>> kept = prizesOfDraw(context.folder, date);
    if (!kept)
        return fail(kept.error().message);
    const std::optional<DrawPrizes> &prizes = kept.value();
    if (context.json) {
        printJson(QJsonObject{{u"date"_s, date.toString(Qt::ISODate)},
                              {u"prizes"_s, prizesJson(prizes)}});
    } else if (prizes) {
        printPrizes(*prizes);
    } else {
        printLine(u"No hay premios guardados del sorteo del "_s + shortDate(date) + u'.');
    }
    return Success;
}

int addDrawCommand(const CliContext &context)
{
    const QStringList &words = context.arguments;
    const QDate date = QDate::fromString(words.at(0), u"yyyy-MM-dd"_s);
    std::array<int, 8> values{};
    for (int i = 0; i < 8; ++i) {
        bool ok = false;
        values[i] = words.at(i + 1).toInt(&ok);
        if (!ok)
            return fail(
                {u"No es un número: "_s + words.at(i + 1), u"Error"_s, MessageIcon::Exclamation});
    }
    Result<QList<DrawRecord>> stored = context.folder.draws().readAll();
    if (!stored)
        return fail(stored.error().message);
    Result<FetchedDraw> typed =
        drawTypedIn(date, {values[0], values[1], values[2], values[3], values[4], values[5]},
                    values[6], values[7], stored.value(), context.today);
    if (!typed)
        return fail(typed.error().message);
    Result<Intake> intake = takeInDraws(context.folder, {typed.value()});
    if (!intake)
        return fail(intake.error().message);
    const KeptCheck checked = checkNewestDraws(context.folder, 1);
    printDraws(intake->appended + intake->inserted);
    for (const QString &line : checked.winningLines)
        printLine(line);
    if (!checked.kept)
        return fail(checked.kept.error().message);
    return Success;
}

} // namespace

std::optional<DownloadConfig> operatorOptions(const CliContext &context)
{
    const QString address = context.options->value(QString::fromUtf16(option::Operator));
    const std::optional<QUrl> base = operatorBaseUrl(address);
    if (!base) {
        printError(u"Dirección del operador no válida: "_s + address);
        return std::nullopt;
    }
    DownloadConfig config;
    config.operatorBase = *base;
    if (const QString timeout = context.options->value(QString::fromUtf16(option::Timeout));
        !timeout.isEmpty()) {
        config.requestTimeoutMs = timeout.toInt();
        if (config.requestTimeoutMs <= 0) {
            printError(u"Tiempo de espera no válido: "_s + timeout);
            return std::nullopt;
        }
    }
    return config;
}

const QList<CommandEntry> &netCommands()
{
    static const QList<CommandEntry> commands = {
        {u"parse-page", u"parse-page ARCHIVO", parsePageCommand,
         u"toma una página de búsqueda guardada del operador y añade los sorteos nuevos"},
        {u"download",
         u"download [--operator URL] [--source auto|json|html] [--timeout MS] [--notify]",
         downloadCommand,
         u"trae los sorteos nuevos del servicio JSON del operador (auto, lo normal, prueba "
         u"después la página HTML de los últimos 50 días), guarda sus premios en zafrano.db, "
         u"comprueba las peñas y dice lo añadido y los premios (sale con 1 si no añade nada y "
         u"falla una fuente); con --notify avisa además en el escritorio, como hace cada noche el "
         u"temporizador zafrano-comprobar.timer"},
        {u"prizes",
         u"prizes [AAAA-MM-DD] [--fetch-history] [--from AAAA-MM] [--pause-ms N] "
         u"[--operator URL] [--timeout MS]",
         prizesCommand,
         u"los premios guardados de un sorteo (el más nuevo si no se dice; en céntimos con "
         u"--json); sale con 1 si no hay tal sorteo. Con --fetch-history pide al servicio JSON "
         u"del operador, un mes por petición y del más antiguo al más nuevo, los premios de los "
         u"sorteos guardados que no los tienen (desde --from, nunca antes de 2002: los "
         u"anteriores se pagaron en pesetas), con una pausa entre peticiones (1000 ms si no se "
         u"da --pause-ms); dice una línea por mes. Un mes que llega completo no se vuelve a "
         u"pedir; una negativa del servicio (HTTP 403, sin respuesta a tiempo, datos que no "
         u"son JSON) lo detiene con su mensaje y sale con 1, y los meses anteriores quedan "
         u"guardados"},
        {u"add-draw", u"add-draw AAAA-MM-DD N1 N2 N3 N4 N5 N6 C R", addDrawCommand,
         u"añade un sorteo escrito a mano (posterior al último, o de un día de sorteo que "
         u"falte, y no posterior a hoy) y lo comprueba como una descarga"},
    };
    return commands;
}

} // namespace zafrano::cli
