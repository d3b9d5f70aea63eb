// SPDX-License-Identifier: GPL-3.0-or-later
// The settings window ("Configurar") and the about window ("Acercade"),
// opened from the main window's menus.
#include "gui_test_support.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <cstring>

using namespace Qt::StringLiterals;
using namespace zafrano;
using test::ProgramFolder;
using test::ProgramRun;

namespace {

qint16 storedMonths(const QByteArray &settings)
{
    return qFromLittleEndian<qint16>(settings.constData() + 16);
}

float storedPrice(const QByteArray &settings)
{
    const quint32 bits = qFromLittleEndian<quint32>(settings.constData() + 12);
    float price = 0;
    std::memcpy(&price, &bits, sizeof price);
    return price;
}

// The settings record with the price and the months left out: what no edit
// of the settings window may change.
QByteArray withoutPriceAndMonths(QByteArray settings)
{
    return settings.remove(12, 6);
}

// Types into a line edit as the player does; every key is one edit.
void typeInto(QLineEdit *box, const QString &text, bool replace)
{
    if (replace)
        box->selectAll();
    else
        box->end(false);
    QTest::keyClicks(box, text);
}

} // namespace

class DialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void settingsWindowStoresEveryEdit();
    void aboutWindowNamesTheSystemAndOpensTheSite();
    void activationClosesBothWindows();
    void aFailingSettingsWriteIsSaidOncePerWindow();
    void theBoxSwitchesTheEveningTimer();
};

void DialogsTest::settingsWindowStoresEveryEdit()
{
    ProgramFolder folder;
    QVERIFY(folder.isValid());
    Settings settings;
    settings.printOffsetX = 1.5f;
    settings.reserved78 = 7;
    settings.pricePerBet = 0.5f;
    settings.maxMonths = 6;
    settings.setWebAddress(u"bonoloto.example.org"_s);
    QVERIFY(folder.writeSettings(settings));
    const QByteArray original = folder.bytes(u"bnums.ini"_s);
    ProgramRun run(folder, QDate(2026, 12, 7));
    QVERIFY(run.window.startUp());
    QVERIFY(run.showTab(0));

    QAction *open = test::menuEntry(run.window, {u"Opciones"_s, u"Configuración"_s});
    QVERIFY(open);
    open->trigger();
    FIND_CHILD(QDialog, dialog, run.window, u"Configurar"_s);
    QVERIFY(dialog->isVisible());
    FIND_CHILD(QLineEdit, price, *dialog, u"Text1"_s);
    FIND_CHILD(QLineEdit, months, *dialog, u"Text2"_s);
    QCOMPARE(price->text(), u"0,5"_s);
    QCOMPARE(months->text(), u"6"_s);

    // Below the minimum of 2 months: 2 is stored, the box keeps what was typed.
    typeInto(months, u"1"_s, true);
    QCOMPARE(months->text(), u"1"_s);
    QCOMPARE(storedMonths(folder.bytes(u"bnums.ini"_s)), 2);
    typeInto(months, u"2"_s, false);
    QCOMPARE(months->text(), u"12"_s);
    QCOMPARE(storedMonths(folder.bytes(u"bnums.ini"_s)), 12);

    // A letter puts the last valid price back and the stored price stays.
    typeInto(price, u"x"_s, false);
    QCOMPARE(price->text(), u"0,5"_s);
    QCOMPARE(storedPrice(folder.bytes(u"bnums.ini"_s)), 0.5f);
    typeInto(price, u"1,25"_s, true);
    QCOMPARE(storedPrice(folder.bytes(u"bnums.ini"_s)), 1.25f);
    typeInto(price, u"e"_s, false);
    QCOMPARE(price->text(), u"1,25"_s);
    QCOMPARE(storedPrice(folder.bytes(u"bnums.ini"_s)), 1.25f);

    const QByteArray stored = folder.bytes(u"bnums.ini"_s);
    QCOMPARE(stored.size(), 80);
    QCOMPARE(storedMonths(stored), 12);
    QCOMPARE(withoutPriceAndMonths(stored), withoutPriceAndMonths(original));
    QVERIFY(run.fake.messages.shown.isEmpty());

    // "X" closes the window; opened again it shows what was stored.
    QPointer<QDialog> closed = dialog;
    QTest::mouseClick(dialog->findChild<QPushButton *>(u"Label2"_s), Qt::LeftButton);
    QTRY_VERIFY(closed.isNull());
    open->trigger();
    FIND_CHILD(QDialog, reopened, run.window, u"Configurar"_s);
    QCOMPARE(reopened->findChild<QLineEdit *>(u"Text1"_s)->text(), u"1,25"_s);
    QCOMPARE(reopened->findChild<QLineEdit *>(u"Text2"_s)->text(), u"12"_s);
}

