// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/syndicate_commands.h"

#include "app/program_data.h"
#include "backup/automatic_copies.h"
#include "ledger/ledger_store.h"
#include "store/program_database.h"

using namespace Qt::StringLiterals;

namespace zafrano::gui {

SyndicateCommands::SyndicateCommands(ProgramData &data, QObject *parent)
    : QObject(parent), m_data(data)
{}

bool SyndicateCommands::requireSelection()
{
    if (m_selected > 0 && m_selected <= m_data.syndicates().size())
        return true;
    m_data.platform().messages.show(
        {u"Seleccione una peña primero..."_s, u"¡Nooooo!"_s, MessageIcon::Information});
    return false;
}

std::optional<SyndicateRecord> SyndicateCommands::readSelected()
{
    if (!requireSelection())
        return std::nullopt;
    // The record comes from the file, not from whatever was read last.
    Result<SyndicateRecord> selected = m_data.folder().syndicates().read(m_selected);
    if (!selected) {
        m_data.showFailure(selected.error());
        return std::nullopt;
    }
    return selected.value();
}

bool SyndicateCommands::hasOpenAccount(const QString &name) const
{
    Result<ProgramDatabase> db = ProgramDatabase::openIn(m_data.folder());
    Result<std::optional<LedgerBook>> book =
        db ? readLedger(*db, name) : Result<std::optional<LedgerBook>>(db.error());
    return book && book->has_value() && !(*book)->closedOn.isValid();
}

void SyndicateCommands::deleteSelected()
{
    const std::optional<SyndicateRecord> selected = readSelected();
    if (!selected)
        return;
    if (!m_data.platform().messages.ask(
            {u"¿Seguro que quieres eliminar la Peña "_s + selected->nameText() + u'?',
             u"Borrar..."_s, MessageIcon::Question}))
        return;
    const QString name = selected->nameText();
    const std::optional<FolderLock::Held> lock = m_data.lockForWriting();
    if (!lock)
        return;
    if (Status removed = copies::deleteSyndicate(m_data.folder(), m_selected); !removed) {
        m_data.showFailure(removed.error());
        return;
    }
    // The account goes only when the treasurer says so; kept, it is closed.
    if (hasOpenAccount(name)) {
        const bool keepAccount =
            m_data.platform().messages.ask({u"¿Quiere conservar las cuentas de la peña?"_s,
                                            u"Borrar..."_s, MessageIcon::Question});
        Result<ProgramDatabase> db = ProgramDatabase::openIn(m_data.folder());
        const Status done = !db           ? Status(db.error())
                            : keepAccount ? closeLedger(*db, name, m_data.platform().clock.today())
                                          : dropLedger(*db, name);
        if (!done)
            m_data.platform().messages.show(done.error().message);
    }
    m_selected = 0;
    m_data.refreshCalendar();
    m_data.recheckNewestDraw();
}

void SyndicateCommands::editSelected()
{
    const std::optional<SyndicateRecord> selected = readSelected();
    if (!selected)
        return;
    if (selected->reducedFrom != 0)
        m_data.platform().messages.show(
            {u"Si modifica algún número de esta peña, dejará de ser Reducida y pasará a ser de "
             u"apuestas sencillas."_s,
             u"Atención!"_s, MessageIcon::Information});
    emit editorRequested(m_selected);
}

void SyndicateCommands::printSelected()
{
    if (!requireSelection())
        return;
    emit printingRequested(m_selected);
}

} // namespace zafrano::gui
