// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "editor/bet_grid.h"
#include "editor/day_options.h"
#include "editor/editor_request.h"
#include "store/data_folder.h"
#include "systems/tables_file.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace zafrano {

// A source of uniform numbers in [0, 1).
using RandomSource = std::function<double()>;
// A generator freshly seeded for each press of "Aleatorio".
using RandomSeeding = std::function<RandomSource()>;
// The program's own: seeded from the clock at every press.
RandomSource clockSeededRandom();

// The three buttons of new mode, enabled or not.
struct EditorButtons
{
    bool random = true; // "Aleatorio"
    bool clear = false; // "Borrar"
    bool save = false;  // "Grabar"
};

// The name box after a change: the text it shows, and the refusal to show first.
struct NameChange
{
    QString text;
    Status status;
};

// What "Grabar" did when it refused nothing.
struct SaveOutcome
{
    bool saved = false; // nothing to save (no whole bet, or edit mode) leaves it false
    // The numbers came from the ranking: the window closes after the save.
    bool closeWindow = false;
};

// The syndicate editor without its window: the grid's marks, the bets made so
// far, the rules of every button and what each writes to the syndicates file.
// New mode builds syndicates and appends them on "Grabar"; edit mode writes
// every change of a stored syndicate at once.
class SyndicateEditor
{
public:
    // `today` tells the day an edit is made (the system's date when not given):
    // the account of the peña keeps the edited bets from then.
    explicit SyndicateEditor(DataFolder folder, RandomSeeding seeding = {},
                             std::function<QDate()> today = {});

    // Opens on the request: new mode, or edit mode when it names a record. Fails
    // when the chosen reduction table or the record cannot be read.
    Status open(const EditorRequest &request);

    bool editing() const { return m_editRecord > 0; }
    int editorKind() const { return m_kind; }
    int requiredCount() const { return m_required; }
    // "INTRODUZCA EL NOMBRE Y " & required count & " NÚMEROS:".
    QString heading() const;
    const BetGrid &grid() const { return m_grid; }

    // New mode: the completed bets and the limit of bets.
    int betCounter() const { return int(m_bets.size()); }
    int betLimit() const;
    // The bets list: the completed bets, or in edit mode the stored ones.
    const QStringList &entries() const { return m_entries; }
    bool nameOnly() const { return m_nameOnly; }
    EditorButtons buttons() const;
    const QString &name() const { return m_name; }
    // The selected day option, 0..7 in the order of editorDayOptions().
    int dayOption() const { return m_dayOption; }

    // A click on number n of the grid.
    Status click(int n);
    // A whole bet typed at once (the command line's), marked as clicks would.
    // A bet without the required count of distinct numbers 1..49 is refused
    // with the message of an incomplete bet.
    Status enterBet(const QList<int> &numbers);
    // "Aleatorio": a bet of distinct random numbers, marked as clicks would.
    Status random();
    // "Borrar": drops the last completed bet.
    void removeLastBet();
    // "Grabar" with the clock's today.
    Result<SaveOutcome> save(QDate today);

    // The name box changed to `typed`.
    NameChange changeName(const QString &typed);
    // A day option was picked.
    Status chooseDay(int option);

    // Edit mode: the bet shown (1-based) and how many there are (the navigator).
    int shownBet() const { return m_shownBet; }
    int navigatorMaximum() const { return m_navigatorMaximum; }
    // The navigator moved to bet j; refused while the shown bet is not whole.
    Status showBet(int j);
    // "Añadir apuesta".
    Status addBet();
    // "Eliminar apuesta".
    Status removeShownBet();
    // The window is about to close: refused while the shown bet is not whole.
    Status closeRequested() const;
    // How many times the editor has written the syndicates file since it was made.
    int writes() const { return m_writes; }
    // Forgets the bets of new mode and leaves edit mode.
    void reset();

private:
    void startNewSyndicate();
    void completeBet();
    Status limitReached() const;
    // "¡¡ Faltan números !!…" or "¡¡ Sobran números !!…" unless `marked` is the required count.
    Status wrongCount(qsizetype marked) const;
    Status checkBeforeSave(const Result<QList<SyndicateRecord>> &syndicates, QDate today) const;
    SyndicateRecord buildRecord(QDate today) const;
    // Edit mode: applies a change to the record as stored now and writes it, so
    // the tallies the checks keep writing are never overwritten.
    Status writeEdited(const std::function<void(SyndicateRecord &)> &change);
    void loadShownBet();
    // Edit mode: the bets list follows the record as written.
    void setStored(const SyndicateRecord &record);
    Status storeShownBetIfWhole();

    DataFolder m_folder;
    RandomSeeding m_seeding;
    std::function<QDate()> m_today;
    EditorRequest m_request;
    int m_kind = EditorKind::Simple;
    int m_required = 6;
    std::optional<ReductionTable> m_table;
    BetGrid m_grid;
    QList<QList<int>> m_bets;
    QStringList m_entries;
    bool m_nameOnly = false;
    bool m_randomEnabled = true;
    QString m_name;
    int m_dayOption = WeeklyDayOption;

    int m_writes = 0;
    int m_editRecord = 0;
    SyndicateRecord m_stored;
    int m_shownBet = 1;
    int m_navigatorMaximum = 1;
};

} // namespace zafrano
