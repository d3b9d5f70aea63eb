// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "checking/prize_news.h"

#include <QDate>
#include <QList>

namespace zafrano {
class DataFolder;
}

namespace zafrano::cli {

// download --notify, after the download and the check: keeps the prizes found
// in zafrano.db for the window, and tells the desktop the ones not yet told
// and a results source dead for days. Without a bus or a notification service
// it says so on standard error; the prizes then wait for the next run.
void announceEveningNews(const DataFolder &folder, const QList<PrizeFind> &finds,
                         bool everySourceFailed, QDate newestDraw, QDate today);

} // namespace zafrano::cli
