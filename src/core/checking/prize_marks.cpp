// SPDX-License-Identifier: GPL-3.0-or-later
#include "checking/prize_marks.h"

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

} // namespace

Status keepPrizeFinds(const ProgramDatabase &db, const QList<PrizeFind> &finds)
{
    return db.transaction([&]() -> Status {
        for (const PrizeFind &find : finds) {
            Status kept = db.connection().execute(
                u"INSERT OR IGNORE INTO prize_marks (draw_date, syndicate, bets) "
                u"VALUES (?, ?, ?);"_s,
                {find.draw, find.syndicate, betsText(find.bets)});
            if (!kept)
                return kept;
        }
        return {};
    });
}

Result<QList<PrizeFind>> unmarkedPrizeFinds(const ProgramDatabase &db, PrizeMark mark)
{
    QList<PrizeFind> finds;
    Status read =
        db.connection().eachRow(u"SELECT draw_date, syndicate, bets FROM prize_marks WHERE "_s +
                                    markColumn(mark) + u" = 0 ORDER BY draw_date, syndicate;"_s,
                                {}, [&](const sqlite::Statement &row) {
                                    finds.append({row.date(0), row.text(1), betsOf(row.text(2))});
                                });
    if (!read)
        return read.error();
    return finds;
}

Status markPrizeFinds(const ProgramDatabase &db, const QList<PrizeFind> &finds, PrizeMark mark)
{
    return db.transaction([&]() -> Status {
        for (const PrizeFind &find : finds) {
            Status marked =
                db.connection().execute(u"UPDATE prize_marks SET "_s + markColumn(mark) +
                                            u" = 1 WHERE draw_date = ? AND syndicate = ?;"_s,
                                        {find.draw, find.syndicate});
            if (!marked)
                return marked;
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
