// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file bnums.ini: first start, the address replacements, rewrites
// that keep the reserved words, and the rules of the settings window's boxes.
#include "store/settings.h"
#include "test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

// A record as another program version may have left it: every field set,
// reserved words not zero.
QByteArray storedRecord(QByteArrayView address)
{
    QByteArray bytes(80, '\0');
    putInt16(bytes, 0, 0x0102);
    putFloat(bytes, 2, 3.5F);
    putFloat(bytes, 6, -1.25F);
    putInt16(bytes, 10, 0x0304);
    putFloat(bytes, 12, 0.5F);
    putInt16(bytes, 16, 36);
    putText(bytes, 18, address, 60);
    putInt16(bytes, 78, 0x0506);
    return bytes;
}

QByteArray defaultRecord()
{
    QByteArray bytes(80, '\0');
    putText(bytes, 18, defaultWebAddress().toLatin1(), 60);
    return bytes;
}

// A new file also carries the price of a bet, so the weekly spends are right
// from the first start.
QByteArray newFileRecord()
{
    QByteArray bytes = defaultRecord();
    putFloat(bytes, 12, 0.5F);
    return bytes;
}

QByteArray withDefaultAddress(QByteArray record)
{
    putText(record, 18, defaultWebAddress().toLatin1(), 60);
    return record;
}

class SettingsFileTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QTemporaryDir dir;
    SettingsFile file{dir.path()};
};

// ---------------------------------------------------------------- start-up reading

TEST_F(SettingsFileTest, FirstStartCreatesTheDefaultRecord)
{
    const Settings settings = file.readAtStartup();
    EXPECT_EQ(settings.webAddressText(), defaultWebAddress());
    EXPECT_EQ(settings.pricePerBet, 0.5F);
    EXPECT_EQ(settings.maxMonths, 0);
    EXPECT_EQ(readBytes(file.path()), newFileRecord());
    EXPECT_EQ(fileNames(dir.path()), QStringList{u"bnums.ini"_s});
}

TEST_F(SettingsFileTest, EmptyFileBecomesTheDefaultRecord)
{
    writeBytes(file.path(), {});
    const Settings settings = file.readAtStartup();
    EXPECT_EQ(settings.webAddressText(), defaultWebAddress());
    EXPECT_EQ(readBytes(file.path()), defaultRecord());
}

TEST_F(SettingsFileTest, StoredRecordIsReadAndLeftAlone)
{
    const QByteArray stored = storedRecord("www.example.es/pe\xF1"
                                           "as");
    writeBytes(file.path(), stored);
    const Settings settings = file.readAtStartup();
    EXPECT_EQ(settings.webAddressText(), u"www.example.es/peñas"_s);
    EXPECT_EQ(settings.pricePerBet, 0.5F);
    EXPECT_EQ(settings.maxMonths, 36);
    EXPECT_EQ(settings.printOffsetX, 3.5F);
    EXPECT_EQ(readBytes(file.path()), stored);
}

TEST_F(SettingsFileTest, FullWidthAddressIsReplacedByTheDefault)
{
    const QByteArray full(60, 'w');
    writeBytes(file.path(), storedRecord(full));
    const Settings settings = file.readAtStartup();
    EXPECT_EQ(settings.webAddressText(), defaultWebAddress());
    EXPECT_EQ(readBytes(file.path()), withDefaultAddress(storedRecord(full)));
}

TEST_F(SettingsFileTest, AddressOneShortOfFullWidthIsKept)
{
    const QByteArray address(59, 'w');
    writeBytes(file.path(), storedRecord(address));
    EXPECT_EQ(file.readAtStartup().webAddressText(), QString::fromLatin1(address));
    EXPECT_EQ(readBytes(file.path()), storedRecord(address));
}

TEST_F(SettingsFileTest, FormerAddressIsReplacedByTheDefault)
{
    const QByteArray former = formerWebAddress().toLatin1();
    writeBytes(file.path(), storedRecord(former));
    EXPECT_EQ(file.readAtStartup().webAddressText(), defaultWebAddress());
    EXPECT_EQ(readBytes(file.path()), withDefaultAddress(storedRecord(former)));
}

// ---------------------------------------------------------------- rewrites

TEST_F(SettingsFileTest, RewriteKeepsTheReservedWords)
{
    writeBytes(file.path(), storedRecord("www.example.es"));
    Settings settings = file.readAtStartup();
    settings.pricePerBet = 1.0F;
    settings.maxMonths = 2;
    ASSERT_TRUE(file.write(settings).ok());

    QByteArray expected = storedRecord("www.example.es");
    putFloat(expected, 12, 1.0F);
    putInt16(expected, 16, 2);
    EXPECT_EQ(readBytes(file.path()).toHex(' '), expected.toHex(' '));
    EXPECT_EQ(fileNames(dir.path()), QStringList{u"bnums.ini"_s});
}

// ---------------------------------------------------------------- settings window boxes

TEST(PriceBox, TakesADecimalCommaOrPoint)
{
    for (const QString &text : {u"0,5"_s, u"0.5"_s, u" 0,5 "_s}) {
        const PriceEdit edit = editPrice(text, 1.0F);
        EXPECT_EQ(edit.stored, 0.5F) << text.toStdString();
        EXPECT_FALSE(edit.resetText.has_value());
    }
    EXPECT_EQ(editPrice(u"2"_s, 1.0F).stored, 2.0F);
}

TEST(PriceBox, TextThatIsNotANumberRestoresThePreviousPrice)
{
    const PriceEdit edit = editPrice(u"0,5a"_s, 0.5F);
    EXPECT_EQ(edit.stored, 0.5F);
    EXPECT_EQ(edit.resetText, u"0,5"_s);
    EXPECT_EQ(editPrice(u"a"_s, 1.0F).resetText, u"1"_s);
}

TEST(PriceBox, EmptyBoxKeepsThePriceAndTheBox)
{
    const PriceEdit edit = editPrice(QString(), 0.5F);
    EXPECT_EQ(edit.stored, 0.5F);
    EXPECT_FALSE(edit.resetText.has_value());
}

TEST(MonthsBox, BelowTwoStoresTwoAndLeavesTheBoxAsTyped)
{
    for (const QString &text : {u"1"_s, u"0"_s, u"-3"_s, QString()}) {
        const MonthsEdit edit = editMonths(text, 24);
        EXPECT_EQ(edit.stored, 2) << text.toStdString();
        EXPECT_FALSE(edit.resetText.has_value()) << text.toStdString();
    }
    EXPECT_EQ(editMonths(u"36"_s, 24).stored, 36);
    // A fraction goes to the nearest whole month, halves to the even one.
    EXPECT_EQ(editMonths(u"2,5"_s, 24).stored, 2);
    EXPECT_EQ(editMonths(u"3,5"_s, 24).stored, 4);
    EXPECT_EQ(editMonths(u"6.7"_s, 24).stored, 7);
}

TEST(MonthsBox, TextThatIsNotASmallNumberRestoresThePreviousValue)
{
    for (const QString &text : {u"x"_s, u"12x"_s, u"40000"_s}) {
        const MonthsEdit edit = editMonths(text, 24);
        EXPECT_EQ(edit.stored, 24) << text.toStdString();
        EXPECT_EQ(edit.resetText, u"24"_s) << text.toStdString();
    }
}

} // namespace
