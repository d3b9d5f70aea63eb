// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDialog>

class QLabel;
class QProgressBar;

namespace zafrano::gui {

// "Bajar premios de sorteos anteriores": the month being read, a bar of the
// months asked so far and "Cancelar", which stops the run (as closing the
// window does); the months already read stay kept.
class PrizeHistoryDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PrizeHistoryDialog(QWidget *parent = nullptr);

    // "Leyendo los premios de enero de 2025 (1 de 12)...".
    void showMonth(QDate month, int index, int count);
    // The bar after a month's answer: `done` months read.
    void showMonthsDone(int done);

signals:
    void cancelled();

protected:
    void reject() override;

private:
    QLabel *m_month = nullptr;
    QProgressBar *m_progress = nullptr;
};

} // namespace zafrano::gui
