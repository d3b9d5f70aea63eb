// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabs/ledger_panel.h"

#include "app/database_watch.h"
#include "app/program_data.h"
#include "dialogs/closed_accounts_dialog.h"
#include "dialogs/ledger_dialogs.h"
#include "dialogs/ledger_history_dialog.h"
#include "ledger/current_account.h"
#include "ledger/ledger_csv.h"
#include "ledger/ledger_statement.h"
#include "ledger/ledger_store.h"
#include "store/day_serial.h"
#include "store/program_database.h"
#include "tabs/pending_prizes_box.h"
#include "tabs/price_history_box.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

namespace {

// A list of the account; `wide` is the column that takes the room left.
QTableWidget *table(const QString &name, const QStringList &titles, int wide, QWidget *parent)
{
    auto *view = new QTableWidget(0, static_cast<int>(titles.size()), parent);
    view->setObjectName(name);
    view->setHorizontalHeaderLabels(titles);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 8);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->horizontalHeader()->setSectionResizeMode(wide, QHeaderView::Stretch);
    view->setAlternatingRowColors(true);
    return view;
}

// One row of a list; the columns from `firstNumber` to `lastNumber` are figures.
void setRow(QTableWidget *view, int row, const QStringList &cells, int firstNumber, int lastNumber)
{
    for (int column = 0; column < cells.size(); ++column) {
        auto *item = new QTableWidgetItem(cells[column]);
        if (column >= firstNumber && column <= lastNumber)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        view->setItem(row, column, item);
    }
}

// The whole CSV or nothing: a failed save leaves no half-written file. UTF-8
// with its mark first, so that a spreadsheet reads the accents right.
bool saveCsv(const QString &path, const QString &text)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("\xEF\xBB\xBF" + text.toUtf8()) >= 0 &&
           file.commit();
}

} // namespace

LedgerPanel::LedgerPanel(ProgramData &data, QWidget *parent) : QWidget(parent), m_data(data) {}

void LedgerPanel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_title)
        build();
    if (m_stale || m_watch->stamp() != m_readStamp)
        refresh();
}

void LedgerPanel::databaseChanged()
{
    if (m_watch->stamp() == m_readStamp)
        return; // our own change, already shown
    if (isVisible())
        refresh();
    else
        m_stale = true;
}

