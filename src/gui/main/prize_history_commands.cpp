// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/prize_history_commands.h"

#include "app/program_data.h"
#include "calendar/weekday.h"
#include "dialogs/prize_history_dialog.h"

using namespace Qt::StringLiterals;

namespace zafrano::gui {

namespace {

ProgramMessage information(const QString &text)
{
    return {text, u"Premios de sorteos anteriores"_s, MessageIcon::Information};
}

} // namespace

PrizeHistoryCommands::PrizeHistoryCommands(ProgramData &data, QWidget &window,
                                           const DownloadConfig &config, QObject *parent)
    : QObject(parent), m_data(data), m_window(window),
      m_fetch(data.folder(), m_network, config.operatorBase, config.requestTimeoutMs,
              config.maxPageBytes)
{
    connect(&m_fetch, &PrizeHistoryFetch::monthStarted, this, &PrizeHistoryCommands::monthStarted);
    connect(&m_fetch, &PrizeHistoryFetch::monthAnswered, this,
            &PrizeHistoryCommands::monthAnswered);
    connect(&m_fetch, &PrizeHistoryFetch::finished, this, &PrizeHistoryCommands::finished);
}

void PrizeHistoryCommands::start()
{
    if (m_fetch.running()) {
        if (m_dialog)
            m_dialog->raise();
        return;
    }
    const QDate today = m_data.platform().clock.today();
    const Result<PrizeHistoryPlan> plan = planPrizeHistory(m_data.folder(), QDate(), today);
    if (!plan) {
        m_data.platform().messages.show(plan.error().message);
        return;
    }
    m_pesetaDrawsLeftOut = plan->pesetaDrawsLeftOut;
    m_monthsKept = 0;
    m_incomplete.clear();
    if (plan->months.isEmpty()) {
        QString text = u"Ya se conocen los premios de todos los sorteos guardados."_s;
        if (m_pesetaDrawsLeftOut)
            text += u' ' + pesetaDrawsText();
        m_data.platform().messages.show(information(text));
        return;
    }
    m_dialog = new PrizeHistoryDialog(&m_window);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_dialog, &PrizeHistoryDialog::cancelled, this, &PrizeHistoryCommands::cancel);
    m_dialog->show();
    m_fetch.start(plan.value(), today);
}

void PrizeHistoryCommands::monthStarted()
{
    if (m_dialog)
        m_dialog->showMonth(m_fetch.month(), m_fetch.monthIndex(), m_fetch.monthCount());
}

void PrizeHistoryCommands::monthAnswered(const PrizeMonthAnswer &answer)
{
    if (m_dialog)
        m_dialog->showMonthsDone(m_fetch.monthIndex() + 1);
    if (answer.complete())
        ++m_monthsKept;
    else
        m_incomplete.append(answer.month);
}

void PrizeHistoryCommands::cancel()
{
    m_fetch.cancel();
}

void PrizeHistoryCommands::finished()
{
    if (m_dialog) {
        // Closed by the run, not by the player: no cancel follows.
        m_dialog->disconnect(this);
        m_dialog->close();
    }
    if (m_monthsKept > 0)
        emit prizesKept();
    QStringList said;
    if (m_monthsKept > 0)
        said.append(m_monthsKept == 1
                        ? u"Se han guardado los premios de 1 mes."_s
                        : u"Se han guardado los premios de %1 meses."_s.arg(m_monthsKept));
    if (!m_incomplete.isEmpty()) {
        QStringList months;
        for (const QDate &month : std::as_const(m_incomplete))
            months.append(monthOfYearText(month));
        said.append(
            u"Faltan premios de algún sorteo de %1; se volverán a pedir la próxima vez."_s.arg(
                months.join(u", "_s)));
    }
    if (m_pesetaDrawsLeftOut)
        said.append(pesetaDrawsText());
    const Status &result = m_fetch.result();
    if (!result) {
        ProgramMessage refusal = result.error().message;
        said.prepend(refusal.text);
        said.append(u"Los premios de los meses anteriores quedan guardados; la próxima vez se "
                    u"sigue por %1."_s.arg(monthOfYearText(m_fetch.month())));
        refusal.text = said.join(u' ');
        m_data.platform().messages.show(refusal);
        return;
    }
    m_data.platform().messages.show(information(said.join(u' ')));
}

} // namespace zafrano::gui
