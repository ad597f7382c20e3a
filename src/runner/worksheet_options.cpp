#include "runner/worksheet_options.h"

#include <CLI/CLI.hpp>
#include <filesystem>

#include "io/scenario.h"
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

// The scenario's values for every input the command line left out.
void takeScenario(const CLI::App &app, const Scenario &scenario, WorksheetCommand &command,
                  bool daysGiven) {
    const RunInputs from = scenarioRunInputs(scenario);
    if (!given(app, "--price")) {
        command.inputs.priceText = from.priceText;
    }
    if (!given(app, "--cost")) {
        command.inputs.costText = from.costText;
    }
    if (!given(app, "--freq")) {
        command.inputs.distribution = from.distribution;
    }
    if (!given(app, "--policy")) {
        command.inputs.yesterdaySelected = from.yesterdaySelected;
        command.inputs.annualSelected = from.annualSelected;
    }
    if (!daysGiven && scenario.worksheetDays) {
        command.days = *scenario.worksheetDays;
    }
    if (!command.seed && !command.randomNumbersPath) {
        command.seed = scenario.worksheetSeed;
    }
}

}  // namespace

void WorksheetOptions::add(CLI::App &app) {
    m_app = &app;
    WorksheetCommand &command = m_command;
    addRunInputOptions(app, command.inputs, PolicyDefault::None);
    // A run's days are the sheet's days: --runs is read as --days.
    app.remove_option(app.get_option("--runs"));
    addDaysOption(app, "--days", "the sheet's days, 1 to 1,000 (default 20)", m_days);
    addDaysOption(app, "--runs", "the same as --days", m_days);
    if (app.get_option_no_throw("--scenario") == nullptr) {
        addValueOption(app, "--scenario", "FILE",
                       "price, cost, frequencies, policy and the sheet's\n"
                       "days and seed from the scenario FILE\n"
                       "(.nvscenario); options given beside it win",
                       [](const std::string &path) -> std::optional<std::string> {
                           if (path.empty()) {
                               return "Option --scenario needs a file name";
                           }
                           return std::nullopt;
                       });
    }
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
    if (given(*m_app, "--scenario")) {
        const std::string path = m_app->get_option("--scenario")->results().back();
        const auto scenario = readScenarioFile(path);
        if (!scenario) {
            // Named as the desktop program names it: the file's name.
            const std::string name = std::filesystem::path(path).filename().string();
            return Failure{scenarioMessage(displayText(name), scenario.error())};
        }
        takeScenario(*m_app, *scenario, command, m_days.has_value());
    }
    return command;
}

}  // namespace nv::runner
