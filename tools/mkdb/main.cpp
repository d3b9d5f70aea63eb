// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-mkdb FILE: makes the empty report database the program ships
// (Zafrano.mdb), with every table and the single rows the program updates.
// An existing file is replaced.
#include "reports/report_database.h"

#include <QFile>
#include <QString>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: zafrano-mkdb FILE\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    // A half-made file from an interrupted run must not survive.
    const QString work = path + QStringLiteral(".new");
    QFile::remove(work);
    const zafrano::Status made = zafrano::ReportDatabase(work).create();
    if (!made) {
        std::fprintf(stderr, "zafrano-mkdb: %s\n", qPrintable(made.error().message.text));
        QFile::remove(work);
        return 1;
    }
    QFile::remove(path);
    if (!QFile::rename(work, path)) {
        std::fprintf(stderr, "zafrano-mkdb: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
