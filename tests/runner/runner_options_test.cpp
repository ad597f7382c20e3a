#include "runner/runner_options.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    std::string runs;
    std::string price;
    std::string cost;
    Freq freq;
    bool yesterday;
    bool annual;
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
    EXPECT_EQ(run.inputs.runsText, c.runs);
    EXPECT_EQ(run.inputs.priceText, c.price);
    EXPECT_EQ(run.inputs.costText, c.cost);
    EXPECT_EQ(storedUnits(run.inputs.distribution), c.freq);
    EXPECT_EQ(run.inputs.yesterdaySelected, c.yesterday);
    EXPECT_EQ(run.inputs.annualSelected, c.annual);
    EXPECT_EQ(run.random, c.random);
    EXPECT_EQ(run.format, c.format);
}

const Freq kZero{0, 0, 0, 0, 0};
const Freq kBell{1000, 2000, 4000, 2000, 1000};

INSTANTIATE_TEST_SUITE_P(
    Runner, AcceptedCommandLine,
    ::testing::Values(AcceptedCase{"NoArgumentsGiveTheStartUpState",
                                   {},
                                   "250",
                                   "4.60",
                                   "2.20",
                                   kZero,
                                   false,
                                   false,
                                   ClockSeed{},
                                   OutputFormat::Table},
                      AcceptedCase{"CompleteExample",
                                   {"--freq", "0.10,0.20,0.40,0.20,0.10", "--policy", "yesterday",
                                    "--seed", "1", "--format", "tsv"},
                                   "250",
                                   "4.60",
                                   "2.20",
                                   kBell,
                                   true,
                                   false,
                                   FixedSeed{1},
                                   OutputFormat::Tsv},
                      AcceptedCase{"TextsAreKeptByteForByte",
                                   {"--runs", " 1e3 ", "--price", "", "--cost", "\xED\xA0\x80"},
                                   " 1e3 ",
                                   "",
                                   "\xED\xA0\x80",
                                   kZero,
                                   false,
                                   false,
                                   ClockSeed{},
                                   OutputFormat::Table},
                      AcceptedCase{"AValueMayLookLikeAnOption",
                                   {"--price", "-1", "--runs", "--help", "--cost", "--cost"},
                                   "--help",
                                   "-1",
                                   "--cost",
                                   kZero,
                                   false,
                                   false,
                                   ClockSeed{},
                                   OutputFormat::Table},
                      AcceptedCase{"ValuesAfterEquals",
                                   {"--runs=100", "--price=", "--cost=a=b", "--policy=annual",
                                    "--format=csv", "--draws=-"},
                                   "100",
                                   "",
                                   "a=b",
                                   kZero,
                                   false,
                                   true,
                                   DrawsFile{"-"},
                                   OutputFormat::Csv},
                      // Each text is stored as a frequency box stores it: leading number,
                      // four decimals half to even.
                      AcceptedCase{"FrequenciesAreLeadingNumbers",
                                   {"--freq", "0.12345, 0.33335 ,.5abc,,1e0"},
                                   "250",
                                   "4.60",
                                   "2.20",
                                   Freq{1234, 3334, 5000, 0, 10000},
                                   false,
                                   false,
                                   ClockSeed{},
                                   OutputFormat::Table},
                      AcceptedCase{"FrequencyTextsThatAreNotNumbersStoreZero",
                                   {"--freq", "abc,nan,inf,0x10,&H10"},
                                   "250",
                                   "4.60",
                                   "2.20",
                                   Freq{0, 0, 0, 0, 0},
                                   false,
                                   false,
                                   ClockSeed{},
                                   OutputFormat::Table},
                      AcceptedCase{"FrequencySignsAndUnicode",
                                   {"--freq", "-0.5,+0.25,--5,\xD9\xA5,\xEF\xBC\x95"},
                                   "250",
                                   "4.60",
                                   "2.20",
                                   Freq{-5000, 2500, 0, 0, 0},
                                   false,
                                   false,
                                   ClockSeed{},
                                   OutputFormat::Table},
                      AcceptedCase{"BrokenUtf8EndsTheLeadingNumber",
                                   {"--freq",
                                    "0.5\xFF,\xFF"
                                    "0.5,0.2\xED\xA0\x80,\xC0\xAE,1"},
                                   "250",
                                   "4.60",
                                   "2.20",
                                   Freq{5000, 0, 2000, 0, 10000},
                                   false,
                                   false,
                                   ClockSeed{},
                                   OutputFormat::Table},
                      AcceptedCase{"FrequencyOutsideCurrencyIsUnrepresentable",
                                   {"--freq", "1e309,-1e309,1e15,100000000000000,-100000000000000"},
                                   "250",
                                   "4.60",
                                   "2.20",
                                   Freq{std::nullopt, std::nullopt, std::nullopt,
                                        1'000'000'000'000'000'000, -1'000'000'000'000'000'000},
                                   false,
                                   false,
                                   ClockSeed{},
                                   OutputFormat::Table},
                      AcceptedCase{"LargestSeed",
                                   {"--seed", "18446744073709551615", "--policy", "annual"},
                                   "250",
                                   "4.60",
                                   "2.20",
                                   kZero,
                                   false,
                                   true,
                                   FixedSeed{18446744073709551615ULL},
                                   OutputFormat::Table},
                      AcceptedCase{"SeedWithLeadingZeros",
                                   {"--seed", "007"},
                                   "250",
                                   "4.60",
                                   "2.20",
                                   kZero,
                                   false,
                                   false,
                                   FixedSeed{7},
                                   OutputFormat::Table},
                      AcceptedCase{"DrawsFileNameKept",
                                   {"--draws", "my draws.txt", "--format", "table"},
                                   "250",
                                   "4.60",
                                   "2.20",
                                   kZero,
                                   false,
                                   false,
                                   DrawsFile{"my draws.txt"},
                                   OutputFormat::Table}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

// ---- Usage errors -----------------------------------------------------------

struct UsageCase {
    const char *name;
    std::vector<std::string> args;
    std::string message;
};

class UsageErrorCommandLine : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrorCommandLine, GivesItsMessage) {
    const UsageCase &c = GetParam();
    const auto parsed = parse(c.args);
    ASSERT_FALSE(parsed.ok());
    EXPECT_EQ(parsed.error().message, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Runner, UsageErrorCommandLine,
    ::testing::Values(
        UsageCase{"UnknownOption", {"--days", "5"}, "Unknown option '--days'"},
        UsageCase{"UnknownOptionWithValue", {"--days=5"}, "Unknown option '--days'"},
        UsageCase{"SingleDashOption", {"-h"}, "Unknown option '-h'"},
        UsageCase{"DoubleDashAlone", {"--"}, "Unknown option '--'"},
        UsageCase{"StrayArgument", {"250"}, "Unexpected argument '250'"},
        UsageCase{"LoneDash", {"-"}, "Unexpected argument '-'"},
        UsageCase{
            "StrayArgumentAfterOptions", {"--policy", "annual", "x"}, "Unexpected argument 'x'"},
        UsageCase{"ControlBytesShownEscaped", {"--\x1b[2J"}, "Unknown option '--\\x1B[2J'"},
        UsageCase{"InvalidUtf8ShownEscaped",
                  {"--pr\xFF"
                   "ice"},
                  "Unknown option '--pr\\xFFice'"},
        UsageCase{"MissingValue", {"--runs"}, "Option --runs needs a value"},
        UsageCase{"MissingValueAtTheEnd",
                  {"--policy", "annual", "--freq"},
                  "Option --freq needs a value"},
        UsageCase{
            "GivenTwice", {"--price", "4.50", "--price", "4.60"}, "Option --price is given twice"},
        UsageCase{
            "GivenTwiceWithEquals", {"--seed=1", "--seed", "1"}, "Option --seed is given twice"},
        UsageCase{"HelpTakesNoValue", {"--help=yes"}, "Option --help takes no value"},
        UsageCase{"BadPolicy",
                  {"--policy", "Yesterday"},
                  "Unknown order policy 'Yesterday': use yesterday or annual"},
        UsageCase{
            "EmptyPolicy", {"--policy", ""}, "Unknown order policy '': use yesterday or annual"},
        UsageCase{
            "BadFormat", {"--format", "json"}, "Unknown format 'json': use table, tsv or csv"},
        UsageCase{"FourFrequencies",
                  {"--freq", "0.25,0.25,0.25,0.25"},
                  "--freq needs five frequencies separated by commas, not 4"},
        UsageCase{"SixFrequencies",
                  {"--freq", "0.2,0.2,0.2,0.2,0.1,0.1"},
                  "--freq needs five frequencies separated by commas, not 6"},
        UsageCase{"EmptyFrequencyList",
                  {"--freq", ""},
                  "--freq needs five frequencies separated by commas, not 1"},
        UsageCase{"NegativeSeed",
                  {"--seed", "-1"},
                  "Bad seed '-1': use a whole number from 0 to 18446744073709551615"},
        UsageCase{"SeedTooLarge",
                  {"--seed", "18446744073709551616"},
                  "Bad seed '18446744073709551616': use a whole number from 0 to "
                  "18446744073709551615"},
        UsageCase{"SeedNotDecimal",
                  {"--seed", "0x10"},
                  "Bad seed '0x10': use a whole number from 0 to 18446744073709551615"},
        UsageCase{"SeedWithBlank",
                  {"--seed", " 1"},
                  "Bad seed ' 1': use a whole number from 0 to 18446744073709551615"},
        UsageCase{"EmptySeed",
                  {"--seed="},
                  "Bad seed '': use a whole number from 0 to 18446744073709551615"},
        UsageCase{"SeedAndDraws",
                  {"--seed", "1", "--draws", "f"},
                  "--seed and --draws cannot be used together"},
        UsageCase{"DrawsAndSeed",
                  {"--draws", "-", "--seed", "1"},
                  "--seed and --draws cannot be used together"},
        UsageCase{"EmptyDrawsName", {"--draws", ""}, "Option --draws needs a file name"},
        // The first problem from the left is the one reported.
        UsageCase{"FirstErrorWins",
                  {"--policy", "none", "--bogus"},
                  "Unknown order policy 'none': use yesterday or annual"}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(RunnerCommandLine, LongTextsAreCutInTheMessage) {
    const auto parsed = parse({"--policy", std::string(1000, 'y')});
    ASSERT_FALSE(parsed.ok());
    EXPECT_EQ(parsed.error().message,
              "Unknown order policy '" + std::string(60, 'y') + "...': use yesterday or annual");
}

TEST(RunnerCommandLine, HelpWinsOverWhatFollowsButNotOverWhatPrecedes) {
    const auto help = parse({"--policy", "annual", "--help", "--bogus"});
    ASSERT_TRUE(help.ok());
    EXPECT_TRUE(std::holds_alternative<HelpRequest>(*help));

    const auto error = parse({"--bogus", "--help"});
    ASSERT_FALSE(error.ok());
    EXPECT_EQ(error.error().message, "Unknown option '--bogus'");
}

TEST(RunnerCommandLine, UsageNamesEveryOptionAndEndsWithANewline) {
    const std::string_view usage = usageText();
    for (const char *option : {"--runs TEXT", "--price TEXT", "--cost TEXT",
                               "--freq T30,T40,T50,T60,T70", "--policy yesterday|annual",
                               "--seed N | --draws FILE", "--format table|tsv|csv", "--help"}) {
        EXPECT_NE(usage.find(option), std::string_view::npos) << option;
    }
    EXPECT_TRUE(usage.starts_with("Usage: newsvendor-run "));
    EXPECT_TRUE(usage.ends_with("\n"));
}

// ---- The seed text ------------------------------------------------------------

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
    ::testing::Values(SeedCase{"0", 0}, SeedCase{"1", 1}, SeedCase{"42", 42},
                      SeedCase{"18446744073709551615", 18446744073709551615ULL},
                      SeedCase{"18446744073709551616", std::nullopt},
                      SeedCase{"99999999999999999999", std::nullopt},
                      SeedCase{"000000000000000000000000001", 1}, SeedCase{"", std::nullopt},
                      SeedCase{"+1", std::nullopt}, SeedCase{"1 ", std::nullopt},
                      SeedCase{"1.0", std::nullopt}, SeedCase{"1e3", std::nullopt},
                      SeedCase{"\xD9\xA1", std::nullopt}));

}  // namespace
}  // namespace nv::runner
