// SPDX-License-Identifier: GPL-3.0-or-later
#include "backtest/backtest_figures.h"

#include "checking/prize_category.h"
#include "store/day_serial.h"

#include <QLocale>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

QString euros(Cents cents)
{
    return moneyText(cents) + u" €"_s;
}

QString drawsText(int draws)
{
    return draws == 1 ? u"1 sorteo"_s : u"%1 sorteos"_s.arg(draws);
}

QString betsText(int bets)
{
    return bets == 1 ? u"1 apuesta"_s : u"%1 apuestas"_s.arg(bets);
}

} // namespace

QList<BacktestFigure> backtestFigures(const Backtest &backtest)
{
    QList<BacktestFigure> figures = {
        {u"Sorteos jugados"_s, QString::number(backtest.played)},
        {u"Apuestas por sorteo"_s, QString::number(backtest.betsPerDraw)},
        {u"Coste"_s, euros(backtest.cost)},
    };
    for (std::size_t k = 0; k < PrizeCategories.size(); ++k) {
        const CategoryTally &tally = backtest.categories[k];
        figures.append({QString::fromUtf16(PrizeCategories[k].name),
                        betsText(tally.bets) + u", "_s + euros(tally.cents)});
    }
    const std::optional<double> back = backtest.returnPercent();
    figures += {
        {u"Reintegros"_s, euros(backtest.refunds)},
        {u"Premios"_s, euros(backtest.prizes)},
        {u"Neto"_s, euros(backtest.net())},
        {u"Rendimiento"_s,
         back ? QLocale(QLocale::Spanish).toString(*back, 'f', 1) + u" %"_s : u"—"_s},
        {u"Mejor sorteo"_s, backtest.best ? shortDate(backtest.best->date) + u": "_s +
                                                euros(backtest.best->prizes + backtest.best->refund)
                                          : u"ninguno"_s},
        {u"Racha más larga sin premio"_s, backtest.longestDry.draws == 0
                                              ? u"ninguna"_s
                                              : drawsText(backtest.longestDry.draws) + u" ("_s +
                                                    shortDate(backtest.longestDry.from) + u" – "_s +
                                                    shortDate(backtest.longestDry.to) + u")"_s},
        {u"Pendientes de premio"_s,
         backtest.pending.isEmpty() ? u"ninguno"_s : drawsText(int(backtest.pending.size()))},
    };
    return figures;
}

QString pendingDatesText(const Backtest &backtest)
{
    QStringList dates;
    for (QDate date : backtest.pending)
        dates.append(shortDate(date));
    return dates.join(u", "_s);
}

QStringList backtestNotes(const Backtest &backtest)
{
    QStringList notes;
    if (backtest.pesetaDraws > 0)
        notes.append(drawsText(backtest.pesetaDraws) + u" anteriores al "_s +
                     shortDate(firstEuroDraw()) +
                     u" se pagaron en pesetas: se cuentan sus aciertos, no sus euros."_s);
    if (!backtest.pending.isEmpty()) {
        // A long list is for the command line; a note names the first ones.
        constexpr qsizetype Named = 8;
        QStringList dates;
        for (QDate date : backtest.pending.mid(0, Named))
            dates.append(shortDate(date));
        if (backtest.pending.size() > Named)
            dates.append(u"y %1 más"_s.arg(backtest.pending.size() - Named));
        notes.append(u"Premios aún no conocidos (no se cuentan como cero): "_s +
                     dates.join(u", "_s) + u"."_s);
    }
    if (!backtest.missing.isEmpty())
        notes.append(backtest.missing.size() == 1
                         ? u"1 sorteo del periodo no está guardado y no se cuenta."_s
                         : drawsText(int(backtest.missing.size())) +
                               u" del periodo no están guardados y no se cuentan."_s);
    return notes;
}

QList<NetPoint> chartPoints(const QList<NetPoint> &points, int most)
{
    if (points.size() <= most || most < 4)
        return points;
    QList<NetPoint> kept;
    const qsizetype stretches = most / 2;
    for (qsizetype k = 0; k < stretches; ++k) {
        const qsizetype begin = k * points.size() / stretches;
        const qsizetype end = (k + 1) * points.size() / stretches;
        const auto [low, high] =
            std::minmax_element(points.begin() + begin, points.begin() + end,
                                [](const NetPoint &a, const NetPoint &b) { return a.net < b.net; });
        kept.append(low < high ? *low : *high);
        if (low != high)
            kept.append(low < high ? *high : *low);
    }
    if (kept.first().date != points.first().date)
        kept.prepend(points.first());
    if (kept.last().date != points.last().date)
        kept.append(points.last());
    return kept;
}

} // namespace zafrano
