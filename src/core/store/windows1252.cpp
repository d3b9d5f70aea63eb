// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/windows1252.h"

#include <array>

namespace zafrano::windows1252 {

namespace {

// 0x80..0x9F differ from Latin-1; 0 marks the five bytes the code page leaves undefined,
// which decode to the C1 control of the same value (as Windows itself does).
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t toUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F && HighControls[byte - 0x80] != 0)
        return HighControls[byte - 0x80];
    return byte;
}

char fromUnicode(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return static_cast<char>(ch);
    for (unsigned i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] == ch || (HighControls[i] == 0 && ch == 0x80 + i))
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        text[i] = QChar(toUnicode(static_cast<unsigned char>(bytes[i])));
    return text;
}

QByteArray encodeField(const QString &text, int width)
{
    QByteArray field(width, ' ');
    const qsizetype n = std::min<qsizetype>(text.size(), width);
    for (qsizetype i = 0; i < n; ++i)
        field[i] = fromUnicode(text[i].unicode());
    return field;
}

QString decodeField(QByteArrayView bytes)
{
    // The program trims blanks on both sides; NULs in a damaged field are not text either.
    QString text = decode(bytes);
    text.replace(QChar(u'\0'), QChar(u' '));
    return text.trimmed();
}

} // namespace zafrano::windows1252
