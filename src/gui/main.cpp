// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/main_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    zafrano::gui::MainWindow window;
    window.show();
    return app.exec();
}
