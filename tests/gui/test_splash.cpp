// SPDX-License-Identifier: GPL-3.0-or-later
// The splash window: eight pictures, then "Entrar"; without a click the
// program enters by itself after 58 ticks.
#include "main/splash_window.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;
using zafrano::gui::SplashWindow;

class SplashTest : public QObject
{
    Q_OBJECT

private slots:
    void entersOnItsOwnAfterFiftyEightTicks();
    void entrarAppearsWithTheEighthPictureAndEntersOnce();
};

void SplashTest::entersOnItsOwnAfterFiftyEightTicks()
{
    SplashWindow splash(nullptr, 1);
    auto *timer = splash.findChild<QTimer *>(u"Timer1"_s);
    auto *enter = splash.findChild<QPushButton *>(u"Command1"_s);
    QVERIFY(timer && enter);
    int ticks = 0;
    bool visibleBeforeEighth = false;
    connect(timer, &QTimer::timeout, &splash, [&] {
        ++ticks;
        if (ticks < 8 && enter->isVisibleTo(&splash))
            visibleBeforeEighth = true;
    });
    QSignalSpy entered(&splash, &SplashWindow::entered);
    QVERIFY(entered.wait(5000));
    QCOMPARE(entered.count(), 1);
    QCOMPARE(ticks, 58);
    QVERIFY(!visibleBeforeEighth);
    QVERIFY(enter->isVisibleTo(&splash));
    QVERIFY(!timer->isActive());
}

void SplashTest::entrarAppearsWithTheEighthPictureAndEntersOnce()
{
    SplashWindow splash(nullptr, 5);
    splash.show();
    auto *enter = splash.findChild<QPushButton *>(u"Command1"_s);
    QVERIFY(!enter->isVisible());
    QTRY_VERIFY(enter->isVisible());
    QSignalSpy entered(&splash, &SplashWindow::entered);
    QTest::mouseClick(enter, Qt::LeftButton);
    QCOMPARE(entered.count(), 1);
    // The timer is stopped: the automatic entry never comes as well.
    QTest::qWait(400);
    QCOMPARE(entered.count(), 1);
}

QTEST_MAIN(SplashTest)
#include "test_splash.moc"
