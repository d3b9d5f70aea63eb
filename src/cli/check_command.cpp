// SPDX-License-Identifier: GPL-3.0-or-later
#include "checking/check_and_keep.h"
#include "checking/prize_category.h"
#include "cli_context.h"
#include "common/texts.h"
#include "output.h"
#include "printing/results_listing.h"
#include "stats/draw_listing.h"

#include <QJsonArray>
#include <QJsonObject>
#include <ranges>

using namespace Qt::StringLiterals;

namespace zafrano::cli {

namespace {

QString colorName(quint32 rgb)
{
    return u"#%1"_s.arg(rgb, 6, 16, QChar(u'0'));
}

QJsonArray rowsJson(const ResultList &list)
{
    QJsonArray rows;
    for (int row = 0; row < list.rowCount(); ++row) {
        QJsonArray cells;
        QJsonArray colors;
        for (const ResultCell &cell : list.rowCells(row)) {
            cells.append(cell.text);
            colors.append(cell.color ? QJsonValue(colorName(*cell.color)) : QJsonValue());
        }
        rows.append(QJsonObject{{u"cells"_s, cells}, {u"colors"_s, colors}});
    }
    return rows;
}

void printRows(const ResultList &list, const QString &title)
{
    if (list.rowCount() == 0)
        return;
    printLine(title);
    for (int row = 0; row < list.rowCount(); ++row) {
        QString line;
        const QList<ResultCell> cells = list.rowCells(row);
        for (int column = 1; column < cells.size() - 1; ++column)
            line += u"%1"_s.arg(cells[column].text, 3);
        line += u"  "_s + cells.last().text;
        printLine(line.trimmed().isEmpty() ? QString() : line);
    }
}

int checkCommand(const CliContext &context)
{
    CheckOptions options;
    const QCommandLineParser &parser = *context.options;
    if (parser.isSet(QString::fromUtf16(option::Draws))) {
        bool ok = false;
        options.drawCount = parser.value(QString::fromUtf16(option::Draws)).toInt(&ok);
        if (!ok || options.drawCount < 1) {
            printError(u"Número de sorteos no válido: "_s +
                       parser.value(QString::fromUtf16(option::Draws)));
            return UsageError;
        }
    }
    options.history = parser.isSet(QString::fromUtf16(option::History));
    options.prizesOnly = parser.isSet(QString::fromUtf16(option::PrizesOnly));
    options.syndicateName = parser.value(QString::fromUtf16(option::Syndicate)).trimmed();

    // The same cycle as the window's: the draws are read and listed (an
    // unreadable file is put aside with its message), then checked.
    Result<LoadedDraws> loaded = loadDrawsList(context.folder.draws(), 0);
    if (!loaded)
        return fail(loaded.error().message);
    const SyndicatesFile syndicatesFile = context.folder.syndicates();
    Result<QList<SyndicateRecord>> syndicates = syndicatesFile.readAll();
    if (!syndicates)
        return fail(syndicates.error().message);
    if (!options.syndicateName.isEmpty() &&
        std::none_of(syndicates->begin(), syndicates->end(), [&](const SyndicateRecord &s) {
            return s.nameText() == options.syndicateName;
        }))
        return fail({u"No existe la peña "_s + options.syndicateName + u'.', u"Error"_s,
                     MessageIcon::Exclamation});
    options.drawCount = std::min<int>(options.drawCount, static_cast<int>(loaded->draws.size()));

    const KeptCheck checked = checkAndKeep(
        syndicatesFile, loaded->draws, syndicates.value(), options,
        parser.isSet(QString::fromUtf16(option::DryRun)) ? TallyWrite::DryRun : TallyWrite::Keep);
    if (!checked.kept)
        return fail(checked.kept.error().message);
    const CheckResults &results = checked.results;

    if (const QString pdf = parser.value(QString::fromUtf16(option::Pdf)); !pdf.isEmpty()) {
        const PrintDocument listing = buildResultsListing(results);
        if (!listing.hasText())
            return fail(texts::emptyResultsListing());
        if (Status written = writePdf(listing, pdf, u"Resultados de las peñas"_s); !written)
            return fail(written.error().message);
    }

    if (context.json) {
        printJson(QJsonObject{{u"simple"_s, rowsJson(results.simple)},
                              {u"multiple"_s, rowsJson(results.multiple)}});
        return Success;
    }
    printRows(results.simple, u"PEÑAS SENCILLAS / REDUCIDAS"_s);
    printRows(results.multiple, u"PEÑAS MÚLTIPLES"_s);
    for (int record : results.changedRecords) {
        const SyndicateRecord &syndicate = results.syndicates[record - 1];
        QStringList tallies;
        for (const PrizeCategoryInfo &category : std::views::reverse(PrizeCategories))
            tallies.append(u"%1 %2"_s.arg(QString::fromUtf16(category.shortName))
                               .arg(syndicate.hit(category.slot)));
        printLine(u"Peña "_s + syndicate.nameText() + u": "_s + tallies.join(u", "_s));
    }
    return Success;
}

} // namespace

const QList<CommandEntry> &checkCommands()
{
    static const QList<CommandEntry> commands = {
        {u"check",
         u"check [--draws N] [--history] [--prizes-only] [--syndicate NOMBRE] [--dry-run] "
         u"[--pdf ARCHIVO]",
         checkCommand,
         u"comprueba las peñas con los N sorteos más nuevos (1 si no se dice), suma los premios "
         u"nuevos a sus aciertos (no con --dry-run) y escribe las listas; --pdf escribe el "
         u"listado impreso"},
    };
    return commands;
}

} // namespace zafrano::cli
