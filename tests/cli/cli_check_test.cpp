// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli check as a script drives it: the JSON rows, the tallies it
// writes back, the printed listing, and the real draw history.
#include "cli_runner.h"
#include "test_paths.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano::test;

namespace {

// Monday, Tuesday and Wednesday 15-17 October 2018.
const QByteArray ThreeDraws = drawBytes({3, 7, 12, 25, 33, 41}, 5, 3, serialOf(2018, 10, 15)) +
                              drawBytes({1, 2, 20, 26, 28, 8}, 39, 5, serialOf(2018, 10, 16)) +
                              drawBytes({5, 14, 22, 30, 31, 47}, 9, 0, serialOf(2018, 10, 17));

// 5 + complementario on Monday, 3 hits on Tuesday, one hit on Wednesday.
const QByteArray Bar = SyndicateBytes()
                           .name("PE\xD1"
                                 "A DEL BAR")
                           .bet(1, {3, 7, 12, 25, 33, 5})
                           .bet(2, {1, 2, 20, 40, 41, 42})
                           .days("Todos")
                           .betCount(2)
                           .createdOn(serialOf(2018, 10, 1));
// Five numbers, two of them winning on Wednesday: 4 bets of 3 hits.
const QByteArray Office = SyndicateBytes()
                              .name("OFICINA")
                              .bet(1, {3, 14, 25, 36, 47})
                              .days("Mi\xE9rcoles")
                              .betCount(503)
                              .createdOn(serialOf(2018, 9, 3));
const QByteArray Thursdays = SyndicateBytes()
                                 .name("JUEVES")
                                 .bet(1, {3, 7, 12, 25, 33, 41})
                                 .days("Jueves")
                                 .betCount(1)
                                 .createdOn(serialOf(2018, 9, 3));

// A row of `check --json` from its cells and colours, each written with '|'
// between them; an empty colour is null.
QJsonObject row(const QString &cells, const QString &colors)
{
    QJsonArray colorValues;
    for (const QString &color : colors.split(u'|'))
        colorValues.append(color.isEmpty() ? QJsonValue() : QJsonValue(color));
    return {{u"cells"_s, QJsonArray::fromStringList(cells.split(u'|'))},
            {u"colors"_s, colorValues}};
}

QJsonObject hitsObject(int three, int four, int five, int fiveC, int six)
{
    return {{u"3"_s, three}, {u"4"_s, four}, {u"5"_s, five}, {u"5C"_s, fiveC}, {u"6"_s, six}};
}

class CliCheckTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        copyTables(dir.path());
    }

    QString pathOf(const QString &name) const { return QDir(dir.path()).filePath(name); }

    CliRun run(const QStringList &arguments) const
    {
        return runCli(dir.path(), u"2018-10-17"_s, arguments);
    }

    // The stored syndicates as `--json syndicates` lists them.
    QJsonArray syndicates() const
    {
        const CliRun listed = run({u"--json"_s, u"syndicates"_s});
        EXPECT_EQ(listed.exitCode, 0) << listed.err.toStdString();
        return QJsonDocument::fromJson(listed.out.toUtf8()).array();
    }

    void writeWeek() const
    {
        writeBytes(pathOf(u"bononume.dat"_s), ThreeDraws);
        writeBytes(pathOf(u"bonoapu.dat"_s), Bar + Office + Thursdays);
    }

    QTemporaryDir dir;
};

TEST_F(CliCheckTest, JsonRowsOfTheNewestDraw)
{
    writeWeek();
    const CliRun result = run({u"--json"_s, u"check"_s, u"--dry-run"_s});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QJsonObject document = result.json().object();
    EXPECT_EQ(document.keys(), (QStringList{u"multiple"_s, u"simple"_s}));

    const QString empty8 = QString(u'|').repeated(7);
    const QJsonArray simple = {
        row(empty8, empty8), row(u"|||||||PEÑA PEÑA DEL BAR        "_s, u"|||||||#800000"_s),
        row(u"|||||||17/10/2018 Miércoles"_s, u"|||||||#008000"_s),
        row(u"|3|7|12|25|33|5|"_s, u"||||||#ff0000|"_s), row(u"|1|2|20|40|41|42|"_s, empty8)};
    EXPECT_EQ(document[u"simple"_s].toArray(), simple);

    const QJsonArray multiple = document[u"multiple"_s].toArray();
    ASSERT_EQ(multiple.size(), 3 + 2);
    EXPECT_EQ(multiple[1].toObject()[u"cells"_s].toArray().last(), u"PEÑA OFICINA             "_s);
    EXPECT_EQ(multiple[3],
              row(u"|3|14|25|36|47|||||||¡¡ Premio !! Tienes 4 apuestas de 3 aciertos."_s,
                  u"||#ff0000|||#ff0000|||||||#00c000"_s));
    // The empty row that closes the 5-number multiple's lines.
    const QString empty13 = QString(u'|').repeated(12);
    EXPECT_EQ(multiple[4], row(empty13, empty13));
}

