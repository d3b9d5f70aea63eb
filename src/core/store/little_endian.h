// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtEndian>
#include <bit>
#include <cstdint>
#include <cstring>

// Field access inside fixed-size little-endian records. Offsets are the
// record layouts' own byte offsets; callers keep them within the record.
namespace zafrano::le {

inline qint16 readInt16(const char *record, int offset)
{
    return qFromLittleEndian<qint16>(record + offset);
}

inline float readFloat(const char *record, int offset)
{
    return std::bit_cast<float>(qFromLittleEndian<quint32>(record + offset));
}

inline double readDouble(const char *record, int offset)
{
    return std::bit_cast<double>(qFromLittleEndian<quint64>(record + offset));
}

inline void writeInt16(char *record, int offset, qint16 value)
{
    qToLittleEndian<qint16>(value, record + offset);
}

inline void writeFloat(char *record, int offset, float value)
{
    qToLittleEndian<quint32>(std::bit_cast<quint32>(value), record + offset);
}

inline void writeDouble(char *record, int offset, double value)
{
    qToLittleEndian<quint64>(std::bit_cast<quint64>(value), record + offset);
}

} // namespace zafrano::le
