// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "store/syndicate_record.h"
#include "systems/tables_file.h"

#include <QList>

namespace zafrano {

// expandReducedBets: the syndicate plays the table on the base numbers b[1..N],
// in the order the editor holds them. The base numbers go to reducedNumbers,
// N to reducedFrom, G to reducedGuarantee and M to betCount; number k of bet j
// is b[p] for the k-th position p of the table's line j, bets in the order of
// the file. Every other bet slot is cleared.
//
// A table the program cannot play (see tableBetMasks) or base numbers that are
// not N distinct numbers of 1..49 are refused with the program's message, so
// no half-made syndicate is ever written.
Result<SyndicateRecord> expandReducedBets(SyndicateRecord syndicate, const ReductionTable &table,
                                          const QList<int> &baseNumbers);

} // namespace zafrano
