#include "runner/runner_options.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <vector>

#include "support/utf8.h"
#include "support/text_conversion.h"

namespace nv::runner {

namespace {

constexpr std::string_view kUsage =
    "Usage: newsvendor-run [--runs TEXT] [--price TEXT] [--cost TEXT]\n"
    "                      [--freq T30,T40,T50,T60,T70] [--policy yesterday|annual]\n"
    "                      [--seed N | --draws FILE] [--format table|tsv|csv]\n"
    "       newsvendor-run analyze [OPTIONS]   (see newsvendor-run analyze --help)\n"
    "       newsvendor-run --help\n"
    "\n"
    "Simulates the trade in one perishable item day by day, as the Run Simulation\n"
    "command does, and prints the results grid. \"analyze\" compares the ordering\n"
    "rules instead: exact expectations and paired replications.\n"
    "\n"
    "  --runs TEXT    Number of Runs: the number of simulated days (default 250)\n"
    "  --price TEXT   unit selling price (default 4.60)\n"
    "  --cost TEXT    unit purchase cost (default 2.20)\n"
    "  --freq LIST    relative frequencies of the daily demands 30, 40, 50, 60 and\n"
    "                 70: five numbers separated by commas, adding to 1\n"
    "                 (default: all 0)\n"
    "  --policy WORD  yesterday: order yesterday's demand; annual: order the mean\n"
    "                 daily demand (default: none selected)\n"
    "  --seed N       seed the random source with N, 0 to 18446744073709551615\n"
    "                 (default: from the clock)\n"
    "  --draws FILE   take the random numbers from FILE, one number in [0, 1) per\n"
    "                 line and one line per day; \"-\" reads standard input\n"
    "  --format WORD  table (default), tsv or csv\n"
    "  --help         print this help\n"
    "\n"
    "Exit status: 0 after a run, 1 when the run is refused, 2 for a usage error.\n";

constexpr std::string_view kAnalyzeUsage =
    "Usage: newsvendor-run analyze [--runs TEXT] [--price TEXT] [--cost TEXT]\n"
    "                              [--freq T30,T40,T50,T60,T70] [--policy yesterday|annual]\n"
    "                              [--replications R] [--seed N] [--format table|csv|json]\n"
    "       newsvendor-run analyze --help\n"
    "\n"
    "Compares the ordering rules Yesterday's Demand, Average Annual Demand and the\n"
    "best fixed order (the critical-fractile quantity) for the run's parameters:\n"
    "their exact expected amounts, then R replications of the run with all rules\n"
    "on the same demands, summarised per rule and per pair of rules.\n"
    "\n"
    "  --runs, --price, --cost, --freq  as for a run; they are checked as a run\n"
    "                 checks them\n"
    "  --policy WORD  yesterday or annual: check the inputs as a run with that\n"
    "                 policy would (default: as with yesterday); all rules are\n"
    "                 compared either way\n"
    "  --replications R\n"
    "                 the number of replications, 1 to 1,000,000 (default 1000)\n"
    "  --seed N       seed of the replications, 0 to 18446744073709551615\n"
    "                 (default: from the clock; the seed used is printed)\n"
    "  --format WORD  table (default), csv or json\n"
    "  --help         print this help\n"
    "\n"
    "Exit status: 0 after an analysis, 1 when it is refused, 2 for a usage error.\n";

UsageError usageError(std::string message) {
    return UsageError{std::move(message), UsageTopic::Run};
}

UsageError analyzeUsageError(std::string message) {
    return UsageError{std::move(message), UsageTopic::Analyze};
}

std::string quoted(std::string_view text) {
    return "'" + displayText(text) + "'";
}

// A table-driven reader of "--name VALUE", "--name=VALUE" and "--flag"
// arguments into a Target; each subcommand has its own table.
template <class Target>
struct OptionSpec {
    std::string_view name;  // with the leading "--"
    bool takesValue;
    // Stores the value; a usage error when the value is not acceptable.
    std::optional<UsageError> (*apply)(Target &target, std::string_view value);
};

enum class OptionsOutcome { Parsed, Help };

template <class Target>
Result<OptionsOutcome, UsageError> parseOptions(std::span<const std::string_view> args,
                                                std::span<const OptionSpec<Target>> options,
                                                Target &target,
                                                UsageTopic topic = UsageTopic::Run) {
    const auto topicError = [topic](std::string message) {
        return UsageError{std::move(message), topic};
    };
    std::vector<bool> seen(options.size(), false);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!arg.starts_with("--")) {
            if (arg.starts_with("-") && arg.size() > 1) {
                return Failure{topicError("Unknown option " + quoted(arg))};
            }
            return Failure{topicError("Unexpected argument " + quoted(arg))};
        }
        const std::size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        const std::optional<std::string_view> inlineValue =
            equals == std::string_view::npos ? std::nullopt : std::optional(arg.substr(equals + 1));
        if (name == "--help") {
            if (inlineValue) {
                return Failure{topicError("Option --help takes no value")};
            }
            return OptionsOutcome::Help;
        }
        std::size_t index = 0;
        while (index < options.size() && options[index].name != name) {
            ++index;
        }
        if (index == options.size()) {
            return Failure{topicError("Unknown option " + quoted(name))};
        }
        const OptionSpec<Target> &option = options[index];
        if (seen[index]) {
            return Failure{topicError("Option " + std::string(name) + " is given twice")};
        }
        seen[index] = true;
        std::string_view value;
        if (option.takesValue) {
            if (inlineValue) {
                value = *inlineValue;
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                return Failure{topicError("Option " + std::string(name) + " needs a value")};
            }
        } else if (inlineValue) {
            return Failure{topicError("Option " + std::string(name) + " takes no value")};
        }
        if (std::optional<UsageError> error = option.apply(target, value)) {
            return Failure{std::move(*error)};
        }
    }
    return OptionsOutcome::Parsed;
}

