// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <array>

namespace zafrano {

// One stored draw: 24 bytes, little-endian, no padding. The six numbers keep
// the order in which they were obtained.
struct DrawRecord
{
    static constexpr int Size = 24;

    std::array<qint16, 6> numbers{};
    qint16 complementario = 0;
    qint16 reintegro = 0;
    double drawDate = 0; // day serial

    QDate date() const;

    QByteArray toBytes() const;
    // Decodes the first Size bytes; the caller guarantees there are that many.
    static DrawRecord fromBytes(QByteArrayView bytes);

    friend bool operator==(const DrawRecord &, const DrawRecord &) = default;
};

// The text of a draw in the draws list, aligned with spaces for a monospaced
// font: " 3- 7-12-25-33-41  C: 5  R: 3".
QString drawEntryText(const DrawRecord &draw);

// The "Fecha" column of the draws list: "15/10/2018  Lunes".
QString drawDateText(const DrawRecord &draw);

} // namespace zafrano
