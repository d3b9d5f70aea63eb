// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/slip_document.h"

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

constexpr double MarkSizePt = 11.5;
// The syndicate's name and days in small type, in the free margin under the
// boxes of the official slip's grid.
constexpr double SlipTextSizePt = 7;
constexpr double SlipTextBelowGridMm = 62;

} // namespace

PrintDocument buildSlipDocument(const SyndicateRecord &syndicate, const SlipOptions &options)
{
    PrintDocument document;
    const QList<SlipPrint> slips = layoutSlips(syndicate, options);
    int page = 1;
    for (const SlipPrint &slip : slips) {
        if (slip.page != page) {
            document.newPage();
            page = slip.page;
        }
        if (options.mode == SlipMode::Plain)
            document.addPlainSlip({slip.band, syndicate.nameText(), syndicate.daysText(), slip.slip,
                                   static_cast<int>(slips.size())});
        document.setFont(MarkSizePt, false, false, true);
        for (const QPointF &mark : slip.marks)
            document.placeText(mark.x(), mark.y(), u"X"_s);
        // The plain slip's artwork already names them.
        if (options.mode == SlipMode::Official) {
            document.setFont(SlipTextSizePt);
            document.placeText(options.offsetX, options.offsetY + SlipTextBelowGridMm,
                               syndicate.nameText() + u" - "_s + syndicate.daysText());
            document.setFont(MarkSizePt, false, false, true);
        }
    }
    return document;
}

} // namespace zafrano
