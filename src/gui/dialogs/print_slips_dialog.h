// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/print_document.h"
#include "store/syndicate_record.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace zafrano::gui {

class ProgramData;

// "Imprimir boletos": the selected syndicate's bets onto official slips, with
// the player's printer corrections, or onto plain paper as participation slips.
class PrintSlipsDialog : public QDialog
{
    Q_OBJECT

public:
    PrintSlipsDialog(ProgramData &data, const SyndicateRecord &syndicate,
                     QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void correctionEdited(int box, const QString &text);
    PrintDocument document(bool plainPaper) const;
    QString documentTitle() const;
    void print(bool plainPaper);

    ProgramData &m_data;
    SyndicateRecord m_syndicate;
    QLineEdit *m_corrections[2] = {};
    QCheckBox *m_extraMark = nullptr;
    QCheckBox *m_plainPreview = nullptr;
    // Every keystroke writes; a failing write is said once per window.
    bool m_saveFailureShown = false;
};

} // namespace zafrano::gui
