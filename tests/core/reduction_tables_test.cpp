// SPDX-License-Identifier: GPL-3.0-or-later
// tablas.bin as the program reads it: the reading rules on sound and damaged
// files, the assistant's list, turning a table into a syndicate's bets and the
// coverage panel.
#include "systems/coverage_panel.h"
#include "systems/reduced_bets.h"
#include "systems/table_list.h"
#include "systems/tables_file.h"
#include "test_paths.h"
#include "test_support.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;

namespace {

// Two tables of 9 numbers around one of 10, as the file would hold them.
const QByteArray ThreeTables = "9\r\n4\r\n3\r\n"
                               "010203040506\r\n010203070809\r\n040506070809\r\n"
                               "10\r\n3\r\n2\r\n"
                               "010203040506\r\n050607080910\r\n"
                               "9\r\n3\r\n1\r\n"
                               "010203040506\r\n";

BetPositions bet(int a, int b, int c, int d, int e, int f)
{
    return {a, b, c, d, e, f};
}

SyndicateRecord expandOrFail(const ReductionTable &table, const QList<int> &base)
{
    Result<SyndicateRecord> expanded = expandReducedBets(SyndicateRecord(), table, base);
    EXPECT_TRUE(expanded.ok()) << (expanded ? "" : qPrintable(expanded.error().message.text));
    return expanded ? expanded.value() : SyndicateRecord();
}

const QList<int> NineBase = {3, 11, 17, 22, 28, 35, 40, 44, 49};

} // namespace

TEST(TableNumbers, ReadLeadingDigitsAfterBlanksAndZeroOtherwise)
{
    EXPECT_EQ(readTableNumber("12"), 12);
    EXPECT_EQ(readTableNumber("  \t7"), 7);
    EXPECT_EQ(readTableNumber("9 números"), 9);
    EXPECT_EQ(readTableNumber("1 2"), 1);
    EXPECT_EQ(readTableNumber("siete"), 0);
    EXPECT_EQ(readTableNumber("-3"), 0);
    EXPECT_EQ(readTableNumber(""), 0);
    // Absurdly long numbers saturate instead of wrapping around.
    EXPECT_GT(readTableNumber("99999999999999999999"), 205);
}

TEST(TableNumbers, BetLinesAreSixTwoCharacterFields)
{
    EXPECT_EQ(readBetPositions("010203040506"), bet(1, 2, 3, 4, 5, 6));
    EXPECT_EQ(readBetPositions(" 1 2 3 4 5 6"), bet(1, 2, 3, 4, 5, 6));
    EXPECT_EQ(readBetPositions("1 2 3 4 5 6 "), bet(1, 2, 3, 4, 5, 6));
    EXPECT_EQ(readBetPositions("101112131415 anything after"), bet(10, 11, 12, 13, 14, 15));
    // A cut-short line: the missing fields read as 0, the half field as itself.
    EXPECT_EQ(readBetPositions("0102030"), bet(1, 2, 3, 0, 0, 0));
    EXPECT_EQ(readBetPositions("01xx03"), bet(1, 0, 3, 0, 0, 0));
}

TEST(TablesFile, SplitsTablesByTheirBetCounts)
{
    const ReductionTables file = parseReductionTables(ThreeTables);
    ASSERT_EQ(file.tables.size(), 3);
    const ReductionTable &second = file.tables[1];
    EXPECT_EQ(second.index, 1);
    EXPECT_EQ(second.numbers, 10);
    EXPECT_EQ(second.guarantee, 3);
    EXPECT_EQ(second.guaranteeLine, u"3"_s);
    EXPECT_EQ(second.betCount, 2);
    EXPECT_EQ(second.bets, (QList<BetPositions>{bet(1, 2, 3, 4, 5, 6), bet(5, 6, 7, 8, 9, 10)}));
    EXPECT_EQ(file.firstNumbers(), 9);
    EXPECT_EQ(file.lastNumbers(), 9);
}

TEST(TablesFile, AcceptsOtherLineEndsAndAMissingLastOne)
{
    QByteArray unix = ThreeTables;
    unix.replace("\r\n", "\n");
    QByteArray unterminated = ThreeTables;
    unterminated.chop(2);
    for (const QByteArray &bytes : {unix, unterminated}) {
        const ReductionTables file = parseReductionTables(bytes);
        ASSERT_EQ(file.tables.size(), 3);
        EXPECT_TRUE(file.tables[2].complete());
        EXPECT_EQ(file.tables[2].bets.first(), bet(1, 2, 3, 4, 5, 6));
    }
}

