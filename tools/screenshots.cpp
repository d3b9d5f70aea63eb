// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-screenshots DATA_DIR OUT_DIR [YYYY-MM-DD]: starts the main window on a
// data folder, as the program does, and saves every tab and the secondary
// windows as PNG pictures, so a developer can look at them without a desktop.
#include "main/main_window.h"
#include "main/program_data.h"
#include "main/syndicate_commands.h"
#include "reports/report_layout.h"
#include "ui/desktop_platform.h"
#include "ui/platform.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

class PrintedMessages final : public zafrano::gui::Messages
{
public:
    void show(const zafrano::ProgramMessage &message) override
    {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(message.title), qPrintable(message.text));
    }
    bool ask(const zafrano::ProgramMessage &question) override
    {
        show(question);
        return false;
    }
};

class DateClock final : public zafrano::gui::Clock
{
public:
    QDate day;
    QDate today() const override { return day; }
};

class NoDesktop final : public zafrano::gui::Desktop
{
public:
    void openUrl(const QUrl &) override {}
    QString chooseFile(const QString &, const QString &) override { return {}; }
};

void save(QWidget *widget, const QDir &out, const QString &name)
{
    widget->grab().save(out.filePath(name + u".png"_s));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: zafrano-screenshots DATA_DIR OUT_DIR [YYYY-MM-DD]\n");
        return 2;
    }
    PrintedMessages messages;
    DateClock clock;
    clock.day =
        args.size() > 3 ? QDate::fromString(args[3], u"yyyy-MM-dd"_s) : QDate::currentDate();
    NoDesktop desktop;
    zafrano::gui::Platform platform{messages, clock, desktop};

    const QDir out(args[2]);
    QDir().mkpath(out.path());
    // The report database and its layouts come beside the program; a data
    // folder without them gets the build's copies, as an installation would.
    for (const QString &name : {u"Zafrano.mdb"_s, u"Zafrano.net"_s, u"Zafrano1.net"_s}) {
        const QString target = QDir(args[1]).filePath(name);
        if (!QFile::exists(target))
            QFile::copy(QDir(QCoreApplication::applicationDirPath()).filePath(name), target);
    }
    zafrano::gui::MainWindow window{zafrano::DataFolder(args[1]), platform};
    if (!window.startUp())
        return 1;
    window.show();
    auto *tabs = window.findChild<QTabWidget *>(u"SSTab1"_s);
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QApplication::processEvents();
        save(&window, out, u"tab%1"_s.arg(i));
    }
    for (const auto &[action, dialog] : {std::pair{u"mnuAcercade"_s, u"Acercade"_s},
                                         std::pair{u"mnuConfiguracion"_s, u"Configurar"_s}}) {
        window.findChild<QAction *>(action)->trigger();
        QApplication::processEvents();
        if (auto *shown = window.findChild<QDialog *>(dialog)) {
            shown->adjustSize();
            save(shown, out, dialog);
        }
    }
    // The detail of the first syndicates, each picked in the list.
    tabs->setCurrentIndex(2);
    auto *list = window.findChild<QAbstractItemView *>(u"ListView1"_s);
    const int picked = std::min<int>(3, static_cast<int>(window.data().syndicates().size()));
    for (int row = 0; row < picked; ++row) {
        emit list->clicked(list->model()->index(row, 0));
        QApplication::processEvents();
        save(&window, out, u"tab2-pena%1"_s.arg(row + 1));
    }
    // The first syndicate's report in the real preview window.
    if (zafrano::Result<zafrano::ReportDocument> report = zafrano::buildReport(
            zafrano::DataFolder(args[1]).basePath(), zafrano::ReportKind::Syndicate)) {
        QTimer::singleShot(300, [&out] {
            if (QWidget *preview = QApplication::activeModalWidget()) {
                save(preview, out, u"Informe"_s);
                preview->close();
            }
        });
        zafrano::gui::SystemDesktop().showReport(report.value());
    }
    // The assistant of "Crear Combinación", with its report frame.
    tabs->setCurrentIndex(4);
    if (auto *automatic = window.findChild<QAbstractButton *>(u"Command9"_s)) {
        automatic->click();
        QApplication::processEvents();
        save(&window, out, u"tab4-asistente"_s);
    }
    if (!window.data().syndicates().isEmpty()) {
        window.syndicateCommands().select(1);
        window.syndicateCommands().printSelected();
        QApplication::processEvents();
        if (auto *printing = window.findChild<QDialog *>(u"Imprimir"_s)) {
            printing->adjustSize();
            save(printing, out, u"Imprimir"_s);
        }
    }
    return 0;
}
