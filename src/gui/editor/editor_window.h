// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/syndicate_editor.h"

#include <QWidget>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTreeWidget;

namespace zafrano::gui {

class NumberGrid;
class ProgramData;

// The syndicate editor window "Crear peña nueva..." ("Crea"): new syndicates
// are built and saved with "Grabar"; in edit mode every change of the stored
// syndicate is written at once.
class EditorWindow : public QWidget
{
    Q_OBJECT

public:
    EditorWindow(ProgramData &data, RandomSeeding seeding = {}, QWidget *parent = nullptr);

    // Opens on the request; false (its message shown) when it cannot.
    bool open(const EditorRequest &request);
    bool editing() const { return m_editor.editing(); }
    // Whether the player has had the window in front since it opened.
    bool hasBeenActive() const { return m_hasBeenActive; }
    // Closes without the edit mode's refusal: an unfinished bet was never
    // written, so the file keeps the stored one.
    void closeDiscarding();

signals:
    // The window became the active one.
    void activated();
    // A syndicate was appended ("Grabar") or changed (edit mode).
    void syndicatesWritten();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildEntryPanel();
    QWidget *buildEditPanel();
    // Shows the state, then the refusal when the action was refused.
    void showReply(const Status &reply);
    // Brings every control in line with the editor's state.
    void showState();
    void nameEdited(const QString &text);
    void save();
    void navigatorMoved(int bet);

    ProgramData &m_data;
    SyndicateEditor m_editor;
    bool m_discarding = false;
    bool m_hasBeenActive = false;
    int m_writesSeen = 0;

    QLabel *m_heading = nullptr;
    NumberGrid *m_grid = nullptr;
    QLineEdit *m_name = nullptr;
    QButtonGroup *m_days = nullptr;
    QTreeWidget *m_bets = nullptr;
    QStringList m_listed; // the entries the list shows
    QLabel *m_betCount = nullptr;
    QPushButton *m_random = nullptr;
    QPushButton *m_clear = nullptr;
    QPushButton *m_save = nullptr;
    QWidget *m_editPanel = nullptr;
    QScrollBar *m_navigator = nullptr;
    QLineEdit *m_shownBet = nullptr;
};

} // namespace zafrano::gui
