// SPDX-License-Identifier: GPL-3.0-or-later
// The amounts a person types: how they may be written and what is refused.
#include "common/money.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;

TEST(TypedAmount, IsReadOnlyWhenWrittenAsEuros)
{
    const QString howTo = u"» no es un importe válido. Escriba el importe en euros, como 12,50 o "
                          u"1.000,50."_s;
    const QString limit = u"El importe no puede pasar de 100.000.000,00 €."_s;
    const struct
    {
        const char16_t *text;
        Cents cents; // 0: refused with `message`
        QString message;
    } cases[] = {
        {u"12,50", 1250, {}},
        {u"12,5", 1250, {}},
        {u"4", 400, {}},
        {u" 7 ", 700, {}},
        {u"0,01", 1, {}},
        {u"1.000,50", 100050, {}},
        {u"1.234.567", 123456700, {}},
        {u"12,50 €", 1250, {}},
        {u"12,50€", 1250, {}},
        // A lone dot: decimal before one or two digits, thousands before three.
        {u"12.50", 1250, {}},
        {u"1.5", 150, {}},
        {u"1.500", 150000, {}},
        {u"100.000.000,00", 10'000'000'000, {}},
        {u"1,500", 0, u"«1,500"_s + howTo},
        {u"12,505", 0, u"«12,505"_s + howTo},
        {u"0,005", 0, u"«0,005"_s + howTo},
        {u"4 euros y pico", 0, u"«4 euros y pico"_s + howTo},
        {u"4 o 5", 0, u"«4 o 5"_s + howTo},
        {u"-5", 0, u"«-5"_s + howTo},
        {u"1.50.0", 0, u"«1.50.0"_s + howTo},
        {u"10.00,50", 0, u"«10.00,50"_s + howTo},
        {u"1,000.50", 0, u"«1,000.50"_s + howTo},
        {u"", 0, u"«"_s + howTo},
        {u"0", 0, u"El importe debe ser mayor que cero."_s},
        {u"0,00", 0, u"El importe debe ser mayor que cero."_s},
        {u"100.000.000,01", 0, limit},
        {u"9999999999999", 0, limit},
        {u"99999999999999999999999", 0, limit},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        const Result<Cents> read = amountFromText(text);
        if (c.cents != 0) {
            ASSERT_TRUE(read.ok()) << read.error().message.text.toStdString();
            EXPECT_EQ(read.value(), c.cents);
        } else {
            ASSERT_FALSE(read.ok());
            EXPECT_EQ(read.error().message.text, c.message);
        }
    }
}
