// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/download_controller.h"
#include "net/prize_history.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>

class QWidget;

namespace zafrano::gui {

class PrizeHistoryDialog;
class ProgramData;

// General ▸ "Bajar premios de sorteos anteriores...": the prizes of the
// stored draws that lack them, asked of the operator's JSON service month by
// month while the window goes on, the month being read shown in its dialog.
// The end, a refusal or a month left incomplete is said by a message.
class PrizeHistoryCommands : public QObject
{
    Q_OBJECT
public:
    PrizeHistoryCommands(ProgramData &data, QWidget &window, const DownloadConfig &config,
                         QObject *parent = nullptr);

    void start();
    bool running() const { return m_fetch.running(); }

signals:
    // Prizes were kept, the newest draw's may be among them.
    void prizesKept();

private:
    void monthStarted();
    void monthAnswered(const PrizeMonthAnswer &answer);
    void finished();
    void cancel();

    ProgramData &m_data;
    QWidget &m_window;
    QNetworkAccessManager m_network;
    PrizeHistoryFetch m_fetch;
    QPointer<PrizeHistoryDialog> m_dialog;
    bool m_pesetaDrawsLeftOut = false;
    int m_monthsKept = 0;
    QList<QDate> m_incomplete;
};

} // namespace zafrano::gui
