// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"

namespace zafrano {

// What the player is told when the syndicate detail or its report row fails.
struct DetailFailure
{
    ProgramMessage message;
    // A report database that is missing or damaged ends the program.
    bool endsProgram = false;
};

// A read-only database is not a damaged one: it gets the permission message
// and the program goes on.
DetailFailure detailFailure(const Error &error);

// A report that cannot be shown.
ProgramMessage reportFailure(int number);

// The statistics could not be copied to the report database.
ProgramMessage statisticsFailure(int number);

} // namespace zafrano
