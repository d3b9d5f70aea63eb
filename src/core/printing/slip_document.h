// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/print_document.h"
#include "printing/slip_layout.h"

namespace zafrano {

// The printed slips of a syndicate: on official slips a page per slip with its
// "X" marks alone; on plain paper two participation slips to a page, each
// drawn with its artwork under the marks.
PrintDocument buildSlipDocument(const SyndicateRecord &syndicate, const SlipOptions &options);

} // namespace zafrano
