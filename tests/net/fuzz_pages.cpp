// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target over the readers of the operator's pages: any bytes, from
// memory, as a saved search page, as a saved draw page, as a document link and
// as an answer of the JSON service. Whatever the page, the parse keeps its
// promises: new draws only with six sorted numbers of the game, dates after
// the newest stored one and ascending, at most 15 of them; a document address
// never leaves the operator's host; a JSON answer gives draws of the game with
// prizes that are never negative, or a refusal and no draw.
#include "common/money.h"
#include "net/json_results.h"
#include "net/prize_report.h"
#include "net/results_page.h"
#include "store/draw_rule.h"

#include <QDate>
#include <QUrl>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;
using namespace zafrano;

namespace {

void require(bool promise, int line = __builtin_LINE())
{
    if (!promise) {
        std::fprintf(stderr, "broken promise at fuzz_pages.cpp:%d\n", line);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QDate newest(2026, 12, 3);
    const PageParse parse = parseResultsPage(bytes, newest, {}, 2026);
    require(parse.draws.size() <= MaxPageDraws);
    require(parse.draws.isEmpty() || parse.outcome == PageOutcome::NewDraws);
    QDate previous = newest;
    for (const DrawRecord &draw : parse.draws) {
        require(checkDraw(draw).ok());
        require(std::is_sorted(draw.numbers.begin(), draw.numbers.end()));
        require(draw.date() > previous);
        previous = draw.date();
    }
    require(parse.message.has_value() || parse.outcome == PageOutcome::NewDraws);

    const QUrl base(u"https://www.loteriasyapuestas.es"_s);
    const PrizeReport report = readPrizeReport(bytes, base);
    require(report.prizes.size() == 5);
    require(report.documentUrl.isEmpty() || report.documentUrl.host() == base.host());
    const QUrl direct = documentUrlFor(bytes, base);
    require(direct.isEmpty() || direct.host() == base.host());

    // Whether a draw read is a possible one is the intake's to say; the reader sorts.
    const Result<QList<FetchedDraw>> answer = readJsonAnswer(bytes);
    for (const FetchedDraw &fetched : answer ? answer.value() : QList<FetchedDraw>()) {
        const DrawRecord &draw = fetched.draw;
        require(std::is_sorted(draw.numbers.begin(), draw.numbers.end()));
        require(fetched.prizes.date == draw.date());
        for (const std::optional<qint64> &cents : fetched.prizes.cents)
            require(!cents || *cents >= 0);
    }
    const std::optional<qint64> amount =
        centsFromText(QString::fromLatin1(bytes.first(std::min<qsizetype>(size, 40))));
    require(!amount || *amount >= 0);

    const QString announced = QString::fromLatin1(bytes.first(std::min<qsizetype>(size, 80)));
    const QString accepted = acceptedWebAddress(announced);
    require(accepted.size() <= 60 && !accepted.contains(u' ') && !accepted.contains(u'"'));
    return 0;
}
