// The options of "newsvendor-run worksheet", read into a WorksheetCommand.
//
//     --price, --cost, --freq, --policy  as for a run (command_options.h); the
//                      policy gives the sheet's orders, so none is refused
//     --days N         the sheet's days: an optional "-" and decimal digits
//                      (default 20); worksheet.h checks 1..1,000
//     --runs N         the same as --days: a run's days are the sheet's days
//     --scenario FILE  price, cost, frequencies and policy from a scenario
//                      (io/scenario.h), and its worksheet_days and
//                      worksheet_seed; every option given beside it wins, in
//                      any order (--random-numbers over worksheet_seed)
//     --seed N         as for a run
//     --random-numbers FILE   the teacher's numbers ("-": standard input)
//     --digits 2|4     digits of a random number (default: what the
//                      frequencies need)
//     --answers        the answer key instead of the blank sheet
//     --check FILE     mark a student's filled sheet ("-": standard input)
//     --format table|csv|json
//
// Usage errors besides those of every option: --runs with --days, --seed
// with --random-numbers, --answers with --check, "-" for both files, and a
// scenario that cannot be used (its scenarioMessage, naming the file).
//
//     CLI::App &sub = *root.add_subcommand("worksheet", "...");
//     nv::runner::WorksheetOptions options;
//     options.add(sub);
//     root.parse(args);
//     auto command = options.command();   // or the usage message
#pragma once

#include <optional>
#include <string>

#include "io/scenario.h"
#include "runner/command_line.h"
#include "support/result.h"

namespace CLI {
class App;
}  // namespace CLI

namespace nv::runner {

class WorksheetOptions {
public:
    void add(CLI::App &app);
    // After a successful parse: the command, or the usage message of a
    // combination the options do not allow.
    [[nodiscard]] Result<WorksheetCommand, std::string> command() const;

private:
    WorksheetCommand m_command;
    std::optional<std::int64_t> m_days;
    std::optional<Scenario> m_scenario;  // the scenario --scenario read
    const CLI::App *m_app = nullptr;
};

}  // namespace nv::runner
