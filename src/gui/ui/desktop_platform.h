// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/platform.h"

#include <QPointer>

namespace zafrano::gui {

// The real platform: Qt's message boxes, the system clock, the desktop's browser
// and file dialog.
class BoxMessages final : public Messages
{
public:
    void setParentWindow(QWidget *parent) { m_parent = parent; }
    void show(const ProgramMessage &message) override;
    bool ask(const ProgramMessage &question) override;

private:
    QPointer<QWidget> m_parent;
};

class SystemClock final : public Clock
{
public:
    QDate today() const override;
};

class SystemDesktop final : public Desktop
{
public:
    void setParentWindow(QWidget *parent) { m_parent = parent; }
    void openUrl(const QUrl &url) override;
    QString chooseFile(const QString &title, const QString &filter) override;
    QString chooseSaveFile(const QString &title, const QString &suggested,
                           const QString &filter) override;
    PrintOutcome printDocument(const PrintDocument &document, const QString &title) override;
    void previewDocument(const PrintDocument &document, const QString &title) override;
    void showReport(const ReportDocument &report) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace zafrano::gui
