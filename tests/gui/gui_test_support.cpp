// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui_test_support.h"

#include "calendar/draw_calendar.h"
#include "store/syndicates_file.h"
#include "tabs/ledger_panel.h"
#include "test_paths.h"

#include <QAbstractItemView>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QTabWidget>
#include <QtTest>
#include <algorithm>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace zafrano::test {

double serialOf(QDate date)
{
    return static_cast<double>(QDate(1899, 12, 30).daysTo(date));
}

DrawRecord makeDraw(QDate date, std::initializer_list<int> numbers, int complementario,
                    int reintegro)
{
    DrawRecord draw;
    int i = 0;
    for (int n : numbers)
        draw.numbers[i++] = static_cast<qint16>(n);
    draw.complementario = static_cast<qint16>(complementario);
    draw.reintegro = static_cast<qint16>(reintegro);
    draw.drawDate = serialOf(date);
    return draw;
}

QList<DrawRecord> drawsUntil(QDate newest, int count)
{
    QList<DrawRecord> draws;
    QDate day = newest;
    for (int k = 0; k < count; ++k) {
        // Six distinct numbers that change from draw to draw.
        const int base = (k * 7) % 40;
        draws.prepend(makeDraw(day, {base + 1, base + 3, base + 4, base + 6, base + 8, base + 9},
                               base + 2, k % 10));
        do
            day = day.addDays(-1);
        while (!isDrawDay(day));
    }
    return draws;
}

QByteArray drawBytes(const QList<DrawRecord> &draws)
{
    QByteArray bytes;
    for (const DrawRecord &draw : draws)
        bytes.append(draw.toBytes());
    return bytes;
}

SyndicateRecord makeSyndicate(const QString &name, const QString &days, QDate createdOn, int bets)
{
    SyndicateRecord syndicate;
    syndicate.setName(name);
    syndicate.setDays(days);
    syndicate.betCount = static_cast<qint16>(bets);
    for (int j = 0; j < bets; ++j) {
        for (int i = 0; i < 6; ++i)
            syndicate.bets[j][i] = static_cast<qint16>(1 + (j + i * 7) % 49);
    }
    syndicate.setHit(3, 4);
    syndicate.setHit(4, 1);
    syndicate.setHit(7, 1);
    syndicate.createdOn = serialOf(createdOn);
    syndicate.countedThrough = serialOf(createdOn.addDays(30));
    return syndicate;
}

SyndicateRecord makeReducedSyndicate(const QString &name, QDate createdOn)
{
    SyndicateRecord syndicate = makeSyndicate(name, u"Todos"_s, createdOn, 0);
    const std::array<qint16, 8> base{3, 9, 14, 22, 27, 31, 40, 45};
    syndicate.reducedFrom = 8;
    syndicate.reducedGuarantee = 4;
    std::copy(base.begin(), base.end(), syndicate.reducedNumbers.begin());
    // Three bets of six of the base numbers each.
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 6; ++i)
            syndicate.bets[j][i] = base[(i + j) % 8];
    }
    syndicate.betCount = 3;
    return syndicate;
}

QList<QByteArray> splitRecords(const QByteArray &bytes, int size)
{
    QList<QByteArray> records;
    for (qsizetype offset = 0; offset < bytes.size(); offset += size)
        records.append(bytes.mid(offset, size));
    return records;
}

ProgramFolder::ProgramFolder(bool withTables)
{
    m_valid = m_dir.isValid() && (!withTables || QFile::copy(QString::fromUtf8(TablesFile),
                                                             m_dir.filePath(u"tablas.bin"_s)));
    // The syndicate detail writes the report database from the first start.
    m_valid =
        m_valid &&
        QFile::copy(QString::fromUtf8(ReportDatabaseFile), m_dir.filePath(u"Zafrano.mdb"_s)) &&
        QFile::setPermissions(m_dir.filePath(u"Zafrano.mdb"_s),
                              QFile::ReadOwner | QFile::WriteOwner);
    for (const QString &layout :
         {u"Zafrano.net"_s, u"Zafrano1.net"_s, u"Cuentas.net"_s, u"CuentasMiembro.net"_s})
        m_valid = m_valid && QFile::copy(QDir(QString::fromUtf8(DataDir)).filePath(layout),
                                         m_dir.filePath(layout));
}

bool ProgramFolder::exists(const QString &name) const
{
    return QFileInfo::exists(filePath(name));
}

