// SPDX-License-Identifier: GPL-3.0-or-later
#include "evening_news.h"

#include "checking/prize_marks.h"
#include "desktop_notifier.h"
#include "output.h"
#include "store/prize_store.h"
#include "store/program_database.h"

using namespace Qt::StringLiterals;

namespace zafrano::cli {

void announceEveningNews(const DataFolder &folder, const QList<PrizeFind> &finds,
                         bool everySourceFailed, QDate newestDraw, QDate today)
{
    QList<PrizeFind> pending = finds;
    Result<ProgramDatabase> db = ProgramDatabase::openIn(folder);
    if (!db) {
        printError(db.error().message.text);
    } else {
        Status kept = keepPrizeFinds(db.value(), finds);
        Result<QList<PrizeFind>> unannounced = unmarkedPrizeFinds(db.value(), PrizeMark::Announced);
        if (!kept || !unannounced)
            printError((!kept ? kept.error() : unannounced.error()).message.text);
        else
            pending = unannounced.value();
    }
    QList<Announcement> announcements;
    if (!pending.isEmpty()) {
        // The euros are said where the draw's prizes are kept.
        const PrizesOfDraw prizesOf = [&db](QDate date) -> std::optional<DrawPrizes> {
            if (!db)
                return std::nullopt;
            Result<std::optional<DrawPrizes>> stored = storedPrizes(db.value(), date);
            return stored ? stored.value() : std::nullopt;
        };
        announcements.append(prizeAnnouncement(pending, prizesOf));
    }
    if (std::optional<Announcement> silent =
            silentSourceAnnouncement(everySourceFailed, newestDraw, today))
        announcements.append(*silent);

    const DesktopNotifier notifier;
    for (const Announcement &announcement : announcements) {
        if (const Status sent = notifier.send(announcement); !sent) {
            printError(u"No se ha podido avisar en el escritorio. "_s + sent.error().message.text);
            return;
        }
    }
    if (db && !pending.isEmpty()) {
        if (Status marked = markPrizeFinds(db.value(), pending, PrizeMark::Announced); !marked)
            printError(marked.error().message.text);
    }
}

} // namespace zafrano::cli
