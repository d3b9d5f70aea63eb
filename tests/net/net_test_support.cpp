// SPDX-License-Identifier: GPL-3.0-or-later
#include "net_test_support.h"

#include "test_paths.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace zafrano::test {

QString operatorPagesDir()
{
    return QDir(QString::fromUtf8(FixturesDir)).filePath(u"operator"_s);
}

QByteArray operatorPage(const QString &name)
{
    QFile file(QDir(operatorPagesDir()).filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QList<QDate> listedDrawDates()
{
    QList<QDate> dates;
    const QDate newest(2026, 12, 7);
    for (QDate day = newest; day > newest.addDays(-50); day = day.addDays(-1))
        dates.append(day);
    return dates;
}

QByteArray drawsFileBefore(int newDraws)
{
    const QDate newestStored = listedDrawDates().at(newDraws);
    return drawBytes({1, 2, 3, 4, 5, 6}, 7, 8, serialOf(newestStored.addDays(-2))) +
           drawBytes({11, 12, 13, 14, 15, 16}, 17, 9, serialOf(newestStored));
}

bool spinUntil(const std::function<bool()> &done)
{
    QDeadlineTimer deadline(30'000);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

} // namespace zafrano::test
