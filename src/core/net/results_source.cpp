// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/results_source.h"

#include "store/day_serial.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano {

void ResultsSource::reset()
{
    m_stage = SourceStage::Connecting;
    m_byteCount.clear();
    m_answer = SourceAnswer{};
    m_drawPage.clear();
    m_drawPagePrizes = {};
}

Result<QList<FetchedDraw>> newDrawsOf(QList<FetchedDraw> draws, QDate newestStored, QDate today)
{
    std::stable_sort(draws.begin(), draws.end(), [](const FetchedDraw &a, const FetchedDraw &b) {
        return a.draw.drawDate < b.draw.drawDate;
    });
    QList<FetchedDraw> kept;
    for (const FetchedDraw &fetched : draws) {
        const QDate date = fetched.draw.date();
        if ((newestStored.isValid() && date <= newestStored) || date > today)
            continue;
        if (!kept.isEmpty() && kept.last().draw.drawDate == fetched.draw.drawDate) {
            if (kept.last().draw == fetched.draw)
                continue; // the same draw in two answers
            return sourceRefusal(
                u"El servidor de resultados da dos combinaciones para el sorteo del %1; no se "
                u"añade ningún sorteo."_s.arg(shortDate(date)));
        }
        kept.append(fetched);
    }
    return kept;
}

} // namespace zafrano
