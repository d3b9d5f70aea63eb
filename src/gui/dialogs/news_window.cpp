// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/news_window.h"

#include "net/news_check.h"
#include "store/record_file.h"
#include "store/windows1252.h"

#include <QLabel>
#include <QTextBrowser>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

NewsWindow::NewsWindow(const QString &newsPath, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setObjectName(u"Infor"_s);
    setWindowTitle(u"Noticias del jefe..."_s);
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    auto *close = new QLabel(u"<a href=\"#\">X</a>"_s, this);
    close->setObjectName(u"CloseLabel"_s);
    close->setAlignment(Qt::AlignRight);
    connect(close, &QLabel::linkActivated, this, &QWidget::close);
    layout->addWidget(close);
    m_page = new QTextBrowser(this);
    m_page->setObjectName(u"WebBrowser1"_s);
    // The page is shown, never followed: its links and pictures stay where they are.
    m_page->setOpenLinks(false);
    m_page->setOpenExternalLinks(false);
    layout->addWidget(m_page, 1);

    Result<QByteArray> news = readFileCapped(newsPath, MaxNewsBytes);
    if (news && news->size() > 10)
        m_page->setHtml(windows1252::decode(news.value()));
    else
        m_page->hide();
    move(0, 0);
    resize(520, 420);
}

bool NewsWindow::showsPage() const
{
    return !m_page->isHidden();
}

} // namespace zafrano::gui