void DialogsTest::aboutWindowNamesTheSystemAndOpensTheSite()
{
    ProgramFolder folder;
    QVERIFY(folder.isValid());
    Settings settings;
    settings.setWebAddress(u"bonoloto.example.org"_s);
    QVERIFY(folder.writeSettings(settings));
    ProgramRun run(folder, QDate(2026, 12, 7));
    QVERIFY(run.window.startUp());
    QVERIFY(run.showTab(0));

    QAction *open = test::menuEntry(run.window, {u"Ayuda"_s, u"Acerca de..."_s});
    QVERIFY(open);
    open->trigger();
    FIND_CHILD(QDialog, about, run.window, u"Acercade"_s);
    QVERIFY(about->isVisible());
    QCOMPARE(about->windowTitle(), u"Zafrano v.2.1.55"_s);

    FIND_CHILD(QLabel, system, *about, u"Label4"_s);
    QVERIFY2(system->text().startsWith(u"S.O: "_s), qPrintable(system->text()));
#ifdef Q_OS_LINUX
    QVERIFY2(QRegularExpression(u"^S\\.O: linux\\.\\d+\\.\\d+$"_s).match(system->text()).hasMatch(),
             qPrintable(system->text()));
#endif

    FIND_CHILD(QLabel, site, *about, u"Label2"_s);
    QVERIFY(site->text().contains(u"bonoloto.example.org"_s));
    emit site->linkActivated(u"#"_s);
    QCOMPARE(run.fake.desktop.opened, QList<QUrl>{QUrl(u"http://bonoloto.example.org"_s)});
    QVERIFY(run.fake.messages.shown.isEmpty());
}

void DialogsTest::activationClosesBothWindows()
{
    ProgramFolder folder;
    QVERIFY(folder.isValid());
    QVERIFY(folder.writeSyndicates(
        {test::makeSyndicate(u"Bar Paco"_s, u"Todos"_s, QDate(2026, 1, 5), 3)}));
    ProgramRun run(folder, QDate(2026, 12, 7));
    QVERIFY(run.window.startUp());
    QVERIFY(run.showTab(0));

    run.window.findChild<QAction *>(u"mnuAcercade"_s)->trigger();
    run.window.findChild<QAction *>(u"mnuConfiguracion"_s)->trigger();
    QPointer<QDialog> about = run.window.findChild<QDialog *>(u"Acercade"_s);
    QPointer<QDialog> settings = run.window.findChild<QDialog *>(u"Configurar"_s);
    QVERIFY(about && about->isVisible());
    QVERIFY(settings && settings->isVisible());

    run.window.handleActivation();
    QTRY_VERIFY(about.isNull());
    QTRY_VERIFY(settings.isNull());
    QVERIFY(run.fake.messages.shown.isEmpty());
}

