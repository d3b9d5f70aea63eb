// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli driven as a user's script drives it: exit statuses, JSON
// documents, Spanish messages on standard error, and the data files it leaves.
#include "cli_runner.h"
#include "test_paths.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

using namespace Qt::StringLiterals;
using namespace zafrano::test;

namespace {

// Monday, Tuesday and Wednesday 15-17 October 2018.
const QByteArray ThreeDraws = drawBytes({3, 7, 12, 25, 33, 41}, 5, 3, serialOf(2018, 10, 15)) +
                              drawBytes({1, 2, 20, 26, 28, 8}, 39, 5, serialOf(2018, 10, 16)) +
                              drawBytes({5, 14, 22, 30, 31, 47}, 9, 0, serialOf(2018, 10, 17));

const QByteArray BarSyndicate = SyndicateBytes()
                                    .name("PE\xD1"
                                          "A DEL BAR")
                                    .bet(1, {1, 2, 3, 4, 5, 6})
                                    .bet(2, {7, 8, 9, 10, 11, 12})
                                    .hits(4, 3, 2, 1, 5)
                                    .days("Martes")
                                    .betCount(2)
                                    .createdOn(serialOf(2018, 10, 1));
const QByteArray OfficeSyndicate = SyndicateBytes()
                                       .name("OFICINA")
                                       .bet(1, {3, 14, 25, 36, 47})
                                       .hits(9, 0, 0, 0, 0)
                                       .days("Mi\xE9rcoles")
                                       .betCount(503)
                                       .createdOn(serialOf(2018, 9, 3))
                                       .countedThrough(serialOf(2018, 10, 17));

QSet<QString> keysOf(const QJsonObject &object)
{
    const QStringList keys = object.keys();
    return {keys.begin(), keys.end()};
}

class CliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(elsewhere.isValid());
        copyTables(dir.path());
    }

    QString pathOf(const QString &name) const { return QDir(dir.path()).filePath(name); }

    // Runs the program on the test's folder, Wednesday 17 October 2018 taken as
    // today unless the arguments name another day (the last --today counts).
    CliRun run(const QStringList &arguments) const { return runIn(dir.path(), arguments); }

    static CliRun runIn(const QString &folder, const QStringList &arguments)
    {
        return runCli(folder, u"2018-10-17"_s, arguments);
    }

    QTemporaryDir dir;
    QTemporaryDir elsewhere;
};

// ---------------------------------------------------------------- command line

TEST_F(CliTest, UsageErrorsExitWithTwoAndTouchNothing)
{
    const struct
    {
        QStringList arguments;
        QString problem;
    } cases[] = {
        {{}, u"Falta la orden."_s},
        {{u"borrar-todo"_s}, u"Orden desconocida."_s},
        {{u"delete-draw"_s}, u"Argumentos incorrectos para delete-draw"_s},
        {{u"draws"_s, u"5"_s}, u"Argumentos incorrectos para draws"_s},
        {{u"--today"_s, u"2018-02-30"_s, u"calendar"_s}, u"Fecha no válida: 2018-02-30"_s},
        {{u"draws"_s, u"--cuantos"_s}, u"Opción desconocida: «--cuantos»."_s},
        {{u"draws"_s, u"--dir"_s}, u"Falta el valor de la opción «--dir»."_s},
    };
    for (const auto &usage : cases) {
        const CliRun result = run(usage.arguments);
        EXPECT_EQ(result.exitCode, 2) << usage.problem.toStdString();
        EXPECT_TRUE(result.err.startsWith(usage.problem + u'\n')) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(u"\n  delete-draw N\n"_s)) << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
    }
    // A negative amount is said alone, without the whole usage.
    const CliRun negative = run({u"price"_s, u"-5"_s});
    EXPECT_EQ(negative.exitCode, 2);
    EXPECT_EQ(negative.err, u"«-5» no vale: las cantidades se escriben en positivo.\n"_s);
    EXPECT_EQ(fileNames(dir.path()), QStringList{u"tablas.bin"_s});
}

