// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/download_controller.h"

#include "calendar/draw_calendar.h"
#include "net/draw_intake.h"
#include "store/day_serial.h"
#include "store/prize_store.h"
#include "store/program_database.h"
#include "store/record_file.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

const QString ConnectingText = u"CONECTANDO AL SERVIDOR"_s;
const QString Searching = u"BUSCANDO SORTEOS"_s;
const QString Analysing = u"ANALIZANDO DATOS"_s;
const QString Done = u"TRANSFERENCIA FINALIZADA"_s;

// The most draws the results show after a download.
constexpr int MaxDrawsToView = 8;

Status savePage(const QString &path, const QByteArray &savedBytes)
{
    return replaceFileAtomically(path, path + u".tmp"_s, savedBytes);
}

// "Añadido el sorteo que faltaba del 16/06/2026."
QString insertedText(const QList<DrawRecord> &inserted)
{
    QStringList days;
    for (const DrawRecord &draw : inserted)
        days.append(shortDate(draw.date()));
    return inserted.size() == 1
               ? u"Añadido el sorteo que faltaba del %1."_s.arg(days.first())
               : u"Añadidos los sorteos que faltaban del %1."_s.arg(days.join(u", "_s));
}

// The stored days the JSON service is asked for again: the missing draw days
// and the recent draws whose prizes are unknown. Reading creates no zafrano.db.
QList<QDate> storedDaysToAskAgain(const DataFolder &folder, QDate today)
{
    Result<QList<DrawRecord>> stored = folder.draws().readAll();
    if (!stored || stored->isEmpty())
        return {};
    std::optional<ProgramDatabase> db;
    if (QFile::exists(folder.filePath(QString::fromUtf16(ProgramDatabase::FileName)))) {
        if (Result<ProgramDatabase> opened = ProgramDatabase::openIn(folder); opened)
            db = std::move(opened).value();
        else
            return missingDrawDays(stored.value()); // said where it is written
    }
    const auto known = [&db](QDate date) {
        if (!db)
            return false;
        const Result<std::optional<DrawPrizes>> prizes = storedPrizes(*db, date);
        if (!prizes)
            return true; // an unreadable zafrano.db is said where it is written
        if (!prizes.value())
            return false;
        // The jackpot may have no winner; the other categories always pay.
        for (int k = 1; k < DrawPrizes::Refund; ++k) {
            if (!prizes.value()->cents[k])
                return false;
        }
        return true;
    };
    return daysToAskAgain(stored.value(), known, today);
}

} // namespace

DownloadController::DownloadController(const DataFolder &folder, const DownloadConfig &config,
                                       QObject *parent)
    : QObject(parent), m_folder(folder), m_config(config),
      m_json(m_network, config.operatorBase, config.requestTimeoutMs, config.maxPageBytes),
      m_html(m_network, folder, config.operatorBase, config.requestTimeoutMs, config.maxPageBytes)
{
    if (config.sources != SourceChoice::Html)
        m_sources.append(&m_json);
    if (config.sources != SourceChoice::Json)
        m_sources.append(&m_html);
    for (ResultsSource *source : std::as_const(m_sources)) {
        connect(source, &ResultsSource::stateChanged, this,
                [this, source] { sourceChanged(source); });
        connect(source, &ResultsSource::answered, this, [this, source] { sourceAnswered(source); });
        connect(source, &ResultsSource::finished, this, [this, source] { sourceFinished(source); });
    }
    m_timer.setInterval(config.tickIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &DownloadController::tick);
}

void DownloadController::start(QDate today, QDate newestStored)
{
    // A second press while a download runs would send the requests twice.
    if (m_running)
        return;
    m_newDrawsText.clear();
    m_parseFailed = false;
    m_appended.clear();
    m_inserted.clear();
    m_refusals.clear();
    m_answering = nullptr;
    m_outcome = PageOutcome::NothingNew;
    if (newestStored.isValid() && newestStored > today) {
        emit messageRaised({u"La fecha de tu ordenador parece incorrecta. Existen sorteos en la "
                            u"base de datos con fechas porsteriores a la actual. Comprueba la "
                            u"fecha de tu ordenador."_s,
                            u"Error de fechas"_s, MessageIcon::Information});
        emit stateChanged();
        emit finished();
        return;
    }
    m_today = today;
    m_newestStored = newestStored;
    m_json.setDaysToAskAgain(storedDaysToAskAgain(m_folder, today));
    m_byteCount = QStringLiteral("0 Bytes");
    m_running = true;
    m_nextSource = 0;
    startNextSource();
}

void DownloadController::startNextSource()
{
    m_current = m_sources.at(m_nextSource++);
    m_newDrawCount = 0;
    m_current->start(m_newestStored, m_today);
    if (m_config.tickIntervalMs > 0)
        m_timer.start();
    showSource();
    emit stateChanged();
}

void DownloadController::tick()
{
    if (m_running && m_current)
        m_current->tick();
}

