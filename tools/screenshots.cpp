// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-screenshots DATA_DIR OUT_DIR [YYYY-MM-DD]: starts the main window on a
// data folder, as the program does, and saves every tab and the secondary
// windows as PNG pictures, so a developer can look at them without a desktop;
// with ZAFRANO_OPERATOR_URL set, also the results tab after a download.
#include "app/program_data.h"
#include "app/syndicate_commands.h"
#include "main/download_commands.h"
#include "main/main_window.h"
#include "reports/report_layout.h"
#include "ui/desktop_platform.h"
#include "ui/platform.h"
#include "ui/systemctl.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
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

// The settings window's timer box as with the evening check switched on;
// the machine's own units are never asked.
class ShownSystemctl final : public zafrano::gui::Systemctl
{
public:
    bool available() const override { return true; }
    int run(const QStringList &) override { return 0; }
};

void waitFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

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
    ShownSystemctl systemctl;
    zafrano::gui::Platform platform{messages, clock, desktop, &systemctl};

    const QDir out(args[2]);
    QDir().mkpath(out.path());
    // The report database and its layouts come beside the program; a data
    // folder without them gets the build's copies, as an installation would.
    for (const QString &name : {u"Zafrano.mdb"_s, u"Zafrano.net"_s, u"Zafrano1.net"_s}) {
        const QString target = QDir(args[1]).filePath(name);
        if (!QFile::exists(target))
            QFile::copy(QDir(QCoreApplication::applicationDirPath()).filePath(name), target);
    }
    zafrano::gui::MainWindow window{
        zafrano::DataFolder(args[1], QCoreApplication::applicationDirPath()), platform};
    if (!window.startUp())
        return 1;
    window.show();
    auto *tabs = window.findChild<QTabWidget *>(u"SSTab1"_s);
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QApplication::processEvents();
        save(&window, out, u"tab%1"_s.arg(i));
    }
    // The statistics of the Sunday draws alone, compared day by day.
    tabs->setCurrentIndex(3);
    for (int day : {0, 1, 9, 13, 10, 14})
        window.findChild<QAbstractButton *>(u"Check3_"_s + QString::number(day))->click();
    QApplication::processEvents();
    save(&window, out, u"tab3-domingo"_s);
    for (int day : {0, 1, 9, 13, 10, 14})
        window.findChild<QAbstractButton *>(u"Check3_"_s + QString::number(day))->click();
    window.findChild<QAbstractButton *>(u"Check3_2"_s)->click();
    QApplication::processEvents();
    save(&window, out, u"tab3-comparativa"_s);
    window.findChild<QAbstractButton *>(u"Check3_2"_s)->click();
    // The assistant at step 3: nine ranked numbers and the second table picked.
    tabs->setCurrentIndex(4);
    window.findChild<QPushButton *>(u"Command9"_s)->click();
    window.findChild<QSlider *>(u"Slider2"_s)->setValue(9);
    auto *tables = window.findChild<QComboBox *>(u"Combo1"_s);
    tables->setCurrentIndex(1);
    emit tables->activated(1);
    QApplication::processEvents();
    save(&window, out, u"tab4-paso3"_s);
    // The chooser with the reduction tables listed, once its markers are in.
    window.showChooser();
    if (auto *chooser = window.findChild<QDialog *>(u"Creamenu"_s)) {
        chooser->findChild<QRadioButton *>(u"Option1_2"_s)->click();
        waitFor(1000);
        save(chooser, out, u"Creamenu"_s);
        chooser->close();
    }
    for (const auto &[action, dialog] : {std::pair{u"mnuAcercade"_s, u"Acercade"_s},
                                         std::pair{u"mnuConfiguracion"_s, u"Configurar"_s},
                                         std::pair{u"mnuAnadirSorteo"_s, u"AddDrawWindow"_s}}) {
        window.findChild<QAction *>(action)->trigger();
        QApplication::processEvents();
        if (auto *shown = window.findChild<QDialog *>(dialog)) {
            shown->adjustSize();
            save(shown, out, dialog);
        }
    }
    // The editor with a bet being marked for Sundays; nothing is saved.
    window.openEditor({});
    QApplication::processEvents();
    if (auto *editor = window.findChild<QWidget *>(u"Crea"_s)) {
        editor->findChild<QAbstractButton *>(u"Option1_7"_s)->click();
        for (const int n : {4, 18, 23, 31, 47, 49, 7, 12, 26})
            editor->findChild<QAbstractButton *>(u"Number_"_s + QString::number(n))->click();
        QApplication::processEvents();
        save(editor, out, u"Crea"_s);
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
    // The first syndicate's account on its "Cuentas" page.
    if (auto *pages = window.findChild<QTabWidget *>(u"SyndicatePages"_s)) {
        emit list->clicked(list->model()->index(0, 0));
        pages->setCurrentIndex(1);
        QApplication::processEvents();
        save(&window, out, u"tab2-cuentas"_s);
        pages->setCurrentIndex(0);
    }
    // The first syndicate's report in the real preview window.
    if (zafrano::Result<zafrano::ReportDocument> report =
            zafrano::buildReport(window.data().folder(), zafrano::ReportKind::Syndicate)) {
        QTimer::singleShot(300, [&out] {
            if (QWidget *preview = QApplication::activeModalWidget()) {
                save(preview, out, u"Informe"_s);
                preview->close();
            }
        });
        zafrano::gui::SystemDesktop().showReport(report.value());
    }
    if (!window.data().syndicates().isEmpty()) {
        window.syndicateCommands().select(1);
        window.syndicateCommands().editSelected();
        QApplication::processEvents();
        // The editor of new mode is closed but may not be deleted yet.
        for (QWidget *editor : window.findChildren<QWidget *>(u"Crea"_s)) {
            if (editor->isVisible())
                save(editor, out, u"Crea-edicion"_s);
        }

        window.syndicateCommands().printSelected();
        QApplication::processEvents();
        if (auto *printing = window.findChild<QDialog *>(u"Imprimir"_s)) {
            printing->adjustSize();
            save(printing, out, u"Imprimir"_s);
        }
    }
    // With an operator to download from (ZAFRANO_OPERATOR_URL, a fixture
    // server): the results tab after a download, the first syndicate chosen.
    if (!qEnvironmentVariableIsEmpty("ZAFRANO_OPERATOR_URL")) {
        tabs->setCurrentIndex(0);
        window.findChild<QAbstractButton *>(u"Picture2"_s)->click();
        for (int waited = 0; window.downloadCommands().running() && waited < 60'000; waited += 200)
            waitFor(200);
        auto *filter = window.findChild<QComboBox *>(u"Combo2"_s);
        if (filter->count() > 1) {
            filter->setCurrentIndex(1);
            emit filter->activated(1);
        }
        QApplication::processEvents();
        save(&window, out, u"tab0-descarga"_s);
    }
    return 0;
}
