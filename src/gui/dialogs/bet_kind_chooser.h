// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/editor_request.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QRadioButton;
class QTimer;

namespace zafrano::gui {

// The bet-kind chooser ("Creamenu"): simple, one of the six multiples or any
// reduction table of the file, for a syndicate whose numbers the player marks.
class BetKindChooser : public QDialog
{
    Q_OBJECT

public:
    // `tablesPath` is tablas.bin; a file that cannot be read lists no table.
    explicit BetKindChooser(const QString &tablesPath, QWidget *parent = nullptr);

    // The markers that appear one by one under the title.
    static constexpr int MarkerCount = 18;

    // The chooser was in front at least once: the main window's activation
    // after that is the player coming back, not the chooser just opening.
    bool hasBeenActive() const { return m_hasBeenActive; }

signals:
    // The editor opens with this request; the chooser has done its work.
    void editorRequested(const zafrano::EditorRequest &request);

protected:
    void changeEvent(QEvent *event) override;

private:
    void chooseSimple();
    void listReduced();
    void listMultiples();
    void pickEntry(int index);
    void showNextMarker();

    QString m_tablesPath;
    QRadioButton *m_reduced = nullptr;  // Option1(2)
    QRadioButton *m_simple = nullptr;   // Option1(1)
    QRadioButton *m_multiple = nullptr; // Option1(0)
    QComboBox *m_list = nullptr;        // Combo1
    QList<QLabel *> m_markers;          // Label1(0..17)
    QTimer *m_markerTimer = nullptr;    // Timer1
    bool m_hasBeenActive = false;
};

} // namespace zafrano::gui
