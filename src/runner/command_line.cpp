// The command line through CLI11: the run on the main App, each subcommand on
// an App of its own, their options from runner/command_options.h.
//
// Before CLI11 sees the arguments, every "--name=VALUE" of an option that
// takes a value becomes "--name" "VALUE": given as two arguments, CLI11 takes
// the next argument as the value whatever it looks like, so "--price -2.20",
// "--runs --help" and "--price=" all mean what they say.
#include "runner/command_line.h"

#include <CLI/CLI.hpp>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "runner/command_arguments.h"
#include "runner/command_options.h"
#include "runner/command_reader.h"
#include "runner/worksheet_options.h"

namespace nv::runner {

namespace {

constexpr std::string_view kProgram = "newsvendor-run";

// -h or --help was met: the App whose help is asked for.
struct HelpAsked {
    const CLI::App *app;
};
struct VersionAsked {};

class RunReader final : public CommandReader {
public:
    void addOptions(CLI::App &app) override {
        addRunInputOptions(app, m_command.inputs, PolicyDefault::None);
        addSeedOption(app, m_seed);
        addValueOption(app, "--draws", "FILE",
                       "take the random numbers from FILE, one number in\n"
                       "[0, 1) per line and one line per day; \"-\" reads\n"
                       "standard input",
                       [this](const std::string &path) -> std::optional<std::string> {
                           if (path.empty()) {
                               return "Option --draws needs a file name";
                           }
                           m_draws = path;
                           return std::nullopt;
                       });
        addFormatOption(app, m_command.format, kRunFormats);
    }

    Result<Command, UsageError> command() override {
        if (m_seed && m_draws) {
            return Failure{UsageError{"--seed and --draws cannot be used together"}};
        }
        if (m_seed) {
            m_command.random = FixedSeed{*m_seed};
        } else if (m_draws) {
            m_command.random = DrawsFile{*m_draws};
        }
        return Command{m_command};
    }

private:
    RunCommand m_command;
    std::optional<std::uint64_t> m_seed;
    std::optional<std::string> m_draws;
};

class AnalyzeReader final : public CommandReader {
public:
    void addOptions(CLI::App &app) override {
        addRunInputOptions(app, m_command.inputs, PolicyDefault::Yesterday);
        addReplicationsOption(app, m_command.replications);
        addSeedOption(app, m_command.seed);
        addFormatOption(app, m_command.format, kAnalysisFormats);
        // Refused with its reason rather than as unknown: each replication
        // draws its own demands from the seed.
        addValueOption(app, "--draws", "FILE", "", [](const std::string &) {
            return std::optional<std::string>("Option --draws cannot be used with analyze");
        })->group("");
    }

    Result<Command, UsageError> command() override { return Command{m_command}; }

private:
    AnalyzeCommand m_command;
};

class DebriefReader final : public CommandReader {
    static constexpr const char *kDebriefName = "newsvendor-run debrief";

public:
    void addOptions(CLI::App &app) override {
        m_app = &app;
        addRunInputOptions(app, m_command.inputs, PolicyDefault::Yesterday);
        app.get_option("--runs")->description(
            "Number of Runs the inputs are checked with, as\n"
            "analyze checks them (default: the number of\n"
            "orders); the game has one day per order");
        addSeedOption(app, m_seed);
        app.get_option("--seed")->description(
            "seed of the game's demands, 0 to\n"
            "18446744073709551615 (needed)");
        addValueOption(app, "--orders", "FILE",
                       "the player's orders, one whole number of units\n"
                       "per line, one line per day; \"-\" reads standard\n"
                       "input",
                       [this](const std::string &path) -> std::optional<std::string> {
                           if (path.empty()) {
                               return "Option --orders needs a file name";
                           }
                           m_command.ordersPath = path;
                           return std::nullopt;
                       });
        addFormatOption(app, m_command.format, kAnalysisFormats);
    }

