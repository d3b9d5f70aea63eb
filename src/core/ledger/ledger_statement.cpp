// SPDX-License-Identifier: GPL-3.0-or-later
#include "ledger/ledger_statement.h"

#include "common/texts.h"

#include <QFile>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

QString dayText(QDate date)
{
    return date.toString(u"dd/MM/yyyy"_s);
}

} // namespace

ReportTables statementTables(const LedgerAccount &account, const LedgerBook &book,
                             const QString &member, QDate today)
{
    ReportTables tables;
    QStringList pending;
    for (QDate date : account.pending)
        pending.append(dayText(date));
    ReportRow summary{{u"Peña"_s, account.syndicate},
                      {u"Titular"_s, member.isEmpty() ? u"Toda la peña"_s : member},
                      {u"Fecha"_s, dayText(today)},
                      {u"Sorteos"_s, QString::number(account.played())},
                      {u"Coste"_s, moneyText(account.cost)},
                      {u"Premios"_s, moneyText(account.prizes)},
                      {u"OtrosGastos"_s, moneyText(account.otherCosts)},
                      {u"Pendientes"_s, pending.isEmpty() ? u"ninguno"_s : pending.join(u", "_s)},
                      {u"Bote"_s, moneyText(account.bote)},
                      {u"SinRepartir"_s, moneyText(account.unassigned)},
                      {u"Estado"_s, account.closed ? u"Cuentas cerradas"_s : u"Abiertas"_s},
                      {u"Participaciones"_s, QString()},
                      {u"Pagado"_s, moneyText(account.paid)},
                      {u"Recibido"_s, moneyText(account.received)},
                      {u"Saldo"_s, moneyText(account.bote)}};
    QList<ReportRow> members;
    for (const MemberBalance &balance : account.members) {
        if (!member.isEmpty() && balance.name != member)
            continue;
        const ReportRow row{{u"Nombre"_s, balance.name},
                            {u"Participaciones"_s, QString::number(balance.shares)},
                            {u"Pagado"_s, moneyText(balance.paid)},
                            {u"Recibido"_s, moneyText(balance.received)},
                            {u"Saldo"_s, moneyText(balance.balance)}};
        members.append(row);
        if (!member.isEmpty()) {
            for (const QString &key :
                 {u"Participaciones"_s, u"Pagado"_s, u"Recibido"_s, u"Saldo"_s})
                summary[key] = row.value(key);
        }
    }
    QList<ReportRow> movements;
    for (const LedgerMovement &movement : book.movements) {
        if (!member.isEmpty() && movement.kind != MovementKind::Cost && movement.member != member)
            continue;
        movements.append({{u"Fecha"_s, dayText(movement.date)},
                          {u"Tipo"_s, movementKindName(movement.kind)},
                          {u"Miembro"_s, movement.member},
                          {u"Importe"_s, moneyText(movement.cents)},
                          {u"Nota"_s, movement.note}});
    }
    QList<ReportRow> won;
    for (const DrawAccount &draw : account.draws) {
        if (draw.prizes + draw.refund == 0 && !draw.pending)
            continue;
        won.append(
            {{u"Fecha"_s, dayText(draw.date)},
             {u"Apuestas"_s, QString::number(draw.bets)},
             {u"Coste"_s, moneyText(draw.cost)},
             {u"Premio"_s, draw.pending ? u"pendiente"_s : moneyText(draw.prizes + draw.refund)}});
    }
    tables.insert(u"Extracto"_s, {summary});
    tables.insert(u"Miembros"_s, members);
    tables.insert(u"Movimientos"_s, movements);
    tables.insert(u"Premiados"_s, won);
    return tables;
}

Result<ReportDocument> buildStatement(const DataFolder &folder, const LedgerAccount &account,
                                      const LedgerBook &book, const QString &member, QDate today)
{
    QFile file(folder.shippedFilePath(QString::fromUtf16(StatementLayoutName)));
    if (!file.open(QIODevice::ReadOnly))
        return Error{ErrorKind::NotFound,
                     {file.fileName(), u"Error"_s, MessageIcon::Information},
                     texts::ErrorFileNotFound};
    Result<QString> html = fillLayout(QString::fromUtf8(file.readAll()),
                                      statementTables(account, book, member, today));
    if (!html)
        return html.error();
    return ReportDocument{u"Cuentas de la peña "_s + account.syndicate, html.value()};
}

} // namespace zafrano
