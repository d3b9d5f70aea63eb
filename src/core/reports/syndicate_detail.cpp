// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/syndicate_detail.h"

#include "calendar/calendar_status.h"
#include "calendar/draw_calendar.h"
#include "checking/prize_category.h"
#include "checking/syndicate_summary.h"
#include "common/weekday_names.h"
#include "store/day_serial.h"
#include "store/settings.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

// The error a damaged record gives, as the old program's subscript check did.
constexpr int ErrorSubscriptOutOfRange = 9;

Error damagedRecord(const QString &why)
{
    return {ErrorKind::InvalidData,
            {why, u"¡Vaya hombre!"_s, MessageIcon::Exclamation},
            ErrorSubscriptOutOfRange};
}

QString twoWide(int number, bool first)
{
    const QString digits = QString::number(number);
    if (digits.size() >= 2)
        return digits;
    return first ? digits + u' ' : u' ' + digits;
}

} // namespace

QString betText(const SyndicateRecord::Bet &bet, int numbers)
{
    QStringList parts;
    for (int i = 0; i < numbers && i < SyndicateRecord::NumbersPerBet; ++i)
        parts.append(twoWide(bet[i], i == 0));
    return parts.join(u'-');
}

Cents weeklySpend(const SyndicateRecord &syndicate, float pricePerBet, QDate today)
{
    Cents spend = syndicate.sixNumberBets() * centsFromEuros(pricePerBet);
    spend *= drawsPerWeek(syndicate.daysText(), today);
    return spend;
}

Result<SyndicateDetail> describeSyndicate(const SyndicateRecord &syndicate,
                                          const QList<DrawRecord> &draws, float pricePerBet,
                                          QDate today)
{
    const int betCount = syndicate.betCount;
    const bool multiple = MultipleCode::isCode(betCount);
    if (!multiple && (betCount < 0 || betCount > SyndicateRecord::MaxBets))
        return damagedRecord(u"Número de apuestas no válido: "_s + QString::number(betCount));
    if (syndicate.reducedFrom < 0 || syndicate.reducedFrom > SyndicateRecord::NumbersPerBet)
        return damagedRecord(u"Números base no válidos: "_s +
                             QString::number(syndicate.reducedFrom));

    SyndicateDetail detail;
    const int numbers = numbersPerBet(betCount);
    const int rows = multiple ? 1 : betCount;
    for (int j = 0; j < rows; ++j)
        detail.bets.append(betText(syndicate.bets[j], numbers));
    // From the lowest category up: 3, 4, 5, 5 + C, 6 hits.
    for (std::size_t k = 0; k < PrizeCategories.size(); ++k)
        detail.prizes[k] = syndicate.hit(PrizeCategories[PrizeCategories.size() - 1 - k].slot);
    detail.prizesWon = syndicate.totalHits();

    if (draws.isEmpty()) {
        detail.drawsPlayedText = u"0"_s;
        detail.hitShareText = detail.prizesWon != 0 ? u"100 %"_s : u"-"_s;
    } else {
        detail.drawsPlayed = countDrawsPlayed(draws, {syndicate});
        const float share = detail.drawsPlayed == 0
                                ? 0.0f
                                : static_cast<float>(detail.prizesWon) * 100.0f /
                                      static_cast<float>(detail.drawsPlayed);
        detail.drawsPlayedText = QString::number(detail.drawsPlayed);
        detail.hitShareText = oneDecimal(share) + u" %"_s;
        detail.chartMissed = std::max(0, detail.drawsPlayed - detail.prizesWon);
    }

    if (syndicate.reducedFrom != 0) {
        detail.kindText = u"-Reducida de %1 nºs al %2:"_s.arg(syndicate.reducedFrom)
                              .arg(syndicate.reducedGuarantee);
        QStringList base;
        for (int i = 0; i < syndicate.reducedFrom; ++i)
            base.append(QString::number(syndicate.reducedNumbers[i]));
        detail.baseNumbersText = base.join(u'-');
    } else if (multiple) {
        detail.kindText = u"-Apuesta múltiple de %1 nºs."_s.arg(numbers);
    } else {
        detail.kindText = u"-Apuestas sencillas."_s;
    }
    detail.weeklySpend = weeklySpend(syndicate, pricePerBet, today);
    return detail;
}

SyndicateReportRow syndicateReportRow(const SyndicateRecord &syndicate,
                                      const SyndicateDetail &detail)
{
    SyndicateReportRow row;
    row.name = syndicate.nameText();
    row.days = syndicate.daysText();
    row.money = detail.weeklySpend;
    row.createdOn = fromDaySerial(syndicate.createdOn);
    row.checkedTo = fromDaySerial(syndicate.countedThrough == 0 ? syndicate.createdOn
                                                                : syndicate.countedThrough);
    row.hitShare = detail.hitShareText;
    row.draws = detail.drawsPlayed;
    row.prizes = detail.prizes;
    // The detail's kind line without its leading dash, the base numbers after it
    // and, for a multiple, the bets it stands for.
    row.kind = detail.kindText.mid(1);
    if (!detail.baseNumbersText.isEmpty())
        row.kind += u' ' + detail.baseNumbersText;
    else if (MultipleCode::isMultiple(syndicate.betCount))
        row.kind += u" (%1 apuestas)"_s.arg(syndicate.sixNumberBets());
    return row;
}

QString weeklySpendText(Cents spend)
{
    return moneyText(spend) + u" euros."_s;
}

} // namespace zafrano
