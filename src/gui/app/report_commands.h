// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/report_layout.h"
#include "reports/syndicate_detail.h"

#include <QObject>

namespace zafrano::gui {

class ProgramData;

// The syndicate detail with its copy in the report database, and the two
// reports opened from that database.
class ReportCommands : public QObject
{
    Q_OBJECT

public:
    explicit ReportCommands(ProgramData &data, QObject *parent = nullptr);

    // The detail of syndicate record k (1-based), written to "Peñanums" and
    // "Peña"; without syndicates, the empty detail. A failure shows its
    // message; nothing comes back when the syndicate itself is unreadable.
    std::optional<SyndicateDetail> syndicateDetail(int record);

    // Fills the report's layout from the database and shows it in the preview
    // window, or says why it cannot. A database that could not take the
    // figures on show is not printed: its report would be someone else's.
    void openReport(ReportKind kind);

signals:
    // The report database is missing or damaged: the program cannot go on.
    void endRequested();

private:
    void showFailure(const Error &error);

    ProgramData &m_data;
    // False while the database lacks the syndicate on show.
    bool m_syndicateCopied = true;
};

} // namespace zafrano::gui
