// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/print_document.h"

#include <QPointF>

class QPainter;

namespace zafrano {

// Where a participation slip starts on plain paper: its marks are placed from
// here, its artwork drawn around them.
inline constexpr double PlainSlipOriginX = 25.8;
inline constexpr double PlainSlipOriginY = 45;
// The origin of the slip drawn `band` mm down the page (0 or 104).
inline QPointF plainSlipOrigin(double band)
{
    return {PlainSlipOriginX, PlainSlipOriginY + band};
}

// Draws one participation slip: the frame 160.5 × 104 mm at (28, band + 20),
// cut marks at its corners, the eight blocks of the 49 numbers exactly where
// the marks fall, the boxes of the multiples, the days played and the
// syndicate's name.
void paintPlainSlip(QPainter &painter, double pxPerMm, const PlainSlipArt &art);

} // namespace zafrano