TEST_F(CliTest, MissingDataFolderFails)
{
    const QString missing = QDir(elsewhere.path()).filePath(u"no-existe"_s);
    const CliRun result = runIn(missing, {u"draws"_s});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.startsWith(u"No existe la carpeta de datos "_s));
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST_F(CliTest, MissingTablesFailsNamingWhereTheyWereLookedFor)
{
    // Neither the data folder nor the installed program has them.
    QFile::remove(pathOf(u"tablas.bin"_s));
    const QString program = installedCli(elsewhere.path());
    ASSERT_FALSE(program.isEmpty());
    const CliRun result = runCli(dir.path(), u"2026-08-24"_s, {u"draws"_s}, program);
    EXPECT_EQ(result.exitCode, 1);
    const QString share = QFileInfo(elsewhere.path() + u"/share/zafrano"_s).canonicalFilePath();
    EXPECT_EQ(result.err, u"No se encuentra un archivo necesario para el funcionamiento del "
                          u"programa. Reinstale el programa. Error 53\nFalta tablas.bin en "_s +
                              share + u" (ni la tiene la carpeta de datos "_s +
                              QDir::cleanPath(dir.path()) + u").\n"_s);
    // Naming the folder needs none of it.
    const CliRun where = runCli(dir.path(), u"2026-08-24"_s, {u"where"_s}, program);
    EXPECT_EQ(where.exitCode, 0) << where.err.toStdString();
    EXPECT_EQ(where.out, QDir::cleanPath(dir.path()) + u'\n');
}

// ---------------------------------------------------------------- draws

TEST_F(CliTest, EmptyFolderListsNoDraws)
{
    const CliRun text = run({u"draws"_s});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_EQ(text.out, u"TOTAL: 0 sorteos.\n"_s);
    EXPECT_TRUE(QFile::exists(pathOf(u"bononume.dat"_s)));
    EXPECT_TRUE(QFile::exists(pathOf(u"bnums.ini"_s)));

    const CliRun json = run({u"--json"_s, u"draws"_s});
    EXPECT_EQ(json.exitCode, 0);
    EXPECT_EQ(json.json().array(), QJsonArray());
}

TEST_F(CliTest, ImportsTheRealHistoryAndListsItNewestFirst)
{
    const CliRun imported =
        // Its newest draw, 20/08/2026, is no later than the day of the import.
        run({u"--today"_s, u"2026-08-24"_s, u"import-csv"_s,
             QString::fromUtf8(FixturesDir) + u"/historico_bonoloto.csv"_s});
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.out, u"Archivo de sorteos importado con éxito (9361 sorteos).\n"_s);

    const CliRun listed = run({u"--json"_s, u"draws"_s});
    ASSERT_EQ(listed.exitCode, 0);
    const QJsonArray draws = listed.json().array();
    ASSERT_EQ(draws.size(), 9361);
    const QJsonObject newest = draws.first().toObject();
    EXPECT_EQ(keysOf(newest), (QSet<QString>{u"record"_s, u"text"_s, u"date"_s, u"weekday"_s}));
    EXPECT_EQ(newest, (QJsonObject{{u"record"_s, 9361},
                                   {u"text"_s, u" 1- 2-16-20-28-47  C: 10 R: 9"_s},
                                   {u"date"_s, u"20/08/2026"_s},
                                   {u"weekday"_s, u"Jueves"_s}}));
    EXPECT_EQ(draws.last().toObject(), (QJsonObject{{u"record"_s, 1},
                                                    {u"text"_s, u" 6- 8-12-23-24-45  C: 3  R: 0"_s},
                                                    {u"date"_s, u"28/02/1988"_s},
                                                    {u"weekday"_s, u"Domingo"_s}}));

    const CliRun text = run({u"draws"_s});
    EXPECT_TRUE(text.out.endsWith(u"\nTOTAL: 9361 sorteos.\n"_s));

    // The shipped history lacks the draw of Tuesday 16/06/2026.
    EXPECT_EQ(run({u"draws"_s, u"--missing"_s}).out, u"16/06/2026  Martes\nFalta 1 sorteo\n"_s);
    EXPECT_EQ(run({u"--json"_s, u"draws"_s, u"--missing"_s}).json().array(),
              QJsonArray{u"2026-06-16"_s});
}

