// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli ledger: a peña's account kept from a script, the figures of
// --json ledger N, and a refused change that leaves the account as it was.
#include "cli_runner.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano::test;

TEST(CliLedger, KeepsTheAccountAndRefusesBadInput)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    copyTables(dir.path());
    const auto run = [&](const QString &today, const QStringList &arguments) {
        return runCli(dir.path(), today, arguments);
    };
    const QString sunday = u"2026-08-09"_s;
    ASSERT_EQ(run(sunday, {u"add-syndicate"_s, u"--name"_s, u"BAR"_s, u"--days"_s, u"Todos"_s,
                           u"--bets"_s, u"1 2 3 4 5 6"_s})
                  .exitCode,
              0);
    for (const QStringList &change :
         {QStringList{u"member"_s, u"add"_s, u"Ana"_s, u"--shares"_s, u"2"_s},
          // Without --shares a member holds one.
          QStringList{u"member"_s, u"add"_s, u"Luis"_s, u"--from"_s, sunday},
          QStringList{u"pay"_s, u"Ana"_s, u"12,50"_s},
          QStringList{u"pay"_s, u"Luis"_s, u"12.50"_s, u"--note"_s, u"agosto"_s},
          QStringList{u"cost"_s, u"1"_s, u"--note"_s, u"Sobre"_s}}) {
        const CliRun done = run(sunday, QStringList{u"ledger"_s, u"1"_s} + change);
        ASSERT_EQ(done.exitCode, 0) << done.err.toStdString();
    }
    // Monday's draw gives one bet 3 hits, before its prizes are known.
    ASSERT_EQ(run(u"2026-08-10"_s, {u"add-draw"_s, u"2026-08-10"_s, u"1"_s, u"2"_s, u"3"_s, u"20"_s,
                                    u"21"_s, u"22"_s, u"30"_s, u"4"_s})
                  .exitCode,
              0);

    // Each refused with its message, the account left as it was (the figures below).
    const struct
    {
        QStringList change;
        QString message;
    } refusals[] = {
        {{u"pay"_s, u"Zoe"_s, u"5"_s}, u"No hay ningún miembro llamado «Zoe» en la peña «BAR»."_s},
        {{u"pay"_s, u"Ana"_s, u"doce"_s},
         u"«doce» no es un importe válido. Escriba el importe en euros, como 12,50 o 1.000,50."_s},
        // Beyond these no sum of the account could be kept.
        {{u"member"_s, u"add"_s, u"Eva"_s, u"--shares"_s, u"5000000"_s},
         u"Las participaciones deben ser un número entero de 1 a 1000."_s},
        {{u"cost"_s, u"9999999999999"_s, u"--note"_s, u"Sobre"_s},
         u"El importe no puede pasar de 100.000.000,00 €."_s},
        // The command line's today is the day of the account's changes.
        {{u"pay"_s, u"Ana"_s, u"5"_s, u"--date"_s, u"2026-08-11"_s},
         u"La fecha 11/08/2026 es posterior a hoy (10/08/2026)."_s},
        {{u"member"_s, u"delete"_s, u"Luis"_s},
         u"«Luis» tiene movimientos en las cuentas y no se puede borrar. Quite antes sus "
         u"movimientos, o dele de baja."_s},
    };
    for (const auto &refusal : refusals) {
        const CliRun refused =
            run(u"2026-08-10"_s, QStringList{u"ledger"_s, u"1"_s} + refusal.change);
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_EQ(refused.err, refusal.message + u'\n');
    }
    const CliRun negative =
        run(u"2026-08-10"_s, {u"ledger"_s, u"1"_s, u"pay"_s, u"Ana"_s, u"-5"_s});
    EXPECT_EQ(negative.exitCode, 2);
    EXPECT_TRUE(negative.err.startsWith(u"«-5» no vale: las cantidades se escriben en positivo"_s))
        << negative.err.toStdString();

    // A payment corrected by its number is in the history.
    EXPECT_EQ(run(u"2026-08-10"_s, {u"ledger"_s, u"1"_s, u"movements"_s}).out,
              u"1  Aportación de Ana, 12,50 € del 09/08/2026\n"
              u"2  Aportación de Luis, 12,50 € del 09/08/2026 («agosto»)\n"
              u"3  Gasto «Sobre», 1,00 € del 09/08/2026\n"_s);
    ASSERT_EQ(run(u"2026-08-10"_s, {u"ledger"_s, u"1"_s, u"movement"_s, u"edit"_s, u"2"_s,
                                    u"12,50"_s, u"--note"_s, u"julio"_s})
                  .exitCode,
              0);
    EXPECT_TRUE(run(u"2026-08-10"_s, {u"ledger"_s, u"1"_s, u"history"_s})
                    .out.endsWith(u"10/08/2026  Movimiento corregido: Aportación de Luis, 12,50 € "
                                  u"del 09/08/2026 («agosto») → Aportación de Luis, 12,50 € del "
                                  u"09/08/2026 («julio»).\n"_s));

    const CliRun shown = run(u"2026-08-10"_s, {u"--json"_s, u"ledger"_s, u"1"_s});
    ASSERT_EQ(shown.exitCode, 0) << shown.err.toStdString();
    const QJsonObject expected{{u"syndicate"_s, u"BAR"_s},
                               {u"played"_s, 1},
                               {u"cost"_s, 50},
                               {u"prizes"_s, 0},
                               {u"refunds"_s, 0},
                               {u"pending"_s, QJsonArray{u"2026-08-10"_s}},
                               {u"otherCosts"_s, 100},
                               {u"bote"_s, 2500 - 100 - 50},
                               {u"unassigned"_s, 0},
                               {u"members"_s, QJsonArray{QJsonObject{{u"name"_s, u"Ana"_s},
                                                                     {u"shares"_s, 2},
                                                                     {u"paid"_s, 1250},
                                                                     {u"received"_s, 0},
                                                                     {u"balance"_s, 1250 - 100}},
                                                         QJsonObject{{u"name"_s, u"Luis"_s},
                                                                     {u"shares"_s, 1},
                                                                     {u"paid"_s, 1250},
                                                                     {u"received"_s, 0},
                                                                     {u"balance"_s, 1250 - 50}}}}};
    EXPECT_EQ(shown.json().object(), expected);

    // Renamed as the editor renames, the peña keeps its account.
    const CliRun renamed = run(u"2026-08-10"_s, {u"rename-syndicate"_s, u"1"_s, u"Peñón 2026"_s});
    ASSERT_EQ(renamed.exitCode, 0) << renamed.err.toStdString();
    EXPECT_EQ(renamed.out.trimmed(), u"Peña 1 renombrada: BAR → PEÑÓN 2026."_s);
    QJsonObject moved = expected;
    moved[u"syndicate"_s] = u"PEÑÓN 2026"_s;
    EXPECT_EQ(run(u"2026-08-10"_s, {u"--json"_s, u"ledger"_s, u"1"_s}).json().object(), moved);
    EXPECT_EQ(run(u"2026-08-10"_s, {u"rename-syndicate"_s, u"1"_s, u"UN NOMBRE DE MAS DE VEINTE"_s})
                  .exitCode,
              1);

    // A deleted peña's account is kept closed and still reads the same,
    // found by its name as a treasurer types it, without case or accents.
    ASSERT_EQ(run(u"2026-08-10"_s, {u"delete-syndicate"_s, u"1"_s}).exitCode, 0);
    const CliRun closed = run(u"2026-08-10"_s, {u"--json"_s, u"closed-ledger"_s, u"penon 2026"_s});
    ASSERT_EQ(closed.exitCode, 0) << closed.err.toStdString();
    EXPECT_EQ(closed.json().object(), moved);
    EXPECT_EQ(run(u"2026-08-10"_s, {u"closed-ledger"_s, u"OTRA"_s}).exitCode, 1);
}

int main(int argc, char **argv)
{
    // QProcess wants an application object.
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
