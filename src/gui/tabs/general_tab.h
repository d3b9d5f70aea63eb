// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class QTimer;

namespace zafrano::gui {

class ProgramData;

// Tab "General": the calendar's status block, the draws-to-check scroll bar
// and the results filters.
class GeneralTab : public QWidget
{
    Q_OBJECT

public:
    explicit GeneralTab(ProgramData &data, QWidget *parent = nullptr);

    // How many of the newest draws the checking cycle checks (HScroll1).
    int drawsToCheck() const;
    void setDrawsToCheck(int count);

    bool reminderBlinking() const;

signals:
    void drawsToCheckChanged(int count);

private:
    void showCalendar();
    QLabel *statusLabel(int index, const QString &text = {});

    ProgramData &m_data;
    QList<QLabel *> m_status; // Label9(0..7)
    QScrollBar *m_drawsToCheck = nullptr;
    QLineEdit *m_drawsToCheckText = nullptr;
    QCheckBox *m_history = nullptr;
    QCheckBox *m_prizesOnly = nullptr;
    QTimer *m_blink = nullptr;
};

} // namespace zafrano::gui
