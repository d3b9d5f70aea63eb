// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>

class QTabWidget;

namespace zafrano::gui {

// The main window ("Principal"): the five tabs and the menus.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);

private:
    void buildMenus();

    QTabWidget *m_tabs = nullptr;
};

} // namespace zafrano::gui
