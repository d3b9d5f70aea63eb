// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup/draws_rescue.h"

#include "common/texts.h"
#include "store/day_serial.h"
#include "store/draw_history_csv.h"
#include "stats/draw_listing.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

QString madeText(const QDateTime &made)
{
    return made.toLocalTime().toString(u"dd/MM/yyyy HH:mm"_s);
}

QString contentsLine(const CopySummary &contents)
{
    QString line = u"Son %1 sorteos"_s.arg(contents.draws);
    if (contents.firstDraw && contents.lastDraw)
        line +=
            u", del %1 al %2"_s.arg(shortDate(*contents.firstDraw), shortDate(*contents.lastDraw));
    return line + u'.';
}

} // namespace

QString DrawsRescue::copyDrawsPath() const
{
    return copy ? QDir(copy->path).filePath(QString::fromUtf16(DrawsFile::FileName)) : QString();
}

std::optional<DrawsRescue> rescueDamagedDraws(const DataFolder &folder)
{
    Result<LoadedDraws> loaded = loadDrawsList(folder.draws(), 0);
    if (loaded)
        return std::nullopt;
    DrawsRescue rescue{loaded.error().message, std::nullopt, {}, {}};
    // Today's copy was taken of the damaged file: it is refused as every copy
    // whose draws do not read whole is, and an older one is offered.
    for (const copies::CopyEntry &entry : copies::listCopies(folder.basePath())) {
        Result<CheckedCopy> read = readCopy(entry.path, folder.basePath());
        if (read && read->summary.draws > 0) {
            rescue.copy = entry;
            rescue.copyContents = read->summary;
            break;
        }
    }
    const QString history = folder.shippedFilePath(QString::fromUtf16(HistoryFileName));
    if (QFileInfo::exists(history))
        rescue.history = history;
    return rescue;
}

ProgramMessage copyRescueQuestion(const DrawsRescue &rescue)
{
    return {u"¿Quiere recuperar los sorteos de la copia automática del %1 (%2)? %3 Las peñas y "
            u"las cuentas se quedan como están."_s.arg(madeText(rescue.copy->made),
                                                       copies::reasonInWords(rescue.copy->reason),
                                                       contentsLine(rescue.copyContents)),
            QString::fromUtf16(texts::ProgramName), MessageIcon::Question};
}

QString rescueAdvice(const DrawsRescue &rescue)
{
    // One way a line, its command last, so that it can be copied whole.
    QStringList ways;
    if (rescue.copy)
        ways.append(
            u"  los de la copia automática del %1 (%2 sorteos):\n    zafrano-cli import %3"_s
                .arg(madeText(rescue.copy->made))
                .arg(rescue.copyContents.draws)
                .arg(QDir::toNativeSeparators(rescue.copyDrawsPath())));
    if (!rescue.history.isEmpty())
        ways.append(u"  el histórico que trae el programa:\n    zafrano-cli import-csv %1"_s.arg(
            QDir::toNativeSeparators(rescue.history)));
    if (ways.isEmpty())
        return u"No hay ninguna copia con sorteos: importe un histórico con «zafrano-cli "
               u"import-csv ARCHIVO» o baje los sorteos con «zafrano-cli download»."_s;
    return u"Para recuperar los sorteos, importe\n"_s + ways.join(u"\no bien\n"_s);
}

} // namespace zafrano