// The run's options, as they are read; the cross-option checks follow.
struct RunTarget {
    RunCommand command;
    bool seedGiven = false;
    bool drawsGiven = false;
};

// The five --freq texts into distribution; a usage message for a bad count.
std::optional<std::string> readFrequencies(DemandDistribution &distribution,
                                           std::string_view value) {
    std::array<std::string_view, kDemandClasses> texts{};
    std::size_t count = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = value.find(',', start);
        const std::string_view piece = value.substr(start, comma - start);
        if (count < texts.size()) {
            texts[count] = piece;
        }
        ++count;
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    if (count != kDemandClasses) {
        return "--freq needs five frequencies separated by commas, not " + std::to_string(count);
    }
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        distribution.setFrequency(cls, storedFrequency(texts[cls]));
    }
    return std::nullopt;
}

// --policy: sets one of the two option states; false for a bad word.
bool readPolicy(RunInputs &inputs, std::string_view value) {
    if (value == "yesterday") {
        inputs.yesterdaySelected = true;
    } else if (value == "annual") {
        inputs.annualSelected = true;
    } else {
        return false;
    }
    return true;
}

std::string badPolicyMessage(std::string_view value) {
    return "Unknown order policy " + quoted(value) + ": use yesterday or annual";
}

std::string badSeedMessage(std::string_view value) {
    return "Bad seed " + quoted(value) + ": use a whole number from 0 to 18446744073709551615";
}

std::optional<UsageError> applyFrequencies(RunTarget &target, std::string_view value) {
    if (std::optional<std::string> message =
            readFrequencies(target.command.inputs.distribution, value)) {
        return usageError(std::move(*message));
    }
    return std::nullopt;
}

std::optional<UsageError> applyPolicy(RunTarget &target, std::string_view value) {
    if (!readPolicy(target.command.inputs, value)) {
        return usageError(badPolicyMessage(value));
    }
    return std::nullopt;
}

