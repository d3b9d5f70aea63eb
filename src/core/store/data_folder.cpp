// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/data_folder.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zafrano {

QString basePathFor(const QString &programFolder)
{
    QString path = QDir::fromNativeSeparators(programFolder);
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}

DataFolder::DataFolder(const QString &dataFolder, const QString &shareFolder)
    : m_basePath(basePathFor(dataFolder)),
      m_sharePath(shareFolder.isEmpty() ? m_basePath : basePathFor(shareFolder))
{}

QString DataFolder::shippedFilePath(const QString &fileName) const
{
    const QString own = filePath(fileName);
    if (QFileInfo::exists(own))
        return own;
    return m_sharePath + fileName;
}

} // namespace zafrano
