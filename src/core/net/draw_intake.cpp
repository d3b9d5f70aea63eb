// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/draw_intake.h"

#include "backup/automatic_copies.h"
#include "calendar/draw_calendar.h"
#include "checking/draws_to_count.h"
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

// The prizes could not be kept: the draws are in, the message says why.
ProgramMessage prizesNotKept(const Error &error)
{
    return refused(u"Los premios no se han podido guardar en zafrano.db: "_s + error.message.text);
}

const DrawRecord *storedDraw(const QList<DrawRecord> &stored, QDate date)
{
    const double day = toDaySerial(date);
    const auto found = std::lower_bound(
        stored.cbegin(), stored.cend(), day,
        [](const DrawRecord &draw, double serial) { return draw.drawDate < serial; });
    return found != stored.cend() && found->drawDate == day ? &*found : nullptr;
}

bool sameDraw(const DrawRecord &a, const DrawRecord &b)
{
    return a.numbers == b.numbers && a.complementario == b.complementario &&
           a.reintegro == b.reintegro;
}

} // namespace

bool isMissingDrawDay(const QList<DrawRecord> &stored, QDate date)
{
    return !stored.isEmpty() && date > stored.first().date() && date < stored.last().date() &&
           isDrawDay(date) && !storedDraw(stored, date);
}

Result<Intake> takeInDraws(const DataFolder &folder, const QList<FetchedDraw> &draws,
                           IntakeRoad road, QDate today)
{
    const DrawsFile file = folder.draws();
    Result<QList<DrawRecord>> read = file.readAll();
    if (!read)
        return read.error();
    const QList<DrawRecord> &stored = read.value();
    Intake intake;
    if (draws.isEmpty())
        return intake;
    QList<FetchedDraw> fetched = draws;
    std::stable_sort(fetched.begin(), fetched.end(), [](const auto &a, const auto &b) {
        return a.draw.drawDate < b.draw.drawDate;
    });
    const QDate newest = stored.isEmpty() ? QDate() : stored.last().date();
    QList<DrawPrizes> prizes;
    QList<DrawPrizes> storedDrawPrizes;
    QList<FetchedDraw> fresh;
    for (const FetchedDraw &one : std::as_const(fetched)) {
        const QDate date = one.draw.date();
        if (!newest.isValid() || date > newest) {
            fresh.append(one);
            continue;
        }
        if (const DrawRecord *same = storedDraw(stored, date)) {
            if (!sameDraw(*same, one.draw))
                intake.remarks.append(refused(
                    u"El sorteo del %1 que da el servidor no coincide con el guardado: "
                    u"se deja el guardado y no se toman sus premios."_s.arg(shortDate(date))));
            else if (one.prizes.known())
                storedDrawPrizes.append(one.prizes);
            continue;
        }
        // The months asked again may begin before the oldest stored draw.
        if (road == IntakeRoad::Download && date < stored.first().date())
            continue;
        if (!isMissingDrawDay(stored, date))
            return refusedDraw(
                u"El sorteo del %1 no es posterior al último guardado (%2) ni de un día de "
                u"sorteo que falte."_s.arg(shortDate(date), shortDate(newest)));
        intake.inserted.append(one.draw);
        if (one.prizes.known())
            prizes.append(one.prizes);
    }
    // A download appends no draw past a draw day it lacks: the next one asks again.
    QDate expected = newest.isValid() ? nextDrawDay(newest.addDays(1)) : QDate();
    for (const FetchedDraw &one : std::as_const(fresh)) {
        const QDate date = one.draw.date();
        if (road == IntakeRoad::Download && expected.isValid() && date > expected &&
            (!today.isValid() || expected < today)) {
            intake.heldBack.append(one.draw);
            continue;
        }
        if (!intake.heldBack.isEmpty()) {
            intake.heldBack.append(one.draw);
            continue;
        }
        intake.appended.append(one.draw);
        if (one.prizes.known())
            prizes.append(one.prizes);
        expected = nextDrawDay(date.addDays(1));
    }
    if (!intake.heldBack.isEmpty())
        intake.remarks.append(
            refused(u"Falta el sorteo del %1: los %2 sorteos posteriores que ha traído la "
                    u"descarga no se guardan hasta tenerlo; se pedirá en la próxima descarga."_s
                        .arg(shortDate(expected))
                        .arg(intake.heldBack.size())));
    for (const QList<DrawRecord> *list : {&intake.inserted, &intake.appended}) {
        if (Status valid = list->isEmpty() ? Status() : checkDrawSequence(*list); !valid)
            return valid.error();
    }

    if (!intake.inserted.isEmpty()) {
        // A whole-file rewrite: the copy first, then what the syndicates are
        // owed, then the draws in date order.
        if (Status copied = copies::copyBeforeCommand(folder.basePath(), copies::InsertDrawReason);
            !copied)
            return copied.error();
        if (Status owed = keepDrawsToCountIn(folder, intake.inserted); !owed)
            return owed.error();
        QList<DrawRecord> merged = stored + intake.inserted + intake.appended;
        std::sort(merged.begin(), merged.end(),
                  [](const DrawRecord &a, const DrawRecord &b) { return a.drawDate < b.drawDate; });
        if (Status written = file.rewrite(merged); !written)
            return written.error();
    } else if (!intake.appended.isEmpty()) {
        if (Status appended = file.append(intake.appended); !appended)
            return appended.error();
    }

    if (prizes.isEmpty() && storedDrawPrizes.isEmpty())
        return intake;
    Result<ProgramDatabase> db = ProgramDatabase::openIn(folder);
    if (!db) {
        intake.notice = prizesNotKept(db.error());
        return intake;
    }
    // The prizes of a stored draw are kept when they say more than those kept.
    for (const DrawPrizes &again : std::as_const(storedDrawPrizes)) {
        Result<std::optional<DrawPrizes>> kept = storedPrizes(db.value(), again.date);
        if (kept && kept.value() && **kept == again)
            continue;
        prizes.append(again);
        ++intake.prizesRecovered;
    }
    if (Status kept = storePrizes(db.value(), prizes); !kept) {
        intake.notice = prizesNotKept(kept.error());
        intake.prizesRecovered = 0;
    } else {
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
                                int reintegro, const QList<DrawRecord> &stored, QDate today)
{
    if (!date.isValid())
        return refusedDraw(u"La fecha del sorteo no es válida."_s);
    if (!stored.isEmpty() && date <= stored.last().date() && !isMissingDrawDay(stored, date))
        return refusedDraw(u"La fecha del sorteo debe ser posterior a la del último sorteo "
                           u"guardado (%1) o la de un día de sorteo que falte."_s.arg(
                               shortDate(stored.last().date())));
    if (date > today)
        return refusedDraw(
            u"La fecha del sorteo no puede ser posterior a hoy (%1)."_s.arg(shortDate(today)));
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