TEST(TablesFile, DamagedFilesReadByTheRulesWithoutFailing)
{
    // The file ends two bet lines early: the table keeps the lines there are.
    const ReductionTable cut = parseReductionTables("9\r\n4\r\n3\r\n010203040506\r\n").tables[0];
    EXPECT_EQ(cut.betCount, 3);
    EXPECT_EQ(cut.bets.size(), 1);
    EXPECT_FALSE(cut.complete());

    // Header lines missing at the end of the file read as 0.
    const ReductionTables header = parseReductionTables("9\r\n");
    ASSERT_EQ(header.tables.size(), 1);
    EXPECT_EQ(header.tables[0].guarantee, 0);
    EXPECT_EQ(header.tables[0].betCount, 0);

    // A count that is not a number reads as 0, so the next line starts a table.
    const ReductionTables count = parseReductionTables("9\r\n4\r\ntres\r\n10\r\n3\r\n0\r\n");
    ASSERT_EQ(count.tables.size(), 2);
    EXPECT_EQ(count.tables[0].betCount, 0);
    EXPECT_EQ(count.tables[1].numbers, 10);

    // An enormous count swallows the rest of the file and no more.
    const ReductionTables huge = parseReductionTables("9\r\n4\r\n999999999999\r\n010203040506\r\n");
    ASSERT_EQ(huge.tables.size(), 1);
    EXPECT_EQ(huge.tables[0].bets.size(), 1);

    EXPECT_TRUE(parseReductionTables("").tables.isEmpty());
}

TEST(TablesFile, RandomBytesNeverBreakTheReaderOrItsUsers)
{
    QRandomGenerator random(20240611);
    const QByteArray alphabet = "0123456789 \r\n\r\nx-";
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes;
        const int size = static_cast<int>(random.bounded(400));
        for (int i = 0; i < size; ++i)
            bytes += alphabet[random.bounded(static_cast<int>(alphabet.size()))];
        const ReductionTables file = parseReductionTables(bytes);
        (void)listTablesFor(file, 9);
        for (const ReductionTable &table : file.tables) {
            (void)coveragePanelFor(table);
            Result<SyndicateRecord> expanded =
                expandReducedBets(SyndicateRecord(), table, NineBase.mid(0, table.numbers));
            if (!expanded)
                continue;
            // Whatever the file said, a syndicate it produces is a sound one.
            const SyndicateRecord &syndicate = expanded.value();
            ASSERT_GE(syndicate.betCount, 1);
            ASSERT_LE(syndicate.betCount, SyndicateRecord::MaxBets);
            for (int j = 0; j < syndicate.betCount; ++j)
                for (int k = 0; k < 6; ++k)
                    ASSERT_TRUE(NineBase.contains(syndicate.bets[j][k]));
        }
    }
}

TEST(TablesFile, MissingFileIsAnErrorAndTheShippedFileReads)
{
    EXPECT_EQ(readReductionTables(u"/nonexistent/tablas.bin"_s).error().kind, ErrorKind::NotFound);
    Result<ReductionTables> shipped =
        readReductionTables(QString::fromUtf8(zafrano::test::TablesFile));
    ASSERT_TRUE(shipped.ok());
    EXPECT_EQ(shipped->firstNumbers(), 7);
    EXPECT_EQ(shipped->lastNumbers(), 20);
}

TEST(TableList, ListsTheTablesOfOneCountInFileOrder)
{
    const TableList list = listTablesFor(parseReductionTables(ThreeTables), 9);
    EXPECT_EQ(list.listText, u"Tablas disponibles"_s);
    EXPECT_EQ(list.entries,
              (QStringList{u"9 números al 4, 3 apuestas."_s, u"9 números al 3, 1 apuestas."_s}));
    // The second entry is the file's third table, not its second.
    EXPECT_EQ(list.tableOfListEntry, (QList<int>{0, 2}));
    EXPECT_TRUE(list.reducedButtonEnabled);
    EXPECT_EQ(list.hint, u"(Para crear reducidas, se han de elegir entre 9 y 9 números)"_s);
}

TEST(TableList, NoTableForTheCount)
{
    const ReductionTables file = parseReductionTables(ThreeTables);
    for (const int numbers : {0, 8, 21}) {
        const TableList list = listTablesFor(file, numbers);
        EXPECT_TRUE(list.entries.isEmpty());
        EXPECT_FALSE(list.reducedButtonEnabled);
        EXPECT_EQ(list.listText, u"No hay tablas reducidas de %1 nºs."_s.arg(numbers));
    }
    EXPECT_EQ(listTablesFor(ReductionTables(), 9).hint,
              u"El archivo de tablas reducidas no es válido."_s);
}

