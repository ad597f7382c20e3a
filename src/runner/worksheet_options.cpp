#include "runner/worksheet_options.h"

#include <CLI/CLI.hpp>

#include "runner/command_options.h"
#include "runner/runner_text.h"

namespace nv::runner {

namespace {

// A file option: the path, which may not be empty.
CLI::Option *addFileOption(CLI::App &app, const std::string &name, const std::string &description,
                           std::optional<std::string> &path) {
    return addValueOption(app, name, "FILE", description,
                          [name, &path](const std::string &value) -> std::optional<std::string> {
                              if (value.empty()) {
                                  return "Option " + name + " needs a file name";
                              }
                              path = value;
                              return std::nullopt;
                          });
}

// --days N or --runs N: any whole number is read; the sheet checks the range.
void addDaysOption(CLI::App &app, const std::string &name, const std::string &description,
                   std::optional<std::int64_t> &days) {
    addValueOption(app, name, "N", description,
                   [&days](const std::string &value) -> std::optional<std::string> {
                       days = parseReplications(value);
                       if (!days) {
                           return "Bad number of days " + quotedText(value) +
                                  ": use a whole number from 1 to 1000";
                       }
                       return std::nullopt;
                   });
}

bool given(const CLI::App &app, const std::string &name) {
    const CLI::Option *option = app.get_option_no_throw(name);
    return option != nullptr && option->count() > 0;
}

}  // namespace

void WorksheetOptions::add(CLI::App &app) {
    m_app = &app;
    WorksheetCommand &command = m_command;
    // The scenario's run seed draws a run's demands, not the sheet's numbers:
    // the sheet takes its worksheet_seed (command()).
    addRunInputOptions(app, command.inputs, PolicyDefault::None,
                       {.runSeed = false, .opened = &m_scenario});
    // A run's days are the sheet's days: --runs is read as --days.
    app.remove_option(app.get_option("--runs"));
    addDaysOption(app, "--days", "the sheet's days, 1 to 1,000 (default 20)", m_days);
    addDaysOption(app, "--runs", "the same as --days", m_days);
    addSeedOption(app, command.seed);
    addFileOption(app, "--random-numbers",
                  "the teacher's random numbers from FILE, one k-digit\n"
                  "number per line and one line per day; \"-\" reads\n"
                  "standard input",
                  command.randomNumbersPath);
    addValueOption(app, "--digits", "2|4",
                   "digits of a random number (default: 2 when every\n"
                   "frequency is in hundredths, else 4)",
                   [&command](const std::string &value) -> std::optional<std::string> {
                       if (value != "2" && value != "4") {
                           return "Bad digits " + quotedText(value) + ": use 2 or 4";
                       }
                       command.digits = value == "2" ? 2 : 4;
                       return std::nullopt;
                   });
    app.add_flag_callback(
           "--answers",
           [&command] {
               if (command.answers) {
                   throw OptionError("Option --answers is given twice");
               }
               command.answers = true;
           },
           "print the answer key instead of the blank sheet")
        ->trigger_on_parse();
    addFileOption(app, "--check",
                  "mark a student's filled sheet, a csv file with the\n"
                  "header day,demand,order,sales,daily_profit,\n"
                  "cumulative_profit; \"-\" reads standard input",
                  command.checkPath);
    addFormatOption(app, command.format, kAnalysisFormats);
}

Result<WorksheetCommand, std::string> WorksheetOptions::command() const {
    if (m_app == nullptr) {
        return m_command;
    }
    if (given(*m_app, "--runs") && given(*m_app, "--days")) {
        return Failure{std::string("--runs and --days cannot be used together")};
    }
    if (m_command.seed && m_command.randomNumbersPath) {
        return Failure{std::string("--seed and --random-numbers cannot be used together")};
    }
    if (m_command.answers && m_command.checkPath) {
        return Failure{std::string("--answers and --check cannot be used together")};
    }
    if (m_command.randomNumbersPath == "-" && m_command.checkPath == "-") {
        return Failure{
            std::string("Only one of --random-numbers and --check can read standard input")};
    }
    WorksheetCommand command = m_command;
    if (m_days) {
        command.days = *m_days;
    }
    if (m_scenario) {
        // The sheet's days and seed from the scenario, unless given.
        if (!m_days && m_scenario->worksheetDays) {
            command.days = *m_scenario->worksheetDays;
        }
        if (!command.seed && !command.randomNumbersPath) {
            command.seed = m_scenario->worksheetSeed;
        }
    }
    return command;
}

}  // namespace nv::runner
