// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/report_commands.h"

#include "app/program_data.h"
#include "common/texts.h"
#include "reports/report_messages.h"

namespace zafrano::gui {

ReportCommands::ReportCommands(ProgramData &data, QObject *parent) : QObject(parent), m_data(data)
{}

std::optional<SyndicateDetail> ReportCommands::syndicateDetail(int record)
{
    SyndicateDetail detail;
    SyndicateReportRow row;
    if (record >= 1 && record <= m_data.syndicates().size()) {
        Result<SyndicateRecord> syndicate = m_data.folder().syndicates().read(record);
        if (!syndicate) {
            showFailure(syndicate.error());
            return std::nullopt;
        }
        // Every stored draw counts, whatever the statistics filter lists.
        Result<SyndicateDetail> described =
            describeSyndicate(syndicate.value(), m_data.draws(), m_data.settings().pricePerBet,
                              m_data.platform().clock.today());
        if (!described) {
            showFailure(described.error());
            return std::nullopt;
        }
        detail = described.value();
        row = syndicateReportRow(syndicate.value(), detail);
    }
    const ReportDatabase db = m_data.reportDatabase();
    const Status written = db.writeSyndicate(detail.bets, row);
    m_syndicateCopied = written.ok();
    if (!written)
        showFailure(written.error());
    return detail;
}

void ReportCommands::openReport(ReportKind kind)
{
    if (!(kind == ReportKind::Syndicate ? m_syndicateCopied : m_data.statisticsCopied())) {
        m_data.platform().messages.show(texts::permissionDenied());
        return;
    }
    Result<ReportDocument> report = buildReport(m_data.folder(), kind);
    if (!report) {
        m_data.platform().messages.show(reportFailure(report.error().number));
        return;
    }
    m_data.platform().desktop.showReport(report.value());
}

void ReportCommands::showFailure(const Error &error)
{
    const DetailFailure failure = detailFailure(error);
    if (error.kind == ErrorKind::PermissionDenied) {
        m_data.showReportPermissionProblem();
        return;
    }
    m_data.platform().messages.show(failure.message);
    if (failure.endsProgram)
        emit endRequested();
}

} // namespace zafrano::gui