void LedgerPanel::build()
{
    m_watch = new DatabaseWatch(
        m_data.folder().filePath(QString::fromUtf16(ProgramDatabase::FileName)), this);
    connect(m_watch, &DatabaseWatch::filesChanged, this, &LedgerPanel::databaseChanged);
    m_body = new QWidget(this);
    m_title = new QLabel(this);
    m_title->setObjectName(u"LedgerTitle"_s);
    m_title->setStyleSheet(u"font-weight: bold; color: #0b5394;"_s);
    m_totals = new QLabel(this);
    m_totals->setObjectName(u"LedgerTotals"_s);
    m_totals->setWordWrap(true);
    m_totals->setTextFormat(Qt::RichText);

    auto *membersBox = new QGroupBox(u"Miembros"_s, this);
    m_members =
        table(u"LedgerMembers"_s,
              {u"Nombre"_s, u"Partic."_s, u"Pagado"_s, u"Recibido"_s, u"Saldo"_s}, 0, membersBox);
    auto *memberButtons = new QHBoxLayout;
    const QList<std::tuple<QString, QString, void (LedgerPanel::*)()>> memberActions = {
        {u"LedgerAddMember"_s, u"Añadir miembro"_s, &LedgerPanel::addMemberAsked},
        {u"LedgerEditMember"_s, u"Editar"_s, &LedgerPanel::editMemberAsked},
        {u"LedgerRemoveMember"_s, u"Dar de baja"_s, &LedgerPanel::removeMemberAsked},
        {u"LedgerDeleteMember"_s, u"Borrar"_s, &LedgerPanel::deleteMemberAsked},
        {u"LedgerReintegro"_s, u"Reintegro…"_s, &LedgerPanel::reintegroAsked}};
    for (const auto &[name, text, action] : memberActions) {
        auto *button = new QPushButton(text, membersBox);
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, action);
        memberButtons->addWidget(button);
    }
    auto *membersLayout = new QVBoxLayout(membersBox);
    membersLayout->addWidget(m_members);
    membersLayout->addLayout(memberButtons);

    auto *movementsBox = new QGroupBox(u"Movimientos"_s, this);
    m_movements =
        table(u"LedgerMovements"_s, {u"Fecha"_s, u"Tipo"_s, u"Miembro"_s, u"Importe"_s, u"Nota"_s},
              4, movementsBox);
    auto *movementButtons = new QHBoxLayout;
    auto *addMovement = new QPushButton(u"Añadir movimiento"_s, movementsBox);
    addMovement->setObjectName(u"LedgerAddMovement"_s);
    auto *editMovement = new QPushButton(u"Corregir"_s, movementsBox);
    editMovement->setObjectName(u"LedgerEditMovement"_s);
    auto *removeMovement = new QPushButton(u"Quitar movimiento"_s, movementsBox);
    removeMovement->setObjectName(u"LedgerRemoveMovement"_s);
    connect(addMovement, &QPushButton::clicked, this, &LedgerPanel::addMovementAsked);
    connect(editMovement, &QPushButton::clicked, this, &LedgerPanel::editMovementAsked);
    connect(removeMovement, &QPushButton::clicked, this, &LedgerPanel::removeMovementAsked);
    movementButtons->addWidget(addMovement);
    movementButtons->addWidget(editMovement);
    movementButtons->addWidget(removeMovement);
    movementButtons->addStretch(1);
    auto *movementsLayout = new QVBoxLayout(movementsBox);
    movementsLayout->addWidget(m_movements);
    movementsLayout->addLayout(movementButtons);

    m_bote = new QLineSeries(this);
    m_bote->setColor(QColor(0x0b, 0x53, 0x94));
    auto *chart = new QChart;
    chart->addSeries(m_bote);
    chart->legend()->hide();
    chart->setTitle(u"Bote (€)"_s);
    chart->setMargins({0, 0, 0, 0});
    // The euro axis in the program's Spanish: "1.250", not "1250".
    chart->setLocalizeNumbers(true);
    m_dates = new QDateTimeAxis(chart);
    m_dates->setFormat(u"dd/MM/yy"_s);
    m_dates->setTickCount(3);
    m_euros = new QValueAxis(chart);
    m_euros->setLabelFormat(u"%.0f"_s); // the axis format takes no € sign: it is in the title
    chart->addAxis(m_dates, Qt::AlignBottom);
    chart->addAxis(m_euros, Qt::AlignLeft);
    m_bote->attachAxis(m_dates);
    m_bote->attachAxis(m_euros);
    auto *chartView = new QChartView(chart, this);
    chartView->setObjectName(u"LedgerChart"_s);
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->setMinimumHeight(150);

    // Two rows: the page is narrow beside the list, and the texts are long.
    auto *documentButtons = new QGridLayout;
    auto *statement = new QPushButton(u"Imprimir extracto"_s, this);
    statement->setObjectName(u"LedgerStatement"_s);
    connect(statement, &QPushButton::clicked, this, &LedgerPanel::printStatementAsked);
    documentButtons->addWidget(statement, 0, 0);
    auto *history = new QPushButton(u"Historial…"_s, this);
    history->setObjectName(u"LedgerHistory"_s);
    connect(history, &QPushButton::clicked, this, &LedgerPanel::historyAsked);
    documentButtons->addWidget(history, 0, 1);
    auto *movementsCsvButton = new QPushButton(u"Exportar movimientos (CSV)..."_s, this);
    movementsCsvButton->setObjectName(u"LedgerMovementsCsv"_s);
    connect(movementsCsvButton, &QPushButton::clicked, this, [this] {
        if (m_book)
            exportCsvAsked(u"Exportar movimientos"_s, u"movimientos"_s, movementsCsv(*m_book));
    });
    documentButtons->addWidget(movementsCsvButton, 1, 0);
    auto *drawsCsvButton = new QPushButton(u"Exportar cuentas por sorteo (CSV)..."_s, this);
    drawsCsvButton->setObjectName(u"LedgerDrawsCsv"_s);
    connect(drawsCsvButton, &QPushButton::clicked, this, [this] {
        exportCsvAsked(u"Exportar cuentas por sorteo"_s, u"sorteos"_s, drawsCsv(m_account));
    });
    documentButtons->addWidget(drawsCsvButton, 1, 1);
    documentButtons->setColumnStretch(2, 1);

    // Four rows at least: on a small screen the page scrolls before a list shows none.
    for (QTableWidget *list : {m_members, m_movements})
        list->setMinimumHeight(list->horizontalHeader()->sizeHint().height() +
                               4 * list->verticalHeader()->defaultSectionSize() +
                               2 * list->frameWidth());

    // The page scrolls on a small screen rather than squeeze its lists.
    auto *content = new QWidget;
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(u"LedgerScroll"_s);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // It takes the height the tab gives and scrolls inside it: the peña list
    // beside it stays in view.
    scroll->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    auto *layout = new QVBoxLayout(content);
    // The closed accounts stay within reach when no peña is left to pick.
    auto *closed = new QPushButton(u"Cuentas cerradas…"_s, this);
    closed->setObjectName(u"LedgerClosedAccounts"_s);
    connect(closed, &QPushButton::clicked, this, &LedgerPanel::closedAccountsAsked);
    auto *heading = new QHBoxLayout;
    heading->addWidget(m_title, 1);
    heading->addWidget(closed);
    layout->addLayout(heading);
    auto *body = new QVBoxLayout(m_body);
    body->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_body, 1);
    body->addWidget(m_totals);
    body->addLayout(documentButtons);
    // The treasurer gives the lists or the chart the room they need.
    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(u"LedgerSplitter"_s);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(membersBox);
    splitter->addWidget(movementsBox);
    splitter->addWidget(termsRow());
    splitter->addWidget(chartView);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 3);
    splitter->setStretchFactor(2, 1);
    splitter->setStretchFactor(3, 2);
    body->addWidget(splitter, 1);
    scroll->setWidget(content);
}

