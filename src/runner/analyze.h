// "newsvendor-run analyze": checks the inputs as a run does, then prints the
// exact expectations and the paired replications of the ordering rules.
//
// Exit statuses and streams (as for a run):
//   0  the analysis is on out in the chosen format, nothing on err (but the
//      progress line below, which is erased again).
//   1  refused: the message alone on one line on err, nothing on out. First
//      the run's own checks with their messages, made as if the policy given
//      with --policy were selected, or Yesterday's Demand when none is given
//      (the analysis compares every rule whatever is selected); then the
//      analysis's checks ("Relative Frequencies must not be negative for the
//      analysis", "Price must be greater than 0 for the analysis", "Number of
//      Runs must be at least 1 for the analysis"); then the replications:
//      outside 1..1,000,000 is "Replications must be from 1 to 1,000,000".
//   Usage errors (exit 2) are found by parseCommandLine, before this.
//
// What is printed is the comparison's report (engine/analysis/
// comparison_report.h) through one of its views (src/io): the text table,
// the long csv, or json with format_version kAnalysisFormatVersion.
//
// Progress: when errIsTerminal, an analysis that has taken a second shows
// "\rReplications: 12,345 / 100,000" on err a few times a second, erased at
// the end. Nothing is written when err is not a terminal.
//
//     int status = nv::runner::runAnalyze(command, std::cout, std::cerr, isatty(2) == 1);
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

#include "engine/analysis/replications.h"
#include "engine/analysis/report.h"
#include "runner/command_line.h"

namespace nv::runner {

inline constexpr int kAnalysisFormatVersion = 1;

// A report in one of the analyses' formats: the text table, the long csv, or
// json with format_version kAnalysisFormatVersion.
[[nodiscard]] std::string formattedReport(const Report &report, AnalysisFormat format);

[[nodiscard]] int runAnalyze(const AnalyzeCommand &command, std::ostream &out, std::ostream &err,
                             bool errIsTerminal);

// What the analyses share: the policy the run's checks saw (Yesterday's
// Demand unless annual is selected), and writing a report on out in a format
// (json with kAnalysisFormatVersion): kExitCompleted, or kExitRefused with
// "Cannot write the results" on err when out fails.
[[nodiscard]] OrderPolicy checkedPolicy(const RunInputs &inputs) noexcept;
[[nodiscard]] int writeReport(const Report &report, AnalysisFormat format, std::ostream &out,
                              std::ostream &err);

// The progress line on a terminal. It never asks to stop.
//   - nothing before kShowAfter has passed since the first report;
//   - then "\rReplications: DONE / TOTAL" (counts grouped with ",") at most
//     every kInterval;
//   - at the last report (DONE == TOTAL), if anything was shown, the line is
//     overwritten with spaces and the cursor returned to its start.
// When not enabled it writes nothing at all.
class TerminalProgress final : public AnalysisProgress {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kShowAfter{1000};
    static constexpr std::chrono::milliseconds kInterval{200};

    TerminalProgress(std::ostream &err, bool enabled,
                     std::function<Clock::time_point()> now = &Clock::now);

    [[nodiscard]] bool report(std::int64_t done, std::int64_t total) noexcept override;

private:
    std::ostream &m_err;
    bool m_enabled;
    std::function<Clock::time_point()> m_now;
    bool m_started = false;
    Clock::time_point m_start;
    Clock::time_point m_lastShown;
    std::size_t m_shownWidth = 0;  // 0: nothing on the line
};

}  // namespace nv::runner
