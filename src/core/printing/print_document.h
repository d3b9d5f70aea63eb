// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class QPagedPaintDevice;

namespace zafrano {

// A printed document as the program lays it out: lines of text at positions in
// millimetres from the printable area's top-left corner, the logo and page
// breaks. Laying out is core's; a printer, a PDF file or a test draws it.
struct PrintItem
{
    enum class Kind
    {
        Text,
        Logo,
        NewPage
    };
    Kind kind = Kind::Text;
    double xMm = 0;
    double yMm = 0;
    double sizePt = 0;
    bool underline = false;
    bool monospaced = false;
    QString text;
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
    // Bet lines use a monospaced font so their numbers stand in columns.
    void setFont(double sizePt, bool underline = false, bool monospaced = false);

    const QList<PrintItem> &items() const { return m_items; }
    bool hasText() const;

private:
    double lineHeightMm() const;

    QList<PrintItem> m_items;
    double m_y = PageTopMm;
    double m_size = 10;
    bool m_underline = false;
    bool m_monospaced = false;
};

// Draws the document page by page on a printer or a PDF writer; false when
// the device cannot be painted on (a file that cannot be written).
bool renderPrintDocument(const PrintDocument &document, QPagedPaintDevice &device);

// Writes the document to a PDF file; false when the file cannot be written.
bool writePdf(const PrintDocument &document, const QString &path, const QString &title);

} // namespace zafrano