TEST_F(CliTest, ImportsADrawsFileAndRefusesADamagedOne)
{
    writeBytes(pathOf(u"bononume.dat"_s), ThreeDraws);
    const QString damaged = QDir(elsewhere.path()).filePath(u"roto.dat"_s);
    writeBytes(damaged, ThreeDraws.left(40));
    const CliRun refused = run({u"import"_s, damaged});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, u"Fichero de sorteos no válido. Compruebe que el archivo "
                           u"BONONUME.DAT sea para Zafrano.\n"_s);
    EXPECT_EQ(readBytes(pathOf(u"bononume.dat"_s)), ThreeDraws);

    const CliRun missing = run({u"import"_s, QDir(elsewhere.path()).filePath(u"nada.dat"_s)});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.endsWith(u"Zafrano. Error 53\n"_s)) << missing.err.toStdString();

    const QString good = QDir(elsewhere.path()).filePath(u"bueno.dat"_s);
    writeBytes(good, ThreeDraws.left(48));
    const CliRun accepted = run({u"--json"_s, u"import"_s, good});
    EXPECT_EQ(accepted.exitCode, 0);
    EXPECT_EQ(accepted.json().object(), (QJsonObject{{u"imported"_s, 2}}));
    EXPECT_EQ(readBytes(pathOf(u"bononume.dat"_s)), ThreeDraws.left(48));
    EXPECT_EQ(readBytes(pathOf(u"bononume.bak"_s)), ThreeDraws);
}

TEST_F(CliTest, RefusesABadCsvWithoutTouchingTheDraws)
{
    writeBytes(pathOf(u"bononume.dat"_s), ThreeDraws);
    const QString csv = QDir(elsewhere.path()).filePath(u"malo.csv"_s);
    const struct
    {
        const char *row;
        QString err;
    } cases[] = {
        {"2018-10-15,3,7,12,25,33,41,5\n",
         u"El archivo CSV de sorteos no es válido (línea 2: se esperaban 9 campos).\n"_s},
        // Refused by the draw rule, with its message.
        {"2018-10-15,3,7,12,25,33,41,3,5\n",
         u"El sorteo del 15/10/2018 no es válido: el complementario 3 es uno de los seis "
         u"números.\n"_s},
    };
    for (const auto &c : cases) {
        writeBytes(csv, QByteArray("fecha,n1,n2,n3,n4,n5,n6,complementario,reintegro\n") + c.row);
        const CliRun result = run({u"import-csv"_s, csv});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, c.err);
        EXPECT_EQ(readBytes(pathOf(u"bononume.dat"_s)), ThreeDraws);
    }
}

TEST_F(CliTest, DeletesOneDraw)
{
    writeBytes(pathOf(u"bononume.dat"_s), ThreeDraws);
    const CliRun deleted = run({u"delete-draw"_s, u"2"_s});
    EXPECT_EQ(deleted.exitCode, 0);
    EXPECT_EQ(deleted.out, u"Sorteo del 16/10/2018  Martes eliminado.\n"_s);
    EXPECT_EQ(readBytes(pathOf(u"bononume.dat"_s)), ThreeDraws.left(24) + ThreeDraws.right(24));

    const CliRun json = run({u"--json"_s, u"delete-draw"_s, u"2"_s});
    EXPECT_EQ(json.json().object(),
              (QJsonObject{{u"deleted"_s, 2}, {u"text"_s, u" 5-14-22-30-31-47  C: 9  R: 0"_s}}));
    EXPECT_EQ(readBytes(pathOf(u"bononume.dat"_s)), ThreeDraws.left(24));

    for (const QString &bad : {u"2"_s, u"0"_s, u"dos"_s}) {
        const CliRun refused = run({u"delete-draw"_s, bad});
        EXPECT_EQ(refused.exitCode, 1) << bad.toStdString();
        EXPECT_EQ(refused.err, u"No existe el sorteo "_s + bad + u".\n"_s);
    }
    EXPECT_EQ(readBytes(pathOf(u"bononume.dat"_s)), ThreeDraws.left(24));
}

