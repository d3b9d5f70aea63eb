// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli backtest: a peña over the real draws of 2025 with prizes kept in
// zafrano.db, counted independently and by its account; each bad input refused.
#include "cli_runner.h"
#include "store/data_folder.h"
#include "store/prize_store.h"
#include "store/program_database.h"
#include "test_paths.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

const QList<QList<int>> Bets = {{3, 11, 19, 27, 35, 43}, {5, 12, 23, 31, 40, 48}};

// Made-up euros per winning bet: 6, 5 + C, 5, 4, 3, reintegro; none yet every fifth day.
std::optional<DrawPrizes> madeUpPrizes(QDate date)
{
    if (date.day() % 5 == 0)
        return std::nullopt;
    return DrawPrizes{date,
                      {90'000'000, 6'000'000, 150'000 + date.day(), 2'500 + date.month(), 400, 50}};
}

} // namespace

TEST(CliBacktest, APenaOverTheDrawsOf2025)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    copyTables(dir.path());
    const auto run = [&](const QString &today, const QStringList &arguments) {
        return runCli(dir.path(), today, arguments);
    };
    // The peña is made on the first day of 2025, when the draws went up to
    // then; the draws of 2025 come after.
    const QString history = QString::fromUtf8(FixturesDir) + u"/historico_bonoloto.csv"_s;
    const auto drawsBefore = [&](const char *year) {
        QByteArray kept;
        for (const QByteArray &line : readBytes(history).split('\n')) {
            if (!line.startsWith("202") || line < year)
                kept += line + '\n';
        }
        const QString csv = dir.filePath(QString::fromLatin1(year) + u".csv"_s);
        writeBytes(csv, kept);
        return csv;
    };
    ASSERT_EQ(run(u"2025-01-01"_s, {u"import-csv"_s, drawsBefore("2025")}).exitCode, 0);
    const CliRun added =
        run(u"2025-01-01"_s, {u"add-syndicate"_s, u"--name"_s, u"PLAZA"_s, u"--days"_s, u"Todos"_s,
                              u"--bets"_s, u"3 11 19 27 35 43;5 12 23 31 40 48"_s});
    ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
    ASSERT_EQ(run(u"2026-01-01"_s, {u"import-csv"_s, drawsBefore("2026")}).exitCode, 0);

    // What each 2025 draw paid the two bets, counted here on their own.
    QList<DrawPrizes> kept;
    qint64 cost = 0, prizes = 0;
    QJsonArray pending;
    std::array<int, 6> bets{};
    for (const DrawRecord &draw : realHistory()) {
        const QDate date = draw.date();
        if (date.year() != 2025)
            continue;
        cost += 2 * 50;
        const std::optional<DrawPrizes> paid = madeUpPrizes(date);
        if (paid)
            kept.append(*paid);
        qint64 won = 0;
        bool any = false;
        for (const QList<int> &bet : Bets) {
            const auto hit = [&](int n) { return bet.contains(n); };
            const int hits = int(std::count_if(draw.numbers.begin(), draw.numbers.end(), hit));
            // The table's places: 6, 5 + C, 5, 4, 3.
            const int place = hits == 6   ? 0
                              : hits == 5 ? (hit(draw.complementario) ? 1 : 2)
                              : hits == 4 ? 3
                              : hits == 3 ? 4
                                          : -1;
            if (place < 0)
                continue;
            any = true;
            ++bets[place];
            won += paid ? *paid->cents[place] : 0;
        }
        if (any && !paid)
            pending.append(date.toString(Qt::ISODate));
        prizes += won;
    }
    ASSERT_FALSE(pending.isEmpty());
    {
        Result<ProgramDatabase> db = ProgramDatabase::openIn(DataFolder(dir.path()));
        ASSERT_TRUE(db);
        ASSERT_TRUE(storePrizes(*db, kept));
    }

    const CliRun done =
        run(u"2026-01-01"_s, {u"--json"_s, u"backtest"_s, u"--syndicate"_s, u"1"_s, u"--from"_s,
                              u"2025-01-01"_s, u"--to"_s, u"2025-12-31"_s});
    ASSERT_EQ(done.exitCode, 0) << done.err.toStdString();
    const QJsonObject figures = done.json().object();
    EXPECT_EQ(figures[u"played"_s].toInt(), cost / 100);
    EXPECT_EQ(figures[u"betsPerDraw"_s].toInt(), 2);
    EXPECT_EQ(figures[u"cost"_s].toInteger(), cost);
    EXPECT_EQ(figures[u"prizes"_s].toInteger(), prizes);
    EXPECT_EQ(figures[u"refunds"_s].toInteger(), 0);
    EXPECT_EQ(figures[u"net"_s].toInteger(), prizes - cost);
    EXPECT_EQ(figures[u"pending"_s].toArray(), pending);
    const QJsonObject categories = figures[u"categories"_s].toObject();
    const QStringList keys = {u"6"_s, u"5C"_s, u"5"_s, u"4"_s, u"3"_s};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(categories[keys[k]].toObject()[u"bets"_s].toInt(), bets[k]) << k;

    // The peña's own account counts the same draws to the same cent.
    const CliRun account = run(u"2026-01-01"_s, {u"--json"_s, u"ledger"_s, u"1"_s});
    ASSERT_EQ(account.exitCode, 0) << account.err.toStdString();
    EXPECT_EQ(account.json()[u"cost"_s].toInteger(), cost);
    EXPECT_EQ(account.json()[u"prizes"_s].toInteger(), prizes);
    EXPECT_EQ(account.json()[u"pending"_s].toArray(), pending);

    const struct
    {
        QStringList arguments;
        QString message;
    } refusals[] = {
        {{u"--multiple"_s, u"4"_s, u"--numbers"_s, u"1 2 3 4"_s},
         u"Una múltiple tiene de 5 a 11 números; 4 no vale."_s},
        {{u"--multiple"_s, u"7"_s, u"--numbers"_s, u"1 2 3 4 5 6 6"_s},
         u"El número 6 está repetido."_s},
        {{u"--bets"_s, u"1 2 3 4 5 50"_s}, u"Apuesta 1: «50» no es un número del 1 al 49."_s},
        {{u"--table"_s, u"9999"_s, u"--numbers"_s, u"1 2 3 4 5 6 7 8"_s},
         u"El archivo de tablas no tiene la tabla de reducción 9999."_s},
        {{u"--syndicate"_s, u"1"_s, u"--days"_s, u"Lunnes"_s},
         u"«Lunnes» no es un día de juego: escriba Lunes, Martes, Miércoles, Jueves, Viernes, "
         u"Sábado, Domingo o Todos."_s},
        {{u"--syndicate"_s, u"1"_s, u"--from"_s, u"2025-06-01"_s, u"--to"_s, u"2025-05-01"_s},
         u"La fecha de inicio (01/06/2025) es posterior a la final (01/05/2025)."_s},
        {{u"--syndicate"_s, u"1"_s, u"--days"_s, u"domingo"_s, u"--from"_s, u"2020-01-01"_s,
          u"--to"_s, u"2020-12-31"_s},
         u"No hay ningún sorteo guardado de los domingos del 01/01/2020 al 31/12/2020."_s},
    };
    for (const auto &refusal : refusals) {
        const CliRun refused = run(u"2026-01-01"_s, QStringList{u"backtest"_s} + refusal.arguments);
        EXPECT_EQ(refused.exitCode, 1) << refusal.arguments.join(u' ').toStdString();
        EXPECT_EQ(refused.err, refusal.message + u'\n');
    }
}

int main(int argc, char **argv)
{
    // QProcess wants an application object.
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
