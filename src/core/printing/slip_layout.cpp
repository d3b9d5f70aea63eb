// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/slip_layout.h"

#include "printing/plain_slip_art.h"

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

constexpr int BlocksPerSlip = 8;
constexpr double BlockWidth = 18.7;
constexpr double ColumnWidth = 3.8;
constexpr double RowHeight = 5;
constexpr double PlainSlipHeight = 104;

} // namespace

std::optional<KindBox> multipleKindBox(qint16 betCount)
{
    switch (betCount) {
    case 501:
        return KindBox{39, 1};
    case 502:
        return KindBox{9, 2};
    case 503:
        return KindBox{19, 1};
    case 504:
        return KindBox{29, 2};
    case 505:
        return KindBox{49, 2};
    case 506:
        return KindBox{19, 3};
    default:
        return std::nullopt;
    }
}

Status slipsPrintable(const SyndicateRecord &syndicate)
{
    const int betCount = syndicate.betCount;
    if (MultipleCode::isCode(betCount) || (betCount >= 1 && betCount <= SyndicateRecord::MaxBets))
        return {};
    return Error{
        ErrorKind::InvalidData,
        {u"Número de apuestas no válido: %1. Posiblemente el fichero de apuestas "
         u"está corrupto y no se pueden imprimir los boletos de esta peña."_s.arg(betCount),
         u"¡Vaya hombre!"_s, MessageIcon::Exclamation}};
}

int betsToPrint(const SyndicateRecord &syndicate)
{
    if (MultipleCode::isCode(syndicate.betCount))
        return 1;
    return std::clamp<int>(syndicate.betCount, 0, SyndicateRecord::MaxBets);
}

int slipCount(const SyndicateRecord &syndicate)
{
    return (betsToPrint(syndicate) + BlocksPerSlip - 1) / BlocksPerSlip;
}

QPointF markPosition(int number, int block, const SlipOptions &options)
{
    const bool official = options.mode == SlipMode::Official;
    const double base = official ? options.offsetX : 0;
    const int column = number / 10;
    const double x = base + (block - 1) * BlockWidth + ColumnWidth * column;
    const double y = RowHeight * (number % 10) + (official ? options.offsetY : 0);
    return {x, y};
}

QList<SlipPrint> layoutSlips(const SyndicateRecord &syndicate, const SlipOptions &options)
{
    QList<SlipPrint> slips;
    const int count = slipCount(syndicate);
    const int bets = betsToPrint(syndicate);
    const int numbers = numbersPerBet(syndicate);
    int bet = 0;
    for (int s = 1; s <= count; ++s) {
        SlipPrint slip;
        slip.slip = s;
        if (options.mode == SlipMode::Plain) {
            // Two slips to a page, the second one 104 mm lower.
            slip.page = (s + 1) / 2;
            slip.band = s % 2 == 1 ? 0 : PlainSlipHeight;
            slip.origin = plainSlipOrigin(slip.band);
        } else {
            slip.page = s;
        }
        const auto mark = [&](int number, int block, double below) {
            if (number < 1 || number > 49)
                return; // a damaged record never prints outside the grid
            slip.marks.append(slip.origin + markPosition(number, block, options) +
                              QPointF(0, below));
        };
        for (int block = 1; block <= BlocksPerSlip; ++block) {
            if (++bet > bets)
                break;
            for (int k = 0; k < numbers; ++k)
                mark(syndicate.bets[bet - 1][k], block, 0);
        }
        if (const std::optional<KindBox> box = multipleKindBox(syndicate.betCount))
            mark(box->number, box->block, BoxBelowGrid);
        if (options.extraMark)
            mark(ExtraMarkBox.number, ExtraMarkBox.block, BoxBelowGrid);
        slips.append(slip);
    }
    return slips;
}

} // namespace zafrano