TEST_F(CliTest, DamagedDrawsFileIsKeptAsideAndTheCopyThatBringsThemBackIsNamed)
{
    // The day's first command copied the draws as they were.
    writeBytes(pathOf(u"bononume.dat"_s), ThreeDraws);
    ASSERT_EQ(run({u"draws"_s}).exitCode, 0);
    const QByteArray damaged =
        ThreeDraws + drawBytes({1, 2, 3, 4, 5, 50}, 6, 1, serialOf(2018, 10, 18));
    writeBytes(pathOf(u"bononume.dat"_s), damaged);
    const CliRun result = run({u"draws"_s});
    EXPECT_TRUE(result.err.startsWith(
        u"Archivo de números ganadores no válido. ¡Se perderán los sorteos grabados!.\n"
        u"Se ha guardado una copia del archivo en bononume.bad.\n"
        u"Para recuperar los sorteos, importe\n  los de la copia automática del "_s))
        << result.err.toStdString();
    EXPECT_EQ(readBytes(pathOf(u"bononume.bad"_s)), damaged);
    EXPECT_EQ(result.out, u"TOTAL: 0 sorteos.\n"_s);

    // The command it names brings them back.
    const qsizetype at = result.err.indexOf(u"zafrano-cli import "_s);
    ASSERT_GE(at, 0);
    const QString copy = result.err.mid(at + 19).section(u'\n', 0, 0);
    ASSERT_TRUE(copy.endsWith(u"bononume.dat"_s)) << copy.toStdString();
    EXPECT_EQ(run({u"import"_s, copy}).exitCode, 0);
    EXPECT_EQ(readBytes(pathOf(u"bononume.dat"_s)), ThreeDraws);
}

// ---------------------------------------------------------------- syndicates

TEST_F(CliTest, ListsSyndicatesAsJson)
{
    writeBytes(pathOf(u"bonoapu.dat"_s), BarSyndicate + OfficeSyndicate);
    const CliRun result = run({u"--json"_s, u"syndicates"_s});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QJsonArray expected = {
        QJsonObject{
            {u"record"_s, 1},
            {u"name"_s, u"PEÑA DEL BAR"_s},
            {u"kind"_s, u"simple"_s},
            {u"bets"_s, 2},
            {u"days"_s, u"Martes"_s},
            {u"createdOn"_s, u"01/10/2018"_s},
            {u"countedThrough"_s, QJsonValue()},
            {u"hits"_s,
             QJsonObject{{u"3"_s, 4}, {u"4"_s, 3}, {u"5"_s, 2}, {u"5C"_s, 5}, {u"6"_s, 1}}}},
        QJsonObject{
            {u"record"_s, 2},
            {u"name"_s, u"OFICINA"_s},
            {u"kind"_s, u"multiple"_s},
            {u"bets"_s, 44},
            {u"days"_s, u"Miércoles"_s},
            {u"createdOn"_s, u"03/09/2018"_s},
            {u"countedThrough"_s, u"17/10/2018"_s},
            {u"hits"_s,
             QJsonObject{{u"3"_s, 9}, {u"4"_s, 0}, {u"5"_s, 0}, {u"5C"_s, 0}, {u"6"_s, 0}}}}};
    EXPECT_EQ(result.json().array(), expected) << result.out.toStdString();
}

TEST_F(CliTest, ListsSyndicatesAsTextWhateverTheirNames)
{
    // A name is the player's own text: a "%3" in it is not a place holder.
    writeBytes(pathOf(u"bonoapu.dat"_s),
               SyndicateBytes(BarSyndicate).name("AL 100%3 %1").bytes() + OfficeSyndicate);
    const CliRun result = run({u"syndicates"_s});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, u"  1  AL 100%3 %1          simple      2  01/10/2018  Martes\n"
                          u"  2  OFICINA              multiple   44  03/09/2018  Miércoles\n"_s);
}

