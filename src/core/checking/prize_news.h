// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "checking/check_run.h"

#include <QDate>
#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace zafrano {

// The prizes one syndicate won in one draw, as a check counted them into its
// tallies: winning bets of 3, 4, 5, 6 and 5 + complementario hits (slots 3..7).
struct PrizeFind
{
    QDate draw;
    QString syndicate; // its name: records move when one is deleted
    std::array<int, 5> bets{};

    friend bool operator==(const PrizeFind &, const PrizeFind &) = default;
};

// The prizes a check newly counted: for every syndicate, each played draw
// after its old counted-through date up to its new one. `before` are the
// syndicates as they were, `checked` what runCheck made of them.
QList<PrizeFind> newPrizeFinds(const QList<DrawRecord> &draws, const QList<SyndicateRecord> &before,
                               const CheckResults &checked);

// A desktop notification: its title and its body.
struct Announcement
{
    QString title;
    QString body;
};

inline constexpr auto PrizeTitle = u"¡Premio en la Bonoloto!";

// One line per syndicate, the categories from the highest down and every
// draw's bets added: "LOS DEL BAR: 1 de 4 aciertos, 3 de 3 aciertos".
Announcement prizeAnnouncement(const QList<PrizeFind> &finds);

// After every results source failed: said once the newest stored draw is
// three days old or more, so that a dead source does not go unnoticed while a
// night without a connection stays quiet.
inline constexpr int SilentSourceDays = 3;
std::optional<Announcement> silentSourceAnnouncement(bool everySourceFailed, QDate newestDraw,
                                                     QDate today);

} // namespace zafrano
