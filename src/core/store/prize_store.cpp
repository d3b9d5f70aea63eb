// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/prize_store.h"

#include "store/program_database.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano {

Status writePrizes(const ProgramDatabase &db, const QList<DrawPrizes> &prizes)
{
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
}

Status storePrizes(const ProgramDatabase &db, const QList<DrawPrizes> &prizes)
{
    return db.transaction([&] { return writePrizes(db, prizes); });
}

Status storePrizesOfDraw(const ProgramDatabase &db, const QList<DrawRecord> &stored,
                         const DrawPrizes &prizes)
{
    const auto refused = [](const QString &text) {
        return Error{ErrorKind::InvalidData, {text, u"Error"_s, MessageIcon::Exclamation}};
    };
    const QDate date = prizes.date;
    if (std::none_of(stored.begin(), stored.end(),
                     [date](const DrawRecord &draw) { return draw.date() == date; }))
        return refused(u"No hay ningún sorteo guardado del "_s +
                       (date.isValid() ? date.toString(u"dd/MM/yyyy"_s) : u"día indicado"_s) +
                       u": añádalo antes con sus números."_s);
    if (!prizes.known())
        return refused(u"No se ha escrito ningún premio."_s);
    return storePrizes(db, {prizes});
}

Result<std::optional<DrawPrizes>> storedPrizes(const ProgramDatabase &db, QDate date)
{
    DrawPrizes prizes;
    prizes.date = date;
    Status read =
        db.connection().eachRow(u"SELECT category, cents FROM draw_prizes WHERE draw_date = ?;"_s,
                                {date}, [&](const sqlite::Statement &row) {
                                    for (int k = 0; k < DrawPrizes::CategoryCount; ++k) {
                                        if (prizeCategoryKey(k) == row.text(0))
                                            prizes.cents[k] = row.int64(1);
                                    }
                                });
    if (!read)
        return read.error();
    if (!prizes.known())
        return std::optional<DrawPrizes>();
    return std::optional<DrawPrizes>(prizes);
}

} // namespace zafrano
