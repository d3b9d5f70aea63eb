// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/plain_slip_art.h"

#include "common/weekday_names.h"
#include "printing/slip_layout.h"

#include <QFont>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

// The slip's picture lies at (28, band + 20), 160.5 × 104 mm; the frame reaches
// a little further left so the first column of numbers stays inside it.
constexpr double FrameX = 22;
constexpr double FrameTop = 20;
constexpr double FrameWidth = 166.5;
constexpr double FrameHeight = 104;
// A number's box around the place its "X" is printed.
constexpr double BoxWidth = 3.1;
constexpr double BoxHeight = 4.2;
constexpr double BoxInsetY = 0.2;

const QColor SlipRed(0xc8, 0x10, 0x2e);
const QColor SlipTint(0xfd, 0xec, 0xee);

class MmPainter
{
public:
    MmPainter(QPainter &painter, double pxPerMm) : m_painter(painter), m_scale(pxPerMm) {}

    QRectF rect(double x, double y, double w, double h) const
    {
        return {x * m_scale, y * m_scale, w * m_scale, h * m_scale};
    }
    void setFont(double sizePt, bool bold = false)
    {
        QFont font(u"DejaVu Sans"_s);
        font.setPixelSize(std::max(1, static_cast<int>(sizePt * 25.4 / 72 * m_scale)));
        font.setBold(bold);
        m_painter.setFont(font);
    }
    void setPen(const QColor &color, double widthMm)
    {
        m_painter.setPen(QPen(color, widthMm * m_scale));
    }
    void line(double x1, double y1, double x2, double y2)
    {
        m_painter.drawLine(QPointF(x1, y1) * m_scale, QPointF(x2, y2) * m_scale);
    }
    void box(double x, double y, double w, double h, const QBrush &fill = Qt::NoBrush)
    {
        m_painter.setBrush(fill);
        m_painter.drawRect(rect(x, y, w, h));
    }
    void text(double x, double y, double w, double h, int flags, const QString &text)
    {
        m_painter.drawText(rect(x, y, w, h), flags, text);
    }

private:
    QPainter &m_painter;
    double m_scale;
};

void cutMarks(MmPainter &mm, double top)
{
    mm.setPen(Qt::black, 0.2);
    const double left = FrameX;
    const double right = FrameX + FrameWidth;
    const double bottom = top + FrameHeight;
    for (const double x : {left, right}) {
        const double out = x == left ? -1 : 1;
        for (const double y : {top, bottom}) {
            const double down = y == top ? -1 : 1;
            mm.line(x + out * 1.5, y, x + out * 5.5, y);
            mm.line(x, y + down * 1.5, x, y + down * 5.5);
        }
    }
}

void numberBlocks(MmPainter &mm, double band)
{
    const SlipOptions plain{SlipMode::Plain, 0, 0, false};
    for (int block = 1; block <= 8; ++block) {
        const QPointF first = plainSlipOrigin(band) + markPosition(10, block, plain);
        mm.setPen(SlipRed, 0.15);
        mm.setFont(5.5, true);
        mm.text(first.x() - 0.6, first.y() - 4.6, 5 * 3.8, 4, Qt::AlignLeft | Qt::AlignVCenter,
                QString::number(block));
        for (int number = 1; number <= 49; ++number) {
            const QPointF at = plainSlipOrigin(band) + markPosition(number, block, plain);
            mm.setPen(SlipRed, 0.15);
            mm.box(at.x() - 0.15, at.y() + BoxInsetY, BoxWidth, BoxHeight, SlipTint);
            mm.setFont(4.6);
            mm.text(at.x() - 0.15, at.y() + BoxInsetY, BoxWidth, BoxHeight, Qt::AlignCenter,
                    QString::number(number));
        }
    }
}

