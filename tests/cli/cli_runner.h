// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built zafrano-cli, and poppler's pdftotext on what it prints.
#pragma once

#include <QJsonDocument>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

namespace zafrano::test {

struct CliRun
{
    int exitCode = -1; // -1 when the program crashed or did not start
    QString out;
    QString err;

    QJsonDocument json() const { return QJsonDocument::fromJson(out.toUtf8()); }
};

// zafrano-cli --dir FOLDER --today TODAY ARGUMENTS…; `program` is the built one
// unless an installed copy is named.
CliRun runCli(const QString &folder, const QString &today, const QStringList &arguments,
              const QString &program = {});

// Lays out an installed program under ROOT: ROOT/bin/zafrano-cli (a link to the
// built one) and an empty ROOT/share/zafrano for the shipped files a test puts
// there. Returns the program's path; empty, the failure reported, when it
// cannot be made.
QString installedCli(const QString &root);

// The text of a PDF file as `pdftotext -layout` gives it.
QString pdfText(const QString &pdf);

// The text of each page of a PDF file.
QStringList pdfPages(const QString &pdf);

// One word of a PDF page with its box in millimetres from the page's corner.
struct PdfWord
{
    int page = 0;
    QString text;
    QPointF topLeftMm;
    double heightMm = 0; // the line height of its font: tells an 11.5-point mark from small print
};

// Every word of a PDF with its place (`pdftotext -raw -bbox`: marks close
// together stay separate words; the order is not the printing order).
QList<PdfWord> pdfWords(const QString &pdf);

} // namespace zafrano::test
