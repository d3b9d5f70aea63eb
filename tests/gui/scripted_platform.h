// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/print_document.h"
#include "reports/report_layout.h"
#include "ui/platform.h"
#include "ui/systemctl.h"

#include <QList>
#include <QSet>
#include <QStringList>
#include <QUrl>

namespace zafrano::test {

// Answers the program's questions from a script and records every message and
// question shown, in order. A question nobody scripted an answer for is
// answered No and recorded in `unexpected`; that, or an answer left in
// `answers`, fails the test when its ProgramRun ends.
class ScriptedMessages final : public gui::Messages
{
public:
    struct Shown
    {
        ProgramMessage message;
        bool question = false;
    };

    void show(const ProgramMessage &message) override { shown.append({message, false}); }
    bool ask(const ProgramMessage &question) override
    {
        shown.append({question, true});
        if (answers.isEmpty()) {
            unexpected.append(question.text);
            return false;
        }
        return answers.takeFirst();
    }

    QStringList texts() const
    {
        QStringList list;
        for (const Shown &s : shown)
            list.append(s.message.text);
        return list;
    }

    QList<bool> answers;
    QList<Shown> shown;
    QStringList unexpected;
};

class FixedClock final : public gui::Clock
{
public:
    explicit FixedClock(QDate date) : day(date) {}
    QDate today() const override { return day; }
    QDate day;
};

class FakeDesktop final : public gui::Desktop
{
public:
    void openUrl(const QUrl &url) override { opened.append(url); }
    QString chooseFile(const QString &, const QString &) override { return chosenFile; }
    QString chooseSaveFile(const QString &, const QString &, const QString &) override
    {
        return savedFile;
    }
    // Keeps what was sent to the printer; `printerChosen` false is a cancelled
    // dialog, `printerWorks` false a printer that prints nothing.
    gui::PrintOutcome printDocument(const PrintDocument &document, const QString &title) override
    {
        if (!printerChosen)
            return gui::PrintOutcome::Cancelled;
        if (!printerWorks)
            return gui::PrintOutcome::Failed;
        printed.append(document);
        printedTitles.append(title);
        return gui::PrintOutcome::Printed;
    }
    // Keeps the documents that would have been shown in the preview window.
    void previewDocument(const PrintDocument &document, const QString &title) override
    {
        previewed.append(document);
        previewedTitles.append(title);
    }

    // Keeps the reports that would have been shown in the preview window.
    void showReport(const ReportDocument &report) override { reports.append(report); }

    QList<QUrl> opened;
    QString chosenFile;
    QString savedFile;
    QList<ReportDocument> reports;
    bool printerChosen = true;
    bool printerWorks = true;
    QList<PrintDocument> printed;
    QStringList printedTitles;
    QList<PrintDocument> previewed;
    QStringList previewedTitles;
};

// A user service manager that keeps the units' state in memory and every
// command it was given.
class FakeSystemctl : public gui::Systemctl
{
public:
    bool available() const override { return systemd; }
    int run(const QStringList &arguments) override
    {
        commands.append(arguments);
        const QString &verb = arguments.value(0);
        if (verb == u"is-enabled")
            return enabled.contains(arguments.value(1)) ? 0 : 1;
        if (refuses)
            return 1;
        if (verb == u"enable")
            enabled.insert(arguments.last());
        else if (verb == u"disable")
            enabled.remove(arguments.last());
        return 0;
    }

    bool systemd = true;
    bool refuses = false;
    QSet<QString> enabled;
    QList<QStringList> commands;
};

// The fakes as the platform the windows receive.
struct ScriptedPlatform
{
    explicit ScriptedPlatform(QDate today) : clock(today) {}

    ScriptedMessages messages;
    FixedClock clock;
    FakeDesktop desktop;
    FakeSystemctl systemctl;
    gui::Platform platform{messages, clock, desktop, &systemctl};
};

} // namespace zafrano::test
