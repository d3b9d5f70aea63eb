// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/os_version.h"

#include <QHash>
#include <QOperatingSystemVersion>
#include <QSysInfo>

using namespace Qt::StringLiterals;

namespace zafrano {

QString nativeGetVersion()
{
#ifdef Q_OS_WIN
    const QOperatingSystemVersion version = QOperatingSystemVersion::current();
    return u"2.%1.%2"_s.arg(version.majorVersion()).arg(version.minorVersion());
#else
    const QStringList parts = QSysInfo::kernelVersion().split(u'.');
    return u"%1.%2.%3"_s.arg(QSysInfo::kernelType(), parts.value(0, u"0"_s),
                             parts.value(1, u"0"_s));
#endif
}

QString versionToName(const QString &key)
{
    static const QHash<QString, QString> names = {
        {u"1.0.0"_s, u"Windows 95"_s},        {u"1.1.0"_s, u"Windows 98"_s},
        {u"1.9.0"_s, u"Windows Millenium"_s}, {u"2.3.0"_s, u"Windows NT 3.51"_s},
        {u"2.4.0"_s, u"Windows NT 4.0"_s},    {u"2.5.0"_s, u"Windows 2000"_s},
        {u"2.5.1"_s, u"Windows XP"_s},        {u"2.5.3"_s, u"Windows 2003"_s},
        {u"2.6.0"_s, u"Windows Vista"_s},     {u"2.6.1"_s, u"Windows 7"_s},
        {u"2.6.2"_s, u"Windows 8"_s},         {u"2.10.0"_s, u"Windows 10"_s}};
    return names.value(key, key);
}

} // namespace zafrano