QByteArray ProgramFolder::bytes(const QString &name) const
{
    QFile file(filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray ProgramFolder::drawsBytes() const
{
    return bytes(u"bononume.dat"_s);
}

QByteArray ProgramFolder::syndicatesBytes() const
{
    return bytes(u"bonoapu.dat"_s);
}

bool ProgramFolder::writeBytes(const QString &name, const QByteArray &bytes) const
{
    QFile file(filePath(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

bool ProgramFolder::writeDraws(const QList<DrawRecord> &draws) const
{
    return writeBytes(u"bononume.dat"_s, drawBytes(draws));
}

bool ProgramFolder::writeSyndicates(const QList<SyndicateRecord> &syndicates) const
{
    return SyndicatesFile(path()).writeAll(syndicates).ok();
}

bool ProgramFolder::writeSettings(const Settings &settings) const
{
    return SettingsFile(path()).write(settings).ok();
}

// The window's tests reach no server but the ones they start on 127.0.0.1:
// the maker's news is off unless a test names its own.
static QDate quietNews(QDate today)
{
    if (!qEnvironmentVariableIsSet("ZAFRANO_NEWS_URL"))
        qputenv("ZAFRANO_NEWS_URL", "off");
    return today;
}

ProgramRun::ProgramRun(const ProgramFolder &folder, QDate today)
    : fake(quietNews(today)), window(DataFolder(folder.path()), fake.platform)
{}

ProgramRun::~ProgramRun()
{
    const ScriptedMessages &messages = fake.messages;
    QStringList faults;
    for (const QString &question : messages.unexpected)
        faults.append(u"a question nobody scripted an answer for: "_s + question);
    if (!messages.answers.isEmpty())
        faults.append(u"%1 scripted answer(s) never asked for"_s.arg(messages.answers.size()));
    if (faults.isEmpty() || QTest::currentTestFailed())
        return;
    const QByteArray text = faults.join(u" | "_s).toUtf8();
    // Outside any test function nothing else could report it.
    if (!QTest::currentTestFunction())
        qFatal("%s", text.constData());
    QTest::qFail(text.constData(), __FILE__, __LINE__);
}

bool ProgramRun::showTab(int index)
{
    auto *tabs = window.findChild<QTabWidget *>(u"SSTab1"_s);
    if (!tabs)
        return false;
    tabs->setCurrentIndex(index);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    QCoreApplication::processEvents();
    fake.messages.shown.clear();
    return true;
}

gui::LedgerPanel *showLedgerPage(ProgramRun &run)
{
    constexpr int SyndicatesTab = 2;
    if (!run.showTab(SyndicatesTab))
        return nullptr;
    auto *panel = run.window.findChild<gui::LedgerPanel *>(u"Cuentas"_s);
    auto *pages = run.window.findChild<QTabWidget *>(u"SyndicatePages"_s);
    if (!panel || !pages)
        return nullptr;
    pages->setCurrentWidget(panel);
    if (!QTest::qWaitFor([panel] { return panel->isVisible(); }))
        return nullptr;
    panel->showSyndicate(1);
    return panel;
}

bool closedBy(QDialog *form, const QString &button)
{
    QPointer<QDialog> open = form;
    auto *press = form->findChild<QPushButton *>(button);
    if (!press)
        return false;
    press->click();
    return QTest::qWaitFor([&] { return !open; });
}

void clickCell(QAbstractItemView *view, int row, int column)
{
    const QModelIndex index = view->model()->index(row, column);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

QAction *menuEntry(const QMainWindow &window, const QStringList &captions)
{
    QList<QAction *> entries = window.menuBar()->actions();
    QAction *found = nullptr;
    for (const QString &caption : captions) {
        const auto match = std::find_if(entries.begin(), entries.end(),
                                        [&](QAction *entry) { return entry->text() == caption; });
        if (match == entries.end())
            return nullptr;
        found = *match;
        entries = found->menu() ? found->menu()->actions() : QList<QAction *>{};
    }
    return found;
}

ReadOnlyFolder::ReadOnlyFolder(const QString &path) : m_path(path)
{
    if (::geteuid() == 0)
        m_immutable = QProcess::execute(u"chattr"_s, {u"+i"_s, path}) == 0;
    if (!m_immutable) {
        m_chmodded = QFile::setPermissions(
            path, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                      QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther);
    }
    QFile probe(path + u"/probe.tmp"_s);
    if (probe.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        probe.close();
        probe.remove();
    } else {
        m_blocks = true;
    }
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (m_immutable)
        QProcess::execute(u"chattr"_s, {u"-i"_s, m_path});
    if (m_chmodded)
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
}

} // namespace zafrano::test