std::optional<UsageError> applySeed(RunTarget &target, std::string_view value) {
    const std::optional<std::uint64_t> seed = parseSeed(value);
    if (!seed) {
        return usageError(badSeedMessage(value));
    }
    target.command.random = FixedSeed{*seed};
    target.seedGiven = true;
    return std::nullopt;
}

std::optional<UsageError> applyDraws(RunTarget &target, std::string_view value) {
    if (value.empty()) {
        return usageError("Option --draws needs a file name");
    }
    target.command.random = DrawsFile{std::string(value)};
    target.drawsGiven = true;
    return std::nullopt;
}

std::optional<UsageError> applyFormat(RunTarget &target, std::string_view value) {
    if (value == "table") {
        target.command.format = OutputFormat::Table;
    } else if (value == "tsv") {
        target.command.format = OutputFormat::Tsv;
    } else if (value == "csv") {
        target.command.format = OutputFormat::Csv;
    } else {
        return usageError("Unknown format " + quoted(value) + ": use table, tsv or csv");
    }
    return std::nullopt;
}

constexpr std::array<OptionSpec<RunTarget>, 8> kRunOptions{{
    {"--runs", true,
     [](RunTarget &t, std::string_view v) -> std::optional<UsageError> {
         t.command.inputs.runsText = std::string(v);
         return std::nullopt;
     }},
    {"--price", true,
     [](RunTarget &t, std::string_view v) -> std::optional<UsageError> {
         t.command.inputs.priceText = std::string(v);
         return std::nullopt;
     }},
    {"--cost", true,
     [](RunTarget &t, std::string_view v) -> std::optional<UsageError> {
         t.command.inputs.costText = std::string(v);
         return std::nullopt;
     }},
    {"--freq", true, applyFrequencies},
    {"--policy", true, applyPolicy},
    {"--seed", true, applySeed},
    {"--draws", true, applyDraws},
    {"--format", true, applyFormat},
}};

Result<Command, UsageError> parseRunCommand(std::span<const std::string_view> args) {
    RunTarget target;
    auto outcome = parseOptions<RunTarget>(args, kRunOptions, target);
    if (!outcome) {
        return Failure{outcome.error()};
    }
    if (*outcome == OptionsOutcome::Help) {
        return Command{HelpRequest{}};
    }
    if (target.seedGiven && target.drawsGiven) {
        return Failure{usageError("--seed and --draws cannot be used together")};
    }
    return Command{std::move(target.command)};
}

// The options of analyze. The run's parameter options read the same way;
// --policy only chooses the option state the run's checks see, so giving it
// replaces the default selection of Yesterday's Demand.
struct AnalyzeTarget {
    AnalyzeCommand command;
};

std::optional<UsageError> applyAnalyzeFrequencies(AnalyzeTarget &target, std::string_view value) {
    if (std::optional<std::string> message =
            readFrequencies(target.command.inputs.distribution, value)) {
        return analyzeUsageError(std::move(*message));
    }
    return std::nullopt;
}

std::optional<UsageError> applyAnalyzePolicy(AnalyzeTarget &target, std::string_view value) {
    RunInputs &inputs = target.command.inputs;
    inputs.yesterdaySelected = false;
    inputs.annualSelected = false;
    if (!readPolicy(inputs, value)) {
        return analyzeUsageError(badPolicyMessage(value));
    }
    return std::nullopt;
}

std::optional<UsageError> applyReplications(AnalyzeTarget &target, std::string_view value) {
    const std::optional<std::int64_t> replications = parseReplications(value);
    if (!replications) {
        return analyzeUsageError("Bad number of replications " + quoted(value) +
                                 ": use a whole number from 1 to 1000000");
    }
    target.command.replications = *replications;
    return std::nullopt;
}