QWidget *LedgerPanel::termsRow()
{
    auto *row = new QWidget(this);
    m_pendingPrizes = new PendingPrizesBox(m_data, row);
    m_prices = new PriceHistoryBox(m_data, row);
    connect(m_pendingPrizes, &PendingPrizesBox::prizesAdded, this, &LedgerPanel::refresh);
    connect(m_prices, &PriceHistoryBox::priceChanged, this, &LedgerPanel::refresh);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pendingPrizes);
    layout->addWidget(m_prices);
    return row;
}

void LedgerPanel::showSyndicate(int record)
{
    m_record = record;
    m_stale = true;
    if (isVisible())
        refresh();
}

void LedgerPanel::refresh()
{
    m_stale = false;
    m_book.reset();
    m_account = {};
    QString problem;
    const QList<SyndicateRecord> &syndicates = m_data.syndicates();
    if (m_record >= 1 && m_record <= syndicates.size()) {
        Result<ProgramDatabase> db = ProgramDatabase::openIn(m_data.folder());
        Result<LedgerAccount> account =
            db ? currentAccount(*db, syndicates[m_record - 1],
                                centsFromEuros(m_data.settings().pricePerBet), m_data.draws(),
                                m_data.platform().clock.today())
               : Result<LedgerAccount>(db.error());
        // Said on the page, not in a box: picking a syndicate must not stop
        // the treasurer with a message on every click of a folder that is
        // not writable.
        if (!account) {
            problem = account.error().message.text;
        } else {
            m_account = account.value();
            Result<std::optional<LedgerBook>> book = readLedger(*db, m_account.syndicate);
            if (book)
                m_book = book.value();
        }
    }
    m_readStamp = m_watch->stamp();
    showAccount();
    if (!problem.isEmpty())
        m_title->setText(problem);
}

