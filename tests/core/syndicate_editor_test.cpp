// SPDX-License-Identifier: GPL-3.0-or-later
// The syndicate editor's rules without its window: marking bets, the limits of
// each kind, what "Grabar" checks and writes, the name and day rules and the
// immediate writes of edit mode. Records are compared byte for byte.
#include "editor/syndicate_editor.h"
#include "ledger/ledger_store.h"
#include "store/day_serial.h"
#include "store/folder_lock.h"
#include "store/program_database.h"
#include "test_support.h"

#include <QLockFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

const QDate Today(2026, 12, 7);

// Table 0: 7 numbers, 1 bet. Table 1: 9 numbers at 4, 3 bets.
const QByteArray Tables = "7\r\n5\r\n1\r\n010204050607\r\n"
                          "9\r\n4\r\n3\r\n010203040506\r\n 4 5 6 7 8 9\r\n010203070809\r\n";

const QString OneMultiple =
    u"¡¡ Oficialmente sólo se admite una combinación por boleto cuando juegas a múltiples !! "_s;

ProgramMessage info(const QString &text)
{
    return {text, u"Error"_s, MessageIcon::Information};
}

ProgramMessage exclamation(const QString &text)
{
    return {text, u"Error"_s, MessageIcon::Exclamation};
}

// What an action refused, as the window would show it; nothing when it went through.
template <typename T> std::optional<ProgramMessage> refusal(const Result<T> &result)
{
    return result ? std::nullopt : std::optional(result.error().message);
}

// A generator that hands out the given values in turn.
RandomSeeding scripted(QList<double> values)
{
    return [values] {
        auto at = std::make_shared<qsizetype>(0);
        return [values, at] { return values[(*at)++ % values.size()]; };
    };
}

class SyndicateEditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        writeBytes(path(u"tablas.bin"_s), Tables);
        writeBytes(path(u"bonoapu.dat"_s), {});
        writeBytes(path(u"bononume.dat"_s),
                   drawBytes({3, 7, 12, 25, 33, 41}, 5, 3, serialOf(Today.addDays(-2))));
    }

    QString path(const QString &name) const { return dir.filePath(name); }
    QByteArray syndicates() const { return readBytes(path(u"bonoapu.dat"_s)); }
    QByteArray record(int k) const
    {
        return syndicates().mid((k - 1) * SyndicateRecord::Size, SyndicateRecord::Size);
    }

    SyndicateEditor &open(EditorRequest request, RandomSeeding seeding = {})
    {
        editor.emplace(DataFolder(dir.path()), std::move(seeding));
        const Status opened = editor->open(request);
        EXPECT_TRUE(opened.ok());
        return *editor;
    }

    void clickAll(std::initializer_list<int> numbers)
    {
        for (const int n : numbers)
            EXPECT_EQ(refusal(editor->click(n)), std::nullopt) << n;
    }

    // A record as "Grabar" writes it today for the named syndicate.
    static SyndicateBytes saved(QByteArrayView name, QByteArrayView days)
    {
        SyndicateBytes bytes;
        bytes.name(name).days(days).createdOn(serialOf(Today));
        return bytes;
    }

    QTemporaryDir dir;
    std::optional<SyndicateEditor> editor;
};

TEST(BetEntryText, AscendingWithBlankBeforeSingleDigits)
{
    EXPECT_EQ(betEntryText({49, 3, 25, 7, 12, 33}), u" 3- 7-12-25-33-49"_s);
    EXPECT_EQ(betEntryText({10, 1}), u" 1-10"_s);
}

TEST_F(SyndicateEditorTest, SimpleBetsCompleteAtSixMarksInAnyOrder)
{
    SyndicateEditor &e = open({});
    EXPECT_EQ(e.heading(), u"INTRODUZCA EL NOMBRE Y 6 NÚMEROS:"_s);
    EXPECT_EQ(e.betLimit(), 205);
    clickAll({40, 2, 17});
    EXPECT_TRUE(e.click(17).ok()); // unmarked again
    EXPECT_EQ(e.grid().markedCount(), 2);
    EXPECT_FALSE(e.buttons().save);
    clickAll({17, 9, 33, 1});
    EXPECT_EQ(e.betCounter(), 1);
    EXPECT_EQ(e.grid().markedCount(), 0);
    EXPECT_EQ(e.entries(), QStringList{u" 1- 2- 9-17-33-40"_s});
    EXPECT_TRUE(e.buttons().save);
    EXPECT_TRUE(e.buttons().clear);

    // A half-marked bet holds "Grabar" back.
    clickAll({5});
    EXPECT_FALSE(e.buttons().save);
    clickAll({5});
    EXPECT_TRUE(e.buttons().save);

    clickAll({6, 5, 4, 3, 2, 1});
    EXPECT_EQ(e.entries().size(), 2);
    e.removeLastBet();
    e.removeLastBet();
    EXPECT_EQ(e.betCounter(), 0);
    EXPECT_EQ(e.buttons().save, false);
    EXPECT_EQ(e.buttons().clear, false);
    EXPECT_TRUE(e.buttons().random);
}

