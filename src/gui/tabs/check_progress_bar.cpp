// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabs/check_progress_bar.h"

using namespace Qt::StringLiterals;

namespace zafrano::gui {

CheckProgressBar::CheckProgressBar(QWidget *parent) : QProgressBar(parent)
{
    setObjectName(u"ProgressBar2"_s);
    setTextVisible(false);
    setMaximumHeight(8);
    setRange(0, 1);
    setValue(0);
}

void CheckProgressBar::showChecked(int checked, int total)
{
    const int step = total > 0 ? static_cast<int>(qint64(checked) * Steps / total) : Steps;
    if (step == m_step || (m_sincePaint.isValid() && m_sincePaint.elapsed() < PaintEveryMs))
        return;
    m_step = step;
    m_sincePaint.start();
    setMaximum(total);
    setValue(checked); // paints at once: the check holds the event loop
}

void CheckProgressBar::finish()
{
    m_step = 0;
    m_sincePaint.invalidate();
    setValue(0);
}

} // namespace zafrano::gui
