// SPDX-License-Identifier: GPL-3.0-or-later
#include "checking/prize_news.h"

#include "calendar/weekday.h"
#include "store/day_serial.h"

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

// The categories from the highest down, with their tally slots.
struct CategoryName
{
    int slot;
    const char16_t *name;
};
constexpr CategoryName Categories[] = {
    {6, u"6 aciertos"}, {7, u"5 + C"}, {5, u"5 aciertos"}, {4, u"4 aciertos"}, {3, u"3 aciertos"}};

} // namespace

QList<PrizeFind> newPrizeFinds(const QList<DrawRecord> &draws, const QList<SyndicateRecord> &before,
                               const CheckResults &checked)
{
    QList<PrizeFind> finds;
    for (int record : checked.changedRecords) {
        const SyndicateRecord &old = before.at(record - 1);
        const SyndicateRecord &now = checked.syndicates.at(record - 1);
        for (const DrawRecord &draw : draws) {
            if (draw.drawDate <= old.countedThrough || draw.drawDate > now.countedThrough ||
                draw.drawDate < now.createdOn ||
                !now.playsOn(weekdayNameOf(draw.date().dayOfWeek())))
                continue;
            const std::array<int, 5> bets = prizesInDraw(now, draw);
            if (std::any_of(bets.begin(), bets.end(), [](int n) { return n > 0; }))
                finds.append({draw.date(), now.nameText(), bets});
        }
    }
    return finds;
}

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
        for (const CategoryName &category : Categories) {
            if (const int bets = totals[i][category.slot - 3]; bets > 0)
                won.append(u"%1 de %2"_s.arg(bets).arg(QString::fromUtf16(category.name)));
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