TEST(TableList, KeepsAtMostFiftyOneTablesOfOneCount)
{
    QByteArray bytes;
    for (int i = 0; i < 60; ++i)
        bytes += "8\r\n4\r\n1\r\n010203040506\r\n";
    const TableList list = listTablesFor(parseReductionTables(bytes), 8);
    EXPECT_EQ(list.entries.size(), TableList::MaxEntries);
    EXPECT_EQ(list.tableOfListEntry.last(), TableList::MaxEntries - 1);
    EXPECT_EQ(chooserEntries(parseReductionTables(bytes)).size(), 60);
}

TEST(PositionAtTable, FindsATableByIndexOrSaysThereIsNone)
{
    const ReductionTables file = parseReductionTables(ThreeTables);
    Result<ReductionTable> last = positionAtTable(file, 2);
    ASSERT_TRUE(last.ok());
    EXPECT_EQ(last->numbers, 9);
    EXPECT_EQ(last->guarantee, 3);
    EXPECT_EQ(last->betCount, 1);
    for (const int index : {-1, 3}) {
        Result<ReductionTable> none = positionAtTable(file, index);
        ASSERT_FALSE(none.ok());
        EXPECT_EQ(none.error().message.title, u"¡Vaya hombre!"_s);
    }
}

TEST(ExpandReducedBets, TurnsPositionsIntoTheBaseNumbers)
{
    SyndicateRecord before;
    before.setName(u"LA REDUCIDA"_s);
    before.bets[0] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}; // left over from an earlier syndicate
    before.bets[150][0] = 12;
    const ReductionTable table = parseReductionTables(ThreeTables).tables[0];
    Result<SyndicateRecord> expanded = expandReducedBets(before, table, NineBase);
    ASSERT_TRUE(expanded.ok());
    const SyndicateRecord &syndicate = expanded.value();
    EXPECT_EQ(syndicate.nameText(), u"LA REDUCIDA"_s);
    EXPECT_EQ(syndicate.reducedFrom, 9);
    EXPECT_EQ(syndicate.reducedGuarantee, 4);
    EXPECT_EQ(syndicate.betCount, 3);
    EXPECT_EQ(syndicate.kind(), SyndicateKind::Reduced);
    const std::array<qint16, 20> base = {3, 11, 17, 22, 28, 35, 40, 44, 49};
    EXPECT_EQ(syndicate.reducedNumbers, base);
    const SyndicateRecord::Bet first = {3, 11, 17, 22, 28, 35};
    const SyndicateRecord::Bet second = {3, 11, 17, 40, 44, 49};
    const SyndicateRecord::Bet third = {22, 28, 35, 40, 44, 49};
    EXPECT_EQ(syndicate.bets[0], first);
    EXPECT_EQ(syndicate.bets[1], second);
    EXPECT_EQ(syndicate.bets[2], third);
    EXPECT_EQ(syndicate.bets[150], SyndicateRecord::Bet{});
}

TEST(ExpandReducedBets, KeepsTheOrderOfTheTableLine)
{
    const ReductionTable table = parseReductionTables("7\r\n5\r\n1\r\n 7 1 6 2 5 3\r\n").tables[0];
    const SyndicateRecord syndicate = expandOrFail(table, {10, 20, 30, 40, 41, 42, 43});
    const SyndicateRecord::Bet expected = {43, 10, 42, 20, 41, 30};
    EXPECT_EQ(syndicate.bets[0], expected);
}