    Result<Command, UsageError> command() override {
        if (!m_seed) {
            return Failure{UsageError{"Option --seed is needed: the game's demands come from it",
                                      kDebriefName}};
        }
        if (m_command.ordersPath.empty()) {
            return Failure{UsageError{"Option --orders is needed", kDebriefName}};
        }
        m_command.seed = *m_seed;
        m_command.runsGiven = m_app->count("--runs") > 0;
        return Command{m_command};
    }

private:
    CLI::App *m_app = nullptr;
    DebriefCommand m_command;
    std::optional<std::uint64_t> m_seed;
};

class WorksheetReader final : public CommandReader {
public:
    void addOptions(CLI::App &app) override { m_options.add(app); }

    Result<Command, UsageError> command() override {
        auto command = m_options.command();
        if (!command) {
            return Failure{UsageError{command.error(), "newsvendor-run worksheet"}};
        }
        return Command{std::move(command).value()};
    }

private:
    WorksheetOptions m_options;
};

constexpr std::string_view kRunDescription =
    "Simulates the trade in one perishable item day by day, as the Run Simulation\n"
    "command does, and prints the results grid.";
constexpr std::string_view kRunFooter =
    "Exit status: 0 after a run, 1 when the run is refused, 2 for a usage error.";

// The subcommands: a name, its help, and the reader of its options. A new
// subcommand is a reader above and a row here.
struct Subcommand {
    std::string_view name;
    std::string_view description;  // also its line in the main help
    std::string_view footer;
    std::function<std::unique_ptr<CommandReader>()> reader;
};

const std::vector<Subcommand> &subcommands() {
    static const std::vector<Subcommand> kSubcommands = {
        {"analyze",
         "Compares the ordering rules for the run's inputs:\n"
         "Yesterday's Demand, Average Annual Demand and the\n"
         "best fixed order (the critical-fractile quantity).\n"
         "Prints their exact expected amounts, then R\n"
         "replications of the run with every rule on the\n"
         "same demands, per rule and per pair of rules.",
         "Exit status: 0 after an analysis, 1 when it is refused, 2 for a usage error.",
         [] { return std::make_unique<AnalyzeReader>(); }},
        {"debrief",
         "Replays a game of playing the newsvendor: the\n"
         "orders of FILE, one a day, on the demands a run\n"
         "with the seed draws. Prints the debrief: the days,\n"
         "the player's profit and luck, the rules' profits\n"
         "on the same days and the findings.",
         "Exit status: 0 after a debrief, 1 when it is refused (a bad line of the\n"
         "orders file too), 2 for a usage error (an orders file that cannot be read too).",
         [] { return std::make_unique<DebriefReader>(); }},
        {"quantity",
         "How much to order: the expected daily profit and\n"
         "the other expected figures of every order from\n"
         "--from to --to, the best order (the critical\n"
         "fractile), the payoff and opportunity-loss tables,\n"
         "the value of perfect information and the expected\n"
         "daily profit of each ordering rule.",
         "Exit status: 0 after the lesson, 1 when it is refused, 2 for a usage error.",
         &quantityReader},
        {"sweep",
         "Varies the price, the cost or the order from --from\n"
         "to --to and prints at each value the best order, the\n"
         "critical ratio and the expected daily profit of each\n"
         "ordering rule.",
         "Exit status: 0 after the sweep, 1 when it is refused, 2 for a usage error.",
         &sweepReader},
        {"worksheet",
         "Prints a hand-simulation worksheet for the run's\n"
         "inputs: the random-number interval of each demand,\n"
         "then one row per day with its random number and\n"
         "the demand, order, sales and profits to fill in\n"
         "(--answers: the answer key); or marks a student's\n"
         "filled sheet (--check).",
         "Exit status: 0 after a sheet, or a check with every cell right; 1 when the\n"
         "inputs or the random numbers are refused, or a checked cell is wrong; 2 for a\n"
         "usage error or a file that cannot be read.",
         [] { return std::make_unique<WorksheetReader>(); }},
    };
    return kSubcommands;
}

// Help as an option read where it is met: what precedes it is still checked.
void addHelp(CLI::App &app) {
    app.set_help_flag();
    app.add_flag_callback(
           "-h,--help", [&app] { throw HelpAsked{&app}; }, "print this help and exit")
        ->trigger_on_parse();
    // Unknown options and stray arguments are collected and reported below.
    app.allow_extras();
}

std::string commandName(const CLI::App &app) {
    const CLI::App *parent = app.get_parent();
    return parent == nullptr ? std::string(kProgram) : std::string(kProgram) + " " + app.get_name();
}

}  // namespace

Result<Command, UsageError> parseCommandLine(std::span<const std::string_view> args) {
    CLI::App root{std::string(kRunDescription), std::string(kProgram)};
    root.footer(std::string(kRunFooter));
    addHelp(root);
    root.add_flag_callback(
            "--version", [] { throw VersionAsked{}; }, "print the version and exit")
        ->trigger_on_parse();
    RunReader run;
    run.addOptions(root);

    // The App that reads the arguments after the first: a subcommand's when
    // the first names one.
    CLI::App *reading = &root;
    CommandReader *reader = &run;
    std::vector<std::unique_ptr<CommandReader>> readers;
    for (const Subcommand &subcommand : subcommands()) {
        CLI::App *app =
            root.add_subcommand(std::string(subcommand.name), std::string(subcommand.description));
        app->footer(std::string(subcommand.footer));
        addHelp(*app);
        // Only a command named on the line can be entered: the others need
        // no options (declaring them all is most of the cost of a parse).
        if (!named(args, subcommand.name)) {
            continue;
        }
        readers.push_back(subcommand.reader());
        readers.back()->addOptions(*app);
        if (!args.empty() && args.front() == subcommand.name) {
            reading = app;
            reader = readers.back().get();
        }
    }

    const auto failure = [&](std::string message) {
        return Result<Command, UsageError>(
            Failure{UsageError{std::move(message), commandName(*reading)}});
    };
    std::string missingValue;
    auto cliArgs = normalised(reading == &root ? args : args.subspan(1), *reading, missingValue);
    if (!cliArgs) {
        return failure(cliArgs.error());
    }
    if (reading != &root) {
        cliArgs.value().emplace_back(reading->get_name());
    }
    try {
        root.parse(cliArgs.value());
    } catch (const OptionError &error) {
        return failure(error.what());
    } catch (const HelpAsked &help) {
        // A subcommand's usage line names the program too.
        const CLI::App *parent = help.app->get_parent();
        return Command{
            HelpRequest{parent == nullptr ? help.app->help() : help.app->help(parent->get_name())}};
    } catch (const VersionAsked &) {
        return Command{VersionRequest{}};
    } catch (const CLI::ArgumentMismatch &error) {
        return failure(missingValue.empty() ? error.what()
                                            : "Option " + missingValue + " needs a value");
    } catch (const CLI::ParseError &error) {
        return failure(error.what());
    }
    for (const CLI::App *app : root.get_subcommands()) {
        if (app != reading || app->count() > 1) {
            // A subcommand's name anywhere but first.
            return failure("Unexpected argument " + quotedText(app->get_name()));
        }
    }
    if (reading != &root) {
        // Nothing of the command line may reach the run's own options.
        for (const CLI::Option *option : root.get_options()) {
            if (option->count() > 0) {
                return failure("Unexpected argument " + quotedText(option->get_name()));
            }
        }
    }
    if (std::optional<std::string> stray = strayArgument(root.remaining(true))) {
        return failure(std::move(*stray));
    }
    auto command = reader->command();
    if (!command) {
        return failure(command.error().message);
    }
    return command;
}

std::string helpHint(const UsageError &error) {
    return "Run '" + error.command + " --help' for more information.";
}

std::string_view versionText() noexcept {
    // The version is the project's, from CMake.
    return "newsvendor-run " NV_PROJECT_VERSION;
}

}  // namespace nv::runner