TEST_F(CliCheckTest, WritesTheTalliesOnceUnlessDryRun)
{
    writeWeek();
    const QByteArray before = readBytes(pathOf(u"bonoapu.dat"_s));
    ASSERT_EQ(run({u"check"_s, u"--dry-run"_s}).exitCode, 0);
    EXPECT_EQ(readBytes(pathOf(u"bonoapu.dat"_s)), before);

    // One draw shown, all three counted.
    const CliRun checked = run({u"check"_s});
    ASSERT_EQ(checked.exitCode, 0) << checked.err.toStdString();
    const QJsonArray stored = syndicates();
    ASSERT_EQ(stored.size(), 3);
    EXPECT_EQ(stored[0].toObject()[u"hits"_s].toObject(), hitsObject(1, 0, 0, 1, 0));
    EXPECT_EQ(stored[1].toObject()[u"hits"_s].toObject(), hitsObject(4, 0, 0, 0, 0));
    EXPECT_EQ(stored[2].toObject()[u"hits"_s].toObject(), hitsObject(0, 0, 0, 0, 0));
    for (const QJsonValue &syndicate : stored)
        EXPECT_EQ(syndicate.toObject()[u"countedThrough"_s], u"17/10/2018"_s);

    const QByteArray counted = readBytes(pathOf(u"bonoapu.dat"_s));
    EXPECT_EQ(run({u"check"_s, u"--draws"_s, u"3"_s, u"--history"_s}).exitCode, 0);
    EXPECT_EQ(readBytes(pathOf(u"bonoapu.dat"_s)), counted);
}

TEST_F(CliCheckTest, OneSyndicateByName)
{
    writeWeek();
    const CliRun result = run({u"--json"_s, u"check"_s, u"--syndicate"_s, u"OFICINA"_s});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.json().object()[u"simple"_s].toArray(), QJsonArray());
    EXPECT_EQ(result.json().object()[u"multiple"_s].toArray().size(), 5);

    const QJsonArray stored = syndicates();
    EXPECT_EQ(stored[1].toObject()[u"countedThrough"_s], u"17/10/2018"_s);
    EXPECT_TRUE(stored[0].toObject()[u"countedThrough"_s].isNull());
    EXPECT_TRUE(stored[2].toObject()[u"countedThrough"_s].isNull());
}

TEST_F(CliCheckTest, RefusesAnUnknownSyndicateAndABadDrawCount)
{
    writeWeek();
    const QByteArray before = readBytes(pathOf(u"bonoapu.dat"_s));
    const CliRun unknown = run({u"check"_s, u"--syndicate"_s, u"NADIE"_s});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_EQ(unknown.err, u"No existe la peña NADIE.\n"_s);
    EXPECT_TRUE(unknown.out.isEmpty());

    for (const QString &bad : {u"0"_s, u"-2"_s, u"tres"_s}) {
        const CliRun refused = run({u"check"_s, u"--draws"_s, bad});
        EXPECT_EQ(refused.exitCode, 2) << bad.toStdString();
        EXPECT_TRUE(refused.err.startsWith(u"Número de sorteos no válido: "_s + bad))
            << refused.err.toStdString();
    }
    EXPECT_EQ(readBytes(pathOf(u"bonoapu.dat"_s)), before);
}

