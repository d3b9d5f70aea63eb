// SPDX-License-Identifier: GPL-3.0-or-later
// The one rule every draw answers to, wherever it comes from, and the check
// of a whole draws file built on it.
#include "store/draw_rule.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <limits>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

DrawRecord drawOf(std::array<qint16, 6> numbers, int complementario, int reintegro,
                  double serial = serialOf(2018, 10, 15))
{
    DrawRecord draw;
    draw.numbers = numbers;
    draw.complementario = static_cast<qint16>(complementario);
    draw.reintegro = static_cast<qint16>(reintegro);
    draw.drawDate = serial;
    return draw;
}

struct RuleCase
{
    const char *name;
    DrawRecord draw;
    const char16_t *problem; // empty: a draw
};

QString messageOf(const Status &status)
{
    return status ? QString() : status.error().message.text;
}

} // namespace

TEST(DrawRule, RefusesEveryImpossibleDrawNamingIt)
{
    const QString day = u"El sorteo del 15/10/2018 no es válido: "_s;
    const QString noDay = u"Un sorteo no es válido: su fecha no es un día válido."_s;
    const RuleCase cases[] = {
        {"Drawn", drawOf({41, 3, 7, 12, 25, 33}, 5, 3), u""},
        {"ReintegroZero", drawOf({3, 7, 12, 25, 33, 41}, 49, 0), u""},
        {"NumberZero", drawOf({3, 0, 12, 25, 33, 41}, 5, 3), u"el número 0 no está entre 1 y 49"},
        {"NumberFifty", drawOf({3, 7, 12, 25, 33, 50}, 5, 3), u"el número 50 no está entre 1 y 49"},
        {"NumberNegative", drawOf({-1, 7, 12, 25, 33, 41}, 5, 3),
         u"el número -1 no está entre 1 y 49"},
        {"NumberTwice", drawOf({3, 7, 12, 25, 33, 7}, 5, 3), u"el número 7 sale dos veces"},
        {"ComplementarioZero", drawOf({3, 7, 12, 25, 33, 41}, 0, 3),
         u"el complementario 0 no está entre 1 y 49"},
        {"ComplementarioFifty", drawOf({3, 7, 12, 25, 33, 41}, 50, 3),
         u"el complementario 50 no está entre 1 y 49"},
        {"ComplementarioAmongTheSix", drawOf({3, 7, 12, 25, 33, 41}, 41, 3),
         u"el complementario 41 es uno de los seis números"},
        {"ReintegroTen", drawOf({3, 7, 12, 25, 33, 41}, 5, 10),
         u"el reintegro 10 no está entre 0 y 9"},
        {"ReintegroNegative", drawOf({3, 7, 12, 25, 33, 41}, 5, -1),
         u"el reintegro -1 no está entre 0 y 9"},
        {"DayZero", drawOf({3, 7, 12, 25, 33, 41}, 5, 3, 0), nullptr},
        {"DayOne", drawOf({3, 7, 12, 25, 33, 41}, 5, 3, 1), nullptr},
        {"HalfADay", drawOf({3, 7, 12, 25, 33, 41}, 5, 3, serialOf(2018, 10, 15) + 0.5), nullptr},
        {"NotANumber",
         drawOf({3, 7, 12, 25, 33, 41}, 5, 3, std::numeric_limits<double>::quiet_NaN()), nullptr},
        {"PastTheCalendar", drawOf({3, 7, 12, 25, 33, 41}, 5, 3, 1e12), nullptr},
    };
    for (const RuleCase &c : cases) {
        SCOPED_TRACE(c.name);
        const Status checked = checkDraw(c.draw);
        const QString expected = !c.problem   ? noDay
                                 : *c.problem ? day + QString::fromUtf16(c.problem) + u'.'
                                              : QString();
        EXPECT_EQ(messageOf(checked), expected);
        if (!checked) {
            EXPECT_EQ(checked.error().kind, ErrorKind::InvalidData);
            EXPECT_EQ(checked.error().message.title, u"Error"_s);
            EXPECT_EQ(checked.error().message.icon, MessageIcon::Exclamation);
        }
    }
    // Taken in, a draw keeps its numbers in rising order and nothing else changes.
    const Result<DrawRecord> sorted = sortedDraw(drawOf({41, 3, 33, 7, 25, 12}, 5, 3));
    ASSERT_TRUE(sorted.ok());
    EXPECT_EQ(sorted.value(), drawOf({3, 7, 12, 25, 33, 41}, 5, 3));
    EXPECT_FALSE(sortedDraw(drawOf({3, 7, 12, 25, 33, 41}, 41, 3)).ok());
}

TEST(DrawRule, ASequenceNeedsDrawsInStrictlyRisingDates)
{
    const DrawRecord monday = drawOf({3, 7, 12, 25, 33, 41}, 5, 3, serialOf(2018, 10, 15));
    const DrawRecord tuesday = drawOf({1, 2, 8, 20, 26, 28}, 39, 5, serialOf(2018, 10, 16));
    DrawRecord badTuesday = tuesday;
    badTuesday.complementario = 8;
    const struct
    {
        const char *name;
        QList<DrawRecord> draws;
        QString message;
    } cases[] = {
        {"InOrder", {monday, tuesday}, {}},
        {"Empty", {}, u"No hay ningún sorteo."_s},
        {"OutOfOrder",
         {tuesday, monday},
         u"El sorteo del 15/10/2018 no es válido: no es posterior al sorteo anterior "
         u"(16/10/2018)."_s},
        {"SameDayTwice",
         {monday, monday},
         u"El sorteo del 15/10/2018 no es válido: no es posterior al sorteo anterior "
         u"(15/10/2018)."_s},
        {"OneDrawNoDraw",
         {monday, badTuesday},
         u"El sorteo del 16/10/2018 no es válido: el complementario 8 es uno de los seis "
         u"números."_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(messageOf(checkDrawSequence(c.draws)), c.message);
    }
}