TEST_F(CliTest, DeletesASyndicate)
{
    writeBytes(pathOf(u"bonoapu.dat"_s), BarSyndicate + OfficeSyndicate);
    const CliRun deleted = run({u"--json"_s, u"delete-syndicate"_s, u"1"_s});
    EXPECT_EQ(deleted.exitCode, 0);
    EXPECT_EQ(deleted.json().object(),
              (QJsonObject{{u"deleted"_s, 1}, {u"name"_s, u"PEÑA DEL BAR"_s}}));
    EXPECT_EQ(readBytes(pathOf(u"bonoapu.dat"_s)), OfficeSyndicate);

    const CliRun refused = run({u"delete-syndicate"_s, u"2"_s});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, u"No existe la peña 2.\n"_s);
    EXPECT_EQ(readBytes(pathOf(u"bonoapu.dat"_s)), OfficeSyndicate);
}

TEST_F(CliTest, ResetsResultsFromTheGivenToday)
{
    writeBytes(pathOf(u"bononume.dat"_s), ThreeDraws);
    writeBytes(pathOf(u"bonoapu.dat"_s), BarSyndicate + OfficeSyndicate);
    const CliRun reset = run({u"reset-results"_s, u"--today"_s, u"2024-05-06"_s});
    EXPECT_EQ(reset.exitCode, 0) << reset.err.toStdString();
    EXPECT_EQ(reset.out, u"Aciertos de las peñas borrados; fecha de creación: 06/05/2024.\n"_s);

    const QJsonArray syndicates = run({u"--json"_s, u"syndicates"_s}).json().array();
    ASSERT_EQ(syndicates.size(), 2);
    for (const QJsonValue &value : syndicates) {
        const QJsonObject syndicate = value.toObject();
        EXPECT_EQ(syndicate[u"createdOn"_s], u"06/05/2024"_s);
        EXPECT_TRUE(syndicate[u"countedThrough"_s].isNull());
        EXPECT_EQ(syndicate[u"hits"_s].toObject(),
                  (QJsonObject{{u"3"_s, 0}, {u"4"_s, 0}, {u"5"_s, 0}, {u"5C"_s, 0}, {u"6"_s, 0}}));
    }
    EXPECT_EQ(syndicates[1].toObject()[u"bets"_s], 44);
    EXPECT_EQ(readBytes(pathOf(u"bononume.dat"_s)), ThreeDraws);
}

TEST_F(CliTest, ConvertsAnOlderSyndicatesFileAndSaysSo)
{
    writeBytes(pathOf(u"bonoapu.dat"_s),
               LegacySyndicateBytes().name("VIEJA").days("Lunes").betCount(102).bytes());
    const CliRun result = run({u"--json"_s, u"syndicates"_s});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, u"Se ha encontrado un archivo de apuestas perteneciente a una versión "
                          u"anterior del programa y se va a convertir el fichero a la versión "
                          u"actual.\n"_s);
    const QJsonObject converted = result.json().array().first().toObject();
    EXPECT_EQ(converted[u"name"_s], u"VIEJA"_s);
    EXPECT_EQ(converted[u"bets"_s], 28);
    EXPECT_EQ(QFileInfo(pathOf(u"bonoapu.dat"_s)).size(), 8307);
}

// ---------------------------------------------------------------- calendar

TEST_F(CliTest, CalendarOfAnEmptyFolder)
{
    const CliRun result = run({u"--json"_s, u"calendar"_s});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.json().object(),
              (QJsonObject{{u"draws"_s, 0},
                           {u"lastDraw"_s, u"Fichero de datos vacío."_s},
                           {u"nextDraw"_s, u"Miércoles, 17 de octubre del 2018"_s},
                           {u"daysToGo"_s, u"¡Hoy sorteo!"_s},
                           {u"reminder"_s, u"No se ha actualizado nunca"_s},
                           {u"missingDraws"_s, 0},
                           {u"drawsPlayed"_s, 0}}));
}

