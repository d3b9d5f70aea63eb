// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_context.h"
#include "output.h"
#include "printing/slip_document.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zafrano::cli {

namespace {

int printSlipsCommand(const CliContext &context)
{
    const QCommandLineParser &parser = *context.options;
    const std::optional<QString> pdfGiven = requiredPdf(context);
    if (!pdfGiven)
        return UsageError;
    const QString &pdf = *pdfGiven;
    Result<ChosenSyndicate> chosen = chosenSyndicate(context);
    if (!chosen)
        return fail(chosen.error().message);
    const SyndicateRecord &syndicate = chosen->syndicate;
    if (Status printable = slipsPrintable(syndicate); !printable)
        return fail(printable.error().message);

    // Official slips take the printer corrections the player has saved.
    SlipOptions options;
    options.mode =
        parser.isSet(QString::fromUtf16(option::Plain)) ? SlipMode::Plain : SlipMode::Official;
    options.offsetX = context.settings.printOffsetX;
    options.offsetY = context.settings.printOffsetY;
    options.extraMark = parser.isSet(QString::fromUtf16(option::ExtraMark));
    const PrintDocument document = buildSlipDocument(syndicate, options);
    if (Status written = writePdf(document, pdf, u"Boletos de la peña "_s + syndicate.nameText());
        !written)
        return fail(written.error().message);
    if (context.json)
        printJson(QJsonObject{{u"slips"_s, slipCount(syndicate)}, {u"pdf"_s, pdf}});
    else
        printLine(u"%1 boletos de la peña %2 en %3."_s.arg(slipCount(syndicate))
                      .arg(syndicate.nameText(), pdf));
    return Success;
}

} // namespace

const QList<CommandEntry> &slipCommands()
{
    static const QList<CommandEntry> commands = {
        {u"print-slips", u"print-slips N --pdf ARCHIVO [--plain] [--extra-mark]", printSlipsCommand,
         u"las apuestas de la peña N para los boletos oficiales (con las correcciones de la "
         u"impresora de bnums.ini) o, con --plain, en papel normal; --extra-mark marca también "
         u"la casilla bajo el bloque 8"},
    };
    return commands;
}

} // namespace zafrano::cli