void DialogsTest::aFailingSettingsWriteIsSaidOncePerWindow()
{
    ProgramFolder folder;
    QVERIFY(folder.isValid());
    ProgramRun run(folder, QDate(2026, 12, 7));
    QVERIFY(run.window.startUp());
    QVERIFY(run.showTab(0));
    test::ReadOnlyFolder readOnly(folder.path());
    if (!readOnly.blocksChanges())
        QSKIP("this system lets files be created in a read-only folder");

    for (int opening = 1; opening <= 2; ++opening) {
        run.window.findChild<QAction *>(u"mnuConfiguracion"_s)->trigger();
        FIND_CHILD(QDialog, dialog, run.window, u"Configurar"_s);
        // Four keystrokes, four writes that fail: one message for the window.
        typeInto(dialog->findChild<QLineEdit *>(u"Text1"_s), u"1,25"_s, true);
        QCOMPARE(run.fake.messages.shown.size(), opening);
        QCOMPARE(run.fake.messages.shown.last().message.title, u"Error de permiso"_s);
        QPointer<QDialog> closed = dialog;
        dialog->close();
        QTRY_VERIFY(closed.isNull());
    }
}

void DialogsTest::theBoxSwitchesTheEveningTimer()
{
    ProgramFolder folder;
    QVERIFY(folder.isValid());
    ProgramRun run(folder, QDate(2026, 12, 7));
    QVERIFY(run.window.startUp());
    QVERIFY(run.showTab(0));
    const QString unit = u"zafrano-comprobar.timer"_s;
    auto openBox = [&]() -> QCheckBox * {
        if (QDialog *old = run.window.findChild<QDialog *>(u"Configurar"_s))
            delete old;
        run.window.findChild<QAction *>(u"mnuConfiguracion"_s)->trigger();
        QDialog *dialog = run.window.findChild<QDialog *>(u"Configurar"_s);
        return dialog ? dialog->findChild<QCheckBox *>(u"CheckNightly"_s) : nullptr;
    };

    // It reads the timer's state from systemd: switched on outside the window.
    run.fake.systemctl.enabled.insert(unit);
    QCheckBox *box = openBox();
    QVERIFY(box);
    QCOMPARE(box->text(), u"Comprobar los sorteos cada noche (22:30) y avisar si hay premio"_s);
    QVERIFY(box->isEnabled());
    QVERIFY(box->isChecked());
    // Each click switches the unit, then shows what systemd says of it.
    const QStringList askState{u"is-enabled"_s, unit};
    run.fake.systemctl.commands.clear();
    box->click();
    QCOMPARE(run.fake.systemctl.commands,
             (QList<QStringList>{{u"disable"_s, u"--now"_s, unit}, askState}));
    QVERIFY(!box->isChecked());
    // Switched on, the service is told this data folder in a drop-in of the
    // user's configuration.
    QTemporaryDir config;
    QVERIFY(config.isValid());
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    run.fake.systemctl.commands.clear();
    box->click();
    qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(run.fake.systemctl.commands,
             (QList<QStringList>{{u"daemon-reload"_s}, {u"enable"_s, u"--now"_s, unit}, askState}));
    QVERIFY(box->isChecked());
    QFile dropIn(config.filePath(u"systemd/user/zafrano-comprobar.service.d/carpeta.conf"_s));
    QVERIFY(dropIn.open(QIODevice::ReadOnly));
    QVERIFY(dropIn.readAll().contains(
        (u"Environment=\"ZAFRANO_DATA_DIR="_s + QDir::cleanPath(folder.path()) + u"\"\n"_s)
            .toUtf8()));
    QVERIFY(run.fake.messages.shown.isEmpty());

    // A refusal is said, and the box goes back to what systemd says.
    run.fake.systemctl.refuses = true;
    box->click();
    QVERIFY(box->isChecked());
    QCOMPARE(run.fake.messages.texts(),
             QStringList{u"No se ha podido cambiar la comprobación de cada noche (systemctl "_s
                         u"--user disable --now zafrano-comprobar.timer)."_s});

    // Without systemd: disabled, with the cron line that does the same.
    run.fake.systemctl.systemd = false;
    box = openBox();
    QVERIFY(box);
    QVERIFY(!box->isEnabled());
    QVERIFY2(box->toolTip().contains(u"30 22 * * * "_s) &&
                 box->toolTip().contains(u"zafrano-cli --dir '"_s + QDir::cleanPath(folder.path()) +
                                         u"' download --notify"_s),
             qPrintable(box->toolTip()));
}

QTEST_MAIN(DialogsTest)
#include "test_dialogs.moc"
