// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Record text fields are single-byte Windows-1252, left-aligned and padded with
// spaces. Qt 6 has no codec for it, so this small one does the job.
namespace zafrano::windows1252 {

QString decode(QByteArrayView bytes);

// Encodes text into exactly `width` bytes: cut when longer, space padded when
// shorter. Characters the code page lacks become '?'.
QByteArray encodeField(const QString &text, int width);

// The field's text without the padding (and without leading blanks, as the
// program always trims what it reads).
QString decodeField(QByteArrayView bytes);

} // namespace zafrano::windows1252
