// SPDX-License-Identifier: GPL-3.0-or-later
#include "ledger/ledger_statement.h"

#include "common/texts.h"
#include "ledger/member_statement.h"
#include "store/day_serial.h"

#include <QFile>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano {

ReportTables statementTables(const LedgerAccount &account, const LedgerBook &book,
                             const QString &member, QDate today)
{
    ReportTables tables;
    QStringList pending;
    for (QDate date : account.pending)
        pending.append(shortDate(date));
    ReportRow summary{{u"Peña"_s, account.syndicate},
                      {u"Titular"_s, member.isEmpty() ? u"Toda la peña"_s : member},
                      {u"Fecha"_s, shortDate(today)},
                      {u"Creada"_s, shortDate(book.createdOn)},
                      {u"Sorteos"_s, QString::number(account.played())},
                      {u"Coste"_s, eurosText(account.cost)},
                      // Collected prizes, without the reintegro refunds that have their line.
                      {u"Premios"_s, eurosText(account.prizes - account.refunds)},
                      {u"Reintegros"_s, eurosText(account.refunds)},
                      {u"OtrosGastos"_s, eurosText(account.otherCosts)},
                      {u"Pendientes"_s, pending.isEmpty() ? u"ninguno"_s : pending.join(u", "_s)},
                      {u"Bote"_s, eurosText(account.bote)},
                      {u"SinRepartir"_s, eurosText(account.unassigned)},
                      {u"Estado"_s, account.closed ? u"Cuentas cerradas"_s : u"Abiertas"_s},
                      {u"Participaciones"_s, QString()},
                      {u"Alta"_s, QString()},
                      {u"Baja"_s, QString()},
                      {u"Pagado"_s, eurosText(account.paid)},
                      {u"Recibido"_s, eurosText(account.received)},
                      {u"Saldo"_s, eurosText(account.bote)}};
    QList<ReportRow> members;
    for (qsizetype i = 0; i < account.members.size(); ++i) {
        const MemberBalance &balance = account.members[i];
        if (!member.isEmpty() && balance.name != member)
            continue;
        const LedgerMember &kept = book.members.value(i);
        const ReportRow row{{u"Nombre"_s, balance.name},
                            {u"Participaciones"_s, QString::number(balance.shares)},
                            {u"Alta"_s, shortDate(kept.joined)},
                            {u"Baja"_s, kept.left.isValid() ? shortDate(kept.left) : u"—"_s},
                            {u"Pagado"_s, eurosText(balance.paid)},
                            {u"Recibido"_s, eurosText(balance.received)},
                            {u"Saldo"_s, eurosText(balance.balance)}};
        members.append(row);
        if (!member.isEmpty()) {
            for (const QString &key : {u"Participaciones"_s, u"Alta"_s, u"Baja"_s, u"Pagado"_s,
                                       u"Recibido"_s, u"Saldo"_s})
                summary[key] = row.value(key);
        }
    }
    QList<ReportRow> movements;
    for (const LedgerMovement &movement : book.movements) {
        if (!member.isEmpty() && movement.kind != MovementKind::Cost && movement.member != member)
            continue;
        movements.append({{u"Fecha"_s, shortDate(movement.date)},
                          {u"Tipo"_s, movementKindName(movement.kind)},
                          {u"Miembro"_s, movement.member},
                          {u"Importe"_s, eurosText(movement.cents)},
                          {u"Nota"_s, movement.note}});
    }
    QList<ReportRow> won;
    for (const DrawAccount &draw : account.draws) {
        if (draw.prizes + draw.refund == 0 && !draw.pending)
            continue;
        won.append({{u"Fecha"_s, shortDate(draw.date)},
                    {u"Apuestas"_s, QString::number(draw.bets)},
                    {u"Coste"_s, eurosText(draw.cost)},
                    {u"Premio"_s, draw.pending      ? u"pendiente de cobro"_s
                                  : draw.prizes > 0 ? eurosText(draw.prizes)
                                                    : u"—"_s},
                    {u"Reintegro"_s, draw.refund > 0 ? eurosText(draw.refund) : u"—"_s}});
    }
    QList<ReportRow> lines;
    for (const MemberLine &line : memberLines(book, account, member))
        lines.append({{u"Fecha"_s, shortDate(line.date)},
                      {u"Concepto"_s, line.what},
                      {u"Peña"_s, line.total ? eurosText(*line.total) : QString()},
                      {u"Parte"_s, line.shares},
                      {u"Importe"_s, eurosText(line.amount)},
                      {u"Saldo"_s, eurosText(line.balance)}});
    tables.insert(u"Extracto"_s, {summary});
    tables.insert(u"Miembros"_s, members);
    tables.insert(u"Movimientos"_s, movements);
    tables.insert(u"Premiados"_s, won);
    tables.insert(u"Lineas"_s, lines);
    return tables;
}

Result<ReportDocument> buildStatement(const DataFolder &folder, const LedgerAccount &account,
                                      const LedgerBook &book, const QString &member, QDate today)
{
    QFile file(folder.shippedFilePath(
        QString::fromUtf16(member.isEmpty() ? StatementLayoutName : MemberStatementLayoutName)));
    if (!file.open(QIODevice::ReadOnly))
        return Error{ErrorKind::NotFound,
                     {file.fileName(), u"Error"_s, MessageIcon::Information},
                     texts::ErrorFileNotFound};
    Result<QString> html = fillLayout(QString::fromUtf8(file.readAll()),
                                      statementTables(account, book, member, today));
    if (!html)
        return html.error();
    return ReportDocument{member.isEmpty()
                              ? u"Cuentas de la peña "_s + account.syndicate
                              : u"Cuentas de "_s + member + u" en la peña "_s + account.syndicate,
                          html.value()};
}

} // namespace zafrano
