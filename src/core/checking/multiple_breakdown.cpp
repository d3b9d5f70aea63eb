// SPDX-License-Identifier: GPL-3.0-or-later
#include "checking/multiple_breakdown.h"

#include <QHash>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

enum class Branch
{
    Any,
    NoC,
    WithC
};

struct TableRow
{
    int code;
    int hits;
    Branch branch;
    QStringList messages; // without the common prefix
};

// The prize table as the program shows it. The wording is kept exactly as the
// player has always read it, the singular "2 apuesta de 5 aciertos" included;
// each row follows C(h,k)·C(m−h,6−k), which the tests check.
const QList<TableRow> &table()
{
    static const QList<TableRow> rows = {
        {501, 3, Branch::Any, {u"4 apuestas de 3 aciertos."_s}},
        {501, 4, Branch::Any, {u"4 apuestas de 3 aciertos."_s, u"3 apuestas de 4 aciertos."_s}},
        {501, 5, Branch::NoC, {u"5 apuestas de 4 aciertos."_s, u"2 apuestas de 5 aciertos."_s}},
        {501,
         5,
         Branch::WithC,
         {u"5 apuestas de 4 aciertos."_s, u"1 apuesta de 5 aciertos."_s,
          u"1 apuesta de 5 aciertos + C."_s}},
        {501, 6, Branch::NoC, {u"6 apuestas de 5 aciertos."_s, u"1 apuesta de 6 aciertos."_s}},
        {501,
         6,
         Branch::WithC,
         {u"6 apuestas de 5 aciertos + C."_s, u"1 apuesta de 6 aciertos."_s}},
        {502, 3, Branch::Any, {u"10 apuestas de 3 aciertos."_s}},
        {502, 4, Branch::Any, {u"16 apuestas de 3 aciertos."_s, u"6 apuestas de 4 aciertos."_s}},
        {502,
         5,
         Branch::NoC,
         {u"10 apuestas de 3 aciertos."_s, u"15 apuestas de 4 aciertos."_s,
          u"3 apuestas de 5 aciertos."_s}},
        {502,
         5,
         Branch::WithC,
         {u"10 apuestas de 3 aciertos."_s, u"15 apuestas de 4 aciertos."_s,
          u"2 apuesta de 5 aciertos."_s, u"1 apuesta de 5 aciertos + C."_s}},
        {502,
         6,
         Branch::NoC,
         {u"15 apuestas de 4 aciertos."_s, u"12 apuestas de 5 aciertos."_s,
          u"1 apuesta de 6 aciertos."_s}},
        {502,
         6,
         Branch::WithC,
         {u"15 apuestas de 4 aciertos."_s, u"6 apuestas de 5 aciertos."_s,
          u"6 apuestas de 5 aciertos + C."_s, u"1 apuesta de 6 aciertos."_s}},
        {503, 2, Branch::Any, {u"4 apuestas de 3 aciertos."_s}},
        {503, 3, Branch::Any, {u"41 apuestas de 3 aciertos."_s, u"3 apuestas de 4 aciertos."_s}},
        {503, 4, Branch::NoC, {u"42 apuestas de 4 aciertos."_s, u"2 apuestas de 5 aciertos."_s}},
        {503,
         4,
         Branch::WithC,
         {u"42 apuestas de 4 aciertos."_s, u"2 apuesta de 5 aciertos + C."_s}},
        {503,
         5,
         Branch::Any,
         {u"42 apuestas de 5 aciertos."_s, u"1 apuesta de 5 aciertos + C."_s,
          u"1 apuesta de 6 aciertos."_s}},
        {504, 3, Branch::Any, {u"20 apuestas de 3 aciertos."_s}},
        {504, 4, Branch::Any, {u"40 apuestas de 3 aciertos."_s, u"10 apuestas de 4 aciertos."_s}},
        {504,
         5,
         Branch::NoC,
         {u"40 apuestas de 3 aciertos."_s, u"30 apuestas de 4 aciertos."_s,
          u"4 apuestas de 5 aciertos."_s}},
        {504,
         5,
         Branch::WithC,
         {u"40 apuestas de 3 aciertos."_s, u"30 apuestas de 4 aciertos."_s,
          u"3 apuesta de 5 aciertos."_s, u"1 apuesta de 5 aciertos + C."_s}},
        {504,
         6,
         Branch::NoC,
         {u"20 apuestas de 3 aciertos."_s, u"45 apuestas de 4 aciertos."_s,
          u"18 apuestas de 5 aciertos."_s, u"1 apuesta de 6 aciertos."_s}},
        {504,
         6,
         Branch::WithC,
         {u"20 apuestas de 3 aciertos."_s, u"45 apuestas de 4 aciertos."_s,
          u"12 apuestas de 5 aciertos."_s, u"6 apuestas de 5 aciertos + C."_s,
          u"1 apuesta de 6 aciertos."_s}},
        {505, 3, Branch::Any, {u"35 apuestas de 3 aciertos."_s}},
        {505, 4, Branch::Any, {u"80 apuestas de 3 aciertos."_s, u"15 apuestas de 4 aciertos."_s}},
        {505,
         5,
         Branch::NoC,
         {u"100 apuestas de 3 aciertos."_s, u"50 apuestas de 4 aciertos."_s,
          u"5 apuestas de 5 aciertos."_s}},
        {505,
         5,
         Branch::WithC,
         {u"100 apuestas de 3 aciertos."_s, u"50 apuestas de 4 aciertos."_s,
          u"4 apuesta de 5 aciertos."_s, u"1 apuesta de 5 aciertos + C."_s}},
        {505,
         6,
         Branch::NoC,
         {u"80 apuestas de 3 aciertos."_s, u"90 apuestas de 4 aciertos."_s,
          u"24 apuestas de 5 aciertos."_s, u"1 apuesta de 6 aciertos."_s}},
        {505,
         6,
         Branch::WithC,
         {u"80 apuestas de 3 aciertos."_s, u"90 apuestas de 4 aciertos."_s,
          u"18 apuestas de 5 aciertos."_s, u"6 apuestas de 5 aciertos + C."_s,
          u"1 apuesta de 6 aciertos."_s}},
        {506, 3, Branch::Any, {u"56 apuestas de 3 aciertos."_s}},
        {506, 4, Branch::Any, {u"140 apuestas de 3 aciertos."_s, u"21 apuestas de 4 aciertos."_s}},
        {506,
         5,
         Branch::NoC,
         {u"200 apuestas de 3 aciertos."_s, u"75 apuestas de 4 aciertos."_s,
          u"6 apuestas de 5 aciertos."_s}},
        {506,
         5,
         Branch::WithC,
         {u"200 apuestas de 3 aciertos."_s, u"75 apuestas de 4 aciertos."_s,
          u"5 apuesta de 5 aciertos."_s, u"1 apuesta de 5 aciertos + C."_s}},
        {506,
         6,
         Branch::NoC,
         {u"200 apuestas de 3 aciertos."_s, u"150 apuestas de 4 aciertos."_s,
          u"30 apuestas de 5 aciertos."_s, u"1 apuesta de 6 aciertos."_s}},
        {506,
         6,
         Branch::WithC,
         {u"200 apuestas de 3 aciertos."_s, u"150 apuestas de 4 aciertos."_s,
          u"24 apuestas de 5 aciertos."_s, u"6 apuestas de 5 aciertos + C."_s,
          u"1 apuesta de 6 aciertos."_s}},
    };
    return rows;
}

