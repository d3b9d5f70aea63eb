// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/weekday_names.h"

#include <QString>

namespace zafrano {

// The Spanish name of the weekday of a day serial: "Domingo", "Lunes", …, "Sábado".
QString diasemana(double daySerial);

} // namespace zafrano
