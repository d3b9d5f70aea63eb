// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QGroupBox>
#include <QList>

class QListWidget;

namespace zafrano::gui {

class ProgramData;

// "Premios pendientes" of the Cuentas page: the draws the peña won whose
// prizes are not known yet, and "Añadir premios…", which opens the manual
// entry window on the chosen one for its prizes only.
class PendingPrizesBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit PendingPrizesBox(ProgramData &data, QWidget *parent = nullptr);

    void setPending(const QList<QDate> &dates);

signals:
    // The prizes of a pending draw were kept: the account is to be worked out again.
    void prizesAdded();

private:
    void addPrizesAsked();

    ProgramData &m_data;
    QListWidget *m_list = nullptr;
};

} // namespace zafrano::gui
