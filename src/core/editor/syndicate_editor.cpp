// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/syndicate_editor.h"

#include "ledger/ledger_store.h"
#include "ledger/price_history.h"
#include "store/day_serial.h"
#include "store/folder_lock.h"
#include "store/program_database.h"
#include "systems/reduced_bets.h"
#include "systems/table_check.h"

#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

constexpr int MaxNameLength = 20;

// A refusal of the editor's rules, as the window shows it.
Error editorError(const QString &text)
{
    return {ErrorKind::InvalidData, {text, u"Error"_s, MessageIcon::Information}};
}

Error saveError(const QString &text)
{
    return {ErrorKind::InvalidData, {text, u"Error"_s, MessageIcon::Exclamation}};
}

Error simpleLimitMessage()
{
    return editorError(
        u"Máximo de apuestas sencillas por peña : %1."_s.arg(SyndicateRecord::MaxBets));
}

const QString OneMultiplePerSlip =
    u"¡¡ Oficialmente sólo se admite una combinación por boleto cuando juegas a múltiples !! "_s;

// The numbers stored in one bet of a record, in ascending order.
QList<int> storedBet(const SyndicateRecord &record, int j)
{
    QList<int> numbers;
    if (j < 1 || j > SyndicateRecord::MaxBets)
        return numbers;
    for (const qint16 n : record.bets[j - 1]) {
        if (BetGrid::valid(n))
            numbers.append(n);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

void storeBet(SyndicateRecord &record, int j, const QList<int> &numbers)
{
    SyndicateRecord::Bet &bet = record.bets[j - 1];
    bet.fill(0);
    for (qsizetype i = 0; i < numbers.size() && i < SyndicateRecord::NumbersPerBet; ++i)
        bet[i] = qint16(numbers[i]);
}

bool isMultipleKind(int kind)
{
    return kind >= EditorKind::FirstMultiple && kind <= EditorKind::LastMultiple;
}

// The account of the syndicate called `from` follows it to `to`; without
// zafrano.db there is no account to move.
Status moveAccount(const DataFolder &folder, const QString &from, const QString &to)
{
    if (from == to ||
        !QFile::exists(folder.filePath(QString::fromUtf16(ProgramDatabase::FileName))))
        return {};
    Result<ProgramDatabase> db = ProgramDatabase::openIn(folder);
    return db ? renameLedger(*db, from, to) : Status(db.error());
}

// The account of an edited syndicate keeps its new bets from the day the
// edit counts from; without zafrano.db there is no account to keep them in.
Status keepEditInAccount(const DataFolder &folder, const SyndicateRecord &before,
                         const SyndicateRecord &after, QDate today)
{
    if (!QFile::exists(folder.filePath(QString::fromUtf16(ProgramDatabase::FileName))))
        return {};
    const Result<QList<DrawRecord>> draws = folder.draws().readAll();
    const QDate newest = draws && !draws->isEmpty() ? draws->last().date() : QDate();
    Result<ProgramDatabase> db = ProgramDatabase::openIn(folder);
    return db ? keepBetsChange(*db, before, after, dayChangeCounts(today, newest))
              : Status(db.error());
}

} // namespace

RandomSource clockSeededRandom()
{
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    auto generator = std::make_shared<QRandomGenerator>(
        quint32(QDateTime::currentMSecsSinceEpoch()) ^ quint32(ticks));
    return [generator] { return generator->generateDouble(); };
}

SyndicateEditor::SyndicateEditor(DataFolder folder, RandomSeeding seeding,
                                 std::function<QDate()> today)
    : m_folder(std::move(folder)), m_seeding(seeding ? std::move(seeding) : clockSeededRandom),
      m_today(today ? std::move(today) : [] { return QDate::currentDate(); })
{}

Status SyndicateEditor::open(const EditorRequest &request)
{
    reset();
    m_request = request;
    m_table.reset();
    m_name.clear();
    m_dayOption = WeeklyDayOption;
    if (request.editRecord > 0) {
        Result<SyndicateRecord> stored = m_folder.syndicates().read(request.editRecord);
        if (!stored)
            return stored.error();
        const int betCount = stored->betCount;
        const int kind = editorKindForBetCount(betCount);
        if (kind != EditorKind::Simple && !isMultipleKind(kind))
            return saveError(u"La peña elegida está dañada y no se puede editar."_s);
        setStored(stored.value());
        m_editRecord = request.editRecord;
        m_kind = kind;
        m_required = numbersPerBetOfKind(kind);
        m_name = m_stored.nameText();
        m_dayOption = dayOptionOf(m_stored.daysText());
        m_navigatorMaximum =
            isMultipleKind(kind) ? 1 : std::clamp(betCount, 1, int(SyndicateRecord::MaxBets));
        m_shownBet = 1;
        m_randomEnabled = kind == EditorKind::Simple;
        loadShownBet();
        return {};
    }

    m_kind = request.editorKind;
    if (m_kind == EditorKind::Reduced) {
        Result<ReductionTables> tables = readReductionTables(m_folder.tablesPath());
        if (!tables)
            return tables.error();
        Result<ReductionTable> table = positionAtTable(tables.value(), request.reductionTableIndex);
        if (!table)
            return table.error();
        // A table the program cannot play is refused before any number is marked.
        if (Result<QList<PositionMask>> masks = tableBetMasks(table.value()); !masks)
            return masks.error();
        m_table = table.value();
        m_required = m_table->numbers;
    } else {
        m_required = numbersPerBetOfKind(m_kind);
        if (m_required == 0)
            return saveError(u"Tipo de apuesta desconocido: %1."_s.arg(m_kind));
    }
    startNewSyndicate();
    return {};
}

QString SyndicateEditor::heading() const
{
    return u"INTRODUZCA EL NOMBRE Y %1 NÚMEROS:"_s.arg(m_required);
}

int SyndicateEditor::betLimit() const
{
    return m_kind == EditorKind::Simple ? SyndicateRecord::MaxBets : 1;
}

EditorButtons SyndicateEditor::buttons() const
{
    // "Grabar" waits while a bet is half marked: saving would lose its marks.
    return {m_randomEnabled, !m_bets.isEmpty(), !m_bets.isEmpty() && m_grid.markedCount() == 0};
}

void SyndicateEditor::reset()
{
    m_grid.clear();
    m_bets.clear();
    m_entries.clear();
    m_nameOnly = false;
    m_editRecord = 0;
    m_shownBet = 1;
    m_navigatorMaximum = 1;
}

void SyndicateEditor::startNewSyndicate()
{
    m_grid.clear();
    m_bets.clear();
    m_entries.clear();
    m_nameOnly = false;
    m_randomEnabled = !(m_request.numbersFromRanking && m_kind != EditorKind::Simple);
    if (m_request.numbersFromRanking) {
        // The ranking's numbers are marked as clicks would; a refused one marks nothing.
        for (const int n : std::as_const(m_request.numbers))
            (void)click(n);
    }
}

Status SyndicateEditor::limitReached() const
{
    if (m_kind == EditorKind::Reduced)
        return editorError(
            u"¡¡ Sólo puedes poner %1 números en este tipo de reducida !! "_s.arg(m_required));
    if (isMultipleKind(m_kind))
        return editorError(OneMultiplePerSlip);
    return simpleLimitMessage();
}

Status SyndicateEditor::click(int n)
{
    if (!BetGrid::valid(n))
        return {};
    if (editing()) {
        // While a stored bet is changed any mark may come and go.
        m_grid.toggle(n);
        return storeShownBetIfWhole();
    }
    if (m_nameOnly)
        return editorError(u"Sólo tienes que poner un nombre. No puedes añadir más números."_s);
    if (betCounter() >= betLimit())
        return limitReached();
    if (m_grid.markedCount() < m_required || m_grid.isMarked(n))
        m_grid.toggle(n);
    if (m_grid.markedCount() == m_required)
        completeBet();
    return {};
}

Status SyndicateEditor::wrongCount(qsizetype marked) const
{
    if (marked == m_required)
        return {};
    return editorError(u"¡¡ %1números !!. Por favor, completa la apuesta."_s.arg(
        marked < m_required ? u"Faltan "_s : u"Sobran "_s));
}

Status SyndicateEditor::enterBet(const QList<int> &numbers)
{
    QList<int> distinct;
    for (const int n : numbers) {
        if (BetGrid::valid(n) && !distinct.contains(n))
            distinct.append(n);
    }
    if (Status wrong = wrongCount(distinct.size()); !wrong)
        return wrong;
    for (const int n : std::as_const(distinct)) {
        if (Status clicked = click(n); !clicked)
            return clicked;
    }
    return {};
}

void SyndicateEditor::completeBet()
{
    const QList<int> bet = m_grid.marked();
    m_bets.append(bet);
    m_entries.append(betEntryText(bet));
    m_grid.clear();
}

Status SyndicateEditor::random()
{
    if (!editing() && betCounter() >= betLimit())
        return limitReached();
    const RandomSource next = m_seeding();
    QList<int> drawn;
    while (drawn.size() < m_required && drawn.size() < BetGrid::Numbers) {
        const int n = std::clamp(int(std::lround(48 * next() + 1)), 1, BetGrid::Numbers);
        if (!drawn.contains(n))
            drawn.append(n);
    }
    m_grid.clear();
    Status reply;
    for (const int n : std::as_const(drawn)) {
        if (Status clicked = click(n); !clicked)
            reply = clicked;
    }
    if (m_kind != EditorKind::Simple)
        m_randomEnabled = false;
    return reply;
}

void SyndicateEditor::removeLastBet()
{
    if (editing() || m_bets.isEmpty())
        return;
    m_bets.removeLast();
    m_entries.removeLast();
    if (m_bets.isEmpty())
        m_randomEnabled = true;
}

Status SyndicateEditor::checkBeforeSave(const Result<QList<SyndicateRecord>> &syndicates,
                                        QDate today) const
{
    if (syndicates && !syndicates->isEmpty() &&
        fromDaySerial(syndicates->first().createdOn) > today)
        return saveError(u"¡¡¡No puede crear una peña con fecha anterior a una ya existente!!!. "
                         u"Borre dicha peña antes de crear ésta."_s);
    const Result<QList<DrawRecord>> draws = m_folder.draws().readAll();
    if (draws && !draws->isEmpty() && draws->last().date() > today)
        return saveError(u"Hay sorteos con fecha posterior a la de la peña que intenta crear. "
                         u"Revise la fecha de su ordenador. ¡No se puede crear una peña con "
                         u"fecha anterior a la del último sorteo!"_s);
    return {};
}

Result<SaveOutcome> SyndicateEditor::save(QDate today)
{
    m_nameOnly = false;
    m_randomEnabled = false;
    // Without a whole bet there is nothing to play: no syndicate of empty bets.
    if (editing() || m_bets.isEmpty())
        return SaveOutcome{};
    // New syndicates go after the last stored one, whatever happened to the
    // file since the editor opened; an unreadable file is said when writing.
    // One writer at a time: the evening check may be appending tallies.
    const Result<FolderLock::Held> lock = FolderLock::take(m_folder.basePath());
    if (!lock)
        return lock.error();
    const SyndicatesFile file = m_folder.syndicates();
    const Result<QList<SyndicateRecord>> stored = file.readAll();
    if (Status refused = checkBeforeSave(stored, today); !refused)
        return refused.error();
    if (m_name.trimmed().isEmpty()) {
        m_nameOnly = true;
        return saveError(u"¡¡¡No ha escrito el nombre de la peña!!!"_s);
    }

    SyndicateRecord record;
    record.setName(m_name);
    record.setDays(storedDaysOf(m_dayOption));
    record.createdOn = toDaySerial(today);
    if (m_kind == EditorKind::Reduced) {
        Result<SyndicateRecord> expanded = expandReducedBets(record, *m_table, m_bets.first());
        if (!expanded)
            return expanded.error();
        record = expanded.value();
    } else {
        for (int j = 1; j <= betCounter(); ++j)
            storeBet(record, j, m_bets[j - 1]);
        record.betCount = qint16(isMultipleKind(m_kind) ? 500 + m_kind : betCounter());
    }

    if (!stored)
        return stored.error();
    if (Status written = file.write(int(stored->size()) + 1, record); !written)
        return written.error();
    ++m_writes;

    const bool close = m_request.numbersFromRanking;
    if (!close) {
        m_name.clear();
        startNewSyndicate();
    }
    return SaveOutcome{true, close};
}

NameChange SyndicateEditor::changeName(const QString &typed)
{
    NameChange change{typed.toUpper(), {}};
    if (change.text.size() > MaxNameLength) {
        change.status = saveError(u"¡¡¡El nombre no puede tener más de 20 letras!!!"_s);
        change.text = u"AYYYYYY!!"_s;
    }
    if (editing()) {
        const Result<FolderLock::Held> lock = FolderLock::take(m_folder.basePath());
        if (!lock)
            return {m_stored.nameText(), lock.error()};
        // The account moves first: a name it cannot take is not written.
        SyndicateRecord renamed = m_stored;
        renamed.setName(change.text);
        const QString before = m_stored.nameText();
        if (Status refused = moveAccount(m_folder, before, renamed.nameText()); !refused) {
            m_name = before;
            return {before, refused};
        }
        m_name = change.text;
        Status written = writeEdited([this](SyndicateRecord &record) { record.setName(m_name); });
        if (!written)
            (void)moveAccount(m_folder, renamed.nameText(), before);
        if (change.status)
            change.status = written;
        return change;
    }
    m_name = change.text;
    return change;
}

Status SyndicateEditor::chooseDay(int option)
{
    if (option < 0 || option >= editorDayOptions().size())
        return {};
    m_dayOption = option;
    if (!editing())
        return {};
    return writeEdited([option](SyndicateRecord &record) { record.setDays(storedDaysOf(option)); });
}

Status SyndicateEditor::writeEdited(const std::function<void(SyndicateRecord &)> &change)
{
    const Result<FolderLock::Held> lock = FolderLock::take(m_folder.basePath());
    if (!lock)
        return lock.error();
    const SyndicatesFile file = m_folder.syndicates();
    Result<SyndicateRecord> stored = file.read(m_editRecord);
    if (!stored)
        return stored.error();
    SyndicateRecord record = stored.value();
    change(record);
    if (Status written = file.write(m_editRecord, record); !written)
        return written;
    ++m_writes;
    setStored(record);
    return keepEditInAccount(m_folder, stored.value(), record, m_today());
}

void SyndicateEditor::setStored(const SyndicateRecord &record)
{
    m_stored = record;
    m_entries.clear();
    const int bets = MultipleCode::isMultiple(record.betCount)
                         ? 1
                         : std::clamp(int(record.betCount), 0, int(SyndicateRecord::MaxBets));
    for (int j = 1; j <= bets; ++j)
        m_entries.append(betEntryText(storedBet(record, j)));
}

void SyndicateEditor::loadShownBet()
{
    m_grid.clear();
    if (m_shownBet > m_stored.betCount && !MultipleCode::isMultiple(m_stored.betCount))
        return; // a bet just added: nothing stored yet
    for (const int n : storedBet(m_stored, m_shownBet))
        m_grid.toggle(n);
}

Status SyndicateEditor::storeShownBetIfWhole()
{
    if (m_grid.markedCount() != m_required)
        return {};
    const QList<int> bet = m_grid.marked();
    const bool added = !isMultipleKind(m_kind) && m_shownBet > m_stored.betCount;
    if (!added && storedBet(m_stored, m_shownBet) == bet)
        return {};
    return writeEdited([this, &bet](SyndicateRecord &record) {
        storeBet(record, m_shownBet, bet);
        if (!isMultipleKind(m_kind))
            record.betCount = qint16(m_navigatorMaximum);
        // Changed numbers no longer follow the reduction system.
        record.reducedFrom = 0;
    });
}

Status SyndicateEditor::showBet(int j)
{
    if (!editing() || j == m_shownBet || j < 1 || j > m_navigatorMaximum)
        return {};
    if (Status wrong = wrongCount(m_grid.markedCount()); !wrong)
        return wrong;
    m_shownBet = j;
    loadShownBet();
    return {};
}

Status SyndicateEditor::addBet()
{
    if (!editing())
        return {};
    if (isMultipleKind(m_kind))
        return editorError(u"No puedes añadir más apuestas. "_s + OneMultiplePerSlip);
    if (m_navigatorMaximum >= SyndicateRecord::MaxBets)
        return simpleLimitMessage();
    if (m_grid.markedCount() != m_required)
        return editorError(
            u"¡¡ %1 números !!. Por favor, completa la apuesta."_s.arg(m_grid.markedCount()));
    ++m_navigatorMaximum;
    m_shownBet = m_navigatorMaximum;
    m_grid.clear();
    return {};
}

Status SyndicateEditor::removeShownBet()
{
    if (!editing())
        return {};
    if (isMultipleKind(m_kind) || m_navigatorMaximum <= 1)
        return editorError(u"¡¡ No puedes borrar todas las apuestas !!. Si quieres borrar la "
                           u"Peña, hazlo desde la pestaña GESTOR DE PEÑAS."_s);
    if (m_shownBet <= m_stored.betCount) {
        const int removed = m_shownBet;
        Status written = writeEdited([removed](SyndicateRecord &record) {
            std::move(record.bets.begin() + removed, record.bets.end(),
                      record.bets.begin() + removed - 1);
            record.bets.back().fill(0);
            record.betCount = qint16(record.betCount - 1);
            record.reducedFrom = 0;
        });
        if (!written)
            return written;
    }
    --m_navigatorMaximum;
    m_shownBet = std::max(1, m_shownBet - 1);
    loadShownBet();
    return {};
}

Status SyndicateEditor::closeRequested() const
{
    if (!editing() || m_grid.markedCount() == m_required)
        return {};
    return editorError(
        u"¡¡ %1 números !!. Por favor, rectifica la apuesta. Ha de ser de %2 números"_s
            .arg(m_grid.markedCount())
            .arg(m_required));
}

} // namespace zafrano
