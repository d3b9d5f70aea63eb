// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/program_message.h"

#include <QJsonValue>
#include <QString>

namespace zafrano::cli {

// Exit statuses of zafrano-cli.
enum ExitCode
{
    Success = 0,
    Failed = 1,
    UsageError = 2
};

void printLine(const QString &text);
void printJson(const QJsonValue &document);
void printError(const QString &text);
// The program's message on standard error; returns Failed.
int fail(const ProgramMessage &message);

} // namespace zafrano::cli