TEST_F(SyndicateEditorTest, MissingOrUnplayableTableIsRefusedOnOpening)
{
    SyndicateEditor missing(DataFolder(dir.path()));
    EXPECT_FALSE(missing.open({EditorKind::Reduced, 5, false, {}, 0}).ok());

    // A bet line pointing past the system's numbers cannot be played.
    writeBytes(path(u"tablas.bin"_s), "7\r\n5\r\n1\r\n010204050608\r\n");
    EXPECT_FALSE(missing.open({EditorKind::Reduced, 0, false, {}, 0}).ok());
}

TEST_F(SyndicateEditorTest, RankedNumbersAreMarkedAndTheSaveCloses)
{
    SyndicateEditor &e = open({1, 0, true, {14, 2, 41, 9, 33, 27, 5}, 0});
    EXPECT_EQ(e.betCounter(), 1);
    EXPECT_EQ(e.entries(), QStringList{u" 2- 5- 9-14-27-33-41"_s});
    EXPECT_FALSE(e.buttons().random);
    e.changeName(u"ranking"_s);
    const Result<SaveOutcome> outcome = e.save(Today);
    ASSERT_TRUE(outcome.ok());
    EXPECT_TRUE(outcome->saved);
    EXPECT_TRUE(outcome->closeWindow);
    EXPECT_EQ(syndicates(),
              saved("RANKING", "Todos").bet(1, {2, 5, 9, 14, 27, 33, 41}).betCount(501).bytes());

    // A simple one from the ranking keeps "Aleatorio" for more bets.
    SyndicateEditor &simple = open({0, 0, true, {14, 2, 41, 9, 33, 27}, 0});
    EXPECT_EQ(simple.betCounter(), 1);
    EXPECT_TRUE(simple.buttons().random);
}

TEST_F(SyndicateEditorTest, SaveChecksRunInOrder)
{
    SyndicateEditor &e = open({});
    clickAll({1, 2, 3, 4, 5, 6});
    const ProgramMessage olderThanExisting = exclamation(
        u"¡¡¡No puede crear una peña con fecha anterior a una ya existente!!!. Borre dicha "
        u"peña antes de crear ésta."_s);
    const ProgramMessage drawsLater = exclamation(
        u"Hay sorteos con fecha posterior a la de la peña que intenta crear. Revise la fecha de "
        u"su ordenador. ¡No se puede crear una peña con fecha anterior a la del último sorteo!"_s);
    const ProgramMessage noName = exclamation(u"¡¡¡No ha escrito el nombre de la peña!!!"_s);

    const QByteArray future = SyndicateBytes()
                                  .name("FUTURA")
                                  .days("Todos")
                                  .bet(1, {1, 2, 3, 4, 5, 6})
                                  .betCount(1)
                                  .createdOn(serialOf(Today.addDays(1)));
    writeBytes(path(u"bonoapu.dat"_s), future);
    writeBytes(path(u"bononume.dat"_s),
               drawBytes({1, 2, 3, 4, 5, 6}, 7, 8, serialOf(Today.addDays(1))));
    EXPECT_EQ(refusal(e.save(Today)), olderThanExisting);
    EXPECT_FALSE(e.buttons().random);

    writeBytes(path(u"bonoapu.dat"_s), {});
    EXPECT_EQ(refusal(e.save(Today)), drawsLater);

    writeBytes(path(u"bononume.dat"_s), drawBytes({1, 2, 3, 4, 5, 6}, 7, 8, serialOf(Today)));
    EXPECT_EQ(refusal(e.save(Today)), noName);
    EXPECT_TRUE(e.nameOnly());
    EXPECT_EQ(refusal(e.click(9)),
              info(u"Sólo tienes que poner un nombre. No puedes añadir más números."_s));
    EXPECT_EQ(e.betCounter(), 1);
    EXPECT_TRUE(syndicates().isEmpty());

    e.changeName(u"ya"_s);
    EXPECT_TRUE(e.save(Today)->saved);
    EXPECT_EQ(syndicates().size(), SyndicateRecord::Size);
}

