#include "runner/analyze.h"

#include <algorithm>
#include <string>
#include <utility>

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/comparison_report.h"
#include "engine/analysis/expectations.h"
#include "engine/analysis/report_text.h"
#include "io/report_csv.h"
#include "io/report_json.h"
#include "io/report_table.h"
#include "runner/runner.h"
#include "support/number_format.h"
#include "support/random_source.h"

namespace nv::runner {

std::string formattedReport(const Report &report, AnalysisFormat format) {
    switch (format) {
        case AnalysisFormat::Csv:
            return io::reportCsv(report);
        case AnalysisFormat::Json:
            return io::reportJson(report, kAnalysisFormatVersion);
        case AnalysisFormat::Table:
            break;
    }
    return io::reportTable(report, ReportTextStyle{});
}

int runAnalyze(const AnalyzeCommand &command, std::ostream &out, std::ostream &err,
               bool errIsTerminal) {
    const auto parameters = AnalysisParameters::fromInputs(command.inputs);
    if (!parameters) {
        err << refusalMessage(parameters.error()) << '\n';
        return kExitRefused;
    }
    if (command.replications < kMinReplications || command.replications > kMaxReplications) {
        err << refusalMessage(Refusal::ReplicationsOutOfRange) << '\n';
        return kExitRefused;
    }

    ReplicationOptions options;
    options.replications = command.replications;
    options.seed = command.seed.value_or(clockSeed());
    TerminalProgress progress(err, errIsTerminal);
    const auto summary = runReplications(*parameters, options, &progress);
    if (!summary) {
        err << refusalMessage(summary.error()) << '\n';
        return kExitRefused;
    }

    const ComparisonReportInputs extra{checkedPolicy(command.inputs), !command.seed.has_value()};
    return writeReport(
        comparisonReport(*parameters, exactExpectations(*parameters), &*summary, extra),
        command.format, out, err);
}

OrderPolicy checkedPolicy(const RunInputs &inputs) noexcept {
    return inputs.annualSelected ? OrderPolicy::Annual : OrderPolicy::Yesterday;
}

int writeReport(const Report &report, AnalysisFormat format, std::ostream &out, std::ostream &err) {
    out << formattedReport(report, format);
    out.flush();
    if (!out) {
        err << "Cannot write the results\n";
        return kExitRefused;
    }
    return kExitCompleted;
}

TerminalProgress::TerminalProgress(std::ostream &err, bool enabled,
                                   std::function<Clock::time_point()> now)
    : m_err(err), m_enabled(enabled), m_now(std::move(now)) {}

bool TerminalProgress::report(std::int64_t done, std::int64_t total) noexcept {
    if (!m_enabled) {
        return false;
    }
    const Clock::time_point now = m_now();
    if (!m_started) {
        m_started = true;
        m_start = now;
    }
    if (done >= total) {
        if (m_shownWidth > 0) {
            m_err << '\r' << std::string(m_shownWidth, ' ') << '\r' << std::flush;
            m_shownWidth = 0;
        }
        return false;
    }
    if (now - m_start < kShowAfter || (m_shownWidth > 0 && now - m_lastShown < kInterval)) {
        return false;
    }
    const std::string line = "Replications: " + formatCount(done) + " / " + formatCount(total);
    m_err << '\r' << line << std::flush;
    m_shownWidth = std::max(m_shownWidth, line.size());
    m_lastShown = now;
    return false;
}

}  // namespace nv::runner
