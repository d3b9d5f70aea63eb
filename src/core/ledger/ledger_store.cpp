// SPDX-License-Identifier: GPL-3.0-or-later
#include "ledger/ledger_store.h"

#include "common/sqlite_connection.h"
#include "store/day_serial.h"
#include "store/program_database.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

// Before the first draw: the first price kept holds for every earlier draw.
const QDate FirstPriceDate(1985, 1, 1);

Error refused(const QString &text)
{
    return {ErrorKind::InvalidData, {text, u"Error"_s, MessageIcon::Exclamation}};
}

QString dayText(QDate date)
{
    return date.toString(u"dd/MM/yyyy"_s);
}

// Runs a query and hands each row to `row`.
Status eachRow(const ProgramDatabase &db, const QString &sql, const QVariantList &values,
               const std::function<void(const sqlite::Statement &)> &row)
{
    return db.connection().eachRow(sql, values, row);
}

Status run(const ProgramDatabase &db, const QString &sql, const QVariantList &values)
{
    return db.connection().execute(sql, values);
}

// The record as the account keeps it: what was played, without the tallies
// and the counted-through date that every check moves, nor the name that a
// rename changes.
QString termsOf(SyndicateRecord syndicate)
{
    syndicate.setName({});
    syndicate.hits = {};
    syndicate.countedThrough = 0;
    return QString::fromLatin1(syndicate.toBytes().toBase64());
}

// Reads the account and checks a change against it, all inside one transaction.
Status withBook(const ProgramDatabase &db, const QString &syndicate,
                const std::function<Status(const LedgerBook &)> &change)
{
    return db.transaction([&]() -> Status {
        Result<std::optional<LedgerBook>> book = readLedger(db, syndicate);
        if (!book)
            return book.error();
        if (!book.value())
            return refused(u"La peña «"_s + syndicate + u"» no tiene cuentas."_s);
        if ((*book)->closedOn.isValid())
            return refused(u"Las cuentas de la peña «"_s + syndicate +
                           u"» están cerradas desde el "_s + dayText((*book)->closedOn) +
                           u": no admiten cambios."_s);
        return change(**book);
    });
}

// The number of the open account of a syndicate name; nothing when it has none.
Result<std::optional<qint64>> openAccountId(const ProgramDatabase &db, const QString &syndicate)
{
    std::optional<qint64> id;
    Status read = eachRow(db,
                          u"SELECT id FROM ledger_accounts "
                          u"WHERE syndicate = ? AND closed_on IS NULL;"_s,
                          {syndicate}, [&](const sqlite::Statement &row) { id = row.int64(0); });
    if (!read)
        return read.error();
    return id;
}

// The account chosen by `where` (on ledger_accounts, its values bound), with
// everything in it; nothing when none is.
Result<std::optional<LedgerBook>> readBook(const ProgramDatabase &db, const QString &where,
                                           const QVariantList &values);

const LedgerMember *memberNamed(const LedgerBook &book, const QString &name)
{
    const auto found = std::find_if(book.members.begin(), book.members.end(),
                                    [&](const LedgerMember &m) { return m.name == name; });
    return found == book.members.end() ? nullptr : &*found;
}

Error unknownMember(const LedgerBook &book, const QString &name)
{
    return refused(u"No hay ningún miembro llamado «"_s + name + u"» en la peña «"_s +
                   book.syndicate + u"»."_s);
}

std::optional<Error> dateProblem(const LedgerBook &book, QDate date)
{
    if (!date.isValid())
        return refused(u"La fecha no es válida."_s);
    if (date < book.createdOn)
        return refused(u"La fecha "_s + dayText(date) +
                       u" es anterior a la creación de la peña ("_s + dayText(book.createdOn) +
                       u")."_s);
    return std::nullopt;
}

std::optional<Error> memberProblem(const QString &name, int shares)
{
    if (name.trimmed().isEmpty())
        return refused(u"Falta el nombre del miembro."_s);
    if (shares < 1 || shares > MaxShares)
        return refused(
            u"Las participaciones deben ser un número entero de 1 a %1."_s.arg(MaxShares));
    return std::nullopt;
}

