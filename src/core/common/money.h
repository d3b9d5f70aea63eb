// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace zafrano {

// An amount of euros as whole cents, read from the text a results source
// gives: "34884.59", "34.884,59", "34,884.59", "612.345,67 €", "4". A lone
// separator followed by three digits groups thousands; otherwise the last
// separator is the decimal one. Nothing when the text holds no amount.
std::optional<qint64> centsFromText(QStringView text);

// Cents as the program shows them: "34.884,59".
QString centsText(qint64 cents);

} // namespace zafrano
