// SPDX-License-Identifier: GPL-3.0-or-later
#include "checking/prize_news.h"

#include "checking/prize_category.h"

using namespace Qt::StringLiterals;

namespace zafrano {

Announcement prizeAnnouncement(const QList<PrizeFind> &finds)
{
    QStringList names;
    QList<std::array<int, 5>> totals;
    for (const PrizeFind &find : finds) {
        qsizetype at = names.indexOf(find.syndicate);
        if (at < 0) {
            names.append(find.syndicate);
            totals.append(std::array<int, 5>{});
            at = names.size() - 1;
        }
        for (int slot = 0; slot < 5; ++slot)
            totals[at][slot] += find.bets[slot];
    }
    QStringList lines;
    for (qsizetype i = 0; i < names.size(); ++i) {
        QStringList won;
        for (const PrizeCategoryInfo &category : PrizeCategories) {
            if (const int bets = totals[i][category.slot - 3]; bets > 0)
                won.append(u"%1 de %2"_s.arg(bets).arg(QString::fromUtf16(category.shortName)));
        }
        lines.append(names[i] + u": "_s + won.join(u", "_s));
    }
    return {QString::fromUtf16(PrizeTitle), lines.join(u'\n')};
}

std::optional<Announcement> silentSourceAnnouncement(bool everySourceFailed, QDate newestDraw,
                                                     QDate today)
{
    if (!everySourceFailed || (newestDraw.isValid() && newestDraw.daysTo(today) < SilentSourceDays))
        return std::nullopt;
    const QString since = newestDraw.isValid()
                              ? u"desde el sorteo del "_s + newestDraw.toString(u"dd/MM/yyyy"_s)
                              : u"todavía"_s;
    return Announcement{u"Zafrano no puede bajar los sorteos"_s,
                        u"Ninguna fuente de resultados ha respondido y no hay sorteos nuevos "_s +
                            since + u". Compruebe la conexión o pulse «Bajar sorteos»."_s};
}

} // namespace zafrano
