// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/draw_commands.h"

#include "app/program_data.h"
#include "backup/automatic_copies.h"
#include "checking/draws_to_count.h"
#include "common/texts.h"
#include "startup/draws_rescue.h"
#include "store/day_serial.h"
#include "store/draw_history_csv.h"

#include <QFileInfo>
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
    const std::optional<FolderLock::Held> lock = m_data.lockForWriting();
    if (!lock)
        return;
    finishImport(copies::importDrawsFile(m_data.folder(), chosen));
}

void DrawCommands::importHistoryCsv()
{
    const QString chosen = m_data.platform().desktop.chooseFile(
        u"Seleccione el histórico de sorteos (CSV)"_s,
        u"Históricos de sorteos (*.csv *.CSV);;Todos los archivos (*)"_s);
    if (chosen.isEmpty())
        return;
    Result<QList<DrawRecord>> draws = readDrawHistoryCsv(chosen, m_data.platform().clock.today());
    if (!draws) {
        m_data.platform().messages.show(draws.error().message);
        return;
    }
    const std::optional<FolderLock::Held> lock = m_data.lockForWriting();
    if (!lock)
        return;
    finishImport(copies::importDraws(m_data.folder(), draws.value()));
}

void DrawCommands::offerShippedHistory()
{
    if (!m_data.draws().isEmpty())
        return;
    const QString shipped = m_data.folder().shippedFilePath(QString::fromUtf16(HistoryFileName));
    if (!QFileInfo::exists(shipped))
        return;
    Result<QList<DrawRecord>> draws = readDrawHistoryCsv(shipped, m_data.platform().clock.today());
    if (!draws || draws->isEmpty())
        return;
    const QDate first = fromDaySerial(draws->first().drawDate);
    const QDate last = fromDaySerial(draws->last().drawDate);
    const bool load = m_data.platform().messages.ask(
        {u"No hay ningún sorteo guardado. ¿Quiere cargar el histórico de la Bonoloto que trae "
         u"el programa? Son %1 sorteos, del %2 al %3."_s.arg(draws->size())
             .arg(shortDate(first), shortDate(last)),
         QString::fromUtf16(texts::ProgramName), MessageIcon::Question});
    if (!load)
        return;
    const std::optional<FolderLock::Held> lock = m_data.lockForWriting();
    if (!lock)
        return;
    Result<int> imported = copies::importDraws(m_data.folder(), draws.value());
    m_data.platform().messages.show(imported ? texts::importSucceeded() : imported.error().message);
    // The start-up's own passes go on over the new draws.
    m_data.refreshCalendar();
}

void DrawCommands::rescueDamagedDraws()
{
    const std::optional<FolderLock::Held> lock = m_data.lockForWriting();
    if (!lock)
        return;
    const std::optional<DrawsRescue> rescue = zafrano::rescueDamagedDraws(m_data.folder());
    if (!rescue)
        return;
    Platform &platform = m_data.platform();
    platform.messages.show(rescue->damage);
    m_data.refreshCalendar();
    if (!rescue->copy || !platform.messages.ask(copyRescueQuestion(*rescue)))
        return;
    Result<int> imported = copies::importDrawsFile(m_data.folder(), rescue->copyDrawsPath());
    platform.messages.show(imported ? texts::importSucceeded() : imported.error().message);
    // The start-up's own passes go on over the draws brought back.
    m_data.refreshCalendar();
}

void DrawCommands::finishImport(const Result<int> &imported)
{
    if (!imported) {
        m_data.platform().messages.show(imported.error().message);
        return;
    }
    m_data.platform().messages.show(texts::importSucceeded());
    m_data.refreshCalendar();
    m_data.runCheckingCycle();
}

void DrawCommands::deleteAllOrReset()
{
    m_singleDeletion = true;
    Platform &platform = m_data.platform();
    if (platform.messages.ask(deleteQuestion(u"¿Seguro que quieres borrar todos los sorteos?"_s))) {
        const std::optional<FolderLock::Held> lock = m_data.lockForWriting();
        if (!lock)
            return;
        if (Status removed = copies::deleteAllDraws(m_data.folder()); !removed) {
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
        const std::optional<FolderLock::Held> lock = m_data.lockForWriting();
        if (!lock)
            return;
        if (Status reset = copies::resetResults(m_data.folder(), platform.clock.today()); !reset) {
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
    const std::optional<FolderLock::Held> lock = m_data.lockForWriting();
    if (!lock)
        return;
    if (Status removed = deleteDraw(m_data.folder(), record); !removed) {
        m_data.showFailure(removed.error());
        return;
    }
    // Record numbers after the deleted draw have moved up: the list is rebuilt.
    m_data.listDraws();
    m_data.refreshCalendar();
}

} // namespace zafrano::gui
