// The command line of newsvendor-run, read into plain values.
//
//     newsvendor-run [--runs TEXT] [--price TEXT] [--cost TEXT]
//                    [--freq T30,T40,T50,T60,T70] [--policy yesterday|annual]
//                    [--seed N | --draws FILE] [--format table|tsv|csv]
//
// Rules:
//   - --runs, --price and --cost are the texts of the three list fields, kept
//     byte for byte (defaults "250", "4.60", "2.20"); the run converts them.
//   - --freq takes exactly five texts separated by commas. Each is stored as a
//     frequency box stores its text when it loses the focus: its leading
//     number, as Currency (nullopt when it cannot be represented). Omitted:
//     all five are 0.
//   - --policy selects one of the two order-policy options; omitted: neither.
//   - --seed N: a decimal whole number 0..18446744073709551615, digits only.
//     --draws FILE: the day's random numbers from FILE ("-": standard input).
//     Neither: the clock seed. Both: a usage error.
//   - --format: table (the default), tsv or csv.
//   - An option that takes a value takes the next argument whatever it is
//     ("--price -1", "--runs --help"), or the text after "=" ("--price=4.50").
//   - An option given twice, an unknown option, a missing value, a bad word
//     and a stray argument are usage errors. --help asks for the usage.
// Arguments are bytes: nothing here needs them to be valid UTF-8.
//
//     std::array<std::string_view, 4> args{"--policy", "annual", "--seed", "7"};
//     auto parsed = nv::runner::parseCommandLine(args);
//     // parsed holds a RunCommand with annualSelected and seed 7.
//
// The first argument may name a subcommand: parseCommandLine dispatches on a
// table of names, each with its own option table.
//
//     newsvendor-run analyze [--runs TEXT] [--price TEXT] [--cost TEXT]
//                            [--freq T30,T40,T50,T60,T70] [--policy yesterday|annual]
//                            [--replications R] [--seed N] [--format table|csv|json]
//
// Rules of analyze:
//   - --runs, --price, --cost, --freq and --seed are read as for the run.
//   - --policy selects the option the run's checks see; the analysis compares
//     every rule whichever is chosen. Omitted: Yesterday's Demand is selected,
//     so "You must select an Order Policy" never refuses an analysis.
//   - --replications R: an optional "-" and decimal digits (default 1000). A
//     whole number is accepted here whatever its size (beyond the 64-bit
//     range it is kept as the nearest end of it); whether it lies within
//     1..1,000,000 is the analysis's own check. Anything else ("abc", "1.5",
//     "1,000", "+5", "") is a usage error.
//   - --format: table (the default), csv or json. --draws is a usage error.
//
//     std::array<std::string_view, 5> args{"analyze", "--replications", "500",
//                                          "--format", "json"};
//     // parseCommandLine(args) holds an AnalyzeCommand with 500 replications.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "engine/simulation_parameters.h"
#include "support/currency.h"
#include "support/result.h"

namespace nv::runner {

enum class OutputFormat { Table, Tsv, Csv };
enum class AnalysisFormat { Table, Csv, Json };

// Which usage text goes with a help request or a usage error.
enum class UsageTopic { Run, Analyze };

// Where the run's random numbers come from.
struct ClockSeed {
    friend bool operator==(const ClockSeed &, const ClockSeed &) = default;
};
struct FixedSeed {
    std::uint64_t seed = 0;
    friend bool operator==(const FixedSeed &, const FixedSeed &) = default;
};
struct DrawsFile {
    std::string path;  // "-" is standard input
    friend bool operator==(const DrawsFile &, const DrawsFile &) = default;
};
using RandomChoice = std::variant<ClockSeed, FixedSeed, DrawsFile>;

// One run, as the command line describes it.
struct RunCommand {
    RunInputs inputs{"250", "4.60", "2.20", DemandDistribution{}, false, false};
    RandomChoice random = ClockSeed{};
    OutputFormat format = OutputFormat::Table;
};

inline constexpr std::int64_t kDefaultReplications = 1000;

// One analysis of the ordering rules, as the command line describes it.
struct AnalyzeCommand {
    RunInputs inputs{"250", "4.60", "2.20", DemandDistribution{}, true, false};
    std::int64_t replications = kDefaultReplications;  // as given; not yet range-checked
    std::optional<std::uint64_t> seed;                 // nullopt: the clock seed
    AnalysisFormat format = AnalysisFormat::Table;
};

// --help: print the usage and succeed.
struct HelpRequest {
    UsageTopic topic = UsageTopic::Run;
    friend bool operator==(const HelpRequest &, const HelpRequest &) = default;
};

using Command = std::variant<HelpRequest, RunCommand, AnalyzeCommand>;

// A command line that cannot be carried out: the one-line message shown
// before the usage.
struct UsageError {
    std::string message;
    UsageTopic topic = UsageTopic::Run;  // the usage shown with it
    friend bool operator==(const UsageError &, const UsageError &) = default;
};

// args are the arguments after the program name.
[[nodiscard]] Result<Command, UsageError> parseCommandLine(std::span<const std::string_view> args);

// The usage text of the run or of analyze, ending in a newline.
[[nodiscard]] std::string_view usageText(UsageTopic topic = UsageTopic::Run) noexcept;

// The --seed text: decimal digits only, 0..2^64-1.
[[nodiscard]] std::optional<std::uint64_t> parseSeed(std::string_view text) noexcept;

// The --replications text: an optional "-" and decimal digits, saturated to
// the 64-bit range. "1000" -> 1000, "-5" -> -5, "1.5" -> nullopt.
[[nodiscard]] std::optional<std::int64_t> parseReplications(std::string_view text) noexcept;

}  // namespace nv::runner
