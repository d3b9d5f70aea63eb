// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "store/record_file.h"

#include <QString>
#include <array>
#include <optional>

namespace zafrano {

// The settings record: record 1 of bnums.ini, 80 bytes. The reserved words are
// kept as read so a rewrite preserves them.
struct Settings
{
    static constexpr int Size = 80;
    static constexpr int WebAddressWidth = 60;

    qint16 reserved0 = 0;
    float printOffsetX = 0;
    float printOffsetY = 0;
    qint16 reserved10 = 0;
    float pricePerBet = 0;
    qint16 maxMonths = 0;
    std::array<char, WebAddressWidth> webAddress{};
    qint16 reserved78 = 0;

    Settings();

    QString webAddressText() const;
    void setWebAddress(const QString &text);

    QByteArray toBytes() const;
    static Settings fromBytes(QByteArrayView bytes);

    friend bool operator==(const Settings &, const Settings &) = default;
};

// The product's web site, host and optional path without a scheme.
QString defaultWebAddress();
// The address of the product's former site, replaced by the default when read.
QString formerWebAddress();

// bnums.ini beside the program.
class SettingsFile
{
public:
    static constexpr auto FileName = u"bnums.ini";

    explicit SettingsFile(const QString &folder);
    QString path() const { return m_file.path(); }

    // A bet has cost 0,50 euros since 2003; a new file starts from that price.
    static constexpr float NewFilePricePerBet = 0.5F;

    // Start-up reading: creates the file with the default address and the
    // price of a bet when absent,
    // and replaces a full-width or former address by the default. A file that
    // cannot be read gives all-zero fields, as the program always did.
    Settings readAtStartup() const;

    Status write(const Settings &settings) const;

private:
    RecordFile m_file;
};

// What a change of the settings window's price box leads to.
struct PriceEdit
{
    float stored;                     // the price to keep in the record
    std::optional<QString> resetText; // the box goes back to this text
};

// What a change of the months box leads to: the box text is left as typed
// unless resetText says otherwise.
struct MonthsEdit
{
    qint16 stored;
    std::optional<QString> resetText;
};

// A box holding a decimal number (the price, the printer corrections): a text
// that is not a number puts the last valid value back; an empty box, or a lone
// "-" starting a negative number, keeps it.
PriceEdit editDecimal(const QString &text, float lastValid);
// The price box of the settings window.
inline PriceEdit editPrice(const QString &text, float lastValid)
{
    return editDecimal(text, lastValid);
}
// The months box: a number (or an empty box) below 2 is stored as 2; a text
// that is not a 16-bit number puts the last valid value back.
MonthsEdit editMonths(const QString &text, qint16 lastValid);

// How the settings window shows a price: "0,5".
QString priceText(float price);

} // namespace zafrano
