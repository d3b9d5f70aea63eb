// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/draw_commands.h"

#include "common/texts.h"
#include "main/program_data.h"

#include <QUrl>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

namespace {

ProgramMessage deleteQuestion(const QString &text)
{
    return {text, u"Borrar..."_s, MessageIcon::Question};
}

} // namespace

DrawCommands::DrawCommands(ProgramData &data, QObject *parent) : QObject(parent), m_data(data) {}

void DrawCommands::importDraws()
{
    Platform &platform = m_data.platform();
    const QString chosen = platform.desktop.chooseFile(
        u"Seleccione el archivo BONONUME.DAT"_s,
        u"Archivos de sorteos (bononume.dat BONONUME.DAT);;Todos los archivos (*)"_s);
    if (chosen.isEmpty()) {
        const bool go = platform.messages.ask(
            {u"No se ha seleccionado ningún archivo. Recuerde que puede disponer de TODOS LOS "
             u"SORTEOS DESDE LA CREACIÓN DE LA BONOLOTO, obteniéndolo desde nuestra tienda "
             u"virtual. ¿Quiere ir?"_s,
             QString::fromUtf16(texts::ProgramName), MessageIcon::Question});
        if (go)
            platform.desktop.openUrl(QUrl(u"http://"_s + m_data.settings().webAddressText() +
                                          u"/tienda.html#Sorteos"_s));
        return;
    }
    Result<int> imported = m_data.folder().draws().importFile(chosen);
    if (!imported) {
        platform.messages.show(imported.error().message);
        return;
    }
    platform.messages.show(texts::importSucceeded());
    m_data.refreshCalendar();
    m_data.runCheckingCycle();
}

void DrawCommands::deleteAllOrReset()
{
    m_singleDeletion = true;
    Platform &platform = m_data.platform();
    if (platform.messages.ask(deleteQuestion(u"¿Seguro que quieres borrar todos los sorteos?"_s))) {
        if (Status removed = m_data.folder().draws().removeAll(); !removed) {
            m_data.showFailure(removed.error());
        } else {
            m_data.refreshCalendar();
            m_data.runCheckingCycle();
        }
    }
    if (platform.messages.ask(deleteQuestion(
            u"¿Quiere borrar también los aciertos de las peñas?. Si ha borrado los sorteos, se "
            u"aconseja que se resetee también los resultados de las peñas y la fecha de creación "
            u"pasará a ser la de hoy."_s))) {
        if (Status reset = m_data.folder().syndicates().resetResults(platform.clock.today());
            !reset) {
            m_data.showFailure(reset.error());
            return;
        }
        emit resultsReset();
        m_data.refreshCalendar();
    }
}

void DrawCommands::deleteOneDraw(int record)
{
    if (!m_singleDeletion)
        return;
    if (!m_data.platform().messages.ask(
            deleteQuestion(u"¿Seguro que quieres eliminar este sorteo?"_s)))
        return;
    if (Status removed = m_data.folder().draws().removeRecord(record); !removed) {
        m_data.showFailure(removed.error());
        return;
    }
    // Record numbers after the deleted draw have moved up: the list is rebuilt.
    m_data.listDraws();
    m_data.refreshCalendar();
}

} // namespace zafrano::gui
