// SPDX-License-Identifier: GPL-3.0-or-later
// The fixture operator pages, the dates they list, and draws files to take
// them in against.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <functional>

namespace zafrano::test {

// A page of tests/fixtures/operator.
QByteArray operatorPage(const QString &name);
QString operatorPagesDir();

// The draw dates the search pages list, newest first (every day of the 50 up
// to Monday 7 December 2026, Sundays included).
QList<QDate> listedDrawDates();
// The day the downloads run.
inline QDate downloadDay()
{
    return QDate(2026, 12, 8);
}

// A draws file whose newest draw leaves `newDraws` of the listed draws new.
QByteArray drawsFileBefore(int newDraws);

// Runs the event loop until `done` holds; false when it still does not after
// a generous while (a hang, not a measure of speed).
bool spinUntil(const std::function<bool()> &done);

} // namespace zafrano::test
