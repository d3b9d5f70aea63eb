// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QList>

class QDateEdit;
class QLineEdit;
class QSpinBox;

namespace zafrano::gui {

class ProgramData;

// "Añadir sorteo a mano...": a draw typed in by the player, for the days no
// results source answers. The date, six numbers, complementario, reintegro
// and, if known, the prize of each category. "Grabar" appends the draw as a
// download would; a refused value says why and changes nothing.
class ManualDrawDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ManualDrawDialog(ProgramData &data, QWidget *parent = nullptr);

signals:
    // The draw was appended: it is to be checked and shown.
    void drawAdded();

private:
    void save();

    ProgramData &m_data;
    QDateEdit *m_date = nullptr;
    QList<QSpinBox *> m_numbers;
    QSpinBox *m_complementario = nullptr;
    QSpinBox *m_reintegro = nullptr;
    QList<QLineEdit *> m_prizes; // 6, 5 + C, 5, 4, 3 hits, reintegro
};

} // namespace zafrano::gui
