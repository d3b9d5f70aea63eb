// SPDX-License-Identifier: GPL-3.0-or-later
// The byte layouts of the three record files. Expected bytes are built field by
// field at the documented offsets, never through the program's encoders.
#include "store/day_serial.h"
#include "store/draw_record.h"
#include "store/settings.h"
#include "store/syndicate_record.h"
#include "store/windows1252.h"
#include "test_support.h"

#include <cstring>
#include <gtest/gtest.h>
#include <limits>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

// Windows-1252 single bytes: É 0xC9, Ñ 0xD1, á 0xE1, € 0x80.
const QByteArray MiercolesBytes = QByteArray("MI\xC9RCOLES");
const QByteArray PenaBytes = QByteArray("PE\xD1"
                                        "A LOS AMIGOS");
const QByteArray SabadoBytes = QByteArray("S\xE1"
                                          "bado");

// ---------------------------------------------------------------- dates

TEST(DaySerial, CountsWholeDaysFromThirtiethOfDecember1899)
{
    EXPECT_EQ(toDaySerial(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(toDaySerial(QDate(1900, 1, 1)), 2.0);
    EXPECT_EQ(toDaySerial(QDate(2018, 10, 15)), 43388.0);
    EXPECT_EQ(fromDaySerial(43388.0), QDate(2018, 10, 15));
    EXPECT_EQ(fromDaySerial(serialOf(2026, 8, 20)), QDate(2026, 8, 20));
}

TEST(DaySerial, DamagedValuesGiveNoDate)
{
    EXPECT_FALSE(fromDaySerial(std::numeric_limits<double>::quiet_NaN()).isValid());
    EXPECT_FALSE(fromDaySerial(std::numeric_limits<double>::infinity()).isValid());
    EXPECT_FALSE(fromDaySerial(1e300).isValid());
}

// ---------------------------------------------------------------- draws

TEST(DrawRecordLayout, FieldsLieAtTheirOffsets)
{
    DrawRecord draw;
    draw.numbers = {3, 7, 12, 25, 33, 49};
    draw.complementario = 5;
    draw.reintegro = 9;
    draw.drawDate = 43388;
    const QByteArray expected = drawBytes({3, 7, 12, 25, 33, 49}, 5, 9, 43388);
    ASSERT_EQ(expected.size(), DrawRecord::Size);
    EXPECT_EQ(draw.toBytes().toHex(' '), expected.toHex(' '));
}

TEST(DrawRecordLayout, StoredBytesReadBackUnchanged)
{
    // The numbers keep the order in which they were obtained.
    const QByteArray stored = drawBytes({41, 2, 33, 12, 7, 3}, 49, 0, serialOf(2022, 1, 2));
    const DrawRecord draw = DrawRecord::fromBytes(stored);
    EXPECT_EQ(draw.numbers, (std::array<qint16, 6>{41, 2, 33, 12, 7, 3}));
    EXPECT_EQ(draw.complementario, 49);
    EXPECT_EQ(draw.reintegro, 0);
    EXPECT_EQ(draw.date(), QDate(2022, 1, 2));
    EXPECT_EQ(draw.toBytes(), stored);

    // Fields are signed: a damaged value reads as negative, not as 65534.
    const DrawRecord negative = DrawRecord::fromBytes(drawBytes({-2, 1, 2, 3, 4, 5}, 6, 7, 1));
    EXPECT_EQ(negative.numbers[0], -2);
}

// ---------------------------------------------------------------- syndicates

SyndicateBytes fullSyndicate()
{
    SyndicateBytes bytes;
    bytes.name(PenaBytes)
        .reduced(9, 3, {4, 8, 15, 16, 23, 42, 44, 45, 46})
        .bet(1, {4, 8, 15, 16, 23, 42})
        .bet(2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20})
        .bet(205, {49, 48, 47, 46, 45, 44})
        .hits(11, 12, 13, 14, 15)
        .days(MiercolesBytes)
        .betCount(205)
        .createdOn(43388)
        .countedThrough(43393)
        .number(205, 20, 31); // at 8262, right before the tallies
    return bytes;
}

TEST(SyndicateRecordLayout, FieldsLieAtTheirOffsets)
{
    SyndicateRecord record;
    record.name = {};
    std::memcpy(record.name.data(), PenaBytes.constData(), PenaBytes.size());
    std::fill(record.name.begin() + PenaBytes.size(), record.name.end(), ' ');
    record.reducedFrom = 9;
    record.reducedGuarantee = 3;
    record.reducedNumbers = {4, 8, 15, 16, 23, 42, 44, 45, 46};
    record.bets[0] = {4, 8, 15, 16, 23, 42};
    for (int i = 0; i < 20; ++i)
        record.bets[1][i] = static_cast<qint16>(i + 1);
    record.bets[204] = {49, 48, 47, 46, 45, 44};
    record.bets[204][19] = 31;
    record.hits = {11, 12, 13, 14, 15};
    record.setDays(u"MIÉRCOLES"_s);
    record.betCount = 205;
    record.createdOn = 43388;
    record.countedThrough = 43393;

    const QByteArray encoded = record.toBytes();
    ASSERT_EQ(encoded.size(), 8307);
    EXPECT_EQ(encoded, fullSyndicate().bytes());
}

TEST(SyndicateRecordLayout, StoredBytesReadBackUnchanged)
{
    const QByteArray stored = fullSyndicate();
    const SyndicateRecord record = SyndicateRecord::fromBytes(stored);
    EXPECT_EQ(record.nameText(), u"PEÑA LOS AMIGOS"_s);
    EXPECT_EQ(record.daysText(), u"MIÉRCOLES"_s);
    EXPECT_EQ(record.reducedFrom, 9);
    EXPECT_EQ(record.reducedGuarantee, 3);
    EXPECT_EQ(record.reducedNumbers[8], 46);
    EXPECT_EQ(record.bets[1][19], 20);
    EXPECT_EQ(record.bets[204][0], 49);
    EXPECT_EQ(record.bets[204][19], 31);
    EXPECT_EQ(record.hit(3), 11);
    EXPECT_EQ(record.hit(6), 14);
    EXPECT_EQ(record.hit(7), 15);
    EXPECT_EQ(record.betCount, 205);
    EXPECT_EQ(record.createdOn, 43388);
    EXPECT_EQ(record.countedThrough, 43393);
    EXPECT_EQ(record.toBytes(), stored);
}

TEST(SyndicateRecordLayout, TextBytesSurviveARoundTripAsStored)
{
    // 0x80..0x9F, including the five bytes the code page leaves undefined, and
    // a name without trailing padding.
    const QByteArray name("\x80\x81\x8D\x8F\x90\x9D\x9F\x85\xA0\xFF\xD1\xE1\xC9 abcdefg", 20);
    const QByteArray stored = SyndicateBytes().name(name).days(SabadoBytes).betCount(1);
    const SyndicateRecord record = SyndicateRecord::fromBytes(stored);
    EXPECT_EQ(record.daysText(), u"Sábado"_s);
    EXPECT_TRUE(record.nameText().startsWith(u"€"_s));
    EXPECT_EQ(record.toBytes(), stored);
}

TEST(SyndicateRecordLayout, TextIsWrittenInWindows1252PaddedAndCut)
{
    SyndicateRecord record;
    record.setName(u"€ PEÑA Sábado…"_s);
    EXPECT_EQ(QByteArray(record.name.data(), 20), QByteArray("\x80 PE\xD1"
                                                             "A S\xE1"
                                                             "bado\x85      "));
    record.setName(u"UNA PEÑA CON UN NOMBRE LARGO"_s);
    EXPECT_EQ(QByteArray(record.name.data(), 20), QByteArray("UNA PE\xD1"
                                                             "A CON UN NOMB"));
    EXPECT_EQ(record.nameText(), u"UNA PEÑA CON UN NOMB"_s);
}

// ---------------------------------------------------------------- code page

TEST(Windows1252, EveryByteDecodesAndEncodesBackToItself)
{
    QByteArray all(256, '\0');
    for (int b = 0; b < 256; ++b)
        all[b] = static_cast<char>(b);
    EXPECT_EQ(windows1252::encodeField(windows1252::decode(all), 256), all);
}

TEST(Windows1252, MapsTheCharactersThatDifferFromLatin1)
{
    EXPECT_EQ(windows1252::decode("\x80\x85\x8A\x91\x92\x9F"), u"€…Š‘’Ÿ"_s);
    EXPECT_EQ(windows1252::decode("\xC9\xD1\xE1\xF1"), u"ÉÑáñ"_s);
    EXPECT_EQ(windows1252::encodeField(u"€Ÿ中"_s, 4), QByteArray("\x80\x9F? "));
    EXPECT_EQ(windows1252::decodeField(QByteArrayView("  Todos\0\0   ", 12)), u"Todos"_s);
}

// ---------------------------------------------------------------- settings

QByteArray settingsBytes()
{
    QByteArray bytes(80, '\0');
    putInt16(bytes, 0, 0x1234);
    putFloat(bytes, 2, 1.5F);
    putFloat(bytes, 6, -2.25F);
    putInt16(bytes, 10, -7);
    putFloat(bytes, 12, 0.5F);
    putInt16(bytes, 16, 24);
    putText(bytes, 18,
            "www.example.es/pe\xF1"
            "as",
            60);
    putInt16(bytes, 78, 0x7F01);
    return bytes;
}

TEST(SettingsLayout, FieldsLieAtTheirOffsets)
{
    Settings settings;
    settings.reserved0 = 0x1234;
    settings.printOffsetX = 1.5F;
    settings.printOffsetY = -2.25F;
    settings.reserved10 = -7;
    settings.pricePerBet = 0.5F;
    settings.maxMonths = 24;
    settings.setWebAddress(u"www.example.es/peñas"_s);
    settings.reserved78 = 0x7F01;
    const QByteArray encoded = settings.toBytes();
    ASSERT_EQ(encoded.size(), 80);
    EXPECT_EQ(encoded.toHex(' '), settingsBytes().toHex(' '));
}

TEST(SettingsLayout, StoredBytesReadBackUnchanged)
{
    const Settings settings = Settings::fromBytes(settingsBytes());
    EXPECT_EQ(settings.printOffsetX, 1.5F);
    EXPECT_EQ(settings.printOffsetY, -2.25F);
    EXPECT_EQ(settings.pricePerBet, 0.5F);
    EXPECT_EQ(settings.maxMonths, 24);
    EXPECT_EQ(settings.webAddressText(), u"www.example.es/peñas"_s);
    EXPECT_EQ(settings.toBytes(), settingsBytes());
}

} // namespace