void LedgerPanel::showAccount()
{
    const bool shown = m_book.has_value();
    m_body->setEnabled(shown);
    m_title->setText(shown ? u"Cuentas de la peña "_s + m_account.syndicate : u"Sin datos"_s);
    QStringList pending;
    for (QDate date : m_account.pending)
        pending.append(shortDate(date));
    m_totals->setText(u"Sorteos jugados: <b>%1</b> · Coste de las apuestas: <b>%2</b><br>"
                      u"Premios cobrados: <b>%3</b> · Reintegros: <b>%4</b><br>"
                      u"Pendientes de cobro: <b>%5</b><br>"
                      u"Otros gastos: <b>%6</b> · Bote: <b>%7</b> · Sin repartir: <b>%8</b>"_s.arg(
                          QString::number(m_account.played()), eurosText(m_account.cost),
                          eurosText(m_account.prizes - m_account.refunds),
                          eurosText(m_account.refunds),
                          pending.isEmpty() ? u"ninguno"_s : pending.join(u", "_s),
                          eurosText(m_account.otherCosts), eurosText(m_account.bote),
                          eurosText(m_account.unassigned)));

    m_pendingPrizes->setPending(m_account.pending);
    m_prices->setHistory(shown ? m_book->prices : QList<PriceChange>());

    m_members->setRowCount(static_cast<int>(m_account.members.size()));
    for (int row = 0; row < m_account.members.size(); ++row) {
        const MemberBalance &member = m_account.members[row];
        setRow(m_members, row,
               {member.active ? member.name : member.name + u" (baja)"_s,
                QString::number(member.shares), eurosText(member.paid), eurosText(member.received),
                eurosText(member.balance)},
               1, 4);
    }
    const QList<LedgerMovement> movements = shown ? m_book->movements : QList<LedgerMovement>();
    m_movements->setRowCount(static_cast<int>(movements.size()));
    for (int row = 0; row < movements.size(); ++row) {
        const LedgerMovement &movement = movements[row];
        setRow(m_movements, row,
               {shortDate(movement.date), movementKindName(movement.kind), movement.member,
                eurosText(movement.cents), movement.note},
               3, 3);
        m_movements->item(row, 0)->setData(Qt::UserRole, movement.id);
    }

    m_bote->clear();
    Cents lowest = 0;
    Cents highest = 100;
    for (const BotePoint &point : m_account.boteHistory) {
        m_bote->append(QDateTime(point.date, QTime(12, 0)).toMSecsSinceEpoch(),
                       eurosFromCents(point.bote));
        lowest = std::min(lowest, point.bote);
        highest = std::max(highest, point.bote);
    }
    const QDate first = m_account.boteHistory.isEmpty() ? m_data.platform().clock.today()
                                                        : m_account.boteHistory.first().date;
    const QDate last = m_account.boteHistory.isEmpty() ? first : m_account.boteHistory.last().date;
    m_dates->setRange(QDateTime(first, QTime(0, 0)), QDateTime(last.addDays(1), QTime(0, 0)));
    m_euros->setRange(eurosFromCents(lowest), eurosFromCents(highest));
    // Round steps (0, 250, 500…), not the range's own ends (-4, 246, 496…).
    m_euros->applyNiceNumbers();
}

Status
LedgerPanel::apply(const std::function<Status(const ProgramDatabase &, const QString &)> &work)
{
    Result<FolderLock::Held> lock = FolderLock::take(m_data.folder().basePath());
    if (!lock)
        return lock.error();
    Status done;
    {
        // Closed before the account is read again: the file is then as the change left it.
        Result<ProgramDatabase> db = ProgramDatabase::openIn(m_data.folder());
        done = db ? work(*db, m_account.syndicate) : Status(db.error());
    }
    refresh();
    return done;
}

void LedgerPanel::change(
    const std::function<Status(const ProgramDatabase &, const QString &)> &work)
{
    if (Status done = apply(work); !done)
        m_data.platform().messages.show(done.error().message);
}

QDate LedgerPanel::today() const
{
    return m_data.platform().clock.today();
}

void LedgerPanel::openForm(QDialog *form)
{
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->open();
}

QString LedgerPanel::selectedMember() const
{
    const int row = m_members->currentRow();
    if (row < 0 || row >= m_account.members.size()) {
        m_data.platform().messages.show(
            {u"Elija antes un miembro de la lista."_s, u"Cuentas"_s, MessageIcon::Information});
        return {};
    }
    return m_account.members[row].name;
}

