// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backtest/backtest_figures.h"
#include "backtest/backtest_sources.h"
#include "editor/editor_request.h"
#include "systems/tables_file.h"

#include <QWidget>
#include <array>

class QComboBox;
class QDateEdit;
class QDateTimeAxis;
class QLabel;
class QLineEdit;
class QLineSeries;
class QTableWidget;
class QValueAxis;

namespace zafrano::gui {

class ProgramData;

// "¿Cuánto habría ganado?": up to three variants of bets (the peña picked in
// "Gestor de peñas", typed bets, a multiple or a reduction table on typed
// numbers) played over the same stored draws, their figures side by side and
// one line of net euros each; worked out again on every change.
class BacktestPanel : public QWidget
{
    Q_OBJECT

public:
    explicit BacktestPanel(ProgramData &data, QWidget *parent = nullptr);

    // The peña a variant of its bets plays: syndicate record k (1-based).
    void showSyndicate(int record);
    // Numbers not saved yet, from the assistant: the first variant plays them
    // as the request's kind (a multiple, a table or one simple bet).
    void playNumbers(const EditorRequest &request);

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct VariantInputs
    {
        QComboBox *kind = nullptr;
        QLineEdit *numbers = nullptr;
        QComboBox *detail = nullptr; // K of a multiple, or the table
    };

    void build();
    void refresh();
    void kindChosen(int variant);
    void recompute();
    void printAsked();
    BacktestVariant variantOf(const VariantInputs &inputs) const;
    QString periodText() const;

    ProgramData &m_data;
    int m_record = 0;
    bool m_stale = true;
    BacktestSources m_sources;
    ReductionTables m_tables;
    QString m_sourcesProblem;
    std::optional<ReintegroDigit> m_reintegro; // of the peña's account
    std::array<VariantInputs, MostVariants> m_inputs{};
    QList<BacktestVariant> m_variants; // what the page shows, the empty variants left out
    QComboBox *m_days = nullptr;
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
    QLineEdit *m_price = nullptr;
    QTableWidget *m_figures = nullptr;
    QLabel *m_notes = nullptr;
    std::array<QLineSeries *, MostVariants> m_lines{};
    QDateTimeAxis *m_dates = nullptr;
    QValueAxis *m_euros = nullptr;
    bool m_filling = false; // while the inputs are set from code
};

} // namespace zafrano::gui
