// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/prize_months.h"

#include "store/prize_store.h"
#include "store/program_database.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

// "2025-01": how a month is kept.
QString monthKey(QDate month)
{
    return month.toString(u"yyyy-MM"_s);
}

} // namespace

QDate firstEuroDraw()
{
    return QDate(2002, 1, 1);
}

Result<QSet<QDate>> completePrizeMonths(const ProgramDatabase &db)
{
    QSet<QDate> months;
    Status read = db.connection().eachRow(
        u"SELECT month FROM prize_history_months;"_s, {}, [&](const sqlite::Statement &row) {
            const QDate month = QDate::fromString(row.text(0) + u"-01"_s, Qt::ISODate);
            if (month.isValid())
                months.insert(month);
        });
    if (!read)
        return read.error();
    return months;
}

Status storePrizeMonth(const ProgramDatabase &db, QDate month, const QList<DrawPrizes> &prizes,
                       bool complete, QDate today)
{
    return db.transaction([&]() -> Status {
        Status kept = writePrizes(db, prizes);
        if (kept && complete)
            kept = db.connection().execute(
                u"INSERT OR REPLACE INTO prize_history_months (month, asked_on) VALUES (?, ?);"_s,
                {monthKey(month), today});
        return kept;
    });
}

Result<QSet<QDate>> datesWithEveryPrize(const ProgramDatabase &db, QDate from)
{
    QStringList keys;
    for (int k = 0; k < DrawPrizes::Refund; ++k)
        keys.append(u'\'' + prizeCategoryKey(k) + u'\'');
    QSet<QDate> dates;
    Status read = db.connection().eachRow(
        u"SELECT draw_date FROM draw_prizes WHERE draw_date >= ? AND category IN (%1) "
        u"GROUP BY draw_date HAVING count(*) = %2;"_s.arg(keys.join(u','))
            .arg(keys.size()),
        {from}, [&](const sqlite::Statement &row) { dates.insert(row.date(0)); });
    if (!read)
        return read.error();
    return dates;
}

bool everyCategoryKnown(const DrawPrizes &prizes)
{
    return std::all_of(prizes.cents.begin(), prizes.cents.begin() + DrawPrizes::Refund,
                       [](const auto &cents) { return cents.has_value(); });
}

} // namespace zafrano
