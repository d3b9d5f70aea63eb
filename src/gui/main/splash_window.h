// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

namespace zafrano::gui {

// "Presentación": eight pictures at 150 ms, then "Entrar"; without a click the
// program enters by itself after 58 ticks.
class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int TickMs = 150;

    // tickMs other than 150 only for tests that cannot wait nine seconds.
    explicit SplashWindow(QWidget *parent = nullptr, int tickMs = TickMs);

    static constexpr int Pictures = 8;

signals:
    // "Entrar" was pressed, or the time ran out: the main window may open.
    void entered();

private:
    void tick();
    void enter();

    QLabel *m_picture = nullptr;
    QPushButton *m_enter = nullptr;
    QTimer *m_timer = nullptr;
    int m_pictureTicks = 0;
    int m_counter = 2; // enters by itself when it reaches 60
    bool m_entered = false;
};

// Picture n (1..8) of the splash: the program's balls rolling in one by one.
QPixmap splashPicture(int n);

} // namespace zafrano::gui
