// SPDX-License-Identifier: GPL-3.0-or-later
// The results from the operator's site: a saved search page taken in, and the
// whole download without a window, as a timer job runs it.
#include "checking/check_run.h"
#include "cli_context.h"
#include "net/download_controller.h"
#include "net/operator_site.h"
#include "net/page_fetch.h"
#include "net/prize_report.h"
#include "net/results_page.h"
#include "output.h"
#include "store/record_file.h"

#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>

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

int parsePageCommand(const CliContext &context)
{
    Result<QByteArray> page = readFileCapped(context.arguments.at(0), MaxSavedPageBytes);
    if (!page)
        return fail(page.error().message);
    Result<PageParse> parse =
        takeInResultsPage(context.folder, page.value(), {}, false, context.today.year());
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

// Fetches the prize document into tuv.pdf; false when none came.
bool fetchDocument(const DataFolder &folder, const QUrl &url, int timeoutMs)
{
    const QString path = folder.filePath(QString::fromUtf16(DocumentFileName));
    QFile::remove(path);
    QNetworkAccessManager network;
    PageFetch fetch(network, timeoutMs, MaxDocumentBytes);
    QEventLoop loop;
    QObject::connect(&fetch, &PageFetch::finished, &loop, &QEventLoop::quit);
    fetch.start(url);
    loop.exec();
    if (!fetch.errorText().isEmpty())
        return false;
    return replaceFileAtomically(path, path + u".tmp"_s, fetch.page()).ok() &&
           documentAvailable(fetch.page().left(4), true, true);
}

int downloadCommand(const CliContext &context)
{
    const std::optional<QUrl> base =
        operatorBaseUrl(context.options->value(QString::fromUtf16(option::Operator)));
    if (!base) {
        printError(u"Dirección del operador no válida: "_s +
                   context.options->value(QString::fromUtf16(option::Operator)));
        return UsageError;
    }
    DownloadConfig config;
    config.operatorBase = *base;
    if (const QString timeout = context.options->value(QString::fromUtf16(option::Timeout));
        !timeout.isEmpty()) {
        config.requestTimeoutMs = timeout.toInt();
        if (config.requestTimeoutMs <= 0) {
            printError(u"Tiempo de espera no válido: "_s + timeout);
            return UsageError;
        }
    }
    Result<QList<DrawRecord>> stored = context.folder.draws().readAll();
    if (!stored)
        return fail(stored.error().message);

    DownloadController download(context.folder, config);
    QList<ProgramMessage> failures;
    QStringList prizeLines;
    QJsonObject report;
    QObject::connect(&download, &DownloadController::messageRaised,
                     [&](const ProgramMessage &message) {
                         if (message.icon == MessageIcon::Information)
                             printMessage(message);
                         else
                             failures.append(message);
                     });
    QObject::connect(&download, &DownloadController::checkRequested, [&](int drawCount, int) {
        Result<QList<DrawRecord>> draws = context.folder.draws().readAll();
        const SyndicatesFile syndicatesFile = context.folder.syndicates();
        Result<QList<SyndicateRecord>> syndicates = syndicatesFile.readAll();
        if (!draws || !syndicates)
            return;
        CheckOptions options;
        options.drawCount = std::min<int>(drawCount, static_cast<int>(draws->size()));
        const CheckResults results = runCheck(draws.value(), syndicates.value(), options);
        if (results.changedRecords.isEmpty())
            return;
        if (Status written = syndicatesFile.writeAll(results.syndicates); !written) {
            failures.append(written.error().message);
            return;
        }
        for (int record : results.changedRecords) {
            const SyndicateRecord &before = syndicates->at(record - 1);
            const SyndicateRecord &after = results.syndicates[record - 1];
            QStringList won;
            const std::pair<int, const char16_t *> categories[] = {{3, u"3 aciertos"},
                                                                   {4, u"4 aciertos"},
                                                                   {5, u"5 aciertos"},
                                                                   {7, u"5 + C"},
                                                                   {6, u"6 aciertos"}};
            for (const auto &[slot, name] : categories) {
                if (const int added = after.hit(slot) - before.hit(slot); added > 0)
                    won.append(u"%1 %2"_s.arg(QString::fromUtf16(name)).arg(added));
            }
            if (!won.isEmpty())
                prizeLines.append(u"Premio en la peña "_s + after.nameText() + u": "_s +
                                  won.join(u", "_s));
        }
    });
    QObject::connect(&download, &DownloadController::refreshRequested, [&] {
        Result<QByteArray> page = readFileCapped(
            context.folder.filePath(QString::fromUtf16(DataFolder::SavedDrawPageName)),
            MaxSavedPageBytes);
        const PrizeReport prizes =
            readPrizeReport(page ? QByteArrayView(page.value()) : QByteArrayView(), *base);
        const bool document =
            !prizes.documentUrl.isEmpty() &&
            fetchDocument(context.folder, prizes.documentUrl, config.requestTimeoutMs);
        report = QJsonObject{{u"prizes"_s, QJsonArray::fromStringList(prizes.prizes)},
                             {u"document"_s, document ? prizes.documentUrl.toString() : QString()}};
    });
    QEventLoop loop;
    QObject::connect(&download, &DownloadController::finished, &loop, &QEventLoop::quit);
    download.start(context.today, stored->isEmpty() ? QDate() : stored->last().date());
    if (download.running())
        loop.exec();

    const bool done = download.progress() == DownloadController::Finished &&
                      (download.pageOutcome() == PageOutcome::NewDraws ||
                       download.pageOutcome() == PageOutcome::NothingNew) &&
                      failures.isEmpty();
    if (context.json) {
        printJson(QJsonObject{{u"added"_s, drawsJson(download.appendedDraws())},
                              {u"prizesFound"_s, QJsonArray::fromStringList(prizeLines)},
                              {u"report"_s, report},
                              {u"bytes"_s, download.byteCount()}});
    } else {
        printDraws(download.appendedDraws());
        for (const QString &line : prizeLines)
            printLine(line);
        if (!report.isEmpty()) {
            const QStringList names = {u"6 aciertos"_s, u"5 + C"_s, u"5 aciertos"_s,
                                       u"4 aciertos"_s, u"3 aciertos"_s};
            const QJsonArray prizes = report.value(u"prizes"_s).toArray();
            for (int k = 0; k < 5; ++k) {
                if (!prizes.at(k).toString().isEmpty())
                    printLine(u"Premio de %1: %2"_s.arg(names[k], prizes.at(k).toString()));
            }
            const QString document = report.value(u"document"_s).toString();
            printLine(document.isEmpty() ? prizesNotYetText().trimmed()
                                         : u"Documento de premios guardado en tuv.pdf"_s);
        }
    }
    for (const ProgramMessage &message : failures)
        printMessage(message);
    return done ? Success : Failed;
}

} // namespace

const QList<CommandEntry> &netCommands()
{
    static const QList<CommandEntry> commands = {
        {u"parse-page", u"parse-page ARCHIVO", parsePageCommand},
        {u"download", u"download [--operator URL] [--timeout MS]", downloadCommand},
    };
    return commands;
}

} // namespace zafrano::cli
