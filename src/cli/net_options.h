// SPDX-License-Identifier: GPL-3.0-or-later
// What the commands that reach the operator's site share.
#pragma once

#include "cli_context.h"
#include "net/download_controller.h"

#include <optional>

namespace zafrano::cli {

// The operator's address and each request's time-out, as --operator and
// --timeout give them; nothing, the problem printed, when one is not valid.
std::optional<DownloadConfig> operatorOptions(const CliContext &context);

// prizes --fetch-history: the prizes of the stored draws that lack them, from
// the operator's JSON service month by month, a line said per month.
int fetchPrizeHistory(const CliContext &context, const DownloadConfig &config);

} // namespace zafrano::cli
