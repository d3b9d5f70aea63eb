// SPDX-License-Identifier: GPL-3.0-or-later
// What the window tests share: a program folder in a temporary directory,
// records to fill it with, the started main window with scripted answers, and
// a folder in which nothing can be created.
#pragma once

#include "main/main_window.h"
#include "scripted_platform.h"
#include "store/draw_record.h"
#include "store/settings.h"
#include "store/syndicate_record.h"

#include <QByteArray>
#include <QDate>
#include <QDialog>
#include <QList>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <initializer_list>

namespace zafrano::gui {
class LedgerPanel;
}

class QAbstractItemView;
class QAction;
class QMainWindow;

// Declares `var` as the child of `root` called `name`, failing the test when
// there is none.
#define FIND_CHILD(Type, var, root, name)                                                          \
    auto *var = (root).findChild<Type *>(name);                                                    \
    QVERIFY2(var, qPrintable(QStringLiteral("no child called ") + (name)))

namespace zafrano::test {

// The day serial of a date, counted here from 30 December 1899.
double serialOf(QDate date);

DrawRecord makeDraw(QDate date, std::initializer_list<int> numbers, int complementario,
                    int reintegro);
// `count` draws on consecutive draw days (Monday to Saturday), oldest first,
// the newest dated `newest`. Each has its own numbers.
QList<DrawRecord> drawsUntil(QDate newest, int count);
QByteArray drawBytes(const QList<DrawRecord> &draws);

// A simple syndicate of `bets` six-number bets with some results counted.
SyndicateRecord makeSyndicate(const QString &name, const QString &days, QDate createdOn, int bets);
// A reduced syndicate: 8 base numbers, its bets taken from them.
SyndicateRecord makeReducedSyndicate(const QString &name, QDate createdOn);

// The bytes of a file cut into records of `size` bytes.
QList<QByteArray> splitRecords(const QByteArray &bytes, int size);

// A program folder: a temporary directory holding tablas.bin unless told not to.
class ProgramFolder
{
public:
    explicit ProgramFolder(bool withTables = true);

    bool isValid() const { return m_valid; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    bool exists(const QString &name) const;
    // The whole file; empty when it cannot be read.
    QByteArray bytes(const QString &name) const;

    bool writeBytes(const QString &name, const QByteArray &bytes) const;
    bool writeDraws(const QList<DrawRecord> &draws) const;
    bool writeSyndicates(const QList<SyndicateRecord> &syndicates) const;
    bool writeSettings(const Settings &settings) const;

    QByteArray drawsBytes() const;
    QByteArray syndicatesBytes() const;

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
};

// The main window on a program folder, with a fixed today and scripted answers.
// Its end fails the test that started it when a question had no scripted
// answer or a scripted answer was never asked for: every window test checks
// its message boxes here, so a fixture that keeps one resets it in cleanup().
struct ProgramRun
{
    ProgramRun(const ProgramFolder &folder, QDate today);
    ~ProgramRun();
    ProgramRun(const ProgramRun &) = delete;
    ProgramRun &operator=(const ProgramRun &) = delete;

    // Shows the window on a tab and waits until it is on screen; the messages
    // of that first activation are forgotten.
    bool showTab(int index);

    ScriptedPlatform fake;
    gui::MainWindow window;
};

// The entry reached through the menu bar by these captions, as the player
// finds it ({"General", "Múltiples", "Todos los resultados"}); nullptr when
// there is none.
QAction *menuEntry(const QMainWindow &window, const QStringList &captions);

// Shows "Gestor de peñas" on its "Cuentas" page, on screen, with the account
// of syndicate record 1; nullptr when the page is not there.
gui::LedgerPanel *showLedgerPage(ProgramRun &run);

// Presses the button called `button` of `root`; the form of type Form it
// opened, or nullptr when the button is missing or disabled or no form shows.
template <typename Form> Form *formOpenedBy(QWidget &root, const QString &button)
{
    auto *press = root.findChild<QPushButton *>(button);
    if (!press || !press->isEnabled())
        return nullptr;
    press->click();
    auto *form = root.findChild<Form *>();
    return form && form->isVisible() ? form : nullptr;
}

// Presses the form's button called `button`; true when the form closed (and went).
bool closedBy(QDialog *form, const QString &button);

// Clicks the middle of a view's cell, as the player does.
void clickCell(QAbstractItemView *view, int row, int column = 0);

// While it lives, no file can be created in the folder: the immutable flag
// when running as root (which ignores permissions), read-only permissions
// otherwise. blocksChanges() tells whether that worked.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &path);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    bool blocksChanges() const { return m_blocks; }

private:
    QString m_path;
    bool m_immutable = false;
    bool m_chmodded = false;
    bool m_blocks = false;
};

} // namespace zafrano::test
