// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/weekday.h"

#include "store/day_serial.h"

namespace zafrano {

QString diasemana(double daySerial)
{
    return weekdayName(fromDaySerial(daySerial));
}

} // namespace zafrano
