// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/results_source.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano {

SourceResult newDrawsOf(QList<FetchedDraw> draws, QDate newestStored, QDate today)
{
    SourceResult result;
    std::stable_sort(draws.begin(), draws.end(), [](const FetchedDraw &a, const FetchedDraw &b) {
        return a.draw.drawDate < b.draw.drawDate;
    });
    for (const FetchedDraw &fetched : draws) {
        const QDate date = fetched.draw.date();
        if ((newestStored.isValid() && date <= newestStored) || date > today)
            continue;
        if (!result.draws.isEmpty() && result.draws.last().draw.drawDate == fetched.draw.drawDate) {
            if (result.draws.last().draw == fetched.draw)
                continue; // the same draw in two answers
            result.refusal = sourceRefusal(
                u"El servidor de resultados da dos combinaciones para el sorteo del %1; no se "
                u"añade ningún sorteo."_s.arg(date.toString(u"dd/MM/yyyy"_s)));
            result.draws.clear();
            return result;
        }
        result.draws.append(fetched);
    }
    result.ok = true;
    return result;
}

} // namespace zafrano