// "6 apuestas de 5 aciertos + C." → 6 bets of 5 + complementario.
BreakdownLine parseLine(const QString &message)
{
    static const QRegularExpression pattern(u"^(\\d+) apuestas? de (\\d) aciertos( \\+ C)?\\.$"_s);
    const QRegularExpressionMatch match = pattern.match(message);
    Q_ASSERT(match.hasMatch());
    const int hits = match.captured(2).toInt();
    return {match.captured(1).toInt(), prizeCategory(hits, match.hasCaptured(3)),
            u"¡¡ Premio !! Tienes "_s + message};
}

int key(int code, int hits, bool withC)
{
    return code * 100 + hits * 10 + (withC ? 1 : 0);
}

const QHash<int, QList<BreakdownLine>> &breakdowns()
{
    static const QHash<int, QList<BreakdownLine>> lookup = [] {
        QHash<int, QList<BreakdownLine>> built;
        for (const TableRow &row : table()) {
            QList<BreakdownLine> lines;
            for (const QString &message : row.messages)
                lines.append(parseLine(message));
            if (row.branch != Branch::WithC)
                built.insert(key(row.code, row.hits, false), lines);
            if (row.branch != Branch::NoC)
                built.insert(key(row.code, row.hits, true), lines);
        }
        return built;
    }();
    return lookup;
}

} // namespace

const QList<BreakdownLine> &multiplePrizeBreakdown(int betCount, int hits, bool complementarioHit)
{
    static const QList<BreakdownLine> none;
    const auto found = breakdowns().constFind(key(betCount, hits, complementarioHit));
    return found == breakdowns().constEnd() ? none : *found;
}

bool isMultiplePrizeRow(int betCount, int hits)
{
    return hits >= 3 || (betCount == 503 && hits == 2);
}

} // namespace zafrano
