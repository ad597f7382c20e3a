// The command line of newsvendor-run, read into plain values.
//
//     newsvendor-run [--runs TEXT] [--price TEXT] [--cost TEXT]
//                    [--freq T30,T40,T50,T60,T70] [--policy yesterday|annual]
//                    [--seed N | --draws FILE] [--format table|tsv|csv]
//     newsvendor-run analyze [the same parameter options]
//                    [--replications R] [--seed N] [--format table|csv|json]
//     newsvendor-run debrief [the same parameter options] --seed N --orders FILE
//                    [--format table|csv|json]
//     newsvendor-run quantity [the parameter options] [--from Q] [--to Q]
//                    [--step S] [--format table|csv|json]
//     newsvendor-run sweep --vary price|cost|order --from X --to Y --step S
//                    [the parameter options] [--format table|csv|json]
//     newsvendor-run worksheet [the parameter options, --scenario] [--days N]
//                    [--seed N | --random-numbers FILE] [--digits 2|4]
//                    [--answers | --check FILE] [--format table|csv|json]
//     newsvendor-run -h | --help | --version     (analyze -h: analyze's help)
//
// Rules:
//   - --runs, --price and --cost are the texts of the three list fields, kept
//     byte for byte (defaults "250", "4.60", "2.20"); the run converts them.
//   - --freq takes exactly five texts separated by commas, each stored as a
//     frequency box stores its text (storedFrequency). Omitted: all five 0.
//   - --policy yesterday|annual selects one of the two order policies. A run
//     without it selects neither (and is refused for that); an analysis is
//     checked as with yesterday.
//   - --seed N: decimal digits only, 0..18446744073709551615. --draws FILE:
//     the day's random numbers from FILE ("-": standard input). Neither: the
//     clock seed. Both: a usage error. analyze has no --draws.
//   - debrief needs --seed and --orders FILE ("-": standard input); either
//     missing is a usage error. It has no --draws and no --replications.
//   - --replications R: an optional "-" and decimal digits (default 1000); a
//     whole number of any size is accepted here (beyond the 64-bit range it
//     is kept as the nearest end), the analysis checks 1..1,000,000.
//   - quantity and sweep: --from, --to and --step are amounts read as the
//     list fields read them (four decimals); quantity's default to 30, 70
//     and 1, sweep needs all three and --vary price|cost|order.
//   - An option that takes a value takes the next argument whatever it is
//     ("--price -2.20", "--runs --help"), or the text after "=" ("--price=",
//     "--cost=a=b"). An option given twice, an unknown option, a missing
//     value, a bad word, a value for a flag ("--help=no") and a stray
//     argument are usage errors; of several, the first from the left is
//     reported (a flag's value first of all, an unknown option or a stray
//     argument only after every option has been read).
//   - Only the first argument names a subcommand; the options of a
//     subcommand come after its name. "--" and "++" (which would end the
//     options or a subcommand in CLI11) are usage errors.
// Arguments are bytes: nothing here needs them to be valid UTF-8.
//
//     std::array<std::string_view, 4> args{"--policy", "annual", "--seed", "7"};
//     auto parsed = nv::runner::parseCommandLine(args);
//     // parsed holds a RunCommand with annualSelected and FixedSeed{7}.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "engine/analysis/order_quantity.h"
#include "engine/analysis/quantity_sweep.h"
#include "engine/simulation_parameters.h"
#include "support/result.h"

namespace nv::runner {

enum class OutputFormat { Table, Tsv, Csv };
enum class AnalysisFormat { Table, Csv, Json };

// Where a run's random numbers come from.
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
    friend bool operator==(const RunCommand &, const RunCommand &) = default;
};

inline constexpr std::int64_t kDefaultReplications = 1000;