QString LedgerPanel::pickedMember() const
{
    const int row = m_members->currentRow();
    return row >= 0 && row < m_account.members.size() ? m_account.members[row].name : QString();
}

void LedgerPanel::printStatementAsked()
{
    if (!m_book)
        return;
    Result<ReportDocument> statement = buildStatement(
        m_data.folder(), m_account, *m_book, pickedMember(), m_data.platform().clock.today());
    if (!statement) {
        m_data.platform().messages.show(statement.error().message);
        return;
    }
    m_data.platform().desktop.showReport(statement.value());
}

void LedgerPanel::exportCsvAsked(const QString &title, const QString &suggested, const QString &csv)
{
    const QString target = m_data.platform().desktop.chooseSaveFile(
        title, u"%1-%2.csv"_s.arg(suggested, m_account.syndicate), u"CSV (*.csv)"_s);
    if (target.isEmpty())
        return;
    const QString shown = QDir::toNativeSeparators(target);
    m_data.platform().messages.show(
        saveCsv(target, csv)
            ? ProgramMessage{u"Guardado en %1."_s.arg(shown), title, MessageIcon::Information}
            : ProgramMessage{u"No se ha podido guardar %1."_s.arg(shown), title,
                             MessageIcon::Critical});
}

void LedgerPanel::addMemberAsked()
{
    if (!m_book)
        return;
    // The founding members of a peña usually belonged from its first draw:
    // while every member so far joined on its creation, the next one is
    // offered that day too; after that, today.
    const bool founding = std::all_of(
        m_book->members.cbegin(), m_book->members.cend(),
        [this](const LedgerMember &member) { return member.joined == m_book->createdOn; });
    const QDate from = founding ? m_book->createdOn : today();
    openForm(new MemberDialog(
        MemberDialog::Purpose::Add, {QString(), 1, from}, m_data.platform().messages,
        [this](const MemberEntry &entry) {
            return apply([&](const ProgramDatabase &db, const QString &name) {
                return addMember(db, name, {entry.name, entry.shares, entry.date, {}}, today());
            });
        },
        this));
}

void LedgerPanel::editMemberAsked()
{
    const QString current = selectedMember();
    if (current.isEmpty())
        return;
    const int shares = m_account.members[m_members->currentRow()].shares;
    openForm(new MemberDialog(
        MemberDialog::Purpose::Edit, {current, shares, {}}, m_data.platform().messages,
        [this, current](const MemberEntry &entry) {
            return apply([&](const ProgramDatabase &db, const QString &name) {
                return editMember(db, name, current, entry.name, entry.shares, today());
            });
        },
        this));
}

void LedgerPanel::removeMemberAsked()
{
    const QString member = selectedMember();
    if (member.isEmpty())
        return;
    openForm(new MemberDialog(
        MemberDialog::Purpose::Leave, {member, 1, today()}, m_data.platform().messages,
        [this, member](const MemberEntry &entry) -> Status {
            if (!m_data.platform().messages.ask(
                    {u"¿Seguro que quieres dar de baja a "_s + member + u" el "_s +
                         shortDate(entry.date) +
                         u"? Sus participaciones dejan de contar desde ese día."_s,
                     u"Dar de baja"_s, MessageIcon::Question}))
                return {};
            return apply([&](const ProgramDatabase &db, const QString &name) {
                return removeMember(db, name, member, entry.date, today());
            });
        },
        this));
}

void LedgerPanel::deleteMemberAsked()
{
    const QString member = selectedMember();
    if (member.isEmpty())
        return;
    if (!m_data.platform().messages.ask(
            {u"¿Seguro que quieres borrar a "_s + member +
                 u" de la peña? Es para un miembro añadido por error: sus participaciones no "
                 u"cuentan en ningún sorteo. Para quien deja la peña, use «Dar de baja»."_s,
             u"Borrar miembro"_s, MessageIcon::Question}))
        return;
    change([&](const ProgramDatabase &db, const QString &syndicate) {
        return deleteMember(db, syndicate, member, today());
    });
}