TEST_F(CliTest, CalendarWithTodaysDrawStored)
{
    writeBytes(pathOf(u"bononume.dat"_s), ThreeDraws);
    writeBytes(pathOf(u"bonoapu.dat"_s), BarSyndicate + OfficeSyndicate);
    const CliRun result = run({u"--json"_s, u"calendar"_s});
    EXPECT_EQ(result.exitCode, 0);
    // Tuesday's draw for the bar, Wednesday's for the office.
    EXPECT_EQ(result.json().object(),
              (QJsonObject{{u"draws"_s, 3},
                           {u"lastDraw"_s, u"Miércoles, 17 de octubre del 2018"_s},
                           {u"nextDraw"_s, u"Jueves, 18 de octubre del 2018"_s},
                           {u"daysToGo"_s, u"Faltan 1 días"_s},
                           {u"reminder"_s, QJsonValue()},
                           {u"missingDraws"_s, 0},
                           {u"drawsPlayed"_s, 2}}));

    const CliRun later = run({u"--json"_s, u"--today"_s, u"2018-11-02"_s, u"calendar"_s});
    EXPECT_EQ(later.json().object()[u"reminder"_s], u"Faltan 2 semanas por actualizar"_s);
}

// ---------------------------------------------------------------- read-only folder

TEST_F(CliTest, ReadOnlyFolderIsRefusedByNameAndOnlyNamed)
{
    writeBytes(pathOf(u"bononume.dat"_s), ThreeDraws);
    writeBytes(pathOf(u"bonoapu.dat"_s), BarSyndicate + OfficeSyndicate);
    ASSERT_EQ(run({u"draws"_s}).exitCode, 0); // creates the remaining files
    const QStringList before = fileNames(dir.path());
    std::optional<ReadOnlyFolder> readOnly(std::in_place, dir.path());
    if (!readOnly->active())
        GTEST_SKIP() << "neither the immutable flag nor the permissions stop a new file";

    const QString refusal = u"No se puede escribir en la carpeta de datos "_s +
                            QDir::cleanPath(dir.path()) +
                            u". Compruebe sus permisos o indique otra con ZAFRANO_DATA_DIR.\n"_s;
    for (const QStringList &command :
         {QStringList{u"delete-draw"_s, u"1"_s}, QStringList{u"delete-syndicate"_s, u"1"_s},
          QStringList{u"reset-results"_s}, QStringList{u"draws"_s}}) {
        const CliRun refused = run(command);
        EXPECT_EQ(refused.exitCode, 1) << command.join(u' ').toStdString();
        EXPECT_EQ(refused.err, refusal) << command.join(u' ').toStdString();
    }
    const CliRun where = run({u"where"_s});
    EXPECT_EQ(where.exitCode, 0);
    EXPECT_EQ(where.out, QDir::cleanPath(dir.path()) + u'\n');
    readOnly.reset();
    EXPECT_EQ(fileNames(dir.path()), before);
    EXPECT_EQ(readBytes(pathOf(u"bononume.dat"_s)), ThreeDraws);
    EXPECT_EQ(readBytes(pathOf(u"bonoapu.dat"_s)), BarSyndicate + OfficeSyndicate);
}

// ---------------------------------------------------------------- the session around it

