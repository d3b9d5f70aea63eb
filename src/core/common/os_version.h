// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zafrano {

// The operating system's version as "platform.major.minor". Windows gives its
// platform identifier ("2.10.0" for Windows 10); elsewhere the kernel's name
// stands for the platform ("linux.6.1"), a key no name is known for.
QString nativeGetVersion();

// The name of a version key ("2.6.1" → "Windows 7"), or the key itself.
QString versionToName(const QString &key);

} // namespace zafrano
