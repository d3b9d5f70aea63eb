// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/desktop_platform.h"

#include "printing/print_document.h"
#include "reports/report_layout.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>

namespace zafrano::gui {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Critical:
        break;
    }
    return QMessageBox::Critical;
}

} // namespace

void BoxMessages::show(const ProgramMessage &message)
{
    QMessageBox box(boxIcon(message.icon), message.title, message.text, QMessageBox::Ok, m_parent);
    box.exec();
}

bool BoxMessages::ask(const ProgramMessage &question)
{
    QMessageBox box(boxIcon(question.icon), question.title, question.text,
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Sí"));
    box.button(QMessageBox::No)->setText(QStringLiteral("No"));
    return box.exec() == QMessageBox::Yes;
}

QDate SystemClock::today() const
{
    return QDate::currentDate();
}

void SystemDesktop::openUrl(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}

PrintOutcome Desktop::printDocument(const PrintDocument &, const QString &)
{
    return PrintOutcome::Failed;
}

void Desktop::previewDocument(const PrintDocument &, const QString &) {}

PrintOutcome SystemDesktop::printDocument(const PrintDocument &document, const QString &title)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialog(&printer, m_parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialog.exec() != QDialog::Accepted)
        return PrintOutcome::Cancelled;
    return renderPrintDocument(document, printer) ? PrintOutcome::Printed : PrintOutcome::Failed;
}

void SystemDesktop::previewDocument(const PrintDocument &document, const QString &title)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintPreviewDialog preview(&printer, m_parent);
    preview.setWindowTitle(title);
    preview.resize(900, 650);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&document](QPrinter *device) { renderPrintDocument(document, *device); });
    preview.exec();
}

void Desktop::showReport(const ReportDocument &) {}

void SystemDesktop::showReport(const ReportDocument &report)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(report.title);
    printer.setPageSize(QPageSize(QPageSize::A4));
    // The document keeps its own 2 cm margins on every page.
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    QPrintPreviewDialog preview(&printer, m_parent);
    preview.setWindowTitle(report.title);
    preview.resize(900, 700);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&report](QPrinter *device) { renderReport(report, *device); });
    preview.exec();
}

QString SystemDesktop::chooseFile(const QString &title, const QString &filter)
{
    return QFileDialog::getOpenFileName(m_parent, title, QDir::homePath(), filter);
}

QString SystemDesktop::chooseSaveFile(const QString &title, const QString &suggested,
                                      const QString &filter)
{
    return QFileDialog::getSaveFileName(m_parent, title, QDir::home().filePath(suggested), filter);
}

} // namespace zafrano::gui
