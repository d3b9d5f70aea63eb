// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "checking/prize_news.h"

#include <QString>

namespace zafrano::cli {

// Sends desktop notifications through the freedesktop notification service
// (org.freedesktop.Notifications) on the session bus.
class DesktopNotifier
{
public:
    // Empty when the service took the notification; otherwise why it did not:
    // no session bus, or no notification service on it.
    QString send(const Announcement &announcement) const;
};

} // namespace zafrano::cli
