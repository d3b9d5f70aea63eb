// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "checking/prize_news.h"
#include "common/result.h"

#include <QString>

namespace zafrano::cli {

// Sends desktop notifications through the freedesktop notification service
// (org.freedesktop.Notifications) on the session bus.
class DesktopNotifier
{
public:
    // Fails, saying why, when the service did not take the notification: no
    // session bus, or no notification service on it.
    Status send(const Announcement &announcement) const;
};

} // namespace zafrano::cli
