// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/main_window.h"
#include "main/splash_window.h"
#include "store/data_location.h"
#include "ui/desktop_platform.h"
#include "ui/systemctl.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>
#include <memory>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Zafrano"_s);
    // The desktop (Wayland above all) matches the window to its desktop file by this name.
    QGuiApplication::setDesktopFileName(u"es.zafrano.Zafrano"_s);
    QApplication::setWindowIcon(QIcon(u":/zafrano/zafrano.svg"_s));

    // The program speaks Spanish whatever the system's language: Qt's own
    // buttons and dialogs too ("Aceptar", "Cancelar"), and dates and numbers.
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Spanish), u"qtbase"_s, u"_"_s,
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    zafrano::gui::BoxMessages messages;
    zafrano::gui::SystemClock clock;
    zafrano::gui::SystemDesktop desktop;
    zafrano::gui::SystemSystemctl systemctl;
    zafrano::gui::Platform platform{messages, clock, desktop, &systemctl};

    // ZAFRANO_DATA_DIR, else the program's own folder when it holds data, else
    // the user's own folder; a folder that cannot be used or written stops here, named.
    const zafrano::Result<zafrano::DataLocation> location = zafrano::locateDataFolder(
        {{},
         qEnvironmentVariable("ZAFRANO_DATA_DIR"),
         QCoreApplication::applicationDirPath(),
         QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)});
    if (!location) {
        messages.show(location.error().message);
        return 1;
    }
    const zafrano::DataFolder folder(location->dataFolder, location->shareFolder);
    std::unique_ptr<zafrano::gui::MainWindow> window;

    zafrano::gui::SplashWindow splash;
    QObject::connect(&splash, &zafrano::gui::SplashWindow::entered, &app, [&] {
        window = std::make_unique<zafrano::gui::MainWindow>(folder, platform);
        messages.setParentWindow(window.get());
        desktop.setParentWindow(window.get());
        splash.close();
        if (!window->startUp()) {
            QCoreApplication::exit(1);
            return;
        }
        window->show();
    });
    splash.show();
    return app.exec();
}