TEST_F(CliCheckTest, PrintsTheListingToAPdf)
{
    writeWeek();
    const QString pdf = pathOf(u"resultados.pdf"_s);
    const CliRun printed = run({u"check"_s, u"--draws"_s, u"3"_s, u"--pdf"_s, pdf});
    ASSERT_EQ(printed.exitCode, 0) << printed.err.toStdString();

    const QString text = pdfText(pdf).simplified();
    const qsizetype simpleTitle = text.indexOf(u"PEÑAS SENCILLAS / REDUCIDAS"_s);
    const qsizetype multipleTitle = text.indexOf(u"PEÑAS MÚLTIPLES"_s);
    EXPECT_GE(simpleTitle, 0) << text.toStdString();
    EXPECT_GT(multipleTitle, simpleTitle);
    EXPECT_TRUE(text.contains(u"Sorteo del 15/10/2018 3-7-12-25-33-41 C:5 R:3"_s));
    EXPECT_TRUE(text.contains(u"3 7 12 25 33 5 ¡¡ Premio !! 5 + COMPLEMENTARIO"_s));
    EXPECT_TRUE(text.contains(u"¡¡ Premio !! Tienes 4 apuestas de 3 aciertos."_s));
    // The multiples begin on a page of their own.
    const QStringList pages = pdfPages(pdf);
    ASSERT_GE(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(u"PEÑAS SENCILLAS / REDUCIDAS"_s));
    EXPECT_FALSE(pages[0].contains(u"PEÑAS MÚLTIPLES"_s));
    EXPECT_TRUE(pages[1].contains(u"PEÑAS MÚLTIPLES"_s));
}

TEST_F(CliCheckTest, NothingToPrintWritesNoPdf)
{
    writeBytes(pathOf(u"bononume.dat"_s), ThreeDraws.left(24));
    writeBytes(pathOf(u"bonoapu.dat"_s), Thursdays);
    const QString pdf = pathOf(u"vacio.pdf"_s);
    const CliRun result = run({u"check"_s, u"--prizes-only"_s, u"--pdf"_s, pdf});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, u"Listado vacío. No hay datos para imprimir,\n"_s);
    EXPECT_FALSE(QFile::exists(pdf));
}

// ---------------------------------------------------------------- the real history

struct HistoryDraw
{
    QDate date;
    std::array<int, 6> numbers;
    int complementario;
};

QList<HistoryDraw> readHistory()
{
    QList<HistoryDraw> draws;
    const QList<QByteArray> lines =
        readBytes(QString::fromUtf8(FixturesDir) + u"/historico_bonoloto.csv"_s).split('\n');
    for (const QByteArray &line : lines.mid(1)) {
        const QList<QByteArray> fields = line.trimmed().split(',');
        if (fields.size() < 8)
            continue;
        HistoryDraw draw{QDate::fromString(QString::fromLatin1(fields[0]), Qt::ISODate), {}, 0};
        for (int i = 0; i < 6; ++i)
            draw.numbers[i] = fields[1 + i].toInt();
        draw.complementario = fields[7].toInt();
        draws.append(draw);
    }
    return draws;
}

struct Played
{
    QByteArray name;
    QByteArray days; // Windows-1252, as stored
    QDate createdOn;
    int betCount;
    QList<QList<int>> bets;
};

// Every six-number bet a syndicate plays.
QList<QList<int>> sixNumberBets(const Played &syndicate)
{
    if (syndicate.betCount < 500)
        return syndicate.bets;
    const QList<int> numbers = syndicate.bets.first();
    QList<QList<int>> bets;
    if (syndicate.betCount == 503) {
        for (int sixth = 1; sixth <= 49; ++sixth) {
            if (!numbers.contains(sixth))
                bets.append(numbers + QList<int>{sixth});
        }
        return bets;
    }
    const int m = static_cast<int>(numbers.size());
    for (int subset = 0; subset < (1 << m); ++subset) {
        if (std::popcount(static_cast<unsigned>(subset)) != 6)
            continue;
        QList<int> bet;
        for (int i = 0; i < m; ++i) {
            if (subset & (1 << i))
                bet.append(numbers[i]);
        }
        bets.append(bet);
    }
    return bets;
}

bool plays(const Played &syndicate, QDate date)
{
    static const std::array<QByteArray, 7> names = {"Lunes",
                                                    "Martes",
                                                    "Mi\xE9rcoles",
                                                    "Jueves",
                                                    "Viernes",
                                                    "S\xE1"
                                                    "bado",
                                                    "Domingo"};
    return syndicate.days == "Todos" || syndicate.days == names[date.dayOfWeek() - 1];
}

// The tallies every draw since a syndicate's creation gives, bet by bet.
QJsonObject expectedHits(const Played &syndicate, const QList<HistoryDraw> &draws)
{
    std::array<int, 8> tally{};
    const QList<QList<int>> bets = sixNumberBets(syndicate);
    for (const HistoryDraw &draw : draws) {
        if (draw.date < syndicate.createdOn || !plays(syndicate, draw.date))
            continue;
        for (const QList<int> &bet : bets) {
            int hits = 0;
            for (int n : bet)
                hits +=
                    std::find(draw.numbers.begin(), draw.numbers.end(), n) != draw.numbers.end();
            const bool complementario = bet.contains(draw.complementario);
            if (hits >= 3)
                ++tally[hits == 5 && complementario ? 7 : hits];
        }
    }
    return hitsObject(tally[3], tally[4], tally[5], tally[7], tally[6]);
}

