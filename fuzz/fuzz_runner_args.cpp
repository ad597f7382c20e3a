// Fuzzes the headless runner's input. An input "ARGS\0\0DRAWS" is a command
// line (ARGS split on NUL bytes) for the option parser and a draws file
// (DRAWS) for the draws parser; without a double NUL the whole input is both.
// A command line that is cheap and deterministic to run is also run whole,
// in-process, with DRAWS as its standard input.
//
// The oracle reads the command line by the parser's own rule, walking it
// from the left: an option that takes a value swallows the next argument
// whatever it is ("--price --draws" gives the price "--draws"), or takes the
// text after "=". Checked:
//   - no crash, no sanitizer report, and parsing twice gives the same answer
//     (checked for one input in eight);
//   - a usage error is one printable line of valid UTF-8, pointing to the
//     help of the command the first argument names;
//   - a parsed command line agrees with itself: written back out as
//     "--name=value" arguments it parses to the same command, and each text
//     it holds was given as that option's value (or is the default); help
//     and the version only when asked for;
//   - a parsed draw is always in [0, 1), and a parsed file has one draw per
//     line that is not blank; a refused file names a line that exists, is not
//     blank, and holds the text reported;
//   - a whole run exits 0, 1 or 2; only 0 prints to stdout, in as many lines
//     as the grid has rows; 1 prints one line; 2 its message and the line
//     pointing to the help;
//   - "analyze" as the first argument: a small analysis with a fixed seed is
//     run whole, and completes exactly when its checks and the replications
//     range accept it, refusing with the checks' message otherwise.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/replications.h"
#include "engine/validation.h"
#include "runner/command_line.h"
#include "runner/draws.h"
#include "runner/runner.h"
#include "runner/runner_text.h"
#include "support/text_conversion.h"
#include "support/utf8.h"

namespace {

using nv::runner::AnalyzeCommand;
using nv::runner::Command;
using nv::runner::RunCommand;

[[noreturn]] void fail(const char *what, std::string_view detail = {}) {
    std::fprintf(stderr, "fuzz_runner_args: %s: %s\n", what,
                 nv::runner::displayText(detail, 200).c_str());
    std::abort();
}

void check(bool condition, const char *what, std::string_view detail = {}) {
    if (!condition) {
        fail(what, detail);
    }
}

std::vector<std::string_view> splitOn(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        pieces.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return pieces;
        }
        start = end + 1;
    }
}

bool isPrintableLine(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            return false;
        }
    }
    return nv::isValidUtf8(text);
}

// The command line as the parser reads it: the options given (with their
// values) and the other arguments, in order.
struct ReadLine {
    struct Given {
        std::string_view name;
        std::string_view value;
    };
    std::vector<Given> options;
    std::vector<std::string_view> others;  // flags, unknown options, stray arguments
};

constexpr std::array<std::string_view, 9> kRunValueOptions = {"--runs",  "--price",  "--cost",
                                                              "--freq",  "--policy", "--seed",
                                                              "--draws", "--format", "--scenario"};
constexpr std::array<std::string_view, 10> kAnalyzeValueOptions = {
    "--runs", "--price",        "--cost",   "--freq",  "--policy",
    "--seed", "--replications", "--format", "--draws", "--scenario"};

// The commands other than the run and analyze: this target checks how
// their command lines are refused and that they are read as themselves.
constexpr std::array<std::string_view, 4> kOtherCommands = {"debrief", "quantity", "sweep",
                                                            "worksheet"};

// The command the first argument names: "analyze", one of kOtherCommands,
// or "" for the run.
std::string_view commandOf(const std::vector<std::string_view> &args) {
    if (args.empty()) {
        return {};
    }
    if (args.front() == "analyze") {
        return args.front();
    }
    for (const std::string_view other : kOtherCommands) {
        if (args.front() == other) {
            return other;
        }
    }
    return {};
}

