// SPDX-License-Identifier: GPL-3.0-or-later
#include "ledger/ledger_store.h"

#include "checking/draws_to_count.h"
#include "common/sqlite_connection.h"
#include "ledger/price_history.h"
#include "store/day_serial.h"
#include "store/program_database.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

Error refused(const QString &text)
{
    return {ErrorKind::InvalidData, {text, u"Error"_s, MessageIcon::Exclamation}};
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

// Keeps one line of the account's history, inside the change's transaction.
Status noteInHistory(const ProgramDatabase &db, qint64 account, QDate today, const QString &what)
{
    return run(db, u"INSERT INTO ledger_history (account, made_on, what) VALUES (?, ?, ?);"_s,
               {account, today, what});
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
                           u"» están cerradas desde el "_s + shortDate((*book)->closedOn) +
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

// A day of the account is one from the peña's creation to today.
Status dateProblem(const LedgerBook &book, QDate date, QDate today)
{
    if (!date.isValid())
        return refused(u"La fecha no es válida."_s);
    if (date < book.createdOn)
        return refused(u"La fecha "_s + shortDate(date) +
                       u" es anterior a la creación de la peña ("_s + shortDate(book.createdOn) +
                       u")."_s);
    if (today.isValid() && date > today)
        return refused(u"La fecha "_s + shortDate(date) + u" es posterior a hoy ("_s +
                       shortDate(today) + u")."_s);
    return {};
}

// What would make a movement wrong in this account.
Status movementProblem(const LedgerBook &book, const LedgerMovement &movement, QDate today)
{
    if (movement.cents <= 0)
        return refused(u"La cantidad debe ser mayor que cero."_s);
    if (movement.cents > MaxTypedAmount)
        return refused(amountLimitText());
    if (Status problem = dateProblem(book, movement.date, today); !problem)
        return problem.error();
    if (movement.kind == MovementKind::Cost && movement.note.trimmed().isEmpty())
        return refused(u"Falta la nota del gasto."_s);
    if (movement.kind != MovementKind::Cost && !memberNamed(book, movement.member))
        return unknownMember(book, movement.member);
    return {};
}

// The movement as it is kept: a cost names no member, the note has no edge spaces.
LedgerMovement keptMovement(LedgerMovement movement)
{
    if (movement.kind == MovementKind::Cost)
        movement.member.clear();
    movement.note = movement.note.trimmed();
    return movement;
}

const LedgerMovement *movementNumbered(const LedgerBook &book, qint64 id)
{
    const auto found = std::find_if(book.movements.begin(), book.movements.end(),
                                    [id](const LedgerMovement &m) { return m.id == id; });
    return found == book.movements.end() ? nullptr : &*found;
}

QString sharesText(int shares)
{
    return shares == 1 ? u"1 participación"_s : u"%1 participaciones"_s.arg(shares);
}

Status memberProblem(const QString &name, int shares)
{
    if (name.trimmed().isEmpty())
        return refused(u"Falta el nombre del miembro."_s);
    if (shares < 1 || shares > MaxShares)
        return refused(
            u"Las participaciones deben ser un número entero de 1 a %1."_s.arg(MaxShares));
    return {};
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

namespace {

// The number of the open account of a syndicate, opened when it has none with
// the bets it played from its creation.
Result<qint64> accountOpenedFor(const ProgramDatabase &db, const SyndicateRecord &syndicate)
{
    const QString name = syndicate.nameText();
    const QDate created = fromDaySerial(std::floor(syndicate.createdOn));
    Result<std::optional<qint64>> found = openAccountId(db, name);
    if (!found)
        return found.error();
    if (found.value())
        return **found;
    Status opened = run(db, u"INSERT INTO ledger_accounts (syndicate, created_on) VALUES (?, ?);"_s,
                        {name, created});
    if (!opened)
        return opened.error();
    const qint64 account = db.connection().lastInsertId();
    opened = run(db, u"INSERT INTO ledger_bets (account, since, record) VALUES (?, ?, ?);"_s,
                 {account, created, termsOf(syndicate)});
    if (!opened)
        return opened.error();
    return account;
}

// Keeps the bets of `syndicate` from `since` (not before its creation) when
// they differ from the last kept.
Status keepBets(const ProgramDatabase &db, qint64 account, const SyndicateRecord &syndicate,
                QDate since)
{
    QString lastTerms;
    Status read =
        eachRow(db,
                u"SELECT record FROM ledger_bets WHERE account = ? "
                u"ORDER BY since DESC LIMIT 1;"_s,
                {account}, [&](const sqlite::Statement &row) { lastTerms = row.text(0); });
    if (!read)
        return read;
    const QString terms = termsOf(syndicate);
    if (terms == lastTerms)
        return {};
    const QDate created = fromDaySerial(std::floor(syndicate.createdOn));
    return run(db,
               u"INSERT OR REPLACE INTO ledger_bets (account, since, record) VALUES (?, ?, ?);"_s,
               {account, std::max(since, created), terms});
}

} // namespace

Status keepLedgerTerms(const ProgramDatabase &db, const SyndicateRecord &syndicate, Cents price,
                       QDate today)
{
    Status bets = db.transaction([&]() -> Status {
        Result<qint64> account = accountOpenedFor(db, syndicate);
        return account ? keepBets(db, *account, syndicate, today) : Status(account.error());
    });
    if (!bets)
        return bets;
    Result<QList<PriceChange>> prices = priceHistory(db);
    if (!prices)
        return prices.error();
    if (!prices->isEmpty() && prices->last().cents == price)
        return {};
    return keepPriceChange(db, price, price, today);
}

Status keepBetsChange(const ProgramDatabase &db, const SyndicateRecord &before,
                      const SyndicateRecord &after, QDate since)
{
    if (termsOf(before) == termsOf(after))
        return {};
    return db.transaction([&]() -> Status {
        // An account opened now starts with what was played until the change.
        SyndicateRecord played = before;
        played.setName(after.nameText());
        Result<qint64> account = accountOpenedFor(db, played);
        return account ? keepBets(db, *account, after, since) : Status(account.error());
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
        Result<QList<PriceChange>> prices = priceHistory(db);
        if (!prices)
            return prices.error();
        book.prices = prices.value();
    }
    if (read)
        read = eachRow(db,
                       u"SELECT since, record FROM ledger_bets WHERE account = ? ORDER BY since;"_s,
                       {book.id}, [&](const sqlite::Statement &row) {
                           const QByteArray bytes = QByteArray::fromBase64(row.text(1).toLatin1());
                           if (bytes.size() == SyndicateRecord::Size)
                               book.bets.append({row.date(0), SyndicateRecord::fromBytes(bytes)});
                       });
    if (read)
        read = eachRow(db,
                       u"SELECT made_on, what FROM ledger_history WHERE account = ? ORDER BY id;"_s,
                       {book.id}, [&](const sqlite::Statement &row) {
                           book.history.append({row.date(0), row.text(1)});
                       });
    if (!read)
        return read.error();
    return std::optional<LedgerBook>(std::move(book));
}

} // namespace

Result<std::optional<LedgerBook>> readLedger(const ProgramDatabase &db, const QString &syndicate)
{
    // The open account first; else the one closed last.
    return readBook(db, u"WHERE syndicate = ? ORDER BY closed_on IS NULL DESC, id DESC"_s,
                    {syndicate});
}

Result<QList<KeptAccount>> closedLedgers(const ProgramDatabase &db)
{
    QList<KeptAccount> kept;
    Status read = eachRow(db,
                          u"SELECT id, syndicate, created_on, closed_on FROM ledger_accounts "
                          u"WHERE closed_on IS NOT NULL ORDER BY closed_on DESC, id DESC;"_s,
                          {}, [&](const sqlite::Statement &row) {
                              kept.append({row.int64(0), row.text(1), row.date(2), row.date(3)});
                          });
    if (!read)
        return read.error();
    return kept;
}

Result<std::optional<LedgerBook>> readLedgerNumbered(const ProgramDatabase &db, qint64 id)
{
    return readBook(db, u"WHERE id = ?"_s, {id});
}

QString nameKey(const QString &name)
{
    QString key;
    for (const QChar c : name.trimmed().normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing)
            key.append(c);
    }
    return key.toCaseFolded();
}

Result<std::optional<LedgerBook>> readClosedLedger(const ProgramDatabase &db,
                                                   const QString &syndicate)
{
    Result<QList<KeptAccount>> kept = closedLedgers(db);
    if (!kept)
        return kept.error();
    // The name as written first, then one that differs only in case or accents.
    auto found = std::find_if(kept->begin(), kept->end(),
                              [&](const KeptAccount &k) { return k.syndicate == syndicate; });
    if (found == kept->end())
        found = std::find_if(kept->begin(), kept->end(), [&](const KeptAccount &k) {
            return nameKey(k.syndicate) == nameKey(syndicate);
        });
    if (found == kept->end())
        return std::optional<LedgerBook>();
    return readLedgerNumbered(db, found->id);
}

Status addMember(const ProgramDatabase &db, const QString &syndicate, const LedgerMember &member,
                 QDate today)
{
    return withBook(db, syndicate, [&](const LedgerBook &book) -> Status {
        if (Status problem = memberProblem(member.name, member.shares); !problem)
            return problem.error();
        if (Status problem = dateProblem(book, member.joined, today); !problem)
            return problem.error();
        const QString name = member.name.trimmed();
        if (memberNamed(book, name))
            return refused(u"Ya hay un miembro llamado «"_s + name + u"» en la peña."_s);
        Status done = run(db,
                          u"INSERT INTO ledger_members (account, name, shares, joined) "
                          u"VALUES (?, ?, ?, ?);"_s,
                          {book.id, name, member.shares, member.joined});
        return done ? noteInHistory(db, book.id, today,
                                    u"Alta de "_s + name + u" ("_s + sharesText(member.shares) +
                                        u") desde el "_s + shortDate(member.joined) + u'.')
                    : done;
    });
}

Status editMember(const ProgramDatabase &db, const QString &syndicate, const QString &name,
                  const QString &newName, int shares, QDate today)
{
    return withBook(db, syndicate, [&](const LedgerBook &book) -> Status {
        const LedgerMember *member = memberNamed(book, name);
        if (!member)
            return unknownMember(book, name);
        if (Status problem = memberProblem(newName, shares); !problem)
            return problem.error();
        const QString renamed = newName.trimmed();
        if (renamed != name && memberNamed(book, renamed))
            return refused(u"Ya hay un miembro llamado «"_s + renamed + u"» en la peña."_s);
        if (renamed == name && shares == member->shares)
            return {};
        const QString was = name + u", "_s + sharesText(member->shares);
        Status done = run(db,
                          u"UPDATE ledger_members SET name = ?, shares = ? "
                          u"WHERE account = ? AND name = ?;"_s,
                          {renamed, shares, book.id, name});
        if (done)
            done = run(
                db, u"UPDATE ledger_movements SET member = ? WHERE account = ? AND member = ?;"_s,
                {renamed, book.id, name});
        return done ? noteInHistory(db, book.id, today,
                                    u"Miembro cambiado: "_s + was + u" → "_s + renamed + u", "_s +
                                        sharesText(shares) + u'.')
                    : done;
    });
}

Status removeMember(const ProgramDatabase &db, const QString &syndicate, const QString &name,
                    QDate on, QDate today)
{
    return withBook(db, syndicate, [&](const LedgerBook &book) -> Status {
        const LedgerMember *member = memberNamed(book, name);
        if (!member)
            return unknownMember(book, name);
        if (member->left.isValid())
            return refused(u"«"_s + name + u"» ya se dio de baja el "_s + shortDate(member->left) +
                           u'.');
        if (Status problem = dateProblem(book, on, today); !problem)
            return problem.error();
        if (on < member->joined)
            return refused(u"La baja no puede ser anterior al alta ("_s +
                           shortDate(member->joined) + u")."_s);
        Status done =
            run(db, u"UPDATE ledger_members SET left_on = ? WHERE account = ? AND name = ?;"_s,
                {on, book.id, name});
        return done ? noteInHistory(db, book.id, today,
                                    u"Baja de "_s + name + u" el "_s + shortDate(on) + u'.')
                    : done;
    });
}

Status deleteMember(const ProgramDatabase &db, const QString &syndicate, const QString &name,
                    QDate today)
{
    return withBook(db, syndicate, [&](const LedgerBook &book) -> Status {
        if (!memberNamed(book, name))
            return unknownMember(book, name);
        if (std::any_of(book.movements.begin(), book.movements.end(),
                        [&](const LedgerMovement &m) { return m.member == name; }))
            return refused(u"«"_s + name +
                           u"» tiene movimientos en las cuentas y no se puede borrar. Quite "
                           u"antes sus movimientos, o dele de baja."_s);
        Status done = run(db, u"DELETE FROM ledger_members WHERE account = ? AND name = ?;"_s,
                          {book.id, name});
        return done ? noteInHistory(db, book.id, today, u"Miembro borrado: "_s + name + u'.')
                    : done;
    });
}

Status addMovement(const ProgramDatabase &db, const QString &syndicate,
                   const LedgerMovement &movement, QDate today)
{
    return withBook(db, syndicate, [&](const LedgerBook &book) -> Status {
        if (Status problem = movementProblem(book, movement, today); !problem)
            return problem.error();
        const LedgerMovement kept = keptMovement(movement);
        Status done =
            run(db,
                u"INSERT INTO ledger_movements (account, kind, member, cents, date, note) "
                u"VALUES (?, ?, ?, ?, ?, ?);"_s,
                {book.id, kindKey(kept.kind), kept.member, kept.cents, kept.date, kept.note});
        return done ? noteInHistory(db, book.id, today,
                                    u"Movimiento añadido: "_s + movementText(kept) + u'.')
                    : done;
    });
}

Status editMovement(const ProgramDatabase &db, const QString &syndicate,
                    const LedgerMovement &movement, QDate today)
{
    return withBook(db, syndicate, [&](const LedgerBook &book) -> Status {
        const LedgerMovement *was = movementNumbered(book, movement.id);
        if (!was)
            return refused(u"Ese movimiento ya no está en las cuentas."_s);
        if (Status problem = movementProblem(book, movement, today); !problem)
            return problem.error();
        const LedgerMovement kept = keptMovement(movement);
        if (kept.kind == was->kind && kept.member == was->member && kept.cents == was->cents &&
            kept.date == was->date && kept.note == was->note)
            return {};
        Status done = run(
            db,
            u"UPDATE ledger_movements SET kind = ?, member = ?, cents = ?, date = ?, "
            u"note = ? WHERE id = ? AND account = ?;"_s,
            {kindKey(kept.kind), kept.member, kept.cents, kept.date, kept.note, kept.id, book.id});
        return done ? noteInHistory(db, book.id, today,
                                    u"Movimiento corregido: "_s + movementText(*was) + u" → "_s +
                                        movementText(kept) + u'.')
                    : done;
    });
}

Status removeMovement(const ProgramDatabase &db, const QString &syndicate, qint64 id, QDate today)
{
    return withBook(db, syndicate, [&](const LedgerBook &book) -> Status {
        const LedgerMovement *was = movementNumbered(book, id);
        if (!was)
            return refused(u"Ese movimiento ya no está en las cuentas."_s);
        Status done =
            run(db, u"DELETE FROM ledger_movements WHERE id = ? AND account = ?;"_s, {id, book.id});
        return done ? noteInHistory(db, book.id, today,
                                    u"Movimiento quitado: "_s + movementText(*was) + u'.')
                    : done;
    });
}

Status setReintegro(const ProgramDatabase &db, const QString &syndicate, int digit, QDate since,
                    QDate today)
{
    return withBook(db, syndicate, [&](const LedgerBook &book) -> Status {
        if (digit < 0 || digit > 9)
            return refused(u"El reintegro es una cifra del 0 al 9."_s);
        if (Status problem = dateProblem(book, since, today); !problem)
            return problem.error();
        if (book.reintegro && book.reintegro->digit == digit && book.reintegro->since == since)
            return {};
        Status done = run(db,
                          u"UPDATE ledger_accounts SET reintegro = ?, reintegro_from = ? "
                          u"WHERE id = ?;"_s,
                          {digit, since, book.id});
        return done
                   ? noteInHistory(db, book.id, today,
                                   u"Reintegro %1 desde el "_s.arg(digit) + shortDate(since) + u'.')
                   : done;
    });
}

Status clearReintegro(const ProgramDatabase &db, const QString &syndicate, QDate today)
{
    return withBook(db, syndicate, [&](const LedgerBook &book) -> Status {
        if (!book.reintegro)
            return refused(u"La peña «"_s + book.syndicate + u"» no tiene reintegro."_s);
        Status done = run(db,
                          u"UPDATE ledger_accounts SET reintegro = NULL, reintegro_from = NULL "
                          u"WHERE id = ?;"_s,
                          {book.id});
        return done ? noteInHistory(
                          db, book.id, today,
                          u"Reintegro quitado (era el %1 desde el "_s.arg(book.reintegro->digit) +
                              shortDate(book.reintegro->since) + u")."_s)
                    : done;
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
                                   u"DELETE FROM ledger_history WHERE account = ?;"_s,
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
        if (!moved)
            return moved.error();
        if (moved.value()) {
            Result<std::optional<qint64>> taken = openAccountId(db, to);
            if (!taken)
                return taken.error();
            if (taken.value())
                return refused(u"Ya hay otra peña llamada «"_s + to +
                               u"» con sus cuentas. Elija otro nombre para no mezclarlas."_s);
            if (Status kept = run(db, u"UPDATE ledger_accounts SET syndicate = ? WHERE id = ?;"_s,
                                  {to, **moved});
                !kept)
                return kept;
        }
        // The draws still to count for the peña follow its name too.
        return renameInDrawsToCount(db, from, to);
    });
}

} // namespace zafrano
