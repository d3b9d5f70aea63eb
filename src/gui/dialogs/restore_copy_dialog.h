// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backup/automatic_copies.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace zafrano::gui {

// "Restaurar copia": the automatic copies of the data folder, the newest first
// and chosen, with when and why each was made and what it holds. "Restaurar"
// puts the chosen one back (after the usual question); "Otro archivo..." looks
// for a backup file elsewhere.
class RestoreCopyDialog : public QDialog
{
    Q_OBJECT

public:
    RestoreCopyDialog(const QList<copies::ListedCopy> &copies, QWidget *parent = nullptr);

signals:
    void copyChosen(const QString &path);
    void otherFileWanted();

private:
    void restoreChosen();
    void selectionChanged();

    QList<copies::ListedCopy> m_copies;
    QTreeWidget *m_list = nullptr;
    QPushButton *m_restore = nullptr;
};

} // namespace zafrano::gui