QString kindKey(MovementKind kind)
{
    switch (kind) {
    case MovementKind::Contribution:
        return u"pay"_s;
    case MovementKind::Payout:
        return u"payout"_s;
    case MovementKind::Cost:
        return u"cost"_s;
    }
    return {};
}

MovementKind kindOfKey(const QString &key)
{
    if (key == u"payout"_s)
        return MovementKind::Payout;
    return key == u"cost"_s ? MovementKind::Cost : MovementKind::Contribution;
}

} // namespace

Status keepLedgerTerms(const ProgramDatabase &db, const SyndicateRecord &syndicate, Cents price,
                       QDate today)
{
    const QString name = syndicate.nameText();
    const QDate created = fromDaySerial(std::floor(syndicate.createdOn));
    return db.transaction([&]() -> Status {
        Result<std::optional<qint64>> found = openAccountId(db, name);
        if (!found)
            return found.error();
        if (!found.value()) {
            Status opened =
                run(db, u"INSERT INTO ledger_accounts (syndicate, created_on) VALUES (?, ?);"_s,
                    {name, created});
            if (!opened)
                return opened;
            found = std::optional<qint64>(db.connection().lastInsertId());
        }
        const qint64 account = **found;
        QString lastTerms;
        bool any = false;
        Status read = eachRow(db,
                              u"SELECT record FROM ledger_bets WHERE account = ? "
                              u"ORDER BY since DESC LIMIT 1;"_s,
                              {account}, [&](const sqlite::Statement &row) {
                                  lastTerms = row.text(0);
                                  any = true;
                              });
        if (!read)
            return read;
        const QString terms = termsOf(syndicate);
        if (terms != lastTerms) {
            Status kept = run(db,
                              u"INSERT OR REPLACE INTO ledger_bets (account, since, record) "
                              u"VALUES (?, ?, ?);"_s,
                              {account, any ? std::max(today, created) : created, terms});
            if (!kept)
                return kept;
        }
        std::optional<Cents> lastPrice;
        read = eachRow(db, u"SELECT cents FROM bet_prices ORDER BY since DESC LIMIT 1;"_s, {},
                       [&](const sqlite::Statement &row) { lastPrice = row.int64(0); });
        if (!read)
            return read;
        if (lastPrice == price)
            return {};
        return run(db, u"INSERT OR REPLACE INTO bet_prices (since, cents) VALUES (?, ?);"_s,
                   {lastPrice ? today : FirstPriceDate, price});
    });
}

namespace {

Result<std::optional<LedgerBook>> readBook(const ProgramDatabase &db, const QString &where,
                                           const QVariantList &values)
{
    LedgerBook book;
    bool found = false;
    const QString accountSql = u"SELECT id, syndicate, created_on, closed_on, reintegro, "
                               u"reintegro_from FROM ledger_accounts "_s +
                               where + u" LIMIT 1;"_s;
    Status read = eachRow(db, accountSql, values, [&](const sqlite::Statement &row) {
        found = true;
        book.id = row.int64(0);
        book.syndicate = row.text(1);
        book.createdOn = row.date(2);
        book.closedOn = row.date(3);
        if (const std::optional<int> digit = row.optionalInteger(4))
            book.reintegro = ReintegroDigit{*digit, row.date(5)};
    });
    if (!read)
        return read.error();
    if (!found)
        return std::optional<LedgerBook>();
    read = eachRow(db,
                   u"SELECT name, shares, joined, left_on FROM ledger_members WHERE account = ? "
                   u"ORDER BY joined, rowid;"_s,
                   {book.id}, [&](const sqlite::Statement &row) {
                       book.members.append({row.text(0), row.integer(1), row.date(2), row.date(3)});
                   });
    if (read)
        read = eachRow(db,
                       u"SELECT id, kind, member, cents, date, note FROM ledger_movements "
                       u"WHERE account = ? ORDER BY date, id;"_s,
                       {book.id}, [&](const sqlite::Statement &row) {
                           book.movements.append({row.int64(0), kindOfKey(row.text(1)), row.text(2),
                                                  row.int64(3), row.date(4), row.text(5)});
                       });
    if (read) {
        Result<QList<PriceChange>> prices = readBetPrices(db);
        if (prices)
            book.prices = std::move(prices).value();
        else
            read = prices.error();
    }
    if (read)
        read = eachRow(db,
                       u"SELECT since, record FROM ledger_bets WHERE account = ? ORDER BY since;"_s,
                       {book.id}, [&](const sqlite::Statement &row) {
                           const QByteArray bytes = QByteArray::fromBase64(row.text(1).toLatin1());
                           if (bytes.size() == SyndicateRecord::Size)
                               book.bets.append({row.date(0), SyndicateRecord::fromBytes(bytes)});
                       });
    if (!read)
        return read.error();
    return std::optional<LedgerBook>(std::move(book));
}

} // namespace

