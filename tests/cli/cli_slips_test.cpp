// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-cli print-slips: the marks read back from the PDF where a player's
// printer would put them.
#include "cli_runner.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano::test;

namespace {

// Nine bets: the ninth alone on a second slip. Bet 1 holds 9, 10 and 49, the
// corners of a block's grid.
QByteArray nineBets()
{
    SyndicateBytes syndicate;
    syndicate
        .name("PE\xD1"
              "A DEL BAR")
        .days("Jueves")
        .betCount(9)
        .createdOn(serialOf(2026, 1, 12));
    syndicate.bet(1, {9, 10, 19, 20, 41, 49});
    for (int j = 2; j <= 9; ++j)
        syndicate.bet(j, {j, j + 10, j + 20, j + 30, j + 39, 1});
    return syndicate;
}

// An "X" mark in its 11.5-point bold, not the X of Miércoles among the days.
bool isMark(const PdfWord &word)
{
    return word.text == u"X"_s && word.heightMm > 3;
}

class SlipPrintTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        copyTables(dir.path());
        writeBytes(pathOf(u"bonoapu.dat"_s),
                   nineBets() +
                       QByteArray(SyndicateBytes().name("SIETE").days("Todos").betCount(501).bet(
                           1, {1, 2, 3, 4, 5, 6, 7})));
    }

    QString pathOf(const QString &name) const { return QDir(dir.path()).filePath(name); }

    // The marks of a print-slips run, by page.
    QList<PdfWord> marks(const QStringList &arguments)
    {
        const QString pdf = pathOf(u"slips.pdf"_s);
        const CliRun run =
            runCli(dir.path(), u"2026-12-08"_s,
                   QStringList{u"print-slips"_s} + arguments + QStringList{u"--pdf"_s, pdf});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        QList<PdfWord> xs;
        for (const PdfWord &word : pdfWords(pdf)) {
            if (isMark(word))
                xs.append(word);
        }
        return xs;
    }

    QTemporaryDir dir;
};

// The printable area starts 10 mm in from the page's corner.
constexpr double MarginMm = 10;

// True when an "X" of the page has its top-left corner at `mm` (printable
// area coordinates), give or take the glyph's side bearing.
bool markAt(const QList<PdfWord> &marks, int page, QPointF mm)
{
    const QPointF onPage = mm + QPointF(MarginMm, MarginMm);
    return std::any_of(marks.begin(), marks.end(), [&](const PdfWord &mark) {
        return mark.page == page && std::abs(mark.topLeftMm.x() - onPage.x()) < 0.3 &&
               std::abs(mark.topLeftMm.y() - onPage.y()) < 0.3;
    });
}

TEST_F(SlipPrintTest, OfficialSlipsPutEachNumberInItsCell)
{
    const QList<PdfWord> xs = marks({u"1"_s});
    ASSERT_EQ(xs.size(), 9 * 6);
    EXPECT_EQ(std::count_if(xs.begin(), xs.end(), [](const PdfWord &x) { return x.page == 1; }),
              48);
    // Bet 1 in block 1: 9 in the last row of the first column, 10 in the first
    // row of the second, 49 in the corner.
    for (const QPointF cell : {QPointF(0, 45), QPointF(3.8, 0), QPointF(3.8, 45), QPointF(7.6, 0),
                               QPointF(15.2, 5), QPointF(15.2, 45)})
        EXPECT_TRUE(markAt(xs, 1, cell)) << cell.x() << ", " << cell.y();
    // Bet 8 in block 8: its 8 in row 8 of the first column.
    EXPECT_TRUE(markAt(xs, 1, {7 * 18.7, 40}));
    // Bet 9 alone on the second slip, in block 1: 9, 19, 29, 39, 48 and 1.
    for (const QPointF cell : {QPointF(0, 45), QPointF(3.8, 45), QPointF(7.6, 45),
                               QPointF(11.4, 45), QPointF(15.2, 40), QPointF(0, 5)})
        EXPECT_TRUE(markAt(xs, 2, cell)) << cell.x() << ", " << cell.y();
}

TEST_F(SlipPrintTest, TheCorrectionsMoveEveryOfficialMark)
{
    // printOffsetX 2.5 mm and printOffsetY -1.5 mm in bnums.ini.
    ASSERT_EQ(marks({u"1"_s}).size(), 54); // creates bnums.ini
    QByteArray settings = readBytes(pathOf(u"bnums.ini"_s));
    ASSERT_EQ(settings.size(), 80);
    putFloat(settings, 2, 2.5f);
    putFloat(settings, 6, -1.5f);
    writeBytes(pathOf(u"bnums.ini"_s), settings);
    const QList<PdfWord> corrected = marks({u"1"_s});
    ASSERT_EQ(corrected.size(), 54);
    EXPECT_TRUE(markAt(corrected, 1, QPointF(0, 45) + QPointF(2.5, -1.5)));
    EXPECT_TRUE(markAt(corrected, 1, QPointF(15.2, 45) + QPointF(2.5, -1.5)));
    EXPECT_FALSE(markAt(corrected, 1, QPointF(0, 45)));
    // Plain paper ignores them: its first slip starts at (25.8, 45).
    const QList<PdfWord> plain = marks({u"1"_s, u"--plain"_s});
    ASSERT_EQ(plain.size(), 54);
    EXPECT_TRUE(markAt(plain, 1, QPointF(25.8, 45) + QPointF(0, 45)));
}

