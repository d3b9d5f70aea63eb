// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/prize_store.h"

#include "common/sqlite_statement.h"
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
                const int code = sqlite::execute(
                    db.handle(),
                    u"INSERT OR REPLACE INTO draw_prizes (draw_date, category, cents) "
                    u"VALUES (?, ?, ?);"_s,
                    {draw.date, prizeCategoryKey(k), *draw.cents[k]});
                if (code != SQLITE_OK)
                    return db.error(code);
            }
        }
        return {};
    });
}

Result<std::optional<DrawPrizes>> storedPrizes(const ProgramDatabase &db, QDate date)
{
    sqlite::Statement select(db.handle(),
                             u"SELECT category, cents FROM draw_prizes WHERE draw_date = ?;"_s);
    select.bind(1, date);
    if (select.code() != SQLITE_OK)
        return db.error(select.code());
    DrawPrizes prizes;
    prizes.date = date;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(select.get())) == SQLITE_ROW) {
        const QString key =
            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(select.get(), 0)));
        for (int k = 0; k < DrawPrizes::CategoryCount; ++k) {
            if (prizeCategoryKey(k) == key)
                prizes.cents[k] = sqlite3_column_int64(select.get(), 1);
        }
    }
    if (step != SQLITE_DONE)
        return db.error(step);
    if (!prizes.known())
        return std::optional<DrawPrizes>();
    return std::optional<DrawPrizes>(prizes);
}

} // namespace zafrano