Result<QList<PriceChange>> readBetPrices(const ProgramDatabase &db)
{
    QList<PriceChange> prices;
    Status read = eachRow(db, u"SELECT since, cents FROM bet_prices ORDER BY since;"_s, {},
                          [&](const sqlite::Statement &row) {
                              prices.append({row.date(0), row.int64(1)});
                          });
    if (!read)
        return read.error();
    return prices;
}

Result<std::optional<LedgerBook>> readLedger(const ProgramDatabase &db, const QString &syndicate)
{
    // The open account first; else the one closed last.
    return readBook(db, u"WHERE syndicate = ? ORDER BY closed_on IS NULL DESC, id DESC"_s,
                    {syndicate});
}

Result<std::optional<LedgerBook>> readClosedLedger(const ProgramDatabase &db,
                                                   const QString &syndicate)
{
    return readBook(db, u"WHERE syndicate = ? AND closed_on IS NOT NULL ORDER BY id DESC"_s,
                    {syndicate});
}

Status addMember(const ProgramDatabase &db, const QString &syndicate, const LedgerMember &member)
{
    return withBook(db, syndicate, [&](const LedgerBook &book) -> Status {
        if (std::optional<Error> problem = memberProblem(member.name, member.shares))
            return *problem;
        if (std::optional<Error> problem = dateProblem(book, member.joined))
            return *problem;
        if (memberNamed(book, member.name.trimmed()))
            return refused(u"Ya hay un miembro llamado «"_s + member.name.trimmed() +
                           u"» en la peña."_s);
        return run(db,
                   u"INSERT INTO ledger_members (account, name, shares, joined) "
                   u"VALUES (?, ?, ?, ?);"_s,
                   {book.id, member.name.trimmed(), member.shares, member.joined});
    });
}

Status editMember(const ProgramDatabase &db, const QString &syndicate, const QString &name,
                  const QString &newName, int shares)
{
    return withBook(db, syndicate, [&](const LedgerBook &book) -> Status {
        if (!memberNamed(book, name))
            return unknownMember(book, name);
        if (std::optional<Error> problem = memberProblem(newName, shares))
            return *problem;
        if (newName.trimmed() != name && memberNamed(book, newName.trimmed()))
            return refused(u"Ya hay un miembro llamado «"_s + newName.trimmed() +
                           u"» en la peña."_s);
        Status done = run(db,
                          u"UPDATE ledger_members SET name = ?, shares = ? "
                          u"WHERE account = ? AND name = ?;"_s,
                          {newName.trimmed(), shares, book.id, name});
        if (!done)
            return done;
        return run(db,
                   u"UPDATE ledger_movements SET member = ? WHERE account = ? AND member = ?;"_s,
                   {newName.trimmed(), book.id, name});
    });
}

Status removeMember(const ProgramDatabase &db, const QString &syndicate, const QString &name,
                    QDate on)
{
    return withBook(db, syndicate, [&](const LedgerBook &book) -> Status {
        const LedgerMember *member = memberNamed(book, name);
        if (!member)
            return unknownMember(book, name);
        if (member->left.isValid())
            return refused(u"«"_s + name + u"» ya se dio de baja el "_s + dayText(member->left) +
                           u'.');
        if (std::optional<Error> problem = dateProblem(book, on))
            return *problem;
        if (on < member->joined)
            return refused(u"La baja no puede ser anterior al alta ("_s + dayText(member->joined) +
                           u")."_s);
        return run(db, u"UPDATE ledger_members SET left_on = ? WHERE account = ? AND name = ?;"_s,
                   {on, book.id, name});
    });
}

