// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/program_message.h"
#include "net/json_results.h"

#include <QDate>
#include <QList>
#include <QObject>

namespace zafrano {

// What a results source brought: the draws newer than the newest stored one,
// oldest first, with their prizes; or its own message saying why not.
struct SourceResult
{
    bool ok = false;
    QList<FetchedDraw> draws;
    ProgramMessage refusal;
};

// A way of getting the new draws. The download tries its sources in order
// and keeps the first that answers.
class ResultsSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Asks for the draws after `newestStored` (invalid: none stored) up to `today`.
    virtual void start(QDate newestStored, QDate today) = 0;
    virtual void cancel() = 0;
    virtual bool busy() const = 0;
    const SourceResult &result() const { return m_result; }

signals:
    void finished();

protected:
    SourceResult m_result;
};

// Orders the draws of several answers oldest first and keeps those after
// `newestStored` and up to `today`. A refusal when two differ on one date.
// Each draw was checked by the rule when its answer was read; the intake
// checks them again as a sequence before any is stored.
SourceResult newDrawsOf(QList<FetchedDraw> draws, QDate newestStored, QDate today);

} // namespace zafrano
