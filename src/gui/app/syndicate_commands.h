// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/syndicate_record.h"

#include <QObject>
#include <optional>

namespace zafrano::gui {

class ProgramData;

// The buttons on the selected syndicate: delete it, edit it, print its slips.
class SyndicateCommands : public QObject
{
    Q_OBJECT

public:
    explicit SyndicateCommands(ProgramData &data, QObject *parent = nullptr);

    // The syndicate picked in the list (1-based record); 0 for none.
    int selectedSyndicate() const { return m_selected; }
    void select(int record) { m_selected = record; }

    // "Eliminar peña".
    void deleteSelected();
    // "Editar Peña": warns about a reduced syndicate; the editor opens from here.
    void editSelected();
    // "Imprimir boletos": the printing window opens from here.
    void printSelected();

signals:
    void editorRequested(int record);
    void printingRequested(int record);

private:
    // Shows "Seleccione una peña primero..." when nothing is selected.
    bool requireSelection();
    // The selected syndicate as stored, or nothing (its message shown).
    std::optional<SyndicateRecord> readSelected();
    // Whether the syndicate of that name has an account not yet closed.
    bool hasOpenAccount(const QString &name) const;

    ProgramData &m_data;
    int m_selected = 0;
};

} // namespace zafrano::gui