Status addMovement(const ProgramDatabase &db, const QString &syndicate,
                   const LedgerMovement &movement)
{
    return withBook(db, syndicate, [&](const LedgerBook &book) -> Status {
        if (movement.cents <= 0)
            return refused(u"La cantidad debe ser mayor que cero."_s);
        if (movement.cents > MaxTypedAmount)
            return refused(amountLimitText());
        if (std::optional<Error> problem = dateProblem(book, movement.date))
            return *problem;
        const bool cost = movement.kind == MovementKind::Cost;
        if (cost && movement.note.trimmed().isEmpty())
            return refused(u"Falta la nota del gasto."_s);
        if (!cost && !memberNamed(book, movement.member))
            return unknownMember(book, movement.member);
        return run(db,
                   u"INSERT INTO ledger_movements (account, kind, member, cents, date, note) "
                   u"VALUES (?, ?, ?, ?, ?, ?);"_s,
                   {book.id, kindKey(movement.kind), cost ? QString() : movement.member,
                    movement.cents, movement.date, movement.note.trimmed()});
    });
}

Status removeMovement(const ProgramDatabase &db, const QString &syndicate, qint64 id)
{
    return withBook(db, syndicate, [&](const LedgerBook &book) -> Status {
        if (std::none_of(book.movements.begin(), book.movements.end(),
                         [id](const LedgerMovement &m) { return m.id == id; }))
            return refused(u"Ese movimiento ya no está en las cuentas."_s);
        return run(db, u"DELETE FROM ledger_movements WHERE id = ? AND account = ?;"_s,
                   {id, book.id});
    });
}

Status setReintegro(const ProgramDatabase &db, const QString &syndicate, int digit, QDate since)
{
    return withBook(db, syndicate, [&](const LedgerBook &book) -> Status {
        if (digit < 0 || digit > 9)
            return refused(u"El reintegro es una cifra del 0 al 9."_s);
        if (std::optional<Error> problem = dateProblem(book, since))
            return *problem;
        return run(db,
                   u"UPDATE ledger_accounts SET reintegro = ?, reintegro_from = ? "
                   u"WHERE id = ?;"_s,
                   {digit, since, book.id});
    });
}

Status closeLedger(const ProgramDatabase &db, const QString &syndicate, QDate on)
{
    return withBook(db, syndicate, [&](const LedgerBook &book) -> Status {
        return run(db, u"UPDATE ledger_accounts SET closed_on = ? WHERE id = ?;"_s, {on, book.id});
    });
}

Status dropLedger(const ProgramDatabase &db, const QString &syndicate)
{
    return db.transaction([&]() -> Status {
        Result<std::optional<LedgerBook>> book = readLedger(db, syndicate);
        if (!book)
            return book.error();
        if (!book.value())
            return {};
        for (const QString &sql : {u"DELETE FROM ledger_members WHERE account = ?;"_s,
                                   u"DELETE FROM ledger_movements WHERE account = ?;"_s,
                                   u"DELETE FROM ledger_bets WHERE account = ?;"_s,
                                   u"DELETE FROM ledger_accounts WHERE id = ?;"_s}) {
            Status done = run(db, sql, {(*book)->id});
            if (!done)
                return done;
        }
        return {};
    });
}

Status renameLedger(const ProgramDatabase &db, const QString &from, const QString &to)
{
    if (from == to)
        return {};
    return db.transaction([&]() -> Status {
        Result<std::optional<qint64>> moved = openAccountId(db, from);
        if (!moved || !moved.value())
            return moved ? Status() : Status(moved.error());
        Result<std::optional<qint64>> taken = openAccountId(db, to);
        if (!taken)
            return taken.error();
        if (taken.value())
            return refused(u"Ya hay otra peña llamada «"_s + to +
                           u"» con sus cuentas. Elija otro nombre para no mezclarlas."_s);
        return run(db, u"UPDATE ledger_accounts SET syndicate = ? WHERE id = ?;"_s, {to, **moved});
    });
}

} // namespace zafrano
