// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QTextBrowser;

namespace zafrano::gui {

// "Noticias del jefe...": the maker's news page informe.dat, at the top left
// of the screen and above the other windows; a page of 10 bytes or less
// leaves its view hidden.
class NewsWindow : public QWidget
{
    Q_OBJECT
public:
    NewsWindow(const QString &newsPath, QWidget *parent = nullptr);
    bool showsPage() const;

private:
    QTextBrowser *m_page = nullptr; // WebBrowser1
};

} // namespace zafrano::gui