TEST_F(SyndicateEditorTest, NameIsUpperCaseAndAtMostTwentyLetters)
{
    SyndicateEditor &e = open({});
    EXPECT_EQ(e.changeName(u"los de la peña 12345"_s).text, u"LOS DE LA PEÑA 12345"_s);
    const NameChange tooLong = e.changeName(u"LOS DE LA PEÑA 123456"_s);
    EXPECT_EQ(tooLong.text, u"AYYYYYY!!"_s);
    EXPECT_EQ(refusal(tooLong.status),
              exclamation(u"¡¡¡El nombre no puede tener más de 20 letras!!!"_s));
    EXPECT_EQ(e.name(), u"AYYYYYY!!"_s);
}

TEST_F(SyndicateEditorTest, RandomBetsAreDistinctNumbersOfTheGrid)
{
    // 0.0 gives 1, 0.999 gives 49; repeats are drawn again.
    SyndicateEditor &e = open({}, scripted({0.0, 0.0, 0.999, 0.5, 0.999, 0.25, 0.75, 0.1}));
    EXPECT_EQ(refusal(e.random()), std::nullopt);
    EXPECT_EQ(e.entries(), QStringList{u" 1- 6-13-25-37-49"_s});
    EXPECT_TRUE(e.buttons().random);
}

TEST_F(SyndicateEditorTest, FailedWriteKeepsTheBetsAndTheFile)
{
    SyndicateEditor &e = open({});
    clickAll({1, 2, 3, 4, 5, 6});
    e.changeName(u"x"_s);
    const QByteArray before = syndicates();
    std::optional<Result<SaveOutcome>> outcome;
    {
        ReadOnlyFolder readOnly(dir.path());
        if (!readOnly.active())
            GTEST_SKIP() << "the folder cannot be made read-only here";
        outcome = e.save(Today);
    }
    EXPECT_FALSE(outcome->ok());
    EXPECT_EQ(syndicates(), before);
    EXPECT_EQ(e.betCounter(), 1);
}

// ---------------------------------------------------------------- edit mode

class EditModeTest : public SyndicateEditorTest
{
protected:
    void SetUp() override
    {
        SyndicateEditorTest::SetUp();
        writeBytes(path(u"bonoapu.dat"_s), SyndicateBytes()
                                                   .name("PRIMERA")
                                                   .days("Lunes")
                                                   .bet(1, {1, 2, 3, 4, 5, 6})
                                                   .betCount(1)
                                                   .bytes() +
                                               SyndicateBytes()
                                                   .name("REDUCIDA")
                                                   .days("Todos")
                                                   .reduced(9, 4, {1, 3, 7, 12, 19, 22, 30, 38, 45})
                                                   .bet(1, {1, 3, 7, 12, 19, 22})
                                                   .bet(2, {12, 19, 22, 30, 38, 45})
                                                   .bet(3, {1, 3, 7, 30, 38, 45})
                                                   .betCount(3)
                                                   .hits(2, 1, 0, 0, 0)
                                                   .createdOn(serialOf(2026, 1, 5))
                                                   .bytes() +
                                               SyndicateBytes()
                                                   .name("OCHO")
                                                   .days("Viernes")
                                                   .bet(1, {1, 2, 3, 4, 5, 6, 7, 8})
                                                   .betCount(502)
                                                   .bytes());
    }
};

TEST_F(EditModeTest, OpensOnTheStoredSyndicate)
{
    SyndicateEditor &e = open({0, 0, true, {}, 2});
    EXPECT_TRUE(e.editing());
    EXPECT_EQ(e.name(), u"REDUCIDA"_s);
    EXPECT_EQ(e.dayOption(), 2);
    EXPECT_EQ(e.navigatorMaximum(), 3);
    EXPECT_EQ(e.grid().marked(), (QList<int>{1, 3, 7, 12, 19, 22}));
    EXPECT_EQ(e.entries(), (QStringList{u" 1- 3- 7-12-19-22"_s, u"12-19-22-30-38-45"_s,
                                        u" 1- 3- 7-30-38-45"_s}));

    SyndicateEditor &multiple = open({0, 0, true, {}, 3});
    EXPECT_EQ(multiple.editorKind(), 2);
    EXPECT_EQ(multiple.requiredCount(), 8);
    EXPECT_EQ(multiple.navigatorMaximum(), 1);
    EXPECT_EQ(multiple.dayOption(), 4);
}

