// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/draw_prizes.h"
#include "store/draw_record.h"

#include <QDialog>
#include <QList>
#include <optional>

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

    // Only the prizes of a stored draw: its date and numbers shown, not to be
    // changed, its known prizes filled in; "Grabar" keeps the prizes typed.
    void showStoredDraw(const DrawRecord &draw);

signals:
    // The draw was appended: it is to be checked and shown.
    void drawAdded();
    // The prizes of the stored draw were kept.
    void prizesAdded();

private:
    void save();
    void savePrizes();
    // The prize boxes read into `prizes`; false, the problem shown, when one is no amount.
    bool readPrizes(DrawPrizes &prizes);

    ProgramData &m_data;
    QDateEdit *m_date = nullptr;
    QList<QSpinBox *> m_numbers;
    QSpinBox *m_complementario = nullptr;
    QSpinBox *m_reintegro = nullptr;
    QList<QLineEdit *> m_prizes;        // 6, 5 + C, 5, 4, 3 hits, reintegro
    std::optional<DrawRecord> m_stored; // only its prizes are typed in
};

} // namespace zafrano::gui