TEST_F(SlipPrintTest, PlainPaperDrawsTwoSlipsToAPageAroundTheMarks)
{
    const QString pdf = pathOf(u"plain.pdf"_s);
    const CliRun run = runCli(dir.path(), u"2026-12-08"_s,
                              {u"print-slips"_s, u"1"_s, u"--plain"_s, u"--pdf"_s, pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(u"Peña: PEÑA DEL BAR"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"boleto 1 de 2"_s));
    EXPECT_TRUE(text.contains(u"boleto 2 de 2"_s));
    EXPECT_TRUE(text.contains(u"Juega: Jueves"_s));

    // Both slips on one page, the second 104 mm lower.
    const QList<PdfWord> words = pdfWords(pdf);
    QList<PdfWord> xs;
    for (const PdfWord &word : words) {
        if (isMark(word))
            xs.append(word);
    }
    ASSERT_EQ(xs.size(), 54);
    EXPECT_TRUE(markAt(xs, 1, {25.8 + 15.2, 45 + 45}));       // 49 of bet 1
    EXPECT_TRUE(markAt(xs, 1, {25.8 + 15.2, 104 + 45 + 40})); // 48 of bet 9, lower slip
    // Each X covers the printed number of its cell: 49 of block 1, upper slip.
    const bool covered = std::any_of(words.begin(), words.end(), [](const PdfWord &word) {
        const QPointF cell(MarginMm + 25.8 + 15.2, MarginMm + 45 + 45);
        return word.text == u"49"_s && std::abs(word.topLeftMm.x() - cell.x()) < 1.5 &&
               std::abs(word.topLeftMm.y() - cell.y()) < 2.5;
    });
    EXPECT_TRUE(covered);
}

TEST_F(SlipPrintTest, AMultiplePrintsOneSlipWithItsKindBox)
{
    const QList<PdfWord> xs = marks({u"2"_s});
    ASSERT_EQ(xs.size(), 8);
    for (int n = 1; n <= 7; ++n)
        EXPECT_TRUE(markAt(xs, 1, {0, 5.0 * n})) << n;
    // The 7-number multiple is told by the box 10 mm under number 39 of block 1.
    EXPECT_TRUE(markAt(xs, 1, {11.4, 45 + 10}));
}

TEST_F(SlipPrintTest, BadRequestsGiveTheirMessages)
{
    EXPECT_EQ(runCli(dir.path(), u"2026-12-08"_s, {u"print-slips"_s, u"1"_s}).exitCode, 2);
    const CliRun missing = runCli(dir.path(), u"2026-12-08"_s,
                                  {u"print-slips"_s, u"7"_s, u"--pdf"_s, pathOf(u"x.pdf"_s)});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(u"No existe la peña 7."_s));
    const CliRun unwritable =
        runCli(dir.path(), u"2026-12-08"_s,
               {u"print-slips"_s, u"1"_s, u"--pdf"_s, pathOf(u"no/such/folder/x.pdf"_s)});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_TRUE(unwritable.err.contains(u"No se ha podido escribir"_s));

    writeBytes(pathOf(u"bonoapu.dat"_s),
               SyndicateBytes().name("ROTA").days("Todos").betCount(500).bytes());
    const CliRun damaged = runCli(dir.path(), u"2026-12-08"_s,
                                  {u"print-slips"_s, u"1"_s, u"--pdf"_s, pathOf(u"x.pdf"_s)});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_TRUE(damaged.err.startsWith(u"Número de apuestas no válido: 500."_s));
    EXPECT_FALSE(QFile::exists(pathOf(u"x.pdf"_s)));
}

TEST_F(SlipPrintTest, TheExtraMarkGoesUnderBlockEight)
{
    // The 7-number multiple: its 7 numbers, its kind box and the extra box.
    const QList<PdfWord> xs = marks({u"2"_s, u"--extra-mark"_s});
    ASSERT_EQ(xs.size(), 9);
    EXPECT_TRUE(markAt(xs, 1, {7 * 18.7, 45 + 10}));
}

} // namespace

int main(int argc, char **argv)
{
    // QProcess wants an application object.
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
