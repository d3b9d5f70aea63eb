// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/program_message.h"

#include <QDate>
#include <QString>
#include <QUrl>

class QWidget;

namespace zafrano {
class PrintDocument;
struct ReportDocument;
class Systemctl;
} // namespace zafrano

namespace zafrano::gui {

using zafrano::Systemctl;

// Every modal message and Yes/No question of the program goes through here,
// so tests can answer the questions and read back what was shown.
class Messages
{
public:
    virtual ~Messages() = default;
    // Shows the message with its title and icon, and waits for OK.
    virtual void show(const ProgramMessage &message) = 0;
    // Asks a Yes/No question; true for Yes.
    virtual bool ask(const ProgramMessage &question) = 0;
};

// "Today" for the calendar and the resets; fixed in tests.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
};

// What became of a document sent to the printer.
enum class PrintOutcome
{
    Printed,
    Cancelled, // the player closed the printer dialog
    Failed,    // no usable printer: nothing came out
};

// The desktop around the program: web links, the file chooser.
class Desktop
{
public:
    virtual ~Desktop() = default;
    // Opens an address in the default browser.
    virtual void openUrl(const QUrl &url) = 0;
    // Lets the player pick a file; an empty text when nothing was chosen.
    virtual QString chooseFile(const QString &title, const QString &filter) = 0;
    // Lets the player name a file to write, `suggested` offered; empty when
    // cancelled. A desktop without dialogs names none.
    virtual QString chooseSaveFile(const QString &title, const QString &suggested,
                                   const QString &filter)
    {
        (void)title, (void)suggested, (void)filter;
        return {};
    }
    // Lets the player choose a printer and prints the document on it. A
    // desktop without a printer fails.
    virtual PrintOutcome printDocument(const PrintDocument &document, const QString &title);
    // Shows the document as it would print, in a preview window from which the
    // player prints it or saves it as PDF. A desktop without windows shows nothing.
    virtual void previewDocument(const PrintDocument &document, const QString &title);
    // Shows a report in a preview window, from which the player prints it or
    // saves it as PDF. A desktop without windows shows nothing.
    virtual void showReport(const ReportDocument &report);
};

// The platform layer handed to the windows.
struct Platform
{
    Messages &messages;
    Clock &clock;
    Desktop &desktop;
    // Nothing where there is no systemd to ask.
    Systemctl *systemctl = nullptr;
};

} // namespace zafrano::gui
