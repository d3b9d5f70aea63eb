// SPDX-License-Identifier: GPL-3.0-or-later
#include "checking/prize_news.h"

#include "checking/prize_category.h"
#include "common/money.h"
#include "store/day_serial.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano {

Announcement prizeAnnouncement(const QList<PrizeFind> &finds, const PrizesOfDraw &prizesOf)
{
    // The finds of one syndicate on one draw make one line, in the order found.
    QList<PrizeFind> lines;
    for (const PrizeFind &find : finds) {
        auto same = std::find_if(lines.begin(), lines.end(), [&find](const PrizeFind &line) {
            return line.syndicate == find.syndicate && line.draw == find.draw;
        });
        if (same == lines.end()) {
            lines.append(find);
            continue;
        }
        for (int slot = 0; slot < 5; ++slot)
            same->bets[slot] += find.bets[slot];
    }
    QStringList texts;
    for (const PrizeFind &line : lines) {
        const std::optional<DrawPrizes> prizes = prizesOf ? prizesOf(line.draw) : std::nullopt;
        QStringList won;
        std::optional<Cents> euros = Cents{0};
        for (const PrizeCategoryInfo &category : PrizeCategories) {
            const int bets = line.bets[category.slot - 3];
            if (bets <= 0)
                continue;
            const QString name = QString::fromUtf16(category.shortName);
            won.append(bets == 1 ? name : u"%1 de %2"_s.arg(bets).arg(name));
            const std::optional<qint64> each =
                prizes ? prizes->cents[category.prizeIndex] : std::nullopt;
            euros = euros && each ? std::optional<Cents>(*euros + bets * *each) : std::nullopt;
        }
        QString text =
            line.syndicate + u": "_s + won.join(u", "_s) + u" el "_s + shortDate(line.draw);
        if (euros)
            text += u" ("_s + moneyText(*euros) + u" €)"_s;
        texts.append(text);
    }
    return {QString::fromUtf16(PrizeTitle), texts.join(u'\n')};
}

std::optional<Announcement> silentSourceAnnouncement(bool everySourceFailed, QDate newestDraw,
                                                     QDate today)
{
    if (!everySourceFailed || (newestDraw.isValid() && newestDraw.daysTo(today) < SilentSourceDays))
        return std::nullopt;
    const QString since =
        newestDraw.isValid() ? u"desde el sorteo del "_s + shortDate(newestDraw) : u"todavía"_s;
    return Announcement{u"Zafrano no puede bajar los sorteos"_s,
                        u"Ninguna fuente de resultados ha respondido y no hay sorteos nuevos "_s +
                            since + u". Compruebe la conexión o pulse «Bajar sorteos»."_s};
}

} // namespace zafrano