// The boxes under the grid that tell which multiple is played, and the one the
// check box of the printing window marks on official slips.
void kindBoxes(MmPainter &mm, double band)
{
    // Each multiple's box, labelled with its count of numbers, then the extra box.
    QList<std::pair<KindBox, QString>> boxes;
    for (qint16 code = MultipleCode::First; code <= MultipleCode::Last; ++code)
        boxes.append({*multipleKindBox(code), QString::number(cuantos(code))});
    boxes.append({ExtraMarkBox, u"Opción"_s});
    const SlipOptions plain{SlipMode::Plain, 0, 0, false};
    mm.setFont(4.2);
    for (const auto &[box, label] : std::as_const(boxes)) {
        const QPointF at = plainSlipOrigin(band) + markPosition(box.number, box.block, plain) +
                           QPointF(0, BoxBelowGrid);
        mm.setPen(SlipRed, 0.15);
        mm.box(at.x() - 0.15, at.y() + BoxInsetY, BoxWidth, BoxHeight);
        mm.text(at.x() - 0.3, at.y() + BoxHeight + 0.2, BoxWidth + 2, 2.5,
                Qt::AlignLeft | Qt::AlignTop, label);
    }
    mm.setFont(5);
    const KindBox last = *multipleKindBox(MultipleCode::Last);
    const QPointF after = plainSlipOrigin(band) + markPosition(last.number, last.block, plain) +
                          QPointF(6, BoxBelowGrid);
    mm.text(after.x(), after.y(), 60, BoxHeight, Qt::AlignLeft | Qt::AlignVCenter,
            u"← Apuesta múltiple de 5, 7, 8, 9, 10 u 11 números"_s);
}

// One box per weekday, Sunday last; the days the syndicate plays carry a cross.
void dayBoxes(MmPainter &mm, double top, const QString &days)
{
    static const QString initials[7] = {u"L"_s, u"M"_s, u"X"_s, u"J"_s, u"V"_s, u"S"_s, u"D"_s};
    const double x0 = FrameX + FrameWidth - 7 * 6.5 - 4;
    const double y = top + 5;
    mm.setFont(6, true);
    mm.setPen(SlipRed, 0.2);
    mm.text(x0 - 16, y, 15, 5, Qt::AlignRight | Qt::AlignVCenter, u"Días:"_s);
    for (int d = 0; d < 7; ++d) {
        const double x = x0 + d * 6.5;
        mm.setPen(SlipRed, 0.2);
        mm.box(x, y, 5, 5);
        mm.setFont(5);
        mm.text(x, y + 5.2, 5, 3, Qt::AlignCenter, initials[d]);
        if (days == everyDrawDay() || days == weekdayNames()[d]) {
            mm.setPen(Qt::black, 0.45);
            mm.line(x + 0.8, y + 0.8, x + 4.2, y + 4.2);
            mm.line(x + 4.2, y + 0.8, x + 0.8, y + 4.2);
        }
    }
}

} // namespace

void paintPlainSlip(QPainter &painter, double pxPerMm, const PlainSlipArt &art)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    MmPainter mm(painter, pxPerMm);
    const double top = art.band + FrameTop;

    mm.setPen(SlipRed, 0.35);
    mm.box(FrameX, top, FrameWidth, FrameHeight);
    mm.box(FrameX, top, FrameWidth, 16, SlipTint);
    cutMarks(mm, top);

    mm.setPen(SlipRed, 0);
    mm.setFont(13, true);
    mm.text(FrameX + 4, top + 1.5, 80, 7, Qt::AlignLeft | Qt::AlignVCenter, u"BONOLOTO"_s);
    mm.setFont(6.5);
    mm.text(FrameX + 4, top + 8.5, 90, 5, Qt::AlignLeft | Qt::AlignVCenter,
            u"Participación de peña · boleto %1 de %2"_s.arg(art.slip).arg(art.slipCount));
    dayBoxes(mm, top, art.days);

    numberBlocks(mm, art.band);
    kindBoxes(mm, art.band);

    mm.setPen(Qt::black, 0);
    mm.setFont(8, true);
    mm.text(FrameX + 4, top + FrameHeight - 16, FrameWidth - 8, 5, Qt::AlignLeft | Qt::AlignVCenter,
            u"Peña: "_s + art.name);
    mm.setFont(7);
    mm.text(FrameX + 4, top + FrameHeight - 10.5, FrameWidth - 8, 5,
            Qt::AlignLeft | Qt::AlignVCenter,
            u"Juega: "_s + (art.days == everyDrawDay() ? u"todos los sorteos"_s : art.days) +
                u"   ·   Conserve esta participación: sin ella no se puede cobrar el premio."_s);
    painter.restore();
}

} // namespace zafrano
