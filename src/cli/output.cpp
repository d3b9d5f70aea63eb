// SPDX-License-Identifier: GPL-3.0-or-later
#include "output.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace zafrano::cli {

void printLine(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fputc('\n', stdout);
}

void printJson(const QJsonValue &document)
{
    const QByteArray bytes =
        document.isArray() ? QJsonDocument(document.toArray()).toJson(QJsonDocument::Compact)
                           : QJsonDocument(document.toObject()).toJson(QJsonDocument::Compact);
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fputc('\n', stdout);
}

void printError(const QString &text)
{
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fputc('\n', stderr);
}

int fail(const ProgramMessage &message)
{
    printError(message.text);
    return Failed;
}

} // namespace zafrano::cli