ReadLine readLine(const std::vector<std::string_view> &args) {
    const bool analyze = !args.empty() && args.front() == "analyze";
    const auto takesValue = [analyze](std::string_view name) {
        for (const std::string_view option :
             analyze ? std::span<const std::string_view>(kAnalyzeValueOptions)
                     : std::span<const std::string_view>(kRunValueOptions)) {
            if (option == name) {
                return true;
            }
        }
        return false;
    };
    ReadLine line;
    for (std::size_t i = analyze ? 1 : 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const std::size_t equals = arg.find('=');
        if (arg.starts_with("--") && equals != std::string_view::npos &&
            takesValue(arg.substr(0, equals))) {
            line.options.push_back({arg.substr(0, equals), arg.substr(equals + 1)});
        } else if (takesValue(arg) && i + 1 < args.size()) {
            line.options.push_back({arg, args[i + 1]});
            ++i;
        } else {
            line.others.push_back(arg);
        }
    }
    return line;
}

// Whether option was given (as an option, not as another's value).
bool mentions(const ReadLine &line, std::string_view option) {
    for (const ReadLine::Given &given : line.options) {
        if (given.name == option) {
            return true;
        }
    }
    return false;
}

// Whether text was given as the value of option.
bool givenAsValue(const ReadLine &line, std::string_view option, std::string_view text) {
    for (const ReadLine::Given &given : line.options) {
        if (given.name == option && given.value == text) {
            return true;
        }
    }
    return false;
}

// Whether an argument that is no option's value starts with one of prefixes.
bool asked(const ReadLine &line, std::initializer_list<std::string_view> prefixes) {
    for (const std::string_view arg : line.others) {
        for (const std::string_view prefix : prefixes) {
            if (arg.starts_with(prefix)) {
                return true;
            }
        }
    }
    return false;
}