void DownloadController::showSource()
{
    switch (m_current->stage()) {
    case SourceStage::Connecting:
        m_progress = Connecting;
        m_status = ConnectingText;
        break;
    case SourceStage::Searching:
        m_progress = Connecting;
        m_status = Searching;
        break;
    case SourceStage::Analysing:
        m_progress = PageReceived;
        m_status = Analysing;
        break;
    }
    if (!m_current->byteCount().isEmpty())
        m_byteCount = m_current->byteCount();
}

void DownloadController::sourceChanged(ResultsSource *source)
{
    if (!m_running || source != m_current)
        return;
    showSource();
    emit stateChanged();
}

void DownloadController::sourceAnswered(ResultsSource *source)
{
    if (!m_running || source != m_current)
        return;
    showSource();
    const Result<SourceAnswer> &answer = source->answer();
    if (!answer) {
        if (m_nextSource < m_sources.size()) {
            m_refusals.append(answer.error().message);
            startNextSource();
        } else {
            fail(answer.error().message);
        }
        return;
    }
    // Every source's draws are taken in the same way, and only here.
    Result<Intake> intake = takeInDraws(m_folder, answer->draws, IntakeRoad::Download, m_today);
    if (!intake) {
        fail(intake.error().message);
        return;
    }
    m_answering = source;
    m_appended = intake->appended;
    m_inserted = intake->inserted;
    m_newDrawCount = answer->drawCount;
    m_outcome = answer->outcome;
    if (source == &m_json) {
        // The months asked again bring stored draws: what is new is the intake's.
        m_outcome = intake->added() ? PageOutcome::NewDraws : PageOutcome::NothingNew;
        m_newDrawCount = std::max<int>(1, static_cast<int>(m_appended.size()));
    }
    if (m_outcome == PageOutcome::NewDraws || m_outcome == PageOutcome::Incomplete)
        m_newDrawsText =
            zafrano::newDrawsText(static_cast<int>(m_appended.size() + m_inserted.size()));
    if (answer->message)
        emit messageRaised(withRefusals(*answer->message));
    else if (source == &m_json && !intake->added())
        emit messageRaised(withRefusals(nothingNewMessage()));
    for (const ProgramMessage &remark : std::as_const(intake->remarks))
        emit messageRaised(remark);
    if (!m_inserted.isEmpty())
        emit messageRaised({insertedText(m_inserted), u"Sorteos"_s, MessageIcon::Information});
    if (intake->prizesRecovered > 0)
        emit messageRaised(
            {u"Premios recuperados de %1 sorteos ya guardados."_s.arg(intake->prizesRecovered),
             u"Premios"_s, MessageIcon::Information});
    if (intake->notice)
        emit messageRaised(*intake->notice);
    if (m_outcome == PageOutcome::Corrupt) {
        emit parseErrorTextRaised(parseErrorText());
        m_parseFailed = true;
    }
    emit drawsAppended();
}

void DownloadController::sourceFinished(ResultsSource *source)
{
    if (m_running && source == m_current && source == m_answering)
        completeDownload();
}

void DownloadController::completeDownload()
{
    m_progress = PageReceived;
    stop();
    // The JSON road brings no draw page: the prize tab shows the stored prizes.
    const QString drawPagePath =
        m_folder.filePath(QString::fromUtf16(DataFolder::SavedDrawPageName));
    if (Status saved = savePage(drawPagePath, savedPageBytes(m_current->drawPage())); !saved)
        emit messageRaised(saved.error().message);
    if (!m_parseFailed) {
        const Result<std::optional<ProgramMessage>> kept =
            keepPrizes(m_folder, m_current->drawPagePrizes());
        if (!kept)
            emit messageRaised(kept.error().message);
        else if (kept.value())
            emit messageRaised(*kept.value());
        m_progress = Rechecking;
        emit stateChanged();
        const int drawsToView = m_newDrawCount != 0 ? std::min(m_newDrawCount, MaxDrawsToView) : 0;
        emit checkRequested(m_newDrawCount, drawsToView);
        m_progress = Refreshing;
        emit stateChanged();
        emit refreshRequested();
    }
    m_status = Done;
    m_progress = Finished;
    emit stateChanged();
    emit finished();
}

ProgramMessage DownloadController::withRefusals(const ProgramMessage &message) const
{
    if (m_refusals.isEmpty())
        return message;
    QStringList lines;
    for (const ProgramMessage &refusal : m_refusals)
        lines.append(refusal.text);
    lines.append(message.text);
    return {lines.join(u"\n"_s), message.title, message.icon};
}

void DownloadController::fail(const ProgramMessage &message)
{
    m_json.cancel();
    m_html.cancel();
    stop();
    m_progress = Idle;
    m_status.clear();
    emit stateChanged();
    emit messageRaised(withRefusals(message));
    emit finished();
}

void DownloadController::stop()
{
    m_timer.stop();
    m_running = false;
}

} // namespace zafrano
