// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/price_change.h"

#include "app/program_data.h"
#include "ledger/price_history.h"
#include "store/program_database.h"

namespace zafrano::gui {

Result<Cents> keepBetPrice(const ProgramData &data, Cents before, Cents price,
                           std::optional<QDate> dated)
{
    const QDate today = data.platform().clock.today();
    const QList<DrawRecord> &draws = data.draws();
    const QDate since =
        dated ? *dated : dayChangeCounts(today, draws.isEmpty() ? QDate() : draws.last().date());
    Result<ProgramDatabase> db = ProgramDatabase::openIn(data.folder());
    if (!db)
        return db.error();
    // Only a date the treasurer typed may be refused for coming after today.
    return keepDatedPriceChange(*db, before, price, since, dated ? today : since);
}

} // namespace zafrano::gui
