// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QProgressBar>

namespace zafrano::gui {

// ProgressBar2: the draws a check has gone through. A check of the whole
// history takes a moment, so the bar is painted during it, but seldom: one
// painting costs as much as checking hundreds of draws. It is painted on the
// first step of a check and then at most every PaintEveryMs, in twentieths.
class CheckProgressBar : public QProgressBar
{
    Q_OBJECT

public:
    static constexpr int Steps = 20;
    static constexpr int PaintEveryMs = 100;

    explicit CheckProgressBar(QWidget *parent = nullptr);

    // `checked` of `total` draws are done (once per draw, newest first).
    void showChecked(int checked, int total);
    // The check is over: the bar empties.
    void finish();

private:
    int m_step = 0;
    QElapsedTimer m_sincePaint; // invalid until the check's first painting
};

} // namespace zafrano::gui