QByteArray recordOf(const Played &syndicate)
{
    SyndicateBytes bytes;
    bytes.name(syndicate.name)
        .days(syndicate.days)
        .betCount(syndicate.betCount)
        .createdOn(serialOf(syndicate.createdOn));
    for (int b = 0; b < syndicate.bets.size(); ++b) {
        for (int i = 0; i < syndicate.bets[b].size(); ++i)
            bytes.number(b + 1, i + 1, syndicate.bets[b][i]);
    }
    return bytes;
}

TEST_F(CliCheckTest, RealHistoryCountsEveryDrawSinceCreationOnce)
{
    const QList<HistoryDraw> history = readHistory();
    ASSERT_EQ(history.size(), 9361);
    const CliRun imported =
        // Its newest draw, 20/08/2026, is no later than the day of the import.
        run({u"--today"_s, u"2026-08-24"_s, u"import-csv"_s,
             QString::fromUtf8(FixturesDir) + u"/historico_bonoloto.csv"_s});
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();

    // The first bet is the newest draw (Thursday 20/08/2026) itself.
    const QList<QList<int>> bets = {
        {1, 2, 16, 20, 28, 47}, {4, 26, 35, 40, 41, 48}, {7, 13, 21, 30, 38, 45}};
    const QList<Played> played = {
        {"SIEMPRE", "Todos", QDate(2020, 1, 1), 3, bets},
        {"LOS JUEVES", "Jueves", QDate(2020, 1, 1), 3, bets},
        {"DESDE EL 88", "Todos", QDate(1988, 1, 1), 1, {{6, 8, 12, 23, 24, 45}}},
        {"CINCO", "Todos", QDate(2024, 1, 1), 503, {{1, 2, 3, 4, 5}}},
        {"DIEZ", "Mi\xE9rcoles", QDate(2015, 1, 1), 505, {{3, 9, 14, 21, 27, 33, 38, 42, 45, 49}}}};
    QByteArray file;
    for (const Played &syndicate : played)
        file += recordOf(syndicate);
    writeBytes(pathOf(u"bonoapu.dat"_s), file);

    const CliRun first = run({u"--json"_s, u"check"_s});
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    const QJsonArray stored = syndicates();
    ASSERT_EQ(stored.size(), played.size());
    for (int s = 0; s < played.size(); ++s) {
        const QJsonObject syndicate = stored[s].toObject();
        EXPECT_EQ(syndicate[u"hits"_s].toObject(), expectedHits(played[s], history))
            << played[s].name.toStdString();
        EXPECT_EQ(syndicate[u"countedThrough"_s], u"20/08/2026"_s);
    }

    // Thursday's draw: both bet lists show the 6, the Wednesday multiple is absent.
    const QJsonArray simple = first.json().object()[u"simple"_s].toArray();
    ASSERT_EQ(simple.size(), (3 + 3) * 2 + 3 + 1);
    EXPECT_EQ(simple[2].toObject()[u"cells"_s].toArray().last(), u"20/08/2026 Jueves"_s);
    EXPECT_EQ(simple[3].toObject()[u"cells"_s].toArray().last(),
              u"¡¡ Premio !! Has acertado 6 números."_s);
    EXPECT_EQ(simple[9].toObject(), simple[3].toObject());
    const QJsonArray multiple = first.json().object()[u"multiple"_s].toArray();
    EXPECT_EQ(multiple[1].toObject()[u"cells"_s].toArray().last(), u"PEÑA CINCO               "_s);
    EXPECT_EQ(multiple.size(), 3 + 1 + 1); // 1 and 2 win 4 bets of 3 hits; an empty row closes

    // The same again: the same rows and nothing more counted.
    const QByteArray counted = readBytes(pathOf(u"bonoapu.dat"_s));
    const CliRun second = run({u"--json"_s, u"check"_s});
    EXPECT_EQ(second.out, first.out);
    EXPECT_EQ(readBytes(pathOf(u"bonoapu.dat"_s)), counted);
}

} // namespace

int main(int argc, char **argv)
{
    // QProcess wants an application object.
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