TEST(ExpandReducedBets, RefusesTablesThatWouldMakeABrokenSyndicate)
{
    const auto refused = [](const QByteArray &file, const QList<int> &base, const char *why) {
        const ReductionTable table = parseReductionTables(file).tables[0];
        Result<SyndicateRecord> expanded = expandReducedBets(SyndicateRecord(), table, base);
        ASSERT_FALSE(expanded.ok()) << why;
        EXPECT_EQ(expanded.error().message.title, u"¡Vaya hombre!"_s) << why;
        EXPECT_EQ(expanded.error().message.icon, MessageIcon::Exclamation) << why;
    };
    const QList<int> seven = {1, 2, 3, 4, 5, 6, 7};
    refused("7\r\n5\r\n2\r\n010203040506\r\n", seven, "a bet line missing");
    refused("7\r\n5\r\n1\r\n010203040508\r\n", seven, "a position beyond N");
    refused("7\r\n5\r\n1\r\n010203040521\r\n", seven, "a position beyond 20");
    refused("7\r\n5\r\n1\r\n0102030405\r\n", seven, "a short line: position 0");
    refused("7\r\n5\r\n1\r\n010203040505\r\n", seven, "a repeated position");
    refused("7\r\n5\r\n0\r\n", seven, "no bets");
    refused("7\r\nx\r\n1\r\n010203040506\r\n", seven, "a guarantee that is not a number");
    refused("21\r\n3\r\n1\r\n010203040506\r\n", QList<int>(21, 1), "more than 20 numbers");
    refused("5\r\n3\r\n1\r\n010203040506\r\n", {1, 2, 3, 4, 5}, "fewer than 6 numbers");
    refused("7\r\n5\r\n1\r\n010203040506\r\n", {1, 2, 3, 4, 5, 6}, "too few base numbers");
    refused("7\r\n5\r\n1\r\n010203040506\r\n", {1, 2, 3, 4, 5, 6, 6}, "a repeated base number");
    refused("7\r\n5\r\n1\r\n010203040506\r\n", {1, 2, 3, 4, 5, 6, 50}, "a base number above 49");

    QByteArray tooMany = "7\r\n5\r\n206\r\n";
    for (int j = 0; j < 206; ++j)
        tooMany += "010203040506\r\n";
    refused(tooMany, seven, "more bets than a syndicate holds");
    tooMany.replace("206", "205");
    EXPECT_EQ(expandOrFail(parseReductionTables(tooMany).tables[0], seven).betCount, 205);
}

TEST(Coverage, FactorialAndTheFullSystem)
{
    EXPECT_EQ(Factorial(0), 1);
    EXPECT_EQ(Factorial(-4), 1);
    EXPECT_EQ(Factorial(9), 362880);
    EXPECT_EQ(fullSystemBets(6), 1);
    EXPECT_EQ(fullSystemBets(9), 84);
    EXPECT_EQ(fullSystemBets(20), 38760);
    // A damaged file's count gives a big number, not a long wait or a NaN.
    EXPECT_GT(fullSystemBets(999'999'999), 1e40);
}

TEST(Coverage, WorkedExampleOfNineNumbersAndThreeBets)
{
    const ReductionTable table = parseReductionTables(ThreeTables).tables[0];
    const CoveragePanel panel = coveragePanelFor(table);
    EXPECT_EQ(panel.fullSystem, 84);
    EXPECT_EQ(panel.label43,
              u"Si entre los 9 números seleccionados, se encuentran los 6 ganadores:"_s);
    EXPECT_EQ(panel.label45, u"Asegura al 100% un premio de:"_s);
    EXPECT_EQ(panel.label48, u"4 aciertos"_s);
    EXPECT_EQ(panel.label46, u"Posibilidad de premio de 6:"_s);
    EXPECT_EQ(panel.label47, u"3,57%"_s);
    EXPECT_EQ(panel.label49, u"Jugar a 9 números sin reducir, tendría que rellenar:"_s);
    EXPECT_EQ(panel.label50, u"84 apuestas."_s);
}

TEST(Coverage, ChanceIsTheShareOfTheFullSystemWhateverTheGuarantee)
{
    const auto chance = [](const QByteArray &header) {
        return coveragePanelFor(parseReductionTables(header).tables[0]).label47;
    };
    EXPECT_EQ(chance("6\r\n6\r\n1\r\n"), u"100,00%"_s);
    EXPECT_EQ(chance("9\r\n3\r\n3\r\n"), u"3,57%"_s);
    EXPECT_EQ(chance("20\r\n4\r\n87\r\n"), u"0,22%"_s);
    // The guarantee's own text is shown as it stands in the file.
    EXPECT_EQ(coveragePanelFor(parseReductionTables("9\r\n 5 \r\n7\r\n").tables[0]).label48,
              u"5 aciertos"_s);
    EXPECT_EQ(coveragePanelFor(parseReductionTables("20\r\n4\r\n87\r\n").tables[0]).label50,
              u"38760 apuestas."_s);
}

TEST(Coverage, TwoDecimalsWithACommaRoundingHalvesUp)
{
    EXPECT_EQ(twoDecimals(3.5714285), u"3,57"_s);
    EXPECT_EQ(twoDecimals(12.125), u"12,13"_s);
    EXPECT_EQ(twoDecimals(0.004), u"0,00"_s);
    EXPECT_EQ(twoDecimals(100), u"100,00"_s);
}
