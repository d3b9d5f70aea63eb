// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"

#include <QList>
#include <QPointF>
#include <QString>

class QPagedPaintDevice;

namespace zafrano {

// A printed document as the program lays it out: lines of text at positions in
// millimetres from the printable area's top-left corner, the logo and page
// breaks. Laying out is core's; a printer, a PDF file or a test draws it.
// The artwork of a participation slip on plain paper: the official layout of
// eight number blocks, the days played, cut marks and the syndicate's name.
struct PlainSlipArt
{
    double band = 0; // 0 for the upper slip of a page, 104 for the lower one
    QString name;
    QString days;
    int slip = 1;
    int slipCount = 1;
};

struct PrintItem
{
    enum class Kind
    {
        Text,
        Logo,
        NewPage,
        PlainSlip,
        Polyline
    };
    Kind kind = Kind::Text;
    double xMm = 0;
    double yMm = 0;
    double sizePt = 0;
    bool underline = false;
    bool monospaced = false;
    bool bold = false;
    QString text;
    int art = -1; // PlainSlip: index into the document's slip artwork
    // Polyline: its points in millimetres, its colour as 0xRRGGBB and its width.
    QList<QPointF> pointsMm;
    quint32 color = 0;
    double widthMm = 0;
};

class PrintDocument
{
public:
    // The printable height of an A4 page, with room left at the bottom.
    static constexpr double PageBottomMm = 270;
    static constexpr double PageTopMm = 10;

    // The logo at the top of a page; printing goes on 40 mm down.
    void addLogo();
    // Prints a line at x in the current font and moves down one line,
    // starting a new page when the line would not fit.
    void printLine(double xMm, const QString &text);
    // An empty line of the current font.
    void skipLine();
    void newPage();
    // Prints text with its top-left corner at a fixed place; the line position stays.
    void placeText(double xMm, double yMm, const QString &text);
    void addPlainSlip(const PlainSlipArt &art);
    // A line through points in millimetres from the printable area's corner (a chart's).
    void addPolyline(const QList<QPointF> &pointsMm, quint32 color, double widthMm);
    // Where the next line prints, and moving it down (below a chart).
    double currentY() const { return m_y; }
    void moveTo(double yMm) { m_y = yMm; }
    const QList<PlainSlipArt> &plainSlips() const { return m_slips; }
    // Bet lines use a monospaced font so their numbers stand in columns.
    void setFont(double sizePt, bool underline = false, bool monospaced = false, bool bold = false);

    const QList<PrintItem> &items() const { return m_items; }
    bool hasText() const;

private:
    double lineHeightMm() const;

    PrintItem textItem(double xMm, double yMm, const QString &text) const;

    QList<PrintItem> m_items;
    QList<PlainSlipArt> m_slips;
    double m_y = PageTopMm;
    double m_size = 10;
    bool m_underline = false;
    bool m_monospaced = false;
    bool m_bold = false;
};

// Draws the document page by page on a printer or a PDF writer; false when
// the device cannot be painted on (a file that cannot be written).
bool renderPrintDocument(const PrintDocument &document, QPagedPaintDevice &device);

// Writes the document to a PDF file, or says it could not.
Status writePdf(const PrintDocument &document, const QString &path, const QString &title);

} // namespace zafrano
