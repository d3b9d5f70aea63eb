// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"
#include "ledger/ledger_account.h"

#include <QWidget>
#include <functional>
#include <optional>

class QDialog;
class QLabel;
class QLineSeries;
class QDateTimeAxis;
class QValueAxis;
class QTableWidget;

namespace zafrano {
class ProgramDatabase;
}

namespace zafrano::gui {

class DatabaseWatch;
class ProgramData;
class PendingPrizesBox;
class PriceHistoryBox;
struct LedgerDays;

// "Cuentas": the money of the syndicate picked in "Gestor de peñas": its
// members with shares and balance, the movements, the totals and the bote over
// time, with the buttons that change them.
class LedgerPanel : public QWidget
{
    Q_OBJECT

public:
    explicit LedgerPanel(ProgramData &data, QWidget *parent = nullptr);

    // Shows the account of syndicate record k (1-based); none past the stored
    // ones. The page is built, and the account worked out, when it is shown.
    void showSyndicate(int record);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void build();
    // The pending prizes and the price history, side by side.
    QWidget *termsRow();
    void refresh();
    void showAccount();
    void addMemberAsked();
    void editMemberAsked();
    void removeMemberAsked();
    void deleteMemberAsked();
    void addMovementAsked();
    void editMovementAsked();
    void removeMovementAsked();
    void reintegroAsked();
    void historyAsked();
    void closedAccountsAsked();
    // Another program changed zafrano.db: the account is read again when shown.
    void databaseChanged();
    void printStatementAsked();
    // Saves one CSV of the account where the treasurer chooses.
    void exportCsvAsked(const QString &title, const QString &suggested, const QString &csv);
    // Runs one change on zafrano.db and shows the account again; a refused
    // change keeps nothing.
    Status apply(const std::function<Status(const ProgramDatabase &, const QString &)> &work);
    // The same, its refusal shown.
    void change(const std::function<Status(const ProgramDatabase &, const QString &)> &work);
    QDate today() const;
    // Opens one of the account's forms over the page; it goes when closed.
    void openForm(QDialog *form);
    QString selectedMember() const;
    // The member picked in the list, or empty when none is.
    QString pickedMember() const;
    // The movement picked in the list; nothing, and a word said, when none is.
    std::optional<LedgerMovement> selectedMovement() const;

    ProgramData &m_data;
    int m_record = 0;
    bool m_stale = false; // the account shown is not the one of m_record
    DatabaseWatch *m_watch = nullptr;
    QString m_readStamp; // zafrano.db as the account shown was read from it
    std::optional<LedgerBook> m_book;
    LedgerAccount m_account;
    QLabel *m_title = nullptr;
    QLabel *m_totals = nullptr;
    QWidget *m_body = nullptr; // all but the title and the closed accounts
    QTableWidget *m_members = nullptr;
    QTableWidget *m_movements = nullptr;
    PendingPrizesBox *m_pendingPrizes = nullptr;
    PriceHistoryBox *m_prices = nullptr;
    QLineSeries *m_bote = nullptr;
    QDateTimeAxis *m_dates = nullptr;
    QValueAxis *m_euros = nullptr;
};

} // namespace zafrano::gui