TEST_F(EditModeTest, ChangedBetIsWrittenAndEndsTheReduction)
{
    SyndicateEditor &e = open({0, 0, true, {}, 2});
    const QByteArray before = record(2);
    clickAll({22});
    EXPECT_EQ(record(2), before); // five marks: nothing written yet
    EXPECT_EQ(refusal(e.showBet(2)),
              info(u"¡¡ Faltan números !!. Por favor, completa la apuesta."_s));
    EXPECT_EQ(e.shownBet(), 1);
    EXPECT_EQ(refusal(e.closeRequested()),
              info(u"¡¡ 5 números !!. Por favor, rectifica la apuesta. Ha de ser de 6 números"_s));

    // A tally the check wrote meanwhile survives the editor's write.
    writeBytes(
        path(u"bonoapu.dat"_s),
        syndicates().left(SyndicateRecord::Size) +
            SyndicateBytes(before).hits(5, 1, 0, 0, 0).countedThrough(serialOf(Today)).bytes() +
            record(3));
    clickAll({40});
    EXPECT_EQ(refusal(e.closeRequested()), std::nullopt);
    const QByteArray changed = SyndicateBytes(before)
                                   .reduced(0, 4, {1, 3, 7, 12, 19, 22, 30, 38, 45})
                                   .bet(1, {1, 3, 7, 12, 19, 40})
                                   .hits(5, 1, 0, 0, 0)
                                   .countedThrough(serialOf(Today));
    EXPECT_EQ(record(2), changed);
    EXPECT_EQ(e.entries().first(), u" 1- 3- 7-12-19-40"_s);

    clickAll({41});
    EXPECT_EQ(refusal(e.showBet(2)),
              info(u"¡¡ Sobran números !!. Por favor, completa la apuesta."_s));
    clickAll({41});
    EXPECT_EQ(record(2), changed);
    EXPECT_EQ(refusal(e.showBet(3)), std::nullopt);
    EXPECT_EQ(e.grid().marked(), (QList<int>{1, 3, 7, 30, 38, 45}));
}

TEST_F(EditModeTest, SameNumbersAgainWriteNothing)
{
    open({0, 0, true, {}, 2});
    const QByteArray before = syndicates();
    clickAll({22, 22});
    EXPECT_EQ(syndicates(), before);
}

TEST_F(EditModeTest, NameAndDayAreWrittenAtOnce)
{
    SyndicateEditor &e = open({0, 0, true, {}, 1});
    const QByteArray before = record(1);
    e.changeName(u"nueva"_s);
    EXPECT_TRUE(e.chooseDay(2).ok());
    EXPECT_EQ(record(1), SyndicateBytes(before).name("NUEVA").days("Todos").bytes());
    e.changeName(u"ABCDEFGHIJKLMNOPQRSTU"_s);
    EXPECT_EQ(record(1), SyndicateBytes(before).name("AYYYYYY!!").days("Todos").bytes());
    // Sunday is the last option and is stored by its name.
    EXPECT_EQ(editorDayOptions().last(), u"Domingo"_s);
    EXPECT_TRUE(e.chooseDay(7).ok());
    EXPECT_EQ(record(1), SyndicateBytes(before).name("AYYYYYY!!").days("Domingo").bytes());
    EXPECT_EQ(open({0, 0, true, {}, 1}).dayOption(), 7);
}

TEST_F(EditModeTest, WhileAnotherWriterHoldsTheFolderNothingIsWritten)
{
    qputenv("ZAFRANO_LOCK_WAIT_MS", "50");
    SyndicateEditor &e = open({0, 0, true, {}, 1});
    const QByteArray before = syndicates();
    {
        // The evening check counting, say.
        QLockFile other(path(QString::fromUtf16(FolderLock::FileName)));
        ASSERT_TRUE(other.tryLock(0));
        const NameChange renamed = e.changeName(u"nueva"_s);
        EXPECT_EQ(renamed.text, u"PRIMERA"_s);
        ASSERT_FALSE(renamed.status);
        EXPECT_TRUE(renamed.status.error().message.text.startsWith(
            u"Otro programa está cambiando los datos de la carpeta "_s));
        EXPECT_FALSE(e.chooseDay(2));
        EXPECT_EQ(syndicates(), before);

        SyndicateEditor &fresh = open({});
        clickAll({1, 2, 3, 4, 5, 6});
        fresh.changeName(u"otra"_s);
        EXPECT_FALSE(fresh.save(Today));
        EXPECT_EQ(syndicates(), before);
    }
    // Free again, the same save goes through.
    EXPECT_TRUE(editor->save(Today));
    EXPECT_EQ(syndicates().size(), before.size() + SyndicateRecord::Size);
    qunsetenv("ZAFRANO_LOCK_WAIT_MS");
}

