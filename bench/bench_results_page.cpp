// SPDX-License-Identifier: GPL-3.0-or-later
// The parse of a saved search page: a realistic page of 50 days (43 draws)
// and a page of 1 MB, each taking in three new draws. Measured, never judged.
#include "net/prize_report.h"
#include "net/results_page.h"

#include <QDate>
#include <QFile>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;
using namespace zafrano;

namespace {

QByteArray page(const char *name)
{
    QFile file(QString::fromUtf8(ZAFRANO_OPERATOR_PAGES) + u'/' + QString::fromUtf8(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The fixture page grown to 1 MB with markup ahead of the list, which every
// search of the first and second passes walks through.
QByteArray megabytePage()
{
    QByteArray search = page("buscador.html");
    QByteArray filler;
    while (filler.size() + search.size() < 1024 * 1024)
        filler += "<div class=\"relleno\"><p>Juegue con responsabilidad.</p></div>\n";
    search.insert(search.indexOf("<main>"), filler);
    return search;
}

void parse(benchmark::State &state, const QByteArray &searchPage)
{
    const QByteArray saved = savedPageBytes(searchPage);
    for (auto _ : state) {
        PageParse result = parseResultsPage(saved, QDate(2026, 12, 3), {}, 2026);
        if (result.draws.size() != 3)
            state.SkipWithError("the page did not give its three new draws");
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(state.iterations() * saved.size());
}

void ParseFiftyDayPage(benchmark::State &state)
{
    parse(state, page("buscador.html"));
}
BENCHMARK(ParseFiftyDayPage)->Unit(benchmark::kMicrosecond);

void ParseMegabytePage(benchmark::State &state)
{
    parse(state, megabytePage());
}
BENCHMARK(ParseMegabytePage)->Unit(benchmark::kMillisecond);

void ReadPrizeReport(benchmark::State &state)
{
    const QByteArray saved = savedPageBytes(page("sorteo.html"));
    const QUrl base(u"https://www.loteriasyapuestas.es"_s);
    for (auto _ : state)
        benchmark::DoNotOptimize(readPrizeReport(saved, base));
}
BENCHMARK(ReadPrizeReport)->Unit(benchmark::kMicrosecond);

} // namespace
