// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/evening_timer.h"

namespace zafrano::gui {

// The user's service manager the settings window switches the evening timer
// through (the core's, shared with zafrano-cli timer).
using zafrano::Systemctl;
using SystemSystemctl = zafrano::SystemSystemctl;

} // namespace zafrano::gui
