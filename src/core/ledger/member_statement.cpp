// SPDX-License-Identifier: GPL-3.0-or-later
#include "ledger/member_statement.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

QString drawConcept(const DrawAccount &draw)
{
    QString text =
        draw.bets == 1 ? u"Sorteo: 1 apuesta"_s : u"Sorteo: %1 apuestas"_s.arg(draw.bets);
    if (draw.pending)
        text += u", premio pendiente de cobro"_s;
    else if (draw.prizes > 0)
        text += u", premio "_s + eurosText(draw.prizes);
    if (draw.refund > 0)
        text += u", reintegro "_s + eurosText(draw.refund);
    // An amount stays whole where the line wraps.
    return text.replace(u" €"_s, u"\u00A0€"_s);
}

} // namespace

QList<MemberLine> memberLines(const LedgerBook &book, const LedgerAccount &account,
                              const QString &member)
{
    const auto found = std::find_if(book.members.begin(), book.members.end(),
                                    [&](const LedgerMember &m) { return m.name == member; });
    if (found == book.members.end())
        return {};
    const LedgerMember &who = *found;
    const qsizetype index = found - book.members.begin();

    QList<MemberLine> lines;
    for (const LedgerMovement &movement : book.movements) {
        if (movement.kind == MovementKind::Cost || movement.member != member)
            continue;
        QString what = movementKindName(movement.kind);
        if (!movement.note.isEmpty())
            what += u": "_s + movement.note;
        lines.append({movement.date,
                      what,
                      std::nullopt,
                      {},
                      movement.kind == MovementKind::Payout ? -movement.cents : movement.cents,
                      0});
    }
    Cents drift = 0; // what the rounding moved on lines of days they did not belong
    for (const SharedLine &line : account.shared) {
        const Cents part = line.parts.value(index);
        if (!who.belongsOn(line.date)) {
            drift += part;
            continue;
        }
        const QString what =
            line.draw >= 0 ? drawConcept(account.draws[line.draw]) : u"Gasto: "_s + line.note;
        lines.append(
            {line.date, what, line.total, u"%1 de %2"_s.arg(who.shares).arg(line.shares), part, 0});
    }
    // Movements first on a day: the money is in before the draw is played.
    std::stable_sort(lines.begin(), lines.end(),
                     [](const MemberLine &a, const MemberLine &b) { return a.date < b.date; });
    if (drift != 0)
        lines.append({lines.isEmpty() ? who.joined : lines.last().date,
                      u"Redondeo al céntimo"_s,
                      std::nullopt,
                      {},
                      drift,
                      0});
    Cents running = 0;
    for (MemberLine &line : lines) {
        running += line.amount;
        line.balance = running;
    }
    return lines;
}

} // namespace zafrano
