// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "checking/check_run.h"
#include "store/draw_prizes.h"

#include <QDate>
#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <optional>

namespace zafrano {

// A desktop notification: its title and its body.
struct Announcement
{
    QString title;
    QString body;
};

inline constexpr auto PrizeTitle = u"¡Premio en la Bonoloto!";

// The prizes stored for the draw of a date, when they are known.
using PrizesOfDraw = std::function<std::optional<DrawPrizes>(QDate)>;

// One line per syndicate and draw, the categories from the highest down, the
// draw's date and, when every category won has its prize stored, the euros:
// "LOS DEL BAR: 4 aciertos el 18/08/2026 (25,00 €)",
// "LA PEÑA: 2 de 4 aciertos, 3 de 3 aciertos el 07/12/2026".
Announcement prizeAnnouncement(const QList<PrizeFind> &finds, const PrizesOfDraw &prizesOf = {});

// After every results source failed: said once the newest stored draw is
// three days old or more, so that a dead source does not go unnoticed while a
// night without a connection stays quiet.
inline constexpr int SilentSourceDays = 3;
std::optional<Announcement> silentSourceAnnouncement(bool everySourceFailed, QDate newestDraw,
                                                     QDate today);

} // namespace zafrano
