// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/money.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace zafrano {

Cents centsFromEuros(double euros)
{
    return std::llround(euros * 100.0);
}

double eurosFromCents(Cents cents)
{
    return static_cast<double>(cents) / 100.0;
}

QString moneyText(Cents cents)
{
    QString euros = QString::number(std::llabs(cents) / 100);
    for (qsizetype at = euros.size() - 3; at > 0; at -= 3)
        euros.insert(at, u'.');
    return (cents < 0 ? u"-"_s : QString()) + euros + u',' +
           QString::number(std::llabs(cents) % 100).rightJustified(2, u'0');
}

std::optional<Cents> centsFromText(QStringView text)
{
    QString kept;
    for (QChar c : text) {
        if (c.isDigit() || c == u'.' || c == u',')
            kept += c;
        else if (c == u'-')
            return std::nullopt; // no prize is negative
    }
    const qsizetype last = std::max(kept.lastIndexOf(u'.'), kept.lastIndexOf(u','));
    qsizetype decimalAt = -1;
    if (last >= 0) {
        const QChar separator = kept[last];
        const bool both = kept.contains(u'.') && kept.contains(u',');
        const bool lone = kept.count(separator) == 1;
        const qsizetype after = kept.size() - last - 1;
        if (both || (lone && after != 3))
            decimalAt = last;
    }
    QString whole = decimalAt < 0 ? kept : kept.left(decimalAt);
    const QString fraction = decimalAt < 0 ? QString() : kept.mid(decimalAt + 1);
    // Thousands come in groups of three behind one kind of separator.
    const QStringList groups = whole.split(QRegularExpression(u"[.,]"_s));
    if (groups.size() > 1) {
        if ((whole.contains(u'.') && whole.contains(u',')) || groups[0].isEmpty() ||
            groups[0].size() > 3 ||
            std::any_of(groups.begin() + 1, groups.end(),
                        [](const QString &group) { return group.size() != 3; }))
            return std::nullopt;
    }
    whole.remove(u'.');
    whole.remove(u',');
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    // Far beyond any prize: not an amount.
    if (whole.size() > 13)
        return std::nullopt;
    Cents cents = whole.isEmpty() ? 0 : whole.toLongLong() * 100;
    const QString padded = (fraction + u"000"_s).left(3);
    cents += padded.left(2).toLongLong();
    if (padded[2] >= u'5')
        cents += 1; // a third decimal rounds half up
    return cents;
}

QString eurosText(Cents cents)
{
    return moneyText(cents) + u" €"_s;
}

QString amountLimitText()
{
    return u"El importe no puede pasar de "_s + eurosText(MaxTypedAmount) + u'.';
}

Result<Cents> amountFromText(QStringView text)
{
    // Whole euros, plain or grouped by dots in threes, then a decimal comma
    // (or a dot, when it is the only one) with one or two decimals.
    static const QRegularExpression shape(
        u"^(?:([0-9]+)|([0-9]{1,3}(?:\\.[0-9]{3})+))(?:,([0-9]{1,2}))?$|^([0-9]+)\\.([0-9]{1,2})$"_s);
    QString written = text.trimmed().toString();
    if (written.endsWith(u'€'))
        written = written.chopped(1).trimmed();
    const QRegularExpressionMatch match = shape.match(written);
    const auto refused = [](const QString &why) -> Error {
        return {ErrorKind::InvalidData, {why, u"Error"_s, MessageIcon::Exclamation}};
    };
    if (!match.hasMatch())
        return refused(u"«"_s + text.toString() +
                       u"» no es un importe válido. Escriba el importe en euros, como 12,50 o "
                       u"1.000,50."_s);
    const bool dotDecimal = match.hasCaptured(4);
    QString whole = dotDecimal ? match.captured(4)
                               : (match.hasCaptured(1) ? match.captured(1) : match.captured(2));
    whole.remove(u'.');
    const QString decimals = (match.captured(dotDecimal ? 5 : 3) + u"00"_s).left(2);
    while (whole.size() > 1 && whole.startsWith(u'0'))
        whole.remove(0, 1);
    // Twelve digits of euros are already far above the most allowed.
    if (whole.size() > 12)
        return refused(amountLimitText());
    const Cents cents = whole.toLongLong() * 100 + decimals.toLongLong();
    if (cents <= 0)
        return refused(u"El importe debe ser mayor que cero."_s);
    if (cents > MaxTypedAmount)
        return refused(amountLimitText());
    return cents;
}

} // namespace zafrano