TEST_F(EditModeTest, AnEditAfterTheDaysDrawCountsInTheAccountFromTheNextDay)
{
    const QDate drawDay = Today.addDays(-2); // the newest stored draw's
    ASSERT_TRUE(ProgramDatabase::openIn(DataFolder(dir.path())));
    SyndicateEditor e(DataFolder(dir.path()), {}, [drawDay] { return drawDay; });
    ASSERT_TRUE(e.open({0, 0, true, {}, 1}).ok());
    EXPECT_EQ(refusal(e.chooseDay(2)), std::nullopt);
    Result<ProgramDatabase> db = ProgramDatabase::openIn(DataFolder(dir.path()));
    ASSERT_TRUE(db);
    const LedgerBook book = readLedger(*db, u"PRIMERA"_s).value().value();
    ASSERT_EQ(book.bets.size(), 2);
    EXPECT_EQ(book.bets[0].syndicate.daysText(), u"Lunes"_s); // played until then
    EXPECT_EQ(book.bets[1].since, drawDay.addDays(1));
    EXPECT_EQ(book.bets[1].syndicate.daysText(), u"Todos"_s);
}

TEST_F(EditModeTest, AddAndRemoveBets)
{
    SyndicateEditor &e = open({0, 0, true, {}, 1});
    const QByteArray before = record(1);
    EXPECT_EQ(refusal(e.removeShownBet()),
              info(u"¡¡ No puedes borrar todas las apuestas !!. Si quieres borrar la Peña, hazlo "
                   u"desde la pestaña GESTOR DE PEÑAS."_s));
    clickAll({6});
    EXPECT_EQ(refusal(e.addBet()), info(u"¡¡ 5 números !!. Por favor, completa la apuesta."_s));
    clickAll({6});
    EXPECT_EQ(refusal(e.addBet()), std::nullopt);
    EXPECT_EQ(e.navigatorMaximum(), 2);
    EXPECT_EQ(e.shownBet(), 2);
    EXPECT_EQ(e.grid().markedCount(), 0);
    EXPECT_EQ(record(1), before); // the empty bet is not stored
    e.changeName(u"primera"_s);
    EXPECT_EQ(SyndicateRecord::fromBytes(record(1)).betCount, 1);
    clickAll({10, 20, 30, 40, 45, 49});
    EXPECT_EQ(record(1),
              SyndicateBytes(before).bet(2, {10, 20, 30, 40, 45, 49}).betCount(2).bytes());

    EXPECT_EQ(refusal(e.showBet(1)), std::nullopt);
    EXPECT_EQ(refusal(e.removeShownBet()), std::nullopt);
    EXPECT_EQ(e.navigatorMaximum(), 1);
    EXPECT_EQ(e.shownBet(), 1);
    EXPECT_EQ(e.grid().marked(), (QList<int>{10, 20, 30, 40, 45, 49}));
    EXPECT_EQ(record(1), SyndicateBytes(before).bet(1, {10, 20, 30, 40, 45, 49}).bytes());
}

TEST_F(EditModeTest, MultipleKeepsItsSingleBet)
{
    SyndicateEditor &e = open({0, 0, true, {}, 3});
    EXPECT_EQ(refusal(e.addBet()), info(u"No puedes añadir más apuestas. "_s + OneMultiple));
    EXPECT_FALSE(e.removeShownBet().ok());
    clickAll({8, 9});
    EXPECT_EQ(record(3), SyndicateBytes()
                             .name("OCHO")
                             .days("Viernes")
                             .bet(1, {1, 2, 3, 4, 5, 6, 7, 9})
                             .betCount(502)
                             .bytes());
}

TEST_F(EditModeTest, SimpleSyndicateOf205BetsTakesNoMore)
{
    QByteArray full = SyndicateBytes().name("LLENA").days("Todos").betCount(205);
    for (int j = 1; j <= 205; ++j)
        full = SyndicateBytes(full).bet(j, {1, 2, 3, 4, 5, 6});
    writeBytes(path(u"bonoapu.dat"_s), full);
    SyndicateEditor &e = open({0, 0, true, {}, 1});
    EXPECT_EQ(refusal(e.addBet()), info(u"Máximo de apuestas sencillas por peña : 205."_s));
}

} // namespace
