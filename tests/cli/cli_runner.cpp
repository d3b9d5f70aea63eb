// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_runner.h"

#include "test_paths.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace zafrano::test {

namespace {

QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString()
                      << " failed: " << process.errorString().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

CliRun runCli(const QString &folder, const QString &today, const QStringList &arguments,
              const QString &program)
{
    QProcess process;
    process.start(program.isEmpty() ? QString::fromUtf8(CliProgram) : program,
                  QStringList{u"--dir"_s, folder, u"--today"_s, today} + arguments);
    CliRun result;
    if (!process.waitForFinished(-1)) {
        ADD_FAILURE() << "zafrano-cli did not run: " << process.errorString().toStdString();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QString installedCli(const QString &root)
{
    const QDir dir(root);
    const QString program = dir.filePath(u"bin/zafrano-cli"_s);
    // A hard link where the file system allows it: the program is large.
    if (!dir.mkpath(u"bin"_s) || !dir.mkpath(u"share/zafrano"_s) ||
        (::link(CliProgram, program.toLocal8Bit().constData()) != 0 &&
         !QFile::copy(QString::fromUtf8(CliProgram), program))) {
        ADD_FAILURE() << "cannot lay out an installed zafrano-cli in " << root.toStdString();
        return {};
    }
    return program;
}

QString pdfText(const QString &pdf)
{
    return runTool(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
}

QStringList pdfPages(const QString &pdf)
{
    return runTool(u"pdftotext"_s, {pdf, u"-"_s}).split(u'\f');
}

QList<PdfWord> pdfWords(const QString &pdf)
{
    static const QRegularExpression word(
        uR"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>)re"_s);
    constexpr double MmPerPoint = 25.4 / 72;
    QList<PdfWord> words;
    int page = 0;
    const QStringList lines =
        runTool(u"pdftotext"_s, {u"-raw"_s, u"-bbox"_s, pdf, u"-"_s}).split(u'\n');
    for (const QString &line : lines) {
        if (line.contains(u"<page "_s))
            ++page;
        const QRegularExpressionMatch match = word.match(line);
        if (match.hasMatch())
            words.append(
                {page, match.captured(4),
                 QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()) * MmPerPoint,
                 (match.captured(3).toDouble() - match.captured(2).toDouble()) * MmPerPoint});
    }
    return words;
}

} // namespace zafrano::test
