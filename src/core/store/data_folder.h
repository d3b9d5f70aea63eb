// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "store/draws_file.h"
#include "store/settings.h"
#include "store/syndicates_file.h"

#include <QString>

namespace zafrano {

// The folder that holds the program's data files, with a trailing separator
// (a root such as "C:/" or "/" already has one).
QString basePathFor(const QString &programFolder);

// The program's data files: the records of truth in the data folder, and the
// read-only files the program ships (the reduction tables, the report
// layouts, the empty report database, the history), which the data folder may
// hold copies of its own.
class DataFolder
{
public:
    static constexpr auto TablesFileName = u"tablas.bin";
    static constexpr auto SavedPageName = u"bonowww.txt";
    static constexpr auto SavedDrawPageName = u"bonowww2.txt";

    // Without a share folder the shipped files are looked for in the data folder.
    explicit DataFolder(const QString &dataFolder, const QString &shareFolder = {});

    const QString &basePath() const { return m_basePath; }
    const QString &sharePath() const { return m_sharePath; }
    QString filePath(const QString &fileName) const { return m_basePath + fileName; }
    // A shipped file: the data folder's own copy when it has one, else the installed one.
    QString shippedFilePath(const QString &fileName) const;
    // tablas.bin, read whole by whoever needs the reduction tables.
    QString tablesPath() const { return shippedFilePath(QString::fromUtf16(TablesFileName)); }

    DrawsFile draws() const { return DrawsFile(m_basePath); }
    SyndicatesFile syndicates() const { return SyndicatesFile(m_basePath); }
    SettingsFile settings() const { return SettingsFile(m_basePath); }

private:
    QString m_basePath;
    QString m_sharePath;
};

} // namespace zafrano