// A desktop session's platform (X11 here, without its display) is not the
// program's: it takes no argument and stops no command. `where` makes nothing;
// the first command that writes makes the per-user folder.
TEST_F(CliTest, RunsWithoutADisplayWhateverThePlatformAndOwnsItsArguments)
{
    const QString program = installedCli(elsewhere.path());
    ASSERT_FALSE(program.isEmpty());
    copyTables(elsewhere.path() + u"/share/zafrano"_s);
    const QString userFolder = elsewhere.path() + u"/datos/Zafrano"_s;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"ZAFRANO_DATA_DIR"_s})
        environment.remove(name);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    environment.insert(u"XDG_DATA_HOME"_s, elsewhere.path() + u"/datos"_s);
    const auto runHere = [&](const QStringList &arguments) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(-1));
        return std::pair{
            process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError())};
    };

    const auto where = runHere({u"where"_s});
    EXPECT_EQ(where, std::pair(0, userFolder + u'\n'));
    EXPECT_FALSE(QFileInfo::exists(userFolder));

    const auto added = runHere({u"add-syndicate"_s, u"--name"_s, u"PRUEBA"_s, u"--days"_s,
                                u"Todos"_s, u"--bets"_s, u"1 2 3 4 5 6"_s});
    EXPECT_EQ(added.first, 0) << added.second.toStdString();
    const auto listed = runHere({u"syndicates"_s});
    EXPECT_EQ(listed.first, 0);
    EXPECT_TRUE(listed.second.contains(u"PRUEBA"_s)) << listed.second.toStdString();
}

} // namespace

int main(int argc, char **argv)
{
    // QProcess wants an application object.
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// ---------------------------------------------------------------- timer

TEST_F(CliTest, TimerOnWritesTheFolderIntoTheServiceAndSwitchesItThroughSystemctl)
{
    // A systemctl of our own: it keeps every call and the timer's state.
    const QString log = QDir(elsewhere.path()).filePath(u"systemctl.log"_s);
    const QString state = QDir(elsewhere.path()).filePath(u"enabled"_s);
    const QString fake = QDir(elsewhere.path()).filePath(u"systemctl"_s);
    writeBytes(fake, (u"#!/bin/sh\necho \"$*\" >> '"_s + log +
                      u"'\ncase \"$2\" in\n"
                      u"  enable) touch '"_s +
                      state + u"' ;;\n  disable) rm -f '"_s + state +
                      u"' ;;\n  is-enabled) test -e '"_s + state + u"' ;;\nesac\n"_s)
                         .toUtf8());
    ASSERT_TRUE(
        QFile::setPermissions(fake, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QString config = QDir(elsewhere.path()).filePath(u"config"_s);
    qputenv("ZAFRANO_SYSTEMCTL", fake.toUtf8());
    qputenv("XDG_CONFIG_HOME", config.toUtf8());

    const CliRun on = run({u"timer"_s, u"on"_s});
    const CliRun status = run({u"--json"_s, u"timer"_s, u"status"_s});
    const CliRun off = run({u"timer"_s, u"off"_s});
    const CliRun wrong = run({u"timer"_s, u"maybe"_s});
    qunsetenv("ZAFRANO_SYSTEMCTL");
    qunsetenv("XDG_CONFIG_HOME");

    const QString folder = QDir::cleanPath(dir.path());
    EXPECT_EQ(on.exitCode, 0) << on.err.toStdString();
    EXPECT_EQ(on.out, u"La comprobación de cada noche (22:30) está activada para la carpeta "_s +
                          folder + u".\n"_s);
    EXPECT_EQ(readBytes(config + u"/systemd/user/zafrano-comprobar.service.d/carpeta.conf"_s),
              (u"# Written by Zafrano: the evening check's data folder.\n[Service]\n"
               u"Environment=\"ZAFRANO_DATA_DIR="_s +
               folder + u"\"\n"_s)
                  .toUtf8());
    EXPECT_EQ(status.json().object(), (QJsonObject{{u"enabled"_s, true}, {u"folder"_s, folder}}));
    EXPECT_EQ(off.out, u"La comprobación de cada noche está desactivada.\n"_s);
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_EQ(readBytes(log), "--user daemon-reload\n--user enable --now zafrano-comprobar.timer\n"
                              "--user is-enabled zafrano-comprobar.timer\n"
                              "--user is-enabled zafrano-comprobar.timer\n"
                              "--user disable --now zafrano-comprobar.timer\n"
                              "--user is-enabled zafrano-comprobar.timer\n");
}
