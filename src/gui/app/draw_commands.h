// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"

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
    // "Importar histórico (CSV)...": replaces the draws by a CSV history the
    // player chooses, as zafrano-cli import-csv does.
    void importHistoryCsv();
    // At start-up, with no draw stored: offers the history the program ships
    // and, on "Sí", imports it and refreshes the calendar before the start-up's
    // checking cycle. Asks nothing when there is none to offer.
    void offerShippedHistory();
    // At start-up, before that offer: a draws file that does not read is put
    // aside and said, and the draws of the newest automatic copy that reads
    // whole are offered (with its date); refused, the shipped history is
    // offered next.
    void rescueDamagedDraws();
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
    // After an import: its message, then the passes over the new draws.
    void finishImport(const Result<int> &imported);

    ProgramData &m_data;
    bool m_singleDeletion = false;
};

} // namespace zafrano::gui
