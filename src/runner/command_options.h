// The options of newsvendor-run, one function per concern, each adding its
// options to a CLI::App and storing what they are given straight into a
// command's fields. A subcommand is its App plus the adders it wants:
//
//     CLI::App &sub = *app.add_subcommand("sweep", "...");
//     addRunInputOptions(sub, command.inputs, PolicyDefault::Yesterday);
//     addSeedOption(sub, command.seed);
//     addFormatOption(sub, command.format, kAnalysisFormats);
//
// Every option here takes one value (the next argument, or the text after
// "="), may be given once, and is read when it is met on the command line: a
// bad value or a second time throws OptionError with its one-line message,
// so the first problem from the left is the one reported.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "engine/simulation_parameters.h"
#include "io/scenario.h"
#include "runner/command_line.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace nv::runner {

// A value the command line cannot take: the usage message.
class OptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Adds --name VALUE: `store` keeps the value, or gives the usage message for
// a value it cannot take. Repeating the option is an error.
CLI::Option *addValueOption(CLI::App &app, const std::string &name, const std::string &valueName,
                            const std::string &description,
                            std::function<std::optional<std::string>(const std::string &)> store);

// What --policy leaves selected when it is not given.
enum class PolicyDefault { None, Yesterday };

// --runs, --price, --cost, --freq, --policy and --scenario FILE into inputs.
// With PolicyDefault::Yesterday a given --policy replaces the selection.
// The scenario's values are defaults: an option given beside it wins,
// whatever the order; a null policy in it keeps PolicyDefault::Yesterday's
// selection. Its seed, if it has one, is stored through the App's --seed
// option (addSeedOption) once the command line has been read, unless --seed
// or --draws was given; for that this takes the App's parse-complete
// callback. A file that cannot be used is a usage error with its
// scenarioMessage, naming the file as the desktop program does.
//
// A command that takes more of a scenario says so in `use`: `opened` gets
// the scenario read (the worksheet takes its worksheet_days and
// worksheet_seed), and runSeed false leaves its run seed unused.
struct ScenarioUse {
    bool runSeed = true;
    std::optional<Scenario> *opened = nullptr;
};
void addRunInputOptions(CLI::App &app, RunInputs &inputs, PolicyDefault policyDefault,
                        ScenarioUse use = {});

// --seed N.
void addSeedOption(CLI::App &app, std::optional<std::uint64_t> &seed);

// --replications R.
void addReplicationsOption(CLI::App &app, std::int64_t &replications);

// --format WORD, one of `words`.
template <class Format>
using FormatWords = std::span<const std::pair<std::string_view, Format>>;

inline constexpr std::array<std::pair<std::string_view, OutputFormat>, 3> kRunFormats{
    {{"table", OutputFormat::Table}, {"tsv", OutputFormat::Tsv}, {"csv", OutputFormat::Csv}}};
inline constexpr std::array<std::pair<std::string_view, AnalysisFormat>, 3> kAnalysisFormats{
    {{"table", AnalysisFormat::Table},
     {"csv", AnalysisFormat::Csv},
     {"json", AnalysisFormat::Json}}};

void addFormatOption(CLI::App &app, OutputFormat &format, FormatWords<OutputFormat> words);
void addFormatOption(CLI::App &app, AnalysisFormat &format, FormatWords<AnalysisFormat> words);

// The --seed text: decimal digits only, 0..2^64-1.
[[nodiscard]] std::optional<std::uint64_t> parseSeed(std::string_view text) noexcept;

// The --replications text: an optional "-" and decimal digits, saturated to
// the 64-bit range. "1000" -> 1000, "-5" -> -5, "1.5" -> nullopt.
[[nodiscard]] std::optional<std::int64_t> parseReplications(std::string_view text) noexcept;

// A user's text inside a message: 'abc', control bytes and invalid UTF-8
// escaped, long texts cut (runner_text.h).
[[nodiscard]] std::string quotedText(std::string_view text);

}  // namespace nv::runner
