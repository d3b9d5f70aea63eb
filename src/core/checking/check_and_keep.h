// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "checking/check_run.h"
#include "common/result.h"
#include "store/syndicates_file.h"

#include <QStringList>

namespace zafrano {

// Whether a check writes the tallies it brought up to date.
enum class TallyWrite : quint8
{
    Keep,
    DryRun
};

// A check and the keeping of its tallies.
struct KeptCheck
{
    // The lists, the tallies brought up to date (results.syndicates and
    // results.changedRecords) and, with options.prizeFinds, the prizes newly
    // counted (results.finds).
    CheckResults results;
    // "Premio en la peña LOS DEL BAR: 3 aciertos 2, 5 + C 1": one line per
    // syndicate whose tallies grew, with the bets newly counted in each category.
    QStringList winningLines;
    // The write of the syndicates file. After an error the file is as it was
    // and nothing counts as newly won: no changed records, finds or lines.
    Status kept;
};

// Checks `syndicates` (as just read from `file`) against `draws` and, unless
// told not to, writes the file when a record changed: the one road of the
// window's check, `check`, `download` and `add-draw`.
[[nodiscard]] KeptCheck checkAndKeep(const SyndicatesFile &file, const QList<DrawRecord> &draws,
                                     const QList<SyndicateRecord> &syndicates,
                                     const CheckOptions &options,
                                     TallyWrite write = TallyWrite::Keep,
                                     const CheckProgress &progress = {});

} // namespace zafrano