// One analysis of the ordering rules, as the command line describes it.
struct AnalyzeCommand {
    RunInputs inputs{"250", "4.60", "2.20", DemandDistribution{}, true, false};
    std::int64_t replications = kDefaultReplications;  // as given; not yet range-checked
    std::optional<std::uint64_t> seed;                 // nullopt: the clock seed
    AnalysisFormat format = AnalysisFormat::Table;
    friend bool operator==(const AnalyzeCommand &, const AnalyzeCommand &) = default;
};

// The debrief of a game played with the orders of a file (one per line, "-"
// for standard input) on the demands of a seed. --runs only feeds the
// inputs' checks: the game lasts as many days as the file has orders.
struct DebriefCommand {
    RunInputs inputs{"", "4.60", "2.20", DemandDistribution{}, true, false};
    bool runsGiven = false;  // else the checks take the number of orders
    std::uint64_t seed = 0;
    std::string ordersPath;
    AnalysisFormat format = AnalysisFormat::Table;
    friend bool operator==(const DebriefCommand &, const DebriefCommand &) = default;
};

// The order-quantity lesson ("quantity") over a range of orders. The range
// is checked here: a reversed range, a step of 0 or below, more than
// kMaxRangePoints points or an order below 0 is a usage error.
struct QuantityCommand {
    RunInputs inputs{"250", "4.60", "2.20", DemandDistribution{}, true, false};
    AmountRange orders = kDefaultCurveRange;
    AnalysisFormat format = AnalysisFormat::Table;
    friend bool operator==(const QuantityCommand &, const QuantityCommand &) = default;
};

// A sweep of one input ("sweep"); the range is checked as for quantity (an
// order below 0 only when the order is varied).
struct SweepCommand {
    RunInputs inputs{"250", "4.60", "2.20", DemandDistribution{}, true, false};
    SweepInput varied = SweepInput::Price;
    AmountRange values;
    AnalysisFormat format = AnalysisFormat::Table;
    friend bool operator==(const SweepCommand &, const SweepCommand &) = default;
};

// One hand-simulation worksheet (runner/worksheet.h), as the command line
// describes it.
struct WorksheetCommand {
    RunInputs inputs{"250", "4.60", "2.20", DemandDistribution{}, false, false};
    std::int64_t days = 20;                        // as given; not yet range-checked
    std::optional<int> digits;                     // 2 or 4; nullopt: what the frequencies need
    std::optional<std::uint64_t> seed;             // nullopt and no numbers file: the clock seed
    std::optional<std::string> randomNumbersPath;  // "-" is standard input
    std::optional<std::string> checkPath;          // a student's filled sheet
    bool answers = false;
    AnalysisFormat format = AnalysisFormat::Table;
    friend bool operator==(const WorksheetCommand &, const WorksheetCommand &) = default;
};

// -h or --help: print `text` on standard output and succeed.
struct HelpRequest {
    std::string text;
    friend bool operator==(const HelpRequest &, const HelpRequest &) = default;
};

// --version: print versionText() and succeed.
struct VersionRequest {
    friend bool operator==(const VersionRequest &, const VersionRequest &) = default;
};

using Command = std::variant<HelpRequest, VersionRequest, RunCommand, AnalyzeCommand,
                             DebriefCommand, QuantityCommand, SweepCommand, WorksheetCommand>;

// A command line that cannot be carried out: a one-line message, and the
// command whose help explains it ("newsvendor-run", "newsvendor-run analyze").
struct UsageError {
    std::string message;
    std::string command = "newsvendor-run";
    friend bool operator==(const UsageError &, const UsageError &) = default;
};

// args are the arguments after the program name.
[[nodiscard]] Result<Command, UsageError> parseCommandLine(std::span<const std::string_view> args);

// The line printed after a usage error's message, without its line end:
// "Run 'newsvendor-run --help' for more information."
[[nodiscard]] std::string helpHint(const UsageError &error);

// "newsvendor-run 0.1.0": the project's version, without a line end.
[[nodiscard]] std::string_view versionText() noexcept;

}  // namespace nv::runner
