// SPDX-License-Identifier: GPL-3.0-or-later
// The main window from start-up: files, calendar block, first-start messages.
#include "main/main_window.h"
#include "main/program_data.h"
#include "scripted_platform.h"
#include "test_paths.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace zafrano;

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void firstStartInEmptyFolderCreatesFilesAndWelcomes();
};

void MainWindowTest::firstStartInEmptyFolderCreatesFilesAndWelcomes()
{
    QTemporaryDir dir;
    QVERIFY(QFile::copy(QString::fromUtf8(test::TablesFile), dir.filePath(u"tablas.bin"_s)));
    test::ScriptedPlatform fake(QDate(2026, 12, 8));
    gui::MainWindow window{DataFolder(dir.path()), fake.platform};
    QVERIFY(window.startUp());
    window.handleActivation();
    window.handleActivation();

    QCOMPARE(QFileInfo(dir.filePath(u"bnums.ini"_s)).size(), 80);
    for (const auto name : {u"bonoapu.dat", u"bononume.dat", u"bonowww.txt", u"bonowww2.txt"})
        QCOMPARE(QFileInfo(dir.filePath(QString::fromUtf16(name))).size(), 0);
    QCOMPARE(fake.messages.shown.size(), 1);
    QCOMPARE(fake.messages.shown[0].message.title, u"Fichero de peñas vacío"_s);
    QCOMPARE(window.findChild<QLabel *>(u"Label9_3"_s)->text(), u"Fichero de datos vacío."_s);
    QCOMPARE(window.findChild<QLabel *>(u"Label9_6"_s)->text(), u"No se ha actualizado nunca"_s);
}

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
