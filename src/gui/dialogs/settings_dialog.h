// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;

namespace zafrano::gui {

class ProgramData;

// "Configurar": the price per bet and the months of the statistics sliders.
// Every change is written to the settings file at once.
class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SettingsDialog(ProgramData &data, QWidget *parent = nullptr);

signals:
    // The statistics sliders take this maximum at once.
    void maxMonthsChanged(int months);

private:
    void priceEdited(const QString &text);
    void monthsEdited(const QString &text);

    ProgramData &m_data;
    QLineEdit *m_price = nullptr;
    QLineEdit *m_months = nullptr;
    // Every keystroke writes; a failing write is said once per window.
    bool m_saveFailureShown = false;
};

} // namespace zafrano::gui
