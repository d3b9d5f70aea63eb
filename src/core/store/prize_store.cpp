// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/prize_store.h"

#include "store/program_database.h"

using namespace Qt::StringLiterals;

namespace zafrano {

Status storePrizes(const ProgramDatabase &db, const QList<DrawPrizes> &prizes)
{
    return db.transaction([&]() -> Status {
        for (const DrawPrizes &draw : prizes) {
            for (int k = 0; k < DrawPrizes::CategoryCount; ++k) {
                if (!draw.cents[k])
                    continue;
                Status kept = db.connection().execute(
                    u"INSERT OR REPLACE INTO draw_prizes (draw_date, category, cents) "
                    u"VALUES (?, ?, ?);"_s,
                    {draw.date, prizeCategoryKey(k), *draw.cents[k]});
                if (!kept)
                    return kept;
            }
        }
        return {};
    });
}

Result<std::optional<DrawPrizes>> storedPrizes(const ProgramDatabase &db, QDate date)
{
    Result<QHash<QDate, DrawPrizes>> stored = storedPrizesBetween(db, date, date);
    if (!stored)
        return stored.error();
    const auto found = stored->constFind(date);
    if (found == stored->constEnd())
        return std::optional<DrawPrizes>();
    return std::optional<DrawPrizes>(*found);
}

Result<QHash<QDate, DrawPrizes>> storedPrizesBetween(const ProgramDatabase &db, QDate from,
                                                     QDate to)
{
    QHash<QDate, DrawPrizes> prizes;
    Status read = db.connection().eachRow(u"SELECT draw_date, category, cents FROM draw_prizes "
                                          u"WHERE draw_date BETWEEN ? AND ?;"_s,
                                          {from, to}, [&](const sqlite::Statement &row) {
                                              const QString category = row.text(1);
                                              for (int k = 0; k < DrawPrizes::CategoryCount; ++k) {
                                                  if (prizeCategoryKey(k) != category)
                                                      continue;
                                                  DrawPrizes &draw = prizes[row.date(0)];
                                                  draw.date = row.date(0);
                                                  draw.cents[k] = row.int64(2);
                                              }
                                          });
    if (!read)
        return read.error();
    return prizes;
}

} // namespace zafrano
