// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/splash_window.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadialGradient>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

QPixmap splashPicture(int n)
{
    constexpr int Width = 480;
    constexpr int Height = 260;
    QPixmap pixmap(Width, Height);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, Height);
    sky.setColorAt(0, QColor(0x1d, 0x3b, 0x6e));
    sky.setColorAt(1, QColor(0x0b, 0x1a, 0x33));
    painter.fillRect(pixmap.rect(), sky);

    painter.setPen(QColor(0xff, 0xd2, 0x6a));
    QFont title(u"DejaVu Sans"_s, 34, QFont::Bold);
    painter.setFont(title);
    painter.drawText(QRect(0, 18, Width, 60), Qt::AlignCenter, u"Zafrano"_s);
    painter.setPen(QColor(0xdd, 0xe6, 0xf5));
    painter.setFont(QFont(u"DejaVu Sans"_s, 11));
    painter.drawText(QRect(0, 72, Width, 24), Qt::AlignCenter,
                     u"Comprueba tus números por internet."_s);

    // Six winning numbers and the complementario roll in, one more per picture.
    static const int numbers[] = {7, 12, 23, 31, 38, 46, 19};
    const int shown = std::min(n, 7);
    for (int i = 0; i < shown; ++i) {
        const bool complementario = i == 6;
        const QPointF centre(62 + i * 59, 165);
        QRadialGradient shade(centre - QPointF(8, 9), 30);
        shade.setColorAt(0, Qt::white);
        shade.setColorAt(0.5, complementario ? QColor(0x6f, 0xc2, 0x7a) : QColor(0xf4, 0xa3, 0x00));
        shade.setColorAt(1, complementario ? QColor(0x1f, 0x6b, 0x2a) : QColor(0xb3, 0x5c, 0x00));
        painter.setPen(Qt::NoPen);
        painter.setBrush(shade);
        painter.drawEllipse(centre, 25, 25);
        painter.setBrush(Qt::white);
        painter.drawEllipse(centre, 14, 14);
        painter.setPen(QColor(0x33, 0x22, 0x00));
        painter.setFont(QFont(u"DejaVu Sans"_s, 12, QFont::Bold));
        painter.drawText(QRectF(centre.x() - 14, centre.y() - 14, 28, 28), Qt::AlignCenter,
                         QString::number(numbers[i]));
    }
    if (n >= 8) {
        painter.setPen(QColor(0xdd, 0xe6, 0xf5));
        painter.setFont(QFont(u"DejaVu Sans"_s, 10));
        painter.drawText(QRect(0, 205, Width, 24), Qt::AlignCenter,
                         u"Tus peñas de Bonoloto, comprobadas en cada sorteo"_s);
    }
    return pixmap;
}

SplashWindow::SplashWindow(QWidget *parent, int tickMs) : QWidget(parent, Qt::SplashScreen)
{
    setObjectName(u"Presentacion"_s);
    setWindowTitle(u"Presentación"_s);
    m_picture = new QLabel(this);
    m_picture->setPixmap(splashPicture(0));
    m_enter = new QPushButton(u"Entrar"_s, this);
    m_enter->setObjectName(u"Command1"_s);
    m_enter->setVisible(false);
    m_enter->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(m_picture);
    layout->addWidget(m_enter, 0, Qt::AlignHCenter);
    m_enter->setMinimumWidth(120);
    // Reserve the button's room from the start so the window does not jump.
    auto policy = m_enter->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    m_enter->setSizePolicy(policy);

    m_timer = new QTimer(this);
    m_timer->setObjectName(u"Timer1"_s);
    m_timer->setInterval(tickMs);
    connect(m_timer, &QTimer::timeout, this, &SplashWindow::tick);
    connect(m_enter, &QPushButton::clicked, this, &SplashWindow::enter);
    m_timer->start();
}

void SplashWindow::tick()
{
    if (m_pictureTicks < Pictures) {
        ++m_pictureTicks;
        m_picture->setPixmap(splashPicture(m_pictureTicks));
        if (m_pictureTicks == Pictures)
            m_enter->setVisible(true);
    }
    if (++m_counter >= 60)
        enter();
}

void SplashWindow::enter()
{
    if (m_entered)
        return;
    m_entered = true;
    m_timer->stop();
    emit entered();
}

} // namespace zafrano::gui
