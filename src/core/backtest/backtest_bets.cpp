// SPDX-License-Identifier: GPL-3.0-or-later
#include "backtest/backtest_bets.h"

#include "calendar/weekday.h"
#include "editor/editor_request.h"
#include "systems/reduced_bets.h"

#include <QRegularExpression>
#include <bitset>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

Error refused(const QString &text)
{
    return {ErrorKind::InvalidData, {text, u"¿Cuánto habría ganado?"_s, MessageIcon::Exclamation}};
}

QString numberList(const QList<int> &numbers)
{
    QStringList words;
    for (int number : numbers)
        words.append(QString::number(number));
    return words.join(u' ');
}

// Six-number bets stored as the syndicate file keeps them.
SyndicateRecord recordOfBets(const QList<QList<int>> &bets)
{
    SyndicateRecord record;
    for (qsizetype b = 0; b < bets.size(); ++b) {
        for (qsizetype k = 0; k < bets[b].size(); ++k)
            record.bets[b][k] = static_cast<qint16>(bets[b][k]);
    }
    record.betCount = static_cast<qint16>(bets.size());
    record.setDays(everyDrawDay());
    return record;
}

} // namespace

Result<QList<int>> numbersFromText(QStringView text)
{
    static const QRegularExpression separators(u"[\\s,\\-]+"_s);
    QList<int> numbers;
    std::bitset<50> seen;
    for (const QString &word : text.toString().split(separators, Qt::SkipEmptyParts)) {
        bool ok = false;
        const int number = word.toInt(&ok);
        if (!ok || number < 1 || number > 49)
            return refused(u"«"_s + word + u"» no es un número del 1 al 49."_s);
        if (seen.test(static_cast<std::size_t>(number)))
            return refused(u"El número "_s + word + u" está repetido."_s);
        seen.set(static_cast<std::size_t>(number));
        numbers.append(number);
    }
    if (numbers.isEmpty())
        return refused(u"Faltan los números."_s);
    return numbers;
}

Result<QList<QList<int>>> betsFromText(QStringView text)
{
    QList<QList<int>> bets;
    for (const QString &part : text.toString().split(u';', Qt::SkipEmptyParts)) {
        if (part.trimmed().isEmpty())
            continue;
        Result<QList<int>> bet = numbersFromText(part);
        if (!bet)
            return refused(u"Apuesta %1: "_s.arg(bets.size() + 1) + bet.error().message.text);
        bets.append(bet.value());
    }
    return bets;
}

Result<QString> playingDaysFromText(QStringView text)
{
    const QString typed = text.trimmed().toString();
    for (const QString &name : weekdayNames() + QStringList{everyDrawDay()}) {
        if (typed.compare(name, Qt::CaseInsensitive) == 0)
            return name;
    }
    return refused(u"«"_s + typed +
                   u"» no es un día de juego: escriba Lunes, Martes, Miércoles, Jueves, Viernes, "
                   u"Sábado, Domingo o Todos."_s);
}

Result<SyndicateRecord> simpleBets(const QList<QList<int>> &bets)
{
    if (bets.isEmpty())
        return refused(u"Faltan las apuestas."_s);
    if (bets.size() > SyndicateRecord::MaxBets)
        return refused(u"Son %1 apuestas: como mucho caben %2."_s.arg(bets.size())
                           .arg(SyndicateRecord::MaxBets));
    for (qsizetype b = 0; b < bets.size(); ++b) {
        if (bets[b].size() != 6)
            return refused(
                u"La apuesta %1 (%2) no tiene seis números."_s.arg(b + 1).arg(numberList(bets[b])));
    }
    return recordOfBets(bets);
}

Result<SyndicateRecord> multipleBet(int numbers, const QList<int> &chosen)
{
    if (numbers < 5 || numbers > 11)
        return refused(
            u"Una múltiple tiene de 5 a 11 números; %1 no vale."_s.arg(QString::number(numbers)));
    if (chosen.size() != numbers)
        return refused(
            u"La múltiple de %1 números pide %1 números, no %2."_s.arg(numbers).arg(chosen.size()));
    if (numbers == 6)
        return recordOfBets({chosen});
    SyndicateRecord record = recordOfBets({});
    for (qsizetype k = 0; k < chosen.size(); ++k)
        record.bets[0][k] = static_cast<qint16>(chosen[k]);
    record.betCount = static_cast<qint16>(500 + multipleKindFor(numbers));
    return record;
}

Result<SyndicateRecord> reducedSystem(const ReductionTables &tables, int index,
                                      const QList<int> &chosen)
{
    Result<ReductionTable> table = positionAtTable(tables, index);
    if (!table)
        return table.error();
    Result<SyndicateRecord> expanded = expandReducedBets(recordOfBets({}), *table, chosen);
    if (!expanded)
        return refused(expanded.error().message.text);
    return expanded;
}

} // namespace zafrano
