// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "checking/check_run.h"
#include "printing/print_document.h"

namespace zafrano {

// The printed results: "PEÑAS SENCILLAS / REDUCIDAS", then "PEÑAS MÚLTIPLES"
// on a page of its own, each draw with its numbers and, under it, the
// syndicates' bets and prizes as the lists show them. Without any bet to print
// the document holds the logo only (hasText() is false).
PrintDocument buildResultsListing(const CheckResults &results);

// "3-7-12-25-33-41  C:5  R:3", as the listing heads a draw.
QString listingDrawText(const DrawRecord &draw);

} // namespace zafrano
