// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli add-syndicate: a peña made from a script through the editor's
// rules, checked on the real draws, and the editor's messages on bad input.
#include "cli_runner.h"
#include "test_paths.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano::test;

namespace {

class AddSyndicateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        copyTables(dir.path());
    }

    QString pathOf(const QString &name) const { return QDir(dir.path()).filePath(name); }

    CliRun run(const QString &today, const QStringList &arguments) const
    {
        return runCli(dir.path(), today, arguments);
    }

    // The real history, up to and including `last` (ISO date) when given.
    void importHistory(const QString &last = {}) const
    {
        const QByteArray all =
            readBytes(QString::fromUtf8(FixturesDir) + u"/historico_bonoloto.csv"_s);
        QByteArray csv;
        for (const QByteArray &line : all.split('\n')) {
            if (last.isEmpty() || !line.startsWith("20") || line.left(10) <= last.toLatin1())
                csv += line + '\n';
        }
        writeBytes(pathOf(u"historia.csv"_s), csv);
        ASSERT_EQ(run(u"2026-08-21"_s, {u"import-csv"_s, pathOf(u"historia.csv"_s)}).exitCode, 0);
    }

    QTemporaryDir dir;
};

TEST_F(AddSyndicateTest, ASundayPenaIsCheckedOnSundayDrawsOnly)
{
    // Made on Sunday 9 August 2026 with the six numbers of Sunday 16 August.
    importHistory(u"2026-08-09"_s);
    const CliRun added = run(u"2026-08-09"_s, {u"--json"_s, u"add-syndicate"_s, u"--name"_s,
                                               u"domingueros"_s, u"--days"_s, u"Domingo"_s,
                                               u"--bets"_s, u"2 8 17 29 31 44;1 2 3 4 5 6"_s});
    ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
    EXPECT_EQ(added.json().object(), (QJsonObject{{u"record"_s, 1},
                                                  {u"name"_s, u"DOMINGUEROS"_s},
                                                  {u"days"_s, u"Domingo"_s},
                                                  {u"bets"_s, 2}}));

    // The draws up to Thursday 20 August arrive and are checked.
    importHistory();
    ASSERT_EQ(run(u"2026-08-21"_s, {u"check"_s, u"--draws"_s, u"12"_s}).exitCode, 0);

    // Sundays 9 and 16 August are the draws it played: the six on the 16th.
    const CliRun listed = run(u"2026-08-21"_s, {u"--json"_s, u"syndicates"_s});
    const QJsonObject syndicate = listed.json().array().first().toObject();
    EXPECT_EQ(syndicate[u"days"_s], u"Domingo"_s);
    EXPECT_EQ(syndicate[u"createdOn"_s], u"09/08/2026"_s);
    EXPECT_EQ(syndicate[u"countedThrough"_s], u"20/08/2026"_s);
    EXPECT_EQ(syndicate[u"hits"_s].toObject(),
              (QJsonObject{{u"3"_s, 0}, {u"4"_s, 0}, {u"5"_s, 0}, {u"5C"_s, 0}, {u"6"_s, 1}}));
    const CliRun calendar = run(u"2026-08-21"_s, {u"--json"_s, u"calendar"_s});
    EXPECT_EQ(calendar.json().object()[u"drawsPlayed"_s], 2);
}

TEST_F(AddSyndicateTest, MultipleOfKNumbersIsDrawnAsAleatorioDoes)
{
    const CliRun added =
        run(u"2026-08-21"_s, {u"--json"_s, u"add-syndicate"_s, u"--name"_s, u"OCHO"_s, u"--days"_s,
                              u"Todos"_s, u"--multiple"_s, u"8"_s});
    ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
    EXPECT_EQ(added.json().object()[u"bets"_s], 28);
    EXPECT_EQ(added.json().object()[u"days"_s], u"Todos"_s);
}

TEST_F(AddSyndicateTest, BadInputGetsTheEditorsMessagesAndWritesNothing)
{
    importHistory();
    const auto add = [this](const QString &today, const QStringList &options) {
        return run(today, QStringList{u"add-syndicate"_s} + options);
    };
    const QStringList sixNumbers = {u"--bets"_s, u"1 2 3 4 5 6"_s};
    const struct
    {
        QString today;
        QStringList options;
        int exitCode;
        QString message;
    } cases[] = {
        {u"2026-08-21"_s, QStringList{u"--days"_s, u"Lunes"_s} + sixNumbers, 1,
         u"¡¡¡No ha escrito el nombre de la peña!!!"_s},
        {u"2026-08-21"_s,
         QStringList{u"--name"_s, u"LOS DE LA PEÑA 123456"_s, u"--days"_s, u"Lunes"_s} + sixNumbers,
         1, u"¡¡¡El nombre no puede tener más de 20 letras!!!"_s},
        {u"2026-08-21"_s,
         {u"--name"_s, u"A"_s, u"--days"_s, u"Lunes"_s, u"--bets"_s, u"1 2 3 4 5 5"_s},
         1,
         u"¡¡ Faltan números !!. Por favor, completa la apuesta."_s},
        {u"2026-08-21"_s,
         {u"--name"_s, u"A"_s, u"--days"_s, u"Lunes"_s, u"--multiple"_s, u"7"_s, u"--bets"_s,
          u"1 2 3 4 5 6 7 8"_s},
         1,
         u"¡¡ Sobran números !!. Por favor, completa la apuesta."_s},
        {u"2026-08-21"_s,
         {u"--name"_s, u"A"_s, u"--days"_s, u"Lunes"_s, u"--bets"_s,
          (u"1 2 3 4 5 6;"_s).repeated(206)},
         1,
         u"Máximo de apuestas sencillas por peña : 205."_s},
        // The newest stored draw is of 20 August.
        {u"2026-08-19"_s, QStringList{u"--name"_s, u"A"_s, u"--days"_s, u"Lunes"_s} + sixNumbers, 1,
         u"Hay sorteos con fecha posterior a la de la peña que intenta crear."_s},
        {u"2026-08-21"_s, QStringList{u"--name"_s, u"A"_s, u"--days"_s, u"Festivo"_s} + sixNumbers,
         2, u"Día no válido"_s},
        {u"2026-08-21"_s,
         {u"--name"_s, u"A"_s, u"--days"_s, u"Lunes"_s, u"--multiple"_s, u"6"_s},
         2,
         u"Múltiple no válida"_s},
        {u"2026-08-21"_s,
         {u"--name"_s, u"A"_s, u"--days"_s, u"Lunes"_s, u"--bets"_s, u"1 2 3 4 5 50"_s},
         2,
         u"Apuestas no válidas"_s},
    };
    for (const auto &bad : cases) {
        const CliRun result = add(bad.today, bad.options);
        EXPECT_EQ(result.exitCode, bad.exitCode) << bad.options.join(u' ').toStdString();
        EXPECT_TRUE(result.err.contains(bad.message))
            << bad.message.toStdString() << " / " << result.err.toStdString();
    }
    EXPECT_TRUE(readBytes(pathOf(u"bonoapu.dat"_s)).isEmpty());
}

} // namespace

int main(int argc, char **argv)
{
    // QProcess wants an application object.
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
