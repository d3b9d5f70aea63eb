// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/settings_dialog.h"

#include "app/price_change.h"
#include "app/program_data.h"
#include "ui/systemctl.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

SettingsDialog::SettingsDialog(ProgramData &data, QWidget *parent) : QDialog(parent), m_data(data)
{
    setObjectName(u"Configurar"_s);
    setWindowTitle(u"Configurar"_s);

    auto *heading = new QLabel(u"<b>CONFIGURACIÓN</b>"_s, this);
    m_price = new QLineEdit(priceText(data.settings().pricePerBet), this);
    m_price->setObjectName(u"Text1"_s);
    m_months = new QLineEdit(QString::number(data.settings().maxMonths), this);
    m_months->setObjectName(u"Text2"_s);
    for (QLineEdit *box : {m_price, m_months}) {
        box->setMaximumWidth(80);
        box->setAlignment(Qt::AlignRight);
    }
    auto *note = new QLabel(u"* Mínimo 2 meses"_s, this);
    note->setStyleSheet(u"color: gray;"_s);
    auto *close = new QPushButton(u"X"_s, this);
    close->setObjectName(u"Label2"_s);
    close->setFixedWidth(32);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto *grid = new QGridLayout(this);
    grid->addWidget(heading, 0, 0, 1, 3);
    grid->addWidget(close, 0, 3, Qt::AlignRight);
    grid->addWidget(new QLabel(u"-Precio por apuesta:"_s, this), 1, 0);
    grid->addWidget(m_price, 1, 1);
    grid->addWidget(new QLabel(u"euros."_s, this), 1, 2);
    grid->addWidget(new QLabel(u"-Sorteo max. división:"_s, this), 2, 0);
    grid->addWidget(m_months, 2, 1);
    grid->addWidget(new QLabel(u"meses,"_s, this), 2, 2);
    grid->addWidget(note, 3, 0, 1, 4);
    addEveningCheck(grid, 4);

    connect(m_price, &QLineEdit::textEdited, this, &SettingsDialog::priceEdited);
    connect(m_months, &QLineEdit::textEdited, this, &SettingsDialog::monthsEdited);
}

void SettingsDialog::priceEdited(const QString &text)
{
    const float before = m_data.settings().pricePerBet;
    const PriceEdit edit = editPrice(text, before);
    if (edit.resetText)
        m_price->setText(*edit.resetText);
    m_data.settings().pricePerBet = edit.stored;
    m_data.saveSettings(m_saveFailureShown);
    // The accounts count the new price from the day it was set.
    if (centsFromEuros(before) == centsFromEuros(edit.stored))
        return;
    const Result<Cents> kept =
        keepBetPrice(m_data, centsFromEuros(before), centsFromEuros(edit.stored));
    // One failure said per window: a folder that cannot be written fails both.
    if (!kept && !m_saveFailureShown) {
        m_saveFailureShown = true;
        m_data.platform().messages.show(kept.error().message);
    }
}

void SettingsDialog::monthsEdited(const QString &text)
{
    const MonthsEdit edit = editMonths(text, m_data.settings().maxMonths);
    if (edit.resetText)
        m_months->setText(*edit.resetText);
    m_data.settings().maxMonths = edit.stored;
    emit maxMonthsChanged(edit.stored);
    m_data.saveSettings(m_saveFailureShown);
}

void SettingsDialog::addEveningCheck(QGridLayout *grid, int row)
{
    m_eveningCheck =
        new QCheckBox(u"Comprobar los sorteos cada noche (22:30) y avisar si hay premio"_s, this);
    m_eveningCheck->setObjectName(u"CheckNightly"_s);
    grid->addWidget(m_eveningCheck, row, 0, 1, 4);
    Systemctl *systemctl = m_data.platform().systemctl;
    if (!systemctl || !systemctl->available()) {
        m_eveningCheck->setEnabled(false);
        const QString cli = QDir(QCoreApplication::applicationDirPath()).filePath(u"zafrano-cli"_s);
        m_eveningCheck->setToolTip(withoutSystemdText(cli, m_data.folder().basePath()));
        return;
    }
    showEveningCheck();
    connect(m_eveningCheck, &QCheckBox::toggled, this, &SettingsDialog::eveningCheckToggled);
}

void SettingsDialog::showEveningCheck()
{
    const QSignalBlocker quiet(m_eveningCheck);
    m_eveningCheck->setChecked(eveningCheckEnabled(*m_data.platform().systemctl));
}

void SettingsDialog::eveningCheckToggled(bool on)
{
    // The same as zafrano-cli timer on|off: the data folder goes with it.
    if (Status switched =
            switchEveningCheck(*m_data.platform().systemctl, on, m_data.folder().basePath());
        !switched)
        m_data.platform().messages.show(switched.error().message);
    // What systemd says is what the box shows.
    showEveningCheck();
}

} // namespace zafrano::gui
