// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/money.h"
#include "common/result.h"
#include "reports/report_database.h"
#include "store/draw_record.h"
#include "store/syndicate_record.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace zafrano {

// A bet as the detail and the report list it: every number two characters
// wide, joined by "-" ("5 -12-23- 7-40-49").
QString betText(const SyndicateRecord::Bet &bet, int numbers);

// The weekly spend: the six-number bets times the price, times the draws a
// week the syndicate plays in the draw calendar of `today`.
Cents weeklySpend(const SyndicateRecord &syndicate, float pricePerBet, QDate today);

// What the "Gestor de peñas" tab shows of one syndicate, and what its report prints.
struct SyndicateDetail
{
    QStringList bets;            // ListView5, and the rows of "Peñanums"
    std::array<int, 5> prizes{}; // 3, 4, 5, 5 + complementario, 6 hits
    int prizesWon = 0;
    int drawsPlayed = 0;
    QString drawsPlayedText = QStringLiteral("-"); // Label17
    QString hitShareText = QStringLiteral("-");    // Label16
    double chartMissed = 0;                        // MSChart3: draws played without a prize
    QString kindText;                              // Label28
    QString baseNumbersText;                       // Label29
    Cents weeklySpend = 0;
};

// The detail of a stored syndicate against the stored draws (oldest first),
// its spend figured in the draw calendar of `today`. A record whose bet count
// makes no sense is an InvalidData error numbered 9.
Result<SyndicateDetail> describeSyndicate(const SyndicateRecord &syndicate,
                                          const QList<DrawRecord> &draws, float pricePerBet,
                                          QDate today);

// The "Peña" row of the syndicate report.
SyndicateReportRow syndicateReportRow(const SyndicateRecord &syndicate,
                                      const SyndicateDetail &detail);

// "1,50 euros." as Label37 shows the spend.
QString weeklySpendText(Cents spend);

} // namespace zafrano
