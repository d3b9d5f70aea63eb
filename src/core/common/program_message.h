// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zafrano {

// The icon a modal message carries; the GUI maps it onto its own boxes.
enum class MessageIcon
{
    Information,
    Exclamation,
    Question,
    Critical
};

// A message exactly as the program shows it to the player: text, title, icon.
struct ProgramMessage
{
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::Information;

    friend bool operator==(const ProgramMessage &, const ProgramMessage &) = default;
};

} // namespace zafrano
