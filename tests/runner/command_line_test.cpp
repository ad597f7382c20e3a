// The command line of newsvendor-run and of analyze: what it is read into,
// its usage errors, help and version, and the seed and replications texts.
#include "runner/command_line.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runner/command_options.h"

namespace nv::runner {
namespace {

using Freq =
    std::array<std::optional<std::int64_t>, 5>;  // ten-thousandths; nullopt: unrepresentable

Freq storedUnits(const DemandDistribution &d) {
    Freq out;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto f = d.frequency(i);
        out[i] = f ? std::optional(f->units()) : std::nullopt;
    }
    return out;
}

Result<Command, UsageError> parse(const std::vector<std::string> &args) {
    std::vector<std::string_view> views(args.begin(), args.end());
    return parseCommandLine(views);
}

// ---- Command lines that describe a run ------------------------------------

struct AcceptedCase {
    const char *name;
    std::vector<std::string> args;
    std::array<std::string, 3> texts;  // runs, price, cost
    Freq freq;
    std::array<bool, 2> policy;  // yesterday, annual
    RandomChoice random;
    OutputFormat format;
};

class AcceptedCommandLine : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(AcceptedCommandLine, GivesTheRunItDescribes) {
    const AcceptedCase &c = GetParam();
    const auto parsed = parse(c.args);
    ASSERT_TRUE(parsed.ok()) << parsed.error().message;
    ASSERT_TRUE(std::holds_alternative<RunCommand>(*parsed));
    const RunCommand &run = std::get<RunCommand>(*parsed);
    EXPECT_EQ(run.inputs.runsText, c.texts[0]);
    EXPECT_EQ(run.inputs.priceText, c.texts[1]);
    EXPECT_EQ(run.inputs.costText, c.texts[2]);
    EXPECT_EQ(storedUnits(run.inputs.distribution), c.freq);
    EXPECT_EQ(run.inputs.yesterdaySelected, c.policy[0]);
    EXPECT_EQ(run.inputs.annualSelected, c.policy[1]);
    EXPECT_EQ(run.random, c.random);
    EXPECT_EQ(run.format, c.format);
}

const std::array<std::string, 3> kDefaults = {"250", "4.60", "2.20"};
const Freq kZero{0, 0, 0, 0, 0};
constexpr std::array<bool, 2> kNone = {false, false};
constexpr std::array<bool, 2> kAnnual = {false, true};
constexpr auto kTable = OutputFormat::Table;

INSTANTIATE_TEST_SUITE_P(
    Runner, AcceptedCommandLine,
    ::testing::Values(
        AcceptedCase{
            "NoArgumentsGiveTheStartUpState", {}, kDefaults, kZero, kNone, ClockSeed{}, kTable},
        AcceptedCase{"CompleteExample",
                     {"--freq", "0.10,0.20,0.40,0.20,0.10", "--policy", "yesterday", "--seed", "1",
                      "--format", "tsv"},
                     kDefaults,
                     Freq{1000, 2000, 4000, 2000, 1000},
                     {true, false},
                     FixedSeed{1},
                     OutputFormat::Tsv},
        AcceptedCase{"TextsAreKeptByteForByte",
                     {"--runs", " 1e3 ", "--price", "", "--cost", "\xED\xA0\x80"},
                     {" 1e3 ", "", "\xED\xA0\x80"},
                     kZero,
                     kNone,
                     ClockSeed{},
                     kTable},
        AcceptedCase{"NegativeValues",
                     {"--price", "-2.20", "--cost", "-1"},
                     {"250", "-2.20", "-1"},
                     kZero,
                     kNone,
                     ClockSeed{},
                     kTable},
        AcceptedCase{"AValueMayLookLikeAnOption",
                     {"--runs", "--help", "--cost", "--cost", "--price", "-h", "--format", "csv"},
                     {"--help", "-h", "--cost"},
                     kZero,
                     kNone,
                     ClockSeed{},
                     OutputFormat::Csv},
        AcceptedCase{"ValuesAfterEquals",
                     {"--runs=100", "--price=", "--cost=a=b", "--policy=annual", "--format=csv",
                      "--draws=-"},
                     {"100", "", "a=b"},
                     kZero,
                     kAnnual,
                     DrawsFile{"-"},
                     OutputFormat::Csv},
        AcceptedCase{"EmptyValueAfterEqualsTakesNothingElse",
                     {"--price=", "--cost", "1"},
                     {"250", "", "1"},
                     kZero,
                     kNone,
                     ClockSeed{},
                     kTable},
        // Each text is stored as a frequency box stores it.
        AcceptedCase{"FrequenciesAreLeadingNumbers",
                     {"--freq", "0.12345, 0.33335 ,.5abc,,1e0"},
                     kDefaults,
                     Freq{1234, 3334, 5000, 0, 10000},
                     kNone,
                     ClockSeed{},
                     kTable},
        AcceptedCase{"FrequencyTextsThatAreNotNumbersStoreZero",
                     {"--freq", "abc,nan,inf,0x10,&H10"},
                     kDefaults,
                     kZero,
                     kNone,
                     ClockSeed{},
                     kTable},
        AcceptedCase{"FrequencySignsAndUnicode",
                     {"--freq", "-0.5,+0.25,--5,\xD9\xA5,\xEF\xBC\x95"},
                     kDefaults,
                     Freq{-5000, 2500, 0, 0, 0},
                     kNone,
                     ClockSeed{},
                     kTable},
        AcceptedCase{"BrokenUtf8EndsTheLeadingNumber",
                     {"--freq",
                      "0.5\xFF,\xFF"
                      "0.5,0.2\xED\xA0\x80,\xC0\xAE,1"},
                     kDefaults,
                     Freq{5000, 0, 2000, 0, 10000},
                     kNone,
                     ClockSeed{},
                     kTable},
        AcceptedCase{"FrequencyOutsideCurrencyIsUnrepresentable",
                     {"--freq", "1e309,-1e309,1e15,100000000000000,-100000000000000"},
                     kDefaults,
                     Freq{std::nullopt, std::nullopt, std::nullopt, 1'000'000'000'000'000'000,
                          -1'000'000'000'000'000'000},
                     kNone,
                     ClockSeed{},
                     kTable},
        AcceptedCase{"LargestSeed",
                     {"--seed", "18446744073709551615", "--policy", "annual"},
                     kDefaults,
                     kZero,
                     kAnnual,
                     FixedSeed{18446744073709551615ULL},
                     kTable},
        AcceptedCase{"DrawsFileNameKept",
                     {"--draws", "my draws.txt", "--format", "table"},
                     kDefaults,
                     kZero,
                     kNone,
                     DrawsFile{"my draws.txt"},
                     kTable}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

// ---- Usage errors -----------------------------------------------------------

struct UsageCase {
    const char *name;
    std::vector<std::string> args;
    std::string message;
};

class UsageErrorCommandLine : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrorCommandLine, GivesItsMessageAndTheCommandsHelp) {
    const UsageCase &c = GetParam();
    const auto parsed = parse(c.args);
    ASSERT_FALSE(parsed.ok());
    const bool subcommand =
        !c.args.empty() && (c.args.front() == "analyze" || c.args.front() == "debrief");
    EXPECT_EQ(parsed.error(), (UsageError{c.message, subcommand ? "newsvendor-run " + c.args.front()
                                                                : std::string("newsvendor-run")}));
}

const std::string kBadSeed = ": use a whole number from 0 to 18446744073709551615";

INSTANTIATE_TEST_SUITE_P(
    Runner, UsageErrorCommandLine,
    ::testing::Values(
        UsageCase{"UnknownOption", {"--days", "5"}, "Unknown option '--days'"},
        UsageCase{"UnknownOptionWithValue", {"--days=5"}, "Unknown option '--days'"},
        UsageCase{"UnknownShortOption", {"-x"}, "Unknown option '-x'"},
        UsageCase{"DoubleDashAlone", {"--"}, "Unknown option '--'"},
        UsageCase{"FlagWithAValue", {"--help=0"}, "Option --help takes no value"},
        UsageCase{
            "DoubleDashInASubcommand", {"analyze", "--", "--runs", "5"}, "Unknown option '--'"},
        UsageCase{"SubcommandEnd", {"analyze", "++", "--runs", "5"}, "Unexpected argument '++'"},
        UsageCase{"StrayArgument", {"--policy", "annual", "250"}, "Unexpected argument '250'"},
        UsageCase{"ControlBytesShownEscaped", {"--\x1b[2J"}, "Unknown option '--\\x1B[2J'"},
        UsageCase{"MissingValue", {"--policy", "annual", "--freq"}, "Option --freq needs a value"},
        UsageCase{
            "GivenTwice", {"--price=4.50", "--price", "4.60"}, "Option --price is given twice"},
        UsageCase{"BadPolicy",
                  {"--policy", "Yesterday"},
                  "Unknown order policy 'Yesterday': use yesterday or annual"},
        UsageCase{
            "BadFormat", {"--format", "json"}, "Unknown format 'json': use table, tsv or csv"},
        UsageCase{"FourFrequencies",
                  {"--freq", "0.25,0.25,0.25,0.25"},
                  "--freq needs five frequencies separated by commas, not 4"},
        UsageCase{"EmptyFrequencyList",
                  {"--freq="},
                  "--freq needs five frequencies separated by commas, not 1"},
        UsageCase{"NegativeSeed", {"--seed", "-1"}, "Bad seed '-1'" + kBadSeed},
        UsageCase{"SeedTooLarge",
                  {"--seed", "18446744073709551616"},
                  "Bad seed '18446744073709551616'" + kBadSeed},
        UsageCase{"SeedAndDraws",
                  {"--draws", "-", "--seed", "1"},
                  "--seed and --draws cannot be used together"},
        UsageCase{"EmptyDrawsName", {"--draws", ""}, "Option --draws needs a file name"},
        // Of two bad options the first from the left is reported; an unknown
        // option only once every option has been read.
        UsageCase{"FirstErrorWins",
                  {"--bogus", "--seed", "x", "--policy", "none"},
                  "Bad seed 'x'" + kBadSeed},
        UsageCase{
            "SubcommandNotFirst", {"--seed", "1", "analyze"}, "Unexpected argument 'analyze'"},
        UsageCase{"SubcommandTwice", {"analyze", "analyze"}, "Unexpected argument 'analyze'"},
        UsageCase{"AnalyzeNotANumber",
                  {"analyze", "--replications", "abc"},
                  "Bad number of replications 'abc': use a whole number from 1 to 1000000"},
        UsageCase{"AnalyzeDraws",
                  {"analyze", "--draws", "-"},
                  "Option --draws cannot be used with analyze"},
        UsageCase{"AnalyzeTsv",
                  {"analyze", "--format", "tsv"},
                  "Unknown format 'tsv': use table, csv or json"},
        UsageCase{"AnalyzePolicyTwice",
                  {"analyze", "--policy", "annual", "--policy", "yesterday"},
                  "Option --policy is given twice"},
        UsageCase{"AnalyzeHasNoVersion", {"analyze", "--version"}, "Unknown option '--version'"},
        UsageCase{"DebriefWithoutOrders", {"debrief", "--seed", "1"}, "Option --orders is needed"},
        UsageCase{"DebriefEmptyOrdersName",
                  {"debrief", "--seed", "1", "--orders="},
                  "Option --orders needs a file name"},
        UsageCase{"DebriefDraws",
                  {"debrief", "--seed", "1", "--orders", "-", "--draws", "-"},
                  "Unknown option '--draws'"},
        // "--draws" is the price here, "" and "6" are left over.
        UsageCase{"ValueSwallowsAnOptionName",
                  {"analyze", "--price", "--draws", "", "6"},
                  "Unexpected argument ''"}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(RunnerCommandLine, LongTextsAreCutInTheMessage) {
    const auto parsed = parse({"--policy", std::string(1000, 'y')});
    ASSERT_FALSE(parsed.ok());
    EXPECT_EQ(parsed.error().message,
              "Unknown order policy '" + std::string(60, 'y') + "...': use yesterday or annual");
}

TEST(RunnerCommandLine, HelpWinsOverWhatFollowsButNotOverABadValueBeforeIt) {
    for (const char *flag : {"-h", "--help"}) {
        const auto help = parse({"--policy", "annual", flag, "--policy", "x", "--bogus"});
        ASSERT_TRUE(help.ok()) << flag;
        ASSERT_TRUE(std::holds_alternative<HelpRequest>(*help));
        EXPECT_NE(std::get<HelpRequest>(*help).text.find("Usage: newsvendor-run [OPTIONS]"),
                  std::string::npos);
    }
    const auto error = parse({"--policy", "x", "--help"});
    ASSERT_FALSE(error.ok());
    EXPECT_EQ(error.error().message, "Unknown order policy 'x': use yesterday or annual");
}

TEST(RunnerCommandLine, HelpNamesEveryOptionOfItsCommand) {
    const auto run = parse({"--help"});
    const auto analyze = parse({"analyze", "-h"});
    ASSERT_TRUE(run.ok() && analyze.ok());
    const std::string &runHelp = std::get<HelpRequest>(*run).text;
    const std::string &analyzeHelp = std::get<HelpRequest>(*analyze).text;
    for (const char *option :
         {"--runs TEXT", "--price TEXT", "--cost TEXT", "--freq T30,T40,T50,T60,T70",
          "--policy yesterday|annual", "--seed N", "--format WORD", "-h,--help"}) {
        EXPECT_NE(runHelp.find(option), std::string::npos) << option;
        EXPECT_NE(analyzeHelp.find(option), std::string::npos) << option;
    }
    EXPECT_NE(runHelp.find("--draws FILE"), std::string::npos);
    EXPECT_NE(runHelp.find("--version"), std::string::npos);
    EXPECT_NE(runHelp.find("analyze"), std::string::npos);
    EXPECT_EQ(analyzeHelp.find("--draws"), std::string::npos);
    EXPECT_NE(analyzeHelp.find("Usage: newsvendor-run analyze [OPTIONS]"), std::string::npos);
    EXPECT_NE(analyzeHelp.find("--replications R"), std::string::npos);
}

TEST(RunnerCommandLine, VersionAndTheHelpHint) {
    const auto version = parse({"--version"});
    ASSERT_TRUE(version.ok());
    EXPECT_TRUE(std::holds_alternative<VersionRequest>(*version));
    EXPECT_EQ(helpHint(UsageError{"x", "newsvendor-run analyze"}),
              "Run 'newsvendor-run analyze --help' for more information.");
}

// ---- analyze -------------------------------------------------------------------

AnalyzeCommand analyze(std::vector<std::string> args) {
    args.insert(args.begin(), "analyze");
    const auto parsed = parse(args);
    EXPECT_TRUE(parsed.ok() && std::holds_alternative<AnalyzeCommand>(*parsed))
        << (parsed.ok() ? "not an analysis" : parsed.error().message);
    return parsed.ok() ? std::get<AnalyzeCommand>(*parsed) : AnalyzeCommand{};
}

TEST(AnalyzeCommandLine, DefaultsAndOptions) {
    EXPECT_EQ(analyze({}), AnalyzeCommand{});
    EXPECT_TRUE(AnalyzeCommand{}.inputs.yesterdaySelected);

    AnalyzeCommand expected;
    expected.inputs.runsText = "100";
    expected.inputs.priceText = "-4.50";
    expected.inputs.yesterdaySelected = false;
    expected.inputs.annualSelected = true;  // --policy replaces the default
    expected.replications = -5;             // the range is the analysis's own check
    expected.seed = 18446744073709551615ULL;
    expected.format = AnalysisFormat::Json;
    EXPECT_EQ(analyze({"--runs", "100", "--price", "-4.50", "--policy=annual", "--replications",
                       "-5", "--seed", "18446744073709551615", "--format", "json"}),
              expected);
}

// ---- The seed and replications texts --------------------------------------------

struct SeedCase {
    const char *text;
    std::optional<std::uint64_t> seed;
};

class SeedText : public ::testing::TestWithParam<SeedCase> {};

TEST_P(SeedText, ReadsDecimalDigitsOnly) {
    EXPECT_EQ(parseSeed(GetParam().text), GetParam().seed);
}

INSTANTIATE_TEST_SUITE_P(
    Runner, SeedText,
    ::testing::Values(SeedCase{"0", 0}, SeedCase{"42", 42},
                      SeedCase{"18446744073709551615", 18446744073709551615ULL},
                      SeedCase{"18446744073709551616", std::nullopt},
                      SeedCase{"000000000000000000000000001", 1}, SeedCase{"", std::nullopt},
                      SeedCase{"+1", std::nullopt}, SeedCase{"1 ", std::nullopt},
                      SeedCase{"1e3", std::nullopt}, SeedCase{"\xD9\xA1", std::nullopt}));

struct ReplicationsCase {
    const char *text;
    std::optional<std::int64_t> value;
};

class ReplicationsText : public ::testing::TestWithParam<ReplicationsCase> {};

TEST_P(ReplicationsText, ReadsAWholeNumberOfAnySize) {
    EXPECT_EQ(parseReplications(GetParam().text), GetParam().value);
}

constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Runner, ReplicationsText,
    ::testing::Values(ReplicationsCase{"1000", 1000}, ReplicationsCase{"-0", 0},
                      ReplicationsCase{"-5", -5}, ReplicationsCase{"0007", 7},
                      ReplicationsCase{"9223372036854775808", kInt64Max},
                      ReplicationsCase{"-99999999999999999999999", -kInt64Max},
                      ReplicationsCase{"", std::nullopt}, ReplicationsCase{"-", std::nullopt},
                      ReplicationsCase{"1.5", std::nullopt},
                      ReplicationsCase{"1,000", std::nullopt}, ReplicationsCase{"+5", std::nullopt},
                      ReplicationsCase{" 5", std::nullopt}, ReplicationsCase{"--5", std::nullopt}));

}  // namespace
}  // namespace nv::runner
