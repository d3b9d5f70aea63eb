// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/draw_rule.h"

#include "store/day_serial.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

// Day 1 is 31/12/1899: no draw can be that old. Day 2.958.465 is
// 31/12/9999, the last a four-digit year shows.
constexpr double OldestSerial = 1;
constexpr double LatestSerial = 2'958'465;

Error refusedDraw(const QString &text)
{
    return {ErrorKind::InvalidData, {text, u"Error"_s, MessageIcon::Exclamation}};
}

Error drawProblem(const DrawRecord &draw, const QString &problem)
{
    return refusedDraw(
        u"El sorteo del %1 no es válido: %2."_s.arg(shortDate(draw.date()), problem));
}

bool inRange(qint16 value, int low, int high)
{
    return value >= low && value <= high;
}

} // namespace

Status checkDraw(const DrawRecord &draw)
{
    // Compared as numbers: the listing checks every stored draw, and a day
    // within these bounds always is a date.
    if (!(draw.drawDate > OldestSerial && draw.drawDate <= LatestSerial) ||
        draw.drawDate != std::floor(draw.drawDate))
        return refusedDraw(u"Un sorteo no es válido: su fecha no es un día válido."_s);
    std::array<bool, 50> drawn{};
    for (qint16 number : draw.numbers) {
        if (!inRange(number, 1, 49))
            return drawProblem(draw, u"el número %1 no está entre 1 y 49"_s.arg(number));
        if (drawn[number])
            return drawProblem(draw, u"el número %1 sale dos veces"_s.arg(number));
        drawn[number] = true;
    }
    if (!inRange(draw.complementario, 1, 49))
        return drawProblem(draw,
                           u"el complementario %1 no está entre 1 y 49"_s.arg(draw.complementario));
    if (drawn[draw.complementario])
        return drawProblem(
            draw, u"el complementario %1 es uno de los seis números"_s.arg(draw.complementario));
    if (!inRange(draw.reintegro, 0, 9))
        return drawProblem(draw, u"el reintegro %1 no está entre 0 y 9"_s.arg(draw.reintegro));
    return {};
}

Result<DrawRecord> sortedDraw(DrawRecord draw)
{
    if (Status valid = checkDraw(draw); !valid)
        return valid.error();
    std::sort(draw.numbers.begin(), draw.numbers.end());
    return draw;
}

Status checkDrawSequence(const QList<DrawRecord> &draws)
{
    if (draws.isEmpty())
        return refusedDraw(u"No hay ningún sorteo."_s);
    for (qsizetype i = 0; i < draws.size(); ++i) {
        if (Status valid = checkDraw(draws[i]); !valid)
            return valid;
        if (i > 0 && draws[i].drawDate <= draws[i - 1].drawDate)
            return drawProblem(draws[i], u"no es posterior al sorteo anterior (%1)"_s.arg(
                                             shortDate(draws[i - 1].date())));
    }
    return {};
}

} // namespace zafrano
