// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/prize_store.h"

#include "store/day_serial.h"
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
                       (date.isValid() ? shortDate(date) : u"día indicado"_s) +
                       u": añádalo antes con sus números."_s);
    if (!prizes.known())
        return refused(u"No se ha escrito ningún premio."_s);
    return storePrizes(db, {prizes});
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
