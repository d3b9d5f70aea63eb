// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/slip_document.h"

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

constexpr double MarkSizePt = 11.5;

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
    }
    return document;
}

} // namespace zafrano