std::optional<UsageError> applyAnalyzeSeed(AnalyzeTarget &target, std::string_view value) {
    const std::optional<std::uint64_t> seed = parseSeed(value);
    if (!seed) {
        return analyzeUsageError(badSeedMessage(value));
    }
    target.command.seed = *seed;
    return std::nullopt;
}

std::optional<UsageError> applyAnalyzeFormat(AnalyzeTarget &target, std::string_view value) {
    if (value == "table") {
        target.command.format = AnalysisFormat::Table;
    } else if (value == "csv") {
        target.command.format = AnalysisFormat::Csv;
    } else if (value == "json") {
        target.command.format = AnalysisFormat::Json;
    } else {
        return analyzeUsageError("Unknown format " + quoted(value) + ": use table, csv or json");
    }
    return std::nullopt;
}

constexpr std::array<OptionSpec<AnalyzeTarget>, 9> kAnalyzeOptions{{
    {"--runs", true,
     [](AnalyzeTarget &t, std::string_view v) -> std::optional<UsageError> {
         t.command.inputs.runsText = std::string(v);
         return std::nullopt;
     }},
    {"--price", true,
     [](AnalyzeTarget &t, std::string_view v) -> std::optional<UsageError> {
         t.command.inputs.priceText = std::string(v);
         return std::nullopt;
     }},
    {"--cost", true,
     [](AnalyzeTarget &t, std::string_view v) -> std::optional<UsageError> {
         t.command.inputs.costText = std::string(v);
         return std::nullopt;
     }},
    {"--freq", true, applyAnalyzeFrequencies},
    {"--policy", true, applyAnalyzePolicy},
    {"--replications", true, applyReplications},
    {"--seed", true, applyAnalyzeSeed},
    {"--format", true, applyAnalyzeFormat},
    // Named so that it is refused with its reason rather than as unknown:
    // each replication draws its own demands from the seed.
    {"--draws", true,
     [](AnalyzeTarget &, std::string_view) -> std::optional<UsageError> {
         return analyzeUsageError("Option --draws cannot be used with analyze");
     }},
}};

Result<Command, UsageError> parseAnalyzeCommand(std::span<const std::string_view> args) {
    AnalyzeTarget target;
    auto outcome = parseOptions<AnalyzeTarget>(args, kAnalyzeOptions, target, UsageTopic::Analyze);
    if (!outcome) {
        return Failure{outcome.error()};
    }
    if (*outcome == OptionsOutcome::Help) {
        return Command{HelpRequest{UsageTopic::Analyze}};
    }
    return Command{std::move(target.command)};
}

// The subcommands, by the name given as the first argument.
struct CommandSpec {
    std::string_view name;
    Result<Command, UsageError> (*parse)(std::span<const std::string_view> args);
};
constexpr std::array<CommandSpec, 1> kSubcommands{{{"analyze", parseAnalyzeCommand}}};

}  // namespace

Result<Command, UsageError> parseCommandLine(std::span<const std::string_view> args) {
    if (!args.empty()) {
        for (const CommandSpec &command : kSubcommands) {
            if (args.front() == command.name) {
                return command.parse(args.subspan(1));
            }
        }
    }
    return parseRunCommand(args);
}

std::string_view usageText(UsageTopic topic) noexcept {
    return topic == UsageTopic::Analyze ? kAnalyzeUsage : kUsage;
}

std::optional<std::uint64_t> parseSeed(std::string_view text) noexcept {
    if (text.empty()) {
        return std::nullopt;
    }
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (kMax - digit) / 10) {
            return std::nullopt;
        }
        value = value * 10 + digit;
    }
    return value;
}

std::optional<std::int64_t> parseReplications(std::string_view text) noexcept {
    const bool negative = text.starts_with('-');
    if (negative) {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max();
    std::int64_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const std::int64_t digit = c - '0';
        magnitude = magnitude > (kLimit - digit) / 10 ? kLimit : magnitude * 10 + digit;
    }
    return negative ? -magnitude : magnitude;
}

}  // namespace nv::runner
