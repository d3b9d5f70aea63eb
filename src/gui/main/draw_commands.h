// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace zafrano::gui {

class ProgramData;

// The commands on the stored draws: import a draws file, delete all draws
// and/or reset the syndicates' results, delete one draw.
class DrawCommands : public QObject
{
    Q_OBJECT

public:
    explicit DrawCommands(ProgramData &data, QObject *parent = nullptr);

    // "Añadir todos los sorteos".
    void importDraws();
    // "Borrar todos los sorteos": two independent questions. Also switches on
    // the deletion of single draws until the program ends.
    void deleteAllOrReset();
    // A click on draw record k of the draws list; does nothing until
    // deleteAllOrReset has been used once.
    void deleteOneDraw(int record);

signals:
    // "Añadir sorteo a mano...", from the menu or the statistics tab.
    void manualEntryRequested();
    // The syndicates' results were reset: the draws to check go back to 1 and
    // the results list is emptied.
    void resultsReset();

private:
    ProgramData &m_data;
    bool m_singleDeletion = false;
};

} // namespace zafrano::gui
