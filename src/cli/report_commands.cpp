// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli report: the figures the window copies to the report database,
// written the same way, and the report laid out from there into a PDF file.
#include "cli_context.h"
#include "common/texts.h"
#include "output.h"
#include "reports/report_layout.h"
#include "reports/report_messages.h"
#include "reports/syndicate_detail.h"
#include "stats/draw_listing.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zafrano::cli {

namespace {

ReportDatabase reportDatabase(const CliContext &context)
{
    return ReportDatabase(context.folder.filePath(QString::fromUtf16(ReportDatabase::FileName)));
}

// A database that cannot take the figures would print someone else's.
int failWrite(const Error &error, const ProgramMessage &message)
{
    return fail(error.kind == ErrorKind::PermissionDenied ? texts::permissionDenied() : message);
}

int printReport(const CliContext &context, ReportKind kind)
{
    const QString pdf = context.options->value(QString::fromUtf16(option::Pdf));
    Result<ReportDocument> report = buildReport(context.folder, kind);
    if (!report)
        return fail(reportFailure(report.error().number));
    if (Status written = writeReportPdf(report.value(), pdf); !written)
        return fail(written.error().message);
    if (context.json)
        printJson(QJsonObject{{u"report"_s, report->title}, {u"pdf"_s, pdf}});
    else
        printLine(report->title + u" en "_s + pdf + u'.');
    return Success;
}

int syndicateReportCommand(const CliContext &context)
{
    if (!requiredPdf(context))
        return UsageError;
    Result<ChosenSyndicate> chosen = chosenSyndicate(context);
    if (!chosen)
        return fail(chosen.error().message);
    Result<QList<DrawRecord>> draws = context.folder.draws().readAll();
    if (!draws)
        return fail(draws.error().message);
    Result<SyndicateDetail> detail = describeSyndicate(chosen->syndicate, draws.value(),
                                                       context.settings.pricePerBet, context.today);
    if (!detail)
        return fail(detailFailure(detail.error()).message);

    const ReportDatabase db = reportDatabase(context);
    const Status written =
        db.writeSyndicate(detail->bets, syndicateReportRow(chosen->syndicate, detail.value()));
    if (!written)
        return failWrite(written.error(), detailFailure(written.error()).message);
    return printReport(context, ReportKind::Syndicate);
}

int statisticsReportCommand(const CliContext &context)
{
    if (!requiredPdf(context))
        return UsageError;
    const std::optional<StatisticsOptions> options = statisticsOptions(context);
    if (!options)
        return UsageError;
    Result<LoadedDraws> loaded = loadDrawsList(
        context.folder.draws(), periodStart(options->period, context.today), options->days);
    if (!loaded)
        return fail(loaded.error().message);
    const DrawListing &listing = loaded->listing;

    const ReportDatabase db = reportDatabase(context);
    Status written = db.writeNewestDrawText(listing.newestEntryText);
    if (written)
        written =
            db.writeSelection(describeSelection(options->period, options->days, listing.count(),
                                                listing.newestListed, listing.oldestListed)
                                  .row);
    // The chosen numbers change only with a ranking, as in the assistant.
    if (written && options->rankGiven && options->rank > 0)
        written = db.writeChosenNumbers(
            chosenNumbers(listing.counts, rankNumbers(listing.counts), options->rank));
    if (!written)
        return failWrite(written.error(), statisticsFailure(written.error().number));
    return printReport(context, ReportKind::Statistics);
}

} // namespace

const QList<CommandEntry> &reportCommands()
{
    static const QList<CommandEntry> commands = {
        {u"report syndicate", u"report syndicate N --pdf ARCHIVO", syndicateReportCommand,
         u"el informe de la peña N (Zafrano.net), como al elegirla en el «Gestor de peñas»"},
        {u"report statistics",
         u"report statistics --pdf ARCHIVO [--days Lu,Ma,Mi,Ju,Vi,Sa] [--months N] [--rank N]",
         statisticsReportCommand,
         u"el informe de las estadísticas (Zafrano1.net) de los sorteos elegidos"},
    };
    return commands;
}

} // namespace zafrano::cli
