// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "checking/check_run.h"

#include <QDate>
#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace zafrano {

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