void LedgerPanel::addMovementAsked()
{
    if (!m_book)
        return;
    QStringList members;
    for (const MemberBalance &balance : m_account.members)
        members.append(balance.name);
    openForm(new MovementDialog(
        members, today(), m_data.platform().messages,
        [this](const MovementEntry &entry) {
            return apply([&](const ProgramDatabase &db, const QString &name) {
                return zafrano::addMovement(
                    db, name, {0, entry.kind, entry.member, entry.cents, entry.date, entry.note},
                    today());
            });
        },
        std::nullopt, this));
}

std::optional<LedgerMovement> LedgerPanel::selectedMovement() const
{
    const int row = m_movements->currentRow();
    const qint64 id = row >= 0 && m_movements->item(row, 0)
                          ? m_movements->item(row, 0)->data(Qt::UserRole).toLongLong()
                          : 0;
    const QList<LedgerMovement> movements = m_book ? m_book->movements : QList<LedgerMovement>();
    const auto found = std::find_if(movements.begin(), movements.end(),
                                    [id](const LedgerMovement &m) { return m.id == id; });
    if (found == movements.end()) {
        m_data.platform().messages.show(
            {u"Elija antes un movimiento de la lista."_s, u"Cuentas"_s, MessageIcon::Information});
        return std::nullopt;
    }
    return *found;
}

void LedgerPanel::editMovementAsked()
{
    const std::optional<LedgerMovement> was = selectedMovement();
    if (!was)
        return;
    QStringList members;
    for (const MemberBalance &balance : m_account.members)
        members.append(balance.name);
    openForm(new MovementDialog(
        members, today(), m_data.platform().messages,
        [this, was](const MovementEntry &entry) -> Status {
            const LedgerMovement corrected{was->id,     entry.kind, entry.member,
                                           entry.cents, entry.date, entry.note};
            if (!m_data.platform().messages.ask(
                    {u"¿Seguro que quieres corregir el movimiento? Queda "_s +
                         movementText(corrected) + u" en lugar de "_s + movementText(*was) +
                         u", y el cambio se anota en el historial."_s,
                     u"Corregir movimiento"_s, MessageIcon::Question}))
                return {};
            return apply([&](const ProgramDatabase &db, const QString &name) {
                return zafrano::editMovement(db, name, corrected, today());
            });
        },
        MovementEntry{was->kind, was->member, was->cents, was->date, was->note}, this));
}

void LedgerPanel::removeMovementAsked()
{
    const std::optional<LedgerMovement> movement = selectedMovement();
    if (!movement)
        return;
    if (!m_data.platform().messages.ask({u"¿Seguro que quieres quitar el movimiento de "_s +
                                             eurosText(movement->cents) + u" del "_s +
                                             shortDate(movement->date) + u'?',
                                         u"Quitar movimiento"_s, MessageIcon::Question}))
        return;
    change([&](const ProgramDatabase &db, const QString &syndicate) {
        return zafrano::removeMovement(db, syndicate, movement->id, today());
    });
}

void LedgerPanel::reintegroAsked()
{
    if (!m_book)
        return;
    const ReintegroEntry initial =
        m_book->reintegro ? ReintegroEntry{m_book->reintegro->digit, m_book->reintegro->since}
                          : ReintegroEntry{0, today()};
    ReintegroDialog::Clear clear;
    if (m_book->reintegro)
        clear = [this] {
            return apply([&](const ProgramDatabase &db, const QString &name) {
                return clearReintegro(db, name, today());
            });
        };
    openForm(new ReintegroDialog(
        initial, m_data.platform().messages,
        [this](const ReintegroEntry &entry) {
            return apply([&](const ProgramDatabase &db, const QString &name) {
                return setReintegro(db, name, entry.digit, entry.since, today());
            });
        },
        clear, this));
}

void LedgerPanel::historyAsked()
{
    if (m_book)
        openForm(new LedgerHistoryDialog(*m_book, this));
}

void LedgerPanel::closedAccountsAsked()
{
    openForm(new ClosedAccountsDialog(m_data, this));
}

} // namespace zafrano::gui
