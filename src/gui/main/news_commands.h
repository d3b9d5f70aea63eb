// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <memory>

class QWidget;

namespace zafrano {
class PageFetch;
}

namespace zafrano::gui {

class NewsWindow;
class ProgramData;

// The maker's news: fetched at start-up when the newest draw is two days old
// or more, shown in the news window when it changed, and opened from
// "Leer mensaje del Jefe".
class NewsCommands : public QObject
{
    Q_OBJECT
public:
    NewsCommands(ProgramData &data, QWidget &mainWindow, int requestTimeoutMs);
    ~NewsCommands() override;

    // The start-up's news check; everything that fails is silent.
    void checkAtStartUp();
    bool checking() const;
    // Opens the news window (not modal) with the news file as it stands.
    void showNews();
    void closeNews();
    bool newsShown() const;

private:
    void newsArrived();

    ProgramData &m_data;
    QWidget &m_mainWindow;
    QNetworkAccessManager m_network;
    std::unique_ptr<PageFetch> m_fetch;
    QByteArray m_oldNews;
    QPointer<NewsWindow> m_window;
};

} // namespace zafrano::gui
