// The command line of "newsvendor-run analyze": its defaults, the order
// policy the run's checks see, the replications text, and which usage goes
// with an error.
#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "runner/runner_options.h"

namespace nv::runner {
namespace {

Result<Command, UsageError> parse(const std::vector<std::string> &args) {
    const std::vector<std::string_view> views(args.begin(), args.end());
    return parseCommandLine(views);
}

AnalyzeCommand analyze(std::vector<std::string> args) {
    args.insert(args.begin(), "analyze");
    const auto parsed = parse(args);
    EXPECT_TRUE(parsed.ok()) << (parsed.ok() ? "" : parsed.error().message);
    if (!parsed.ok() || !std::holds_alternative<AnalyzeCommand>(*parsed)) {
        ADD_FAILURE() << "not an analysis";
        return {};
    }
    return std::get<AnalyzeCommand>(*parsed);
}

TEST(AnalyzeCommandLine, Defaults) {
    const AnalyzeCommand command = analyze({});
    EXPECT_EQ(command.inputs.runsText, "250");
    EXPECT_EQ(command.inputs.priceText, "4.60");
    EXPECT_EQ(command.inputs.costText, "2.20");
    EXPECT_EQ(command.inputs.distribution, DemandDistribution{});
    EXPECT_TRUE(command.inputs.yesterdaySelected);
    EXPECT_FALSE(command.inputs.annualSelected);
    EXPECT_EQ(command.replications, 1000);
    EXPECT_EQ(command.seed, std::nullopt);
    EXPECT_EQ(command.format, AnalysisFormat::Table);
}

TEST(AnalyzeCommandLine, ReadsTheParameterOptionsAsTheRunDoes) {
    const std::vector<std::string> options = {"--runs", "100",    "--price=4.50",       "--cost",
                                              "2.10",   "--freq", "0.1,0.2,0.4,0.2,0.1"};
    const AnalyzeCommand command = analyze(options);
    const auto run = parse(options);
    ASSERT_TRUE(run.ok());
    const RunCommand &plain = std::get<RunCommand>(*run);
    EXPECT_EQ(command.inputs.runsText, plain.inputs.runsText);
    EXPECT_EQ(command.inputs.priceText, plain.inputs.priceText);
    EXPECT_EQ(command.inputs.costText, plain.inputs.costText);
    EXPECT_EQ(command.inputs.distribution, plain.inputs.distribution);
}

TEST(AnalyzeCommandLine, PolicyReplacesTheDefaultSelection) {
    const AnalyzeCommand annual = analyze({"--policy", "annual"});
    EXPECT_FALSE(annual.inputs.yesterdaySelected);
    EXPECT_TRUE(annual.inputs.annualSelected);
    const AnalyzeCommand yesterday = analyze({"--policy=yesterday"});
    EXPECT_TRUE(yesterday.inputs.yesterdaySelected);
    EXPECT_FALSE(yesterday.inputs.annualSelected);
}

TEST(AnalyzeCommandLine, SeedAndFormat) {
    const AnalyzeCommand command = analyze({"--seed", "18446744073709551615", "--format", "json"});
    EXPECT_EQ(command.seed, 18446744073709551615ULL);
    EXPECT_EQ(command.format, AnalysisFormat::Json);
    EXPECT_EQ(analyze({"--format=csv"}).format, AnalysisFormat::Csv);
    EXPECT_EQ(analyze({"--format", "table"}).format, AnalysisFormat::Table);
}

// ---- The replications text ---------------------------------------------------------

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
    ::testing::Values(
        ReplicationsCase{"1", 1}, ReplicationsCase{"1000", 1000},
        ReplicationsCase{"1000000", 1'000'000}, ReplicationsCase{"1000001", 1'000'001},
        ReplicationsCase{"0", 0}, ReplicationsCase{"-0", 0}, ReplicationsCase{"-5", -5},
        ReplicationsCase{"0007", 7}, ReplicationsCase{"9223372036854775807", kInt64Max},
        ReplicationsCase{"9223372036854775808", kInt64Max},
        ReplicationsCase{"99999999999999999999999", kInt64Max},
        ReplicationsCase{"-99999999999999999999999", -kInt64Max},
        ReplicationsCase{"", std::nullopt}, ReplicationsCase{"-", std::nullopt},
        ReplicationsCase{"abc", std::nullopt}, ReplicationsCase{"1.5", std::nullopt},
        ReplicationsCase{"1e3", std::nullopt}, ReplicationsCase{"1,000", std::nullopt},
        ReplicationsCase{"+5", std::nullopt}, ReplicationsCase{" 5", std::nullopt},
        ReplicationsCase{"5 ", std::nullopt}, ReplicationsCase{"--5", std::nullopt},
        ReplicationsCase{"\xD9\xA1", std::nullopt}));

TEST(AnalyzeCommandLine, KeepsAWholeReplicationsNumberOutsideTheRangeForTheAnalysis) {
    EXPECT_EQ(analyze({"--replications", "0"}).replications, 0);
    EXPECT_EQ(analyze({"--replications=-5"}).replications, -5);
    EXPECT_EQ(analyze({"--replications", "1000001"}).replications, 1'000'001);
}

// ---- Usage errors and help -----------------------------------------------------------

struct AnalyzeUsageCase {
    const char *name;
    std::vector<std::string> args;  // after "analyze"
    std::string message;
};

class AnalyzeUsage : public ::testing::TestWithParam<AnalyzeUsageCase> {};

TEST_P(AnalyzeUsage, IsAnErrorWithAnalyzesUsage) {
    std::vector<std::string> args = GetParam().args;
    args.insert(args.begin(), "analyze");
    const auto parsed = parse(args);
    ASSERT_FALSE(parsed.ok());
    EXPECT_EQ(parsed.error(), (UsageError{GetParam().message, UsageTopic::Analyze}));
}

INSTANTIATE_TEST_SUITE_P(
    Runner, AnalyzeUsage,
    ::testing::Values(
        AnalyzeUsageCase{"NotANumber",
                         {"--replications", "abc"},
                         "Bad number of replications 'abc': use a whole number from 1 to 1000000"},
        AnalyzeUsageCase{"Fraction",
                         {"--replications=1.5"},
                         "Bad number of replications '1.5': use a whole number from 1 to 1000000"},
        AnalyzeUsageCase{"Draws", {"--draws", "-"}, "Option --draws cannot be used with analyze"},
        AnalyzeUsageCase{
            "TsvFormat", {"--format", "tsv"}, "Unknown format 'tsv': use table, csv or json"},
        AnalyzeUsageCase{"BadPolicy",
                         {"--policy", "fixed"},
                         "Unknown order policy 'fixed': use yesterday or annual"},
        AnalyzeUsageCase{"PolicyTwice",
                         {"--policy", "annual", "--policy", "yesterday"},
                         "Option --policy is given twice"},
        AnalyzeUsageCase{"BadSeed",
                         {"--seed", "-1"},
                         "Bad seed '-1': use a whole number from 0 to 18446744073709551615"},
        AnalyzeUsageCase{"Unknown", {"--threads", "2"}, "Unknown option '--threads'"},
        AnalyzeUsageCase{"Stray", {"analyze"}, "Unexpected argument 'analyze'"},
        AnalyzeUsageCase{"MissingValue", {"--replications"}, "Option --replications needs a value"},
        AnalyzeUsageCase{"FrequencyCount",
                         {"--freq", "1,0"},
                         "--freq needs five frequencies separated by commas, not 2"}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(AnalyzeCommandLine, OnlyTheFirstArgumentNamesTheSubcommand) {
    const auto parsed = parse({"--seed", "1", "analyze"});
    ASSERT_FALSE(parsed.ok());
    EXPECT_EQ(parsed.error(), (UsageError{"Unexpected argument 'analyze'", UsageTopic::Run}));
    // The run's own options are not analyze's.
    const auto tsv = parse({"--format", "json"});
    ASSERT_FALSE(tsv.ok());
    EXPECT_EQ(tsv.error().topic, UsageTopic::Run);
}

TEST(AnalyzeCommandLine, HelpAsksForAnalyzesUsage) {
    const auto help = parse({"analyze", "--replications", "5", "--help"});
    ASSERT_TRUE(help.ok());
    ASSERT_TRUE(std::holds_alternative<HelpRequest>(*help));
    EXPECT_EQ(std::get<HelpRequest>(*help).topic, UsageTopic::Analyze);
    const auto runHelp = parse({"--help"});
    ASSERT_TRUE(runHelp.ok());
    EXPECT_EQ(std::get<HelpRequest>(*runHelp).topic, UsageTopic::Run);
}

TEST(AnalyzeCommandLine, UsageNamesEveryOption) {
    const std::string_view usage = usageText(UsageTopic::Analyze);
    for (const char *option :
         {"--runs TEXT", "--price TEXT", "--cost TEXT", "--freq T30,T40,T50,T60,T70",
          "--policy yesterday|annual", "--replications R", "--seed N", "--format table|csv|json",
          "--help"}) {
        EXPECT_NE(usage.find(option), std::string_view::npos) << option;
    }
    EXPECT_TRUE(usage.starts_with("Usage: newsvendor-run analyze "));
    EXPECT_TRUE(usage.ends_with("\n"));
    EXPECT_NE(usageText(UsageTopic::Run).find("newsvendor-run analyze"), std::string_view::npos);
}

}  // namespace
}  // namespace nv::runner
