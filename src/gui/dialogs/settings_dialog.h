// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QGridLayout;
class QLineEdit;

namespace zafrano::gui {

class ProgramData;

// "Configurar": the price per bet and the months of the statistics sliders.
// Every change is written to the settings file at once, and a new price to
// the accounts' price history, from the day it counts. Its box switches the
// evening check's systemd timer on and off, and reads its state back.
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
    void addEveningCheck(QGridLayout *grid, int row);
    void eveningCheckToggled(bool on);
    void showEveningCheck();

    ProgramData &m_data;
    QLineEdit *m_price = nullptr;
    QLineEdit *m_months = nullptr;
    QCheckBox *m_eveningCheck = nullptr;
    // Every keystroke writes; a failing write (of the record or of the price
    // history) is said once per window.
    bool m_saveFailureShown = false;
};

} // namespace zafrano::gui
