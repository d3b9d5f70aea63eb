// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/draw_intake.h"

#include "common/money.h"
#include "store/day_serial.h"
#include "store/draw_rule.h"
#include "store/prize_store.h"
#include "store/program_database.h"

#include <QFile>
#include <algorithm>
#include <cstdint>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

ProgramMessage refused(const QString &text)
{
    return {text, u"Error"_s, MessageIcon::Exclamation};
}

Error refusedDraw(const QString &text)
{
    return {ErrorKind::InvalidData, refused(text)};
}

QString dayText(QDate date)
{
    return date.toString(u"dd/MM/yyyy"_s);
}

// The prizes could not be kept: the draws are in, the message says why.
ProgramMessage prizesNotKept(const Error &error)
{
    return refused(u"Los premios no se han podido guardar en zafrano.db: "_s + error.message.text);
}

} // namespace

Result<Intake> takeInDraws(const DataFolder &folder, const QList<FetchedDraw> &draws)
{
    const DrawsFile file = folder.draws();
    Result<QList<DrawRecord>> stored = file.readAll();
    if (!stored)
        return stored.error();
    Intake intake;
    if (draws.isEmpty())
        return intake;
    for (const FetchedDraw &fetched : draws) {
        if (!stored->isEmpty() && fetched.draw.drawDate <= stored->last().drawDate)
            return refusedDraw(u"El sorteo del %1 no es posterior al último guardado (%2)."_s.arg(
                dayText(fetched.draw.date()), dayText(stored->last().date())));
        intake.appended.append(fetched.draw);
    }
    if (Status valid = checkDrawSequence(intake.appended); !valid)
        return valid.error();
    if (Status appended = file.append(intake.appended); !appended)
        return appended.error();

    QList<DrawPrizes> prizes;
    for (const FetchedDraw &fetched : draws) {
        if (fetched.prizes.known())
            prizes.append(fetched.prizes);
    }
    if (!prizes.isEmpty()) {
        Result<ProgramDatabase> db = ProgramDatabase::openIn(folder);
        if (!db)
            intake.notice = prizesNotKept(db.error());
        else if (Status kept = storePrizes(db.value(), prizes); !kept)
            intake.notice = prizesNotKept(kept.error());
        else
            intake.notice = db->notice();
    }
    return intake;
}

Result<std::optional<ProgramMessage>> keepPrizes(const DataFolder &folder, const DrawPrizes &prizes)
{
    if (!prizes.known())
        return std::optional<ProgramMessage>();
    Result<ProgramDatabase> db = ProgramDatabase::openIn(folder);
    if (!db)
        return Error{db.error().kind, prizesNotKept(db.error())};
    if (Status kept = storePrizes(db.value(), {prizes}); !kept)
        return Error{kept.error().kind, prizesNotKept(kept.error())};
    return db->notice();
}

Result<std::optional<DrawPrizes>> prizesOfDraw(const DataFolder &folder, QDate date)
{
    // Reading creates nothing: a folder without zafrano.db has no prizes kept.
    if (!QFile::exists(folder.filePath(QString::fromUtf16(ProgramDatabase::FileName))))
        return std::optional<DrawPrizes>();
    Result<ProgramDatabase> db = ProgramDatabase::openIn(folder);
    if (!db)
        return db.error();
    return storedPrizes(db.value(), date);
}

Result<FetchedDraw> drawTypedIn(QDate date, const std::array<int, 6> &numbers, int complementario,
                                int reintegro, QDate newestStored, QDate today)
{
    if (!date.isValid())
        return refusedDraw(u"La fecha del sorteo no es válida."_s);
    if (newestStored.isValid() && date <= newestStored)
        return refusedDraw(u"La fecha del sorteo debe ser posterior a la del último sorteo "
                           u"guardado (%1)."_s.arg(dayText(newestStored)));
    if (date > today)
        return refusedDraw(
            u"La fecha del sorteo no puede ser posterior a hoy (%1)."_s.arg(dayText(today)));
    // Held as the record holds them; a value too big for it stays outside the rule.
    const auto field = [](int value) {
        return static_cast<qint16>(std::clamp<int>(value, INT16_MIN, INT16_MAX));
    };
    DrawRecord draw;
    for (int i = 0; i < 6; ++i)
        draw.numbers[i] = field(numbers[i]);
    draw.complementario = field(complementario);
    draw.reintegro = field(reintegro);
    draw.drawDate = toDaySerial(date);
    Result<DrawRecord> sorted = sortedDraw(draw);
    if (!sorted)
        return sorted.error();
    FetchedDraw typed;
    typed.draw = sorted.value();
    typed.prizes.date = date;
    return typed;
}

DrawPrizes prizesOfPage(const QStringList &pagePrizes, QDate date)
{
    DrawPrizes prizes;
    prizes.date = date;
    for (int k = 0; k < std::min<int>(5, static_cast<int>(pagePrizes.size())); ++k)
        prizes.cents[k] = centsFromText(pagePrizes[k]);
    return prizes;
}

} // namespace zafrano
