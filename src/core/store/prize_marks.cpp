// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/prize_marks.h"

#include "common/sqlite_statement.h"
#include "store/data_folder.h"
#include "store/program_database.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

QString markColumn(PrizeMark mark)
{
    return mark == PrizeMark::Announced ? u"announced"_s : u"shown"_s;
}

// The bets per category as stored: "0 1 0 0 0", slots 3..7.
QString betsText(const std::array<int, 5> &bets)
{
    QStringList words;
    for (int n : bets)
        words.append(QString::number(n));
    return words.join(u' ');
}

std::array<int, 5> betsOf(const QString &text)
{
    std::array<int, 5> bets{};
    const QStringList words = text.split(u' ');
    for (int slot = 0; slot < 5 && slot < words.size(); ++slot)
        bets[slot] = words[slot].toInt();
    return bets;
}

QString columnText(sqlite3_stmt *stmt, int column)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)));
}

} // namespace

Status keepPrizeFinds(const ProgramDatabase &db, const QList<PrizeFind> &finds)
{
    return db.transaction([&]() -> Status {
        for (const PrizeFind &find : finds) {
            const int code =
                sqlite::execute(db.handle(),
                                u"INSERT OR IGNORE INTO prize_marks (draw_date, syndicate, bets) "
                                u"VALUES (?, ?, ?);"_s,
                                {find.draw, find.syndicate, betsText(find.bets)});
            if (code != SQLITE_OK)
                return db.error(code);
        }
        return {};
    });
}

Result<QList<PrizeFind>> unmarkedPrizeFinds(const ProgramDatabase &db, PrizeMark mark)
{
    sqlite::Statement select(db.handle(), u"SELECT draw_date, syndicate, bets FROM prize_marks "_s
                                          u"WHERE "_s +
                                              markColumn(mark) +
                                              u" = 0 ORDER BY draw_date, syndicate;"_s);
    if (select.code() != SQLITE_OK)
        return db.error(select.code());
    QList<PrizeFind> finds;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(select.get())) == SQLITE_ROW) {
        finds.append({QDate::fromString(columnText(select.get(), 0), Qt::ISODate),
                      columnText(select.get(), 1), betsOf(columnText(select.get(), 2))});
    }
    if (step != SQLITE_DONE)
        return db.error(step);
    return finds;
}

Status markPrizeFinds(const ProgramDatabase &db, const QList<PrizeFind> &finds, PrizeMark mark)
{
    return db.transaction([&]() -> Status {
        for (const PrizeFind &find : finds) {
            const int code = sqlite::execute(db.handle(),
                                             u"UPDATE prize_marks SET "_s + markColumn(mark) +
                                                 u" = 1 WHERE draw_date = ? AND syndicate = ?;"_s,
                                             {find.draw, find.syndicate});
            if (code != SQLITE_OK)
                return db.error(code);
        }
        return {};
    });
}

QList<PrizeFind> takeUnshownPrizeFinds(const DataFolder &folder)
{
    if (!QFile::exists(folder.filePath(QString::fromUtf16(ProgramDatabase::FileName))))
        return {};
    Result<ProgramDatabase> db = ProgramDatabase::openIn(folder);
    if (!db)
        return {};
    Result<QList<PrizeFind>> unshown = unmarkedPrizeFinds(db.value(), PrizeMark::Shown);
    if (!unshown || !markPrizeFinds(db.value(), unshown.value(), PrizeMark::Shown))
        return {};
    return unshown.value();
}

} // namespace zafrano
