// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/news_commands.h"

#include "app/program_data.h"
#include "dialogs/news_window.h"
#include "net/news_check.h"
#include "net/page_fetch.h"
#include "store/record_file.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

NewsCommands::NewsCommands(ProgramData &data, QWidget &mainWindow, int requestTimeoutMs)
    : QObject(&mainWindow), m_data(data), m_mainWindow(mainWindow),
      m_fetch(std::make_unique<PageFetch>(m_network, requestTimeoutMs, MaxNewsBytes))
{
    connect(m_fetch.get(), &PageFetch::finished, this, &NewsCommands::newsArrived);
}

NewsCommands::~NewsCommands() = default;

bool NewsCommands::checking() const
{
    return m_fetch->busy();
}

void NewsCommands::checkAtStartUp()
{
    const CalendarStatus &calendar = m_data.calendar();
    const QDate newest = calendar.hasDraws() ? calendar.lastDraw.date() : QDate();
    if (!newsCheckDue(newest, m_data.platform().clock.today(), !m_data.syndicates().isEmpty()))
        return;
    const std::optional<QUrl> url = configuredNewsUrl(m_data.settings().webAddressText());
    if (!url)
        return;
    const QString path = m_data.folder().filePath(QString::fromUtf16(NewsFileName));
    if (QFile file(path); !file.exists())
        (void)file.open(QIODevice::WriteOnly);
    Result<QByteArray> old = readFileCapped(path, MaxNewsBytes);
    m_oldNews = old ? old.value() : QByteArray();
    m_fetch->start(*url);
}

void NewsCommands::newsArrived()
{
    // A news page that did not come leaves the old one in place.
    if (!m_fetch->errorText().isEmpty())
        return;
    const QString path = m_data.folder().filePath(QString::fromUtf16(NewsFileName));
    if (!replaceFileAtomically(path, path + u".tmp"_s, m_fetch->page()))
        return;
    const NewsVerdict verdict =
        judgeNews(m_oldNews, m_fetch->page(), m_data.settings().webAddressText());
    if (!verdict.fresh)
        return;
    if (!verdict.newWebAddress.isEmpty()) {
        m_data.settings().setWebAddress(verdict.newWebAddress);
        m_data.saveSettings();
    }
    showNews();
}

void NewsCommands::showNews()
{
    if (!m_window) {
        m_window = new NewsWindow(m_data.folder().filePath(QString::fromUtf16(NewsFileName)),
                                  &m_mainWindow);
    }
    m_window->show();
    m_window->raise();
}

void NewsCommands::closeNews()
{
    if (m_window)
        m_window->close();
}

bool NewsCommands::newsShown() const
{
    return m_window && m_window->isVisible();
}

} // namespace zafrano::gui