// A stored frequency as a text that a frequency box stores back exactly, or
// nothing when the double reading cannot be trusted to give it back.
std::optional<std::string> frequencyText(std::optional<nv::Currency> frequency) {
    if (!frequency) {
        return std::string("1e400");  // reads as infinity: unrepresentable
    }
    const std::int64_t units = frequency->units();
    if (units > (std::int64_t{1} << 52) || units < -(std::int64_t{1} << 52)) {
        return std::nullopt;
    }
    const std::uint64_t magnitude =
        units < 0 ? static_cast<std::uint64_t>(-units) : static_cast<std::uint64_t>(units);
    std::string fraction = std::to_string(magnitude % 10'000);
    fraction.insert(0, 4 - fraction.size(), '0');
    return std::string(units < 0 ? "-" : "") + std::to_string(magnitude / 10'000) + "." + fraction;
}

// The parameter options of inputs as arguments, or nothing when a frequency
// cannot be written exactly.
std::optional<std::vector<std::string>> parameterArgs(const nv::RunInputs &inputs) {
    std::vector<std::string> args = {"--runs=" + inputs.runsText, "--price=" + inputs.priceText,
                                     "--cost=" + inputs.costText};
    std::string freq = "--freq=";
    for (std::size_t cls = 0; cls < nv::kDemandClasses; ++cls) {
        const auto text = frequencyText(inputs.distribution.frequency(cls));
        if (!text) {
            return std::nullopt;
        }
        freq += (cls > 0 ? "," : "") + *text;
    }
    args.push_back(freq);
    return args;
}

// The analysis written back out as arguments.
std::optional<std::vector<std::string>> writtenBack(const AnalyzeCommand &command) {
    auto parameters = parameterArgs(command.inputs);
    if (!parameters) {
        return std::nullopt;
    }
    std::vector<std::string> args = {"analyze"};
    args.insert(args.end(), parameters->begin(), parameters->end());
    args.emplace_back(command.inputs.annualSelected ? "--policy=annual" : "--policy=yesterday");
    args.push_back("--replications=" + std::to_string(command.replications));
    if (command.seed) {
        args.push_back("--seed=" + std::to_string(*command.seed));
    }
    switch (command.format) {
        case nv::runner::AnalysisFormat::Table:
            args.emplace_back("--format=table");
            break;
        case nv::runner::AnalysisFormat::Csv:
            args.emplace_back("--format=csv");
            break;
        case nv::runner::AnalysisFormat::Json:
            args.emplace_back("--format=json");
            break;
    }
    return args;
}

// The command written back out as arguments, or nothing when a frequency
// cannot be written exactly.
std::optional<std::vector<std::string>> writtenBack(const RunCommand &command) {
    auto parameters = parameterArgs(command.inputs);
    if (!parameters) {
        return std::nullopt;
    }
    std::vector<std::string> args = std::move(*parameters);
    if (command.inputs.yesterdaySelected) {
        args.emplace_back("--policy=yesterday");
    }
    if (command.inputs.annualSelected) {
        args.emplace_back("--policy=annual");
    }
    if (const auto *seed = std::get_if<nv::runner::FixedSeed>(&command.random)) {
        args.push_back("--seed=" + std::to_string(seed->seed));
    }
    if (const auto *draws = std::get_if<nv::runner::DrawsFile>(&command.random)) {
        args.push_back("--draws=" + draws->path);
    }
    switch (command.format) {
        case nv::runner::OutputFormat::Table:
            args.emplace_back("--format=table");
            break;
        case nv::runner::OutputFormat::Tsv:
            args.emplace_back("--format=tsv");
            break;
        case nv::runner::OutputFormat::Csv:
            args.emplace_back("--format=csv");
            break;
    }
    return args;
}

// The command written back out parses to the same command.
template <class Parsed>
void checkWrittenBack(const Parsed &command) {
    if (const auto back = writtenBack(command)) {
        const std::vector<std::string_view> backViews(back->begin(), back->end());
        const auto reparsed = nv::runner::parseCommandLine(backViews);
        check(reparsed.ok(), "the command written back out does not parse",
              reparsed.ok() ? "" : reparsed.error().message);
        check(*reparsed == Command{command}, "the command written back out parses differently");
    }
}

void checkInputTexts(const ReadLine &line, const nv::RunInputs &inputs) {
    check(inputs.runsText == "250" || givenAsValue(line, "--runs", inputs.runsText),
          "a runs text that was not given", inputs.runsText);
    check(inputs.priceText == "4.60" || givenAsValue(line, "--price", inputs.priceText),
          "a price text that was not given", inputs.priceText);
    check(inputs.costText == "2.20" || givenAsValue(line, "--cost", inputs.costText),
          "a cost text that was not given", inputs.costText);
    check(!(inputs.yesterdaySelected && inputs.annualSelected), "both order policies selected");
    if (inputs.annualSelected) {
        check(givenAsValue(line, "--policy", "annual"), "annual without --policy annual");
    }
    if (!mentions(line, "--freq")) {
        check(inputs.distribution == nv::DemandDistribution{}, "frequencies without --freq");
    }
    for (const ReadLine::Given &given : line.options) {
        check(given.name != "--policy" || given.value == "yesterday" || given.value == "annual",
              "a bad policy word accepted", given.value);
    }
}

void checkAnalysisLine(const ReadLine &line, const AnalyzeCommand &command) {
    check(command.inputs.yesterdaySelected != command.inputs.annualSelected,
          "not exactly one policy for the checks of an analysis");
    checkInputTexts(line, command.inputs);
    if (!mentions(line, "--replications")) {
        check(command.replications == nv::runner::kDefaultReplications,
              "replications without --replications");
    }
    check(command.seed.has_value() == mentions(line, "--seed"), "a seed without --seed");
    // Given as an option (not as another option's value) it is refused.
    check(!mentions(line, "--draws"), "an analysis with --draws");
    checkWrittenBack(command);
}

void checkRunLine(const ReadLine &line, const RunCommand &command) {
    checkInputTexts(line, command.inputs);
    check(std::holds_alternative<nv::runner::FixedSeed>(command.random) == mentions(line, "--seed"),
          "a seed without --seed");
    check(
        std::holds_alternative<nv::runner::DrawsFile>(command.random) == mentions(line, "--draws"),
        "draws without --draws");
    if (const auto *draws = std::get_if<nv::runner::DrawsFile>(&command.random)) {
        check(!draws->path.empty(), "an empty draws file name");
        check(givenAsValue(line, "--draws", draws->path), "a draws file name that was not given",
              draws->path);
    }
    checkWrittenBack(command);
}

using Parsed = decltype(nv::runner::parseCommandLine({}));

// A parse is the most costly step of an input: the second parse that shows
// a parse keeps no state between calls is made for one input in eight,
// chosen by its length so that a failing input fails again.
void checkParsesAlike(const std::vector<std::string_view> &args, std::size_t inputSize,
                      const Parsed &parsed) {
    if (inputSize % 8 != 0) {
        return;
    }
    const auto again = nv::runner::parseCommandLine(args);
    check(parsed.ok() == again.ok(), "two parses disagree");
    if (parsed) {
        check(*parsed == *again, "two parses give different commands");
    } else {
        check(parsed.error() == again.error(), "two parses give different errors");
    }
}

void checkCommandLine(const std::vector<std::string_view> &args, const Parsed &parsed) {
    const std::string_view command = commandOf(args);
    const bool analyze = command == "analyze";
    if (!parsed) {
        check(!parsed.error().message.empty(), "an empty usage message");
        check(isPrintableLine(parsed.error().message), "a usage message that is not one line",
              parsed.error().message);
        const std::string expected =
            command.empty() ? "newsvendor-run" : "newsvendor-run " + std::string(command);
        check(parsed.error().command == expected,
              "a usage error pointing to the other command's help", parsed.error().command);
        return;
    }
    if (!analyze && !command.empty()) {
        if (std::holds_alternative<nv::runner::HelpRequest>(*parsed)) {
            return;
        }
        const bool asNamed =
            (command == "debrief" && std::holds_alternative<nv::runner::DebriefCommand>(*parsed)) ||
            (command == "quantity" &&
             std::holds_alternative<nv::runner::QuantityCommand>(*parsed)) ||
            (command == "sweep" && std::holds_alternative<nv::runner::SweepCommand>(*parsed)) ||
            (command == "worksheet" &&
             std::holds_alternative<nv::runner::WorksheetCommand>(*parsed));
        check(asNamed, "a command read as another", command);
        return;
    }
    const ReadLine line = readLine(args);
    // Whatever is given, nothing that is not an option's value is left over
    // but the help and version flags.
    if (const auto *help = std::get_if<nv::runner::HelpRequest>(&*parsed)) {
        check(asked(line, {"-h", "--help"}), "help without -h or --help");
        check(!help->text.empty(), "an empty help");
        return;
    }
    if (std::holds_alternative<nv::runner::VersionRequest>(*parsed)) {
        check(command.empty() && asked(line, {"--version"}), "the version without --version");
        return;
    }
    check(line.others.empty(), "a command line with a stray argument accepted",
          line.others.empty() ? "" : line.others.front());
    if (const auto *analysis = std::get_if<AnalyzeCommand>(&*parsed)) {
        check(analyze, "an analysis without analyze");
        checkAnalysisLine(line, *analysis);
        return;
    }
    check(!analyze, "analyze read as a run");
    checkRunLine(line, std::get<RunCommand>(*parsed));
}

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

void checkDraws(std::string_view text) {
    const auto parsed = nv::runner::parseDraws(text);
    const auto again = nv::runner::parseDraws(text);
    check(parsed.ok() == again.ok(), "two draws parses disagree");

    std::vector<std::string_view> lines = splitOn(text, '\n');
    if (!text.empty() && text.back() == '\n') {
        lines.pop_back();  // a final line end starts no line
    }
    for (std::string_view &line : lines) {
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
    }
    std::size_t nonBlank = 0;
    for (const std::string_view line : lines) {
        nonBlank += isBlank(line) ? 0u : 1u;
    }

    if (parsed) {
        check(*parsed == *again, "two draws parses give different draws");
        check(parsed->size() == nonBlank, "not one draw per line that is not blank");
        for (const float draw : *parsed) {
            check(!std::isnan(draw) && draw >= 0.0f && draw < 1.0f, "a draw outside [0, 1)");
        }
        return;
    }
    const nv::runner::DrawsError &error = parsed.error();
    check(error == again.error(), "two draws parses give different errors");
    check(error.line >= 1 && error.line <= lines.size(), "an error on a line that does not exist");
    const std::string_view line = lines[error.line - 1];
    check(line == error.text, "an error that misquotes its line", error.text);
    check(!isBlank(line), "an error on a blank line");
    for (std::size_t i = 0; i + 1 < error.line; ++i) {
        // Every line before it reads as a draw.
        check(isBlank(lines[i]) || nv::parseDouble(lines[i]).ok(), "an earlier line was skipped");
    }
    check(isPrintableLine(nv::runner::drawsErrorMessage(error)),
          "a draws message that is not one line");
}

// Runs a small analysis whole: a fixed seed, at most 40 days and 8
// replications, on one thread's worth of work.
void checkWholeAnalysis(const std::vector<std::string_view> &args, const AnalyzeCommand &command) {
    if (!command.seed || command.replications > 8) {
        return;
    }
    const auto days = nv::parseDouble(command.inputs.runsText);
    if (days && *days > 40.0) {
        return;
    }
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    const int status = nv::runner::runRunner(args, in, out, err, nv::NumberLocale{});
    const auto checked = nv::AnalysisParameters::fromInputs(command.inputs);
    const bool inRange = command.replications >= nv::kMinReplications &&
                         command.replications <= nv::kMaxReplications;
    if (checked && inRange) {
        check(status == 0, "an accepted analysis did not complete", err.str());
        check(err.str().empty(), "a completed analysis printed to standard error", err.str());
        check(!out.str().empty(), "a completed analysis printed nothing");
        return;
    }
    check(status == 1, "a refused analysis did not exit with 1");
    check(out.str().empty(), "a refused analysis printed to standard output");
    const nv::Refusal failure = checked ? nv::Refusal::ReplicationsOutOfRange : checked.error();
    check(err.str() == std::string(nv::refusalMessage(failure)) + "\n",
          "an analysis refused with another message", err.str());
}

// Runs the whole program when that is deterministic and quick: a fixed seed,
// or draws from standard input; at most 40 days (what is explored is the
// reading and the checks, not the length of a run).
void checkWholeRun(const std::vector<std::string_view> &args, const Parsed &parsed,
                   std::string_view input) {
    if (parsed) {
        if (const auto *analysis = std::get_if<AnalyzeCommand>(&*parsed)) {
            checkWholeAnalysis(args, *analysis);
            return;
        }
    }
    if (!parsed || !std::holds_alternative<RunCommand>(*parsed)) {
        return;
    }
    const RunCommand &command = std::get<RunCommand>(*parsed);
    const auto *draws = std::get_if<nv::runner::DrawsFile>(&command.random);
    if (std::holds_alternative<nv::runner::ClockSeed>(command.random) ||
        (draws != nullptr && draws->path != "-")) {
        return;
    }
    const auto runs = nv::parseDouble(command.inputs.runsText);
    if (runs && *runs > 40.0) {
        return;
    }
    std::istringstream in{std::string(input)};
    std::ostringstream out;
    std::ostringstream err;
    const int status = nv::runner::runRunner(args, in, out, err, nv::NumberLocale{});
    const std::string outText = out.str();
    const std::string errText = err.str();
    check(status == 0 || status == 1 || status == 2, "an exit status other than 0, 1, 2");
    if (status != 0) {
        check(outText.empty(), "a failed run printed to standard output");
    }
    if (status == 0) {
        check(errText.empty(), "a completed run printed to standard error", errText);
        const auto checked = nv::checkRun(command.inputs);
        check(checked.ok(), "a run completed that its checks refuse");
        std::size_t lineCount = 0;
        for (const char c : outText) {
            lineCount += c == '\n' ? 1 : 0;
        }
        check(lineCount == static_cast<std::size_t>(checked->gridRows),
              "not one output line per grid row");
    }
    if (status == 1) {
        check(
            !errText.empty() && errText.back() == '\n' && errText.find('\n') == errText.size() - 1,
            "a refusal that is not one line", errText);
    }
    if (status == 2) {
        const std::size_t firstEnd = errText.find('\n');
        check(firstEnd != std::string::npos &&
                  errText.substr(firstEnd + 1).starts_with("Run 'newsvendor-run") &&
                  errText.ends_with(" --help' for more information.\n") &&
                  errText.find('\n', firstEnd + 1) == errText.size() - 1,
              "a usage error that is not its message and the help line", errText);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    // "ARGS\0\0DRAWS": the arguments (split on NUL) and a separate draws
    // text; without a double NUL the whole input serves as both.
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const std::size_t split = input.find(std::string_view("\0\0", 2));
    const std::string_view argText = input.substr(0, split);
    const std::string_view drawsText =
        split == std::string_view::npos ? input : input.substr(split + 2);
    const std::vector<std::string_view> args =
        argText.empty() ? std::vector<std::string_view>{} : splitOn(argText, '\0');
    const Parsed parsed = nv::runner::parseCommandLine(args);
    checkParsesAlike(args, size, parsed);
    checkCommandLine(args, parsed);
    checkDraws(drawsText);
    checkWholeRun(args, parsed, drawsText);
    return 0;
}
