// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli add-prizes and price: a prize pending in an account typed in
// once known, bad amounts and days refused, and a price change dated back
// that reprices the draws from that day.
#include "cli_runner.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano::test;

TEST(CliPrizes, TypedPrizesResolveAPendingDrawAndADatedPriceReprices)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    copyTables(dir.path());
    const QString monday = u"2026-08-10"_s;
    const auto run = [&](const QStringList &arguments) {
        return runCli(dir.path(), monday, arguments);
    };
    ASSERT_EQ(runCli(dir.path(), u"2026-08-09"_s,
                     {u"add-syndicate"_s, u"--name"_s, u"BAR"_s, u"--days"_s, u"Todos"_s,
                      u"--bets"_s, u"1 2 3 4 5 6"_s})
                  .exitCode,
              0);
    // One bet with 3 hits, its prize not known yet.
    ASSERT_EQ(run({u"add-draw"_s, monday, u"1"_s, u"2"_s, u"3"_s, u"20"_s, u"21"_s, u"22"_s,
                   u"30"_s, u"4"_s})
                  .exitCode,
              0);
    const auto ledger = [&] { return run({u"--json"_s, u"ledger"_s, u"1"_s}).json().object(); };
    ASSERT_EQ(ledger()[u"pending"_s].toArray(), QJsonArray{monday});

    const struct
    {
        QStringList arguments;
        QString message;
    } refusals[] = {
        {{monday, u"3=cuatro"_s},
         u"El premio de 3 aciertos: «cuatro» no es un importe válido. Escriba el importe en "
         u"euros, como 12,50 o 1.000,50."_s},
        {{monday, u"7=4"_s},
         u"«7=4» no vale: escriba cada premio como CATEGORÍA=EUROS, por ejemplo 4=45,60; las "
         u"categorías son 6, 5C, 5, 4 y 3."_s},
        {{u"2026-08-08"_s, u"3=4"_s},
         u"No hay ningún sorteo guardado del 08/08/2026: añádalo antes con sus números."_s},
    };
    for (const auto &refusal : refusals) {
        const CliRun refused = run(QStringList{u"add-prizes"_s} + refusal.arguments);
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_EQ(refused.err, refusal.message + u'\n');
    }
    EXPECT_EQ(ledger()[u"pending"_s].toArray(), QJsonArray{monday});

    const CliRun kept = run({u"add-prizes"_s, monday, u"3=4"_s, u"5c=1.234,50"_s});
    ASSERT_EQ(kept.exitCode, 0) << kept.err.toStdString();
    EXPECT_EQ(kept.out, u"Premio de 5 + C del 10/08/2026: 1.234,50 €\n"
                        u"Premio de 3 aciertos del 10/08/2026: 4,00 €\n"_s);
    EXPECT_TRUE(ledger()[u"pending"_s].toArray().isEmpty());
    EXPECT_EQ(ledger()[u"prizes"_s].toInteger(), 400);
    EXPECT_EQ(ledger()[u"cost"_s].toInteger(), 50);

    // 0,70 from Monday: Monday's draw costs 0,70; not after today.
    EXPECT_EQ(run({u"price"_s, u"0,70"_s, u"--from"_s, u"2026-08-11"_s}).exitCode, 1);
    const CliRun priced = run({u"--json"_s, u"price"_s, u"0,70"_s, u"--from"_s, monday});
    ASSERT_EQ(priced.exitCode, 0) << priced.err.toStdString();
    EXPECT_EQ(priced.json().object()[u"price"_s].toInteger(), 70);
    EXPECT_EQ(ledger()[u"cost"_s].toInteger(), 70);
}

int main(int argc, char **argv)
{
    // QProcess wants an application object.
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
