// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/print_document.h"

#include "common/texts.h"
#include "printing/plain_slip_art.h"

#include <QFont>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPolygonF>
#include <QRadialGradient>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

constexpr double PointsPerMm = 72.0 / 25.4;

// The program's logo: its ball and name, about 120 × 28 mm.
void paintLogo(QPainter &painter, double pxPerMm, QPointF topLeftMm)
{
    const QPointF origin = topLeftMm * pxPerMm;
    const double r = 12 * pxPerMm;
    const QPointF centre = origin + QPointF(r + 2 * pxPerMm, r + 2 * pxPerMm);
    QRadialGradient shade(centre - QPointF(r / 3, r / 3), r * 1.3);
    shade.setColorAt(0, QColor(0xff, 0xf6, 0xd8));
    shade.setColorAt(0.5, QColor(0xf4, 0xa3, 0x00));
    shade.setColorAt(1, QColor(0xb3, 0x5c, 0x00));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x7a, 0x3d, 0x00), 0.5 * pxPerMm));
    painter.setBrush(shade);
    painter.drawEllipse(centre, r, r);
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, r * 0.55, r * 0.55);
    QFont letter(u"DejaVu Sans"_s);
    letter.setBold(true);
    letter.setPixelSize(static_cast<int>(r * 0.75));
    painter.setFont(letter);
    painter.drawText(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), Qt::AlignCenter, u"Z"_s);
    QFont name(u"DejaVu Sans"_s);
    name.setBold(true);
    name.setPixelSize(static_cast<int>(11 * pxPerMm));
    painter.setFont(name);
    painter.setPen(QColor(0x1d, 0x3b, 0x6e));
    const double textX = origin.x() + 2 * r + 6 * pxPerMm;
    painter.drawText(QPointF(textX, origin.y() + 14 * pxPerMm), u"Zafrano"_s);
    QFont tagline(u"DejaVu Sans"_s);
    tagline.setPixelSize(static_cast<int>(4 * pxPerMm));
    painter.setFont(tagline);
    painter.drawText(QPointF(textX, origin.y() + 21 * pxPerMm),
                     u"Comprueba tus números por internet."_s);
    painter.restore();
}

} // namespace

void PrintDocument::addLogo()
{
    PrintItem logo;
    logo.kind = PrintItem::Kind::Logo;
    logo.yMm = 5;
    m_items.append(logo);
    m_y = 40;
}

double PrintDocument::lineHeightMm() const
{
    return m_size / PointsPerMm * 1.2;
}

void PrintDocument::printLine(double xMm, const QString &text)
{
    if (m_y + lineHeightMm() > PageBottomMm)
        newPage();
    m_items.append(textItem(xMm, m_y, text));
    m_y += lineHeightMm();
}

void PrintDocument::skipLine()
{
    m_y += lineHeightMm();
}

void PrintDocument::newPage()
{
    PrintItem page;
    page.kind = PrintItem::Kind::NewPage;
    m_items.append(page);
    m_y = PageTopMm;
}

void PrintDocument::placeText(double xMm, double yMm, const QString &text)
{
    m_items.append(textItem(xMm, yMm, text));
}

void PrintDocument::addPlainSlip(const PlainSlipArt &art)
{
    PrintItem item;
    item.kind = PrintItem::Kind::PlainSlip;
    item.yMm = art.band;
    item.art = static_cast<int>(m_slips.size());
    m_slips.append(art);
    m_items.append(item);
}

void PrintDocument::addPolyline(const QList<QPointF> &pointsMm, quint32 color, double widthMm)
{
    PrintItem item;
    item.kind = PrintItem::Kind::Polyline;
    item.pointsMm = pointsMm;
    item.color = color;
    item.widthMm = widthMm;
    m_items.append(item);
}

PrintItem PrintDocument::textItem(double xMm, double yMm, const QString &text) const
{
    PrintItem item;
    item.kind = PrintItem::Kind::Text;
    item.xMm = xMm;
    item.yMm = yMm;
    item.sizePt = m_size;
    item.underline = m_underline;
    item.monospaced = m_monospaced;
    item.bold = m_bold;
    item.text = text;
    return item;
}

void PrintDocument::setFont(double sizePt, bool underline, bool monospaced, bool bold)
{
    m_size = sizePt;
    m_underline = underline;
    m_monospaced = monospaced;
    m_bold = bold;
}

bool PrintDocument::hasText() const
{
    return std::any_of(m_items.begin(), m_items.end(),
                       [](const PrintItem &item) { return item.kind == PrintItem::Kind::Text; });
}

bool renderPrintDocument(const PrintDocument &document, QPagedPaintDevice &device)
{
    QPainter painter(&device);
    if (!painter.isActive())
        return false;
    const double pxPerMm = device.logicalDpiX() / 25.4;
    for (const PrintItem &item : document.items()) {
        switch (item.kind) {
        case PrintItem::Kind::NewPage:
            device.newPage();
            break;
        case PrintItem::Kind::Logo:
            paintLogo(painter, pxPerMm, {item.xMm, item.yMm});
            break;
        case PrintItem::Kind::PlainSlip:
            paintPlainSlip(painter, pxPerMm, document.plainSlips().at(item.art));
            break;
        case PrintItem::Kind::Polyline: {
            QPolygonF line;
            for (const QPointF &point : item.pointsMm)
                line.append(point * pxPerMm);
            painter.save();
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(QColor::fromRgb(item.color), item.widthMm * pxPerMm));
            painter.drawPolyline(line);
            painter.restore();
            break;
        }
        case PrintItem::Kind::Text: {
            QFont font(item.monospaced ? u"DejaVu Sans Mono"_s : u"Arial"_s);
            font.setStyleHint(item.monospaced ? QFont::Monospace : QFont::SansSerif);
            font.setPointSizeF(item.sizePt);
            font.setUnderline(item.underline);
            font.setBold(item.bold);
            painter.setFont(font);
            painter.setPen(Qt::black);
            // Positions name the top of the line, as a printer's current position does.
            const double ascent = painter.fontMetrics().ascent();
            painter.drawText(QPointF(item.xMm * pxPerMm, item.yMm * pxPerMm + ascent), item.text);
            break;
        }
        }
    }
    return painter.end();
}

Status writePdf(const PrintDocument &document, const QString &path, const QString &title)
{
    QPdfWriter writer(path);
    writer.setTitle(title);
    writer.setCreator(u"Zafrano"_s);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    writer.setResolution(300);
    if (!renderPrintDocument(document, writer))
        return Error{ErrorKind::Io, texts::pdfNotWritten(path)};
    return {};
}

} // namespace zafrano
