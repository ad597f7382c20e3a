// End-to-end tests of "newsvendor-run analyze" through the real executable:
// exit statuses and messages for bad input, the json and csv forms as a
// script reads them, and the progress line only on a terminal.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "child_process.h"
#include "json_reader.h"
#include "runner/runner_options.h"

namespace {

using nv::runner::testing::ErrorStream;
using nv::runner::testing::JsonValue;
using nv::runner::testing::Outcome;
using nv::runner::testing::readCsv;
using nv::runner::testing::readJson;
using nv::runner::testing::runExecutable;

const std::string kAnalyzeUsage(nv::runner::usageText(nv::runner::UsageTopic::Analyze));

std::vector<std::string> analyze(std::vector<std::string> args) {
    args.insert(args.begin(), "analyze");
    return args;
}

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string> &more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

const std::vector<std::string> kValid = {"--freq", "0.1,0.2,0.4,0.2,0.1", "--seed", "42"};

// ---- Bad replications: a refusal or a usage error ------------------------------------------

struct BadInputCase {
    const char *name;
    std::vector<std::string> args;  // after "analyze"
    int status;
    std::string err;
};

class AnalyzeBadInput : public ::testing::TestWithParam<BadInputCase> {};

TEST_P(AnalyzeBadInput, ExitsWithItsStatusAndMessage) {
    const Outcome outcome = runExecutable(analyze(GetParam().args));
    EXPECT_EQ(outcome.status, GetParam().status);
    EXPECT_EQ(outcome.err, GetParam().err);
    EXPECT_EQ(outcome.out, "");
}

std::string refused(const std::string &message) {
    return message + "\n";
}

std::string usage(const std::string &message) {
    return message + "\n" + kAnalyzeUsage;
}

const std::string kRange = "Replications must be from 1 to 1,000,000";

INSTANTIATE_TEST_SUITE_P(
    Runner, AnalyzeBadInput,
    ::testing::Values(
        BadInputCase{"ReplicationsZero", with(kValid, {"--replications", "0"}), 1, refused(kRange)},
        BadInputCase{"ReplicationsNegative", with(kValid, {"--replications", "-5"}), 1,
                     refused(kRange)},
        BadInputCase{"ReplicationsOverTheLimit", with(kValid, {"--replications", "1000001"}), 1,
                     refused(kRange)},
        BadInputCase{"ReplicationsNotANumber", with(kValid, {"--replications", "abc"}), 2,
                     usage("Bad number of replications 'abc': use a whole number from 1 to "
                           "1000000")},
        BadInputCase{"ReplicationsFraction", with(kValid, {"--replications", "1.5"}), 2,
                     usage("Bad number of replications '1.5': use a whole number from 1 to "
                           "1000000")},
        BadInputCase{"Draws", with(kValid, {"--draws", "draws.txt"}), 2,
                     usage("Option --draws cannot be used with analyze")},
        BadInputCase{"Format", with(kValid, {"--format", "tsv"}), 2,
                     usage("Unknown format 'tsv': use table, csv or json")},
        BadInputCase{"UnknownOption", with(kValid, {"--days", "5"}), 2,
                     usage("Unknown option '--days'")},
        // The run's checks, with the run's messages.
        BadInputCase{"FrequenciesNotOne",
                     {"--seed", "1"},
                     1,
                     refused("Relative Frequencies must add to 1.00")},
        BadInputCase{"MissingParameter", with(kValid, {"--cost", ""}), 1,
                     refused("You must supply values for all parameters")},
        BadInputCase{"CostNotANumber", with(kValid, {"--cost", "abc"}), 1,
                     refused("Cost must be a number")},
        BadInputCase{"CostOutOfRange", with(kValid, {"--cost", "1e15"}), 1,
                     refused("Cost is out of range")},
        BadInputCase{"PriceNotANumber", with(kValid, {"--price", "\xFF"}), 1,
                     refused("Price must be a number")},
        BadInputCase{"PriceOutOfRange", with(kValid, {"--price", "-1e16"}), 1,
                     refused("Price is out of range")},
        BadInputCase{"RunsNotANumber", with(kValid, {"--runs", "many"}), 1,
                     refused("Number of Runs must be a number")},
        BadInputCase{"RunsOutOfRange", with(kValid, {"--runs", "32767"}), 1,
                     refused("Number of Runs must be from 0 to 32766")},
        BadInputCase{"RunsNotWhole", with(kValid, {"--runs", "2.5"}), 1,
                     refused("Number of Runs must be a whole number")},
        BadInputCase{"AmountsOutOfRange",
                     with(kValid, {"--price", "900000000000000", "--cost", "0"}), 1,
                     refused("Price and Cost are too large for this Number of Runs")},
        // Then the analysis's own.
        BadInputCase{"NoDays", with(kValid, {"--runs", "0"}), 1,
                     refused("Number of Runs must be at least 1 for the analysis")},
        BadInputCase{"PriceZero", with(kValid, {"--price", "0"}), 1,
                     refused("Price must be greater than 0 for the analysis")},
        BadInputCase{"NegativeFrequency",
                     {"--freq", "1.5,-0.5,0,0,0"},
                     1,
                     refused("Relative Frequencies must not be negative for the analysis")}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(AnalyzeExecutable, HelpPrintsItsUsage) {
    const Outcome outcome = runExecutable({"analyze", "--help"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, kAnalyzeUsage);
    EXPECT_EQ(outcome.err, "");
}

// ---- json ------------------------------------------------------------------------------------

JsonValue document(const Outcome &outcome) {
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    nv::runner::testing::JsonError error;
    const auto json = readJson(outcome.out, &error);
    EXPECT_TRUE(json.has_value()) << error.what << " at " << error.offset;
    return json.value_or(JsonValue{});
}

const JsonValue &member(const JsonValue &object, const std::string &key) {
    static const JsonValue kMissing;
    const JsonValue *value = object.find(key);
    EXPECT_NE(value, nullptr) << key;
    return value != nullptr ? *value : kMissing;
}

TEST(AnalyzeExecutable, JsonHasEveryDocumentedKey) {
    const JsonValue json = document(
        runExecutable(analyze(with(kValid, {"--replications", "200", "--format", "json"}))));
    EXPECT_EQ(json.keys, (std::vector<std::string>{"format_version", "inputs", "expected",
                                                   "simulated", "pairs"}));
    EXPECT_EQ(member(json, "format_version").text, "1");

    const JsonValue &inputs = member(json, "inputs");
    EXPECT_EQ(inputs.keys,
              (std::vector<std::string>{"days", "price", "cost", "frequency_30", "frequency_40",
                                        "frequency_50", "frequency_60", "frequency_70",
                                        "mean_demand", "critical_ratio", "checked_policy", "seed",
                                        "seed_from_clock", "replications"}));
    EXPECT_EQ(member(inputs, "days").text, "250");
    EXPECT_EQ(member(inputs, "price").text, "4.6");
    EXPECT_EQ(member(inputs, "cost").text, "2.2");
    EXPECT_EQ(member(inputs, "frequency_50").text, "0.4");
    EXPECT_EQ(member(inputs, "seed").text, "42");
    EXPECT_FALSE(member(inputs, "seed_from_clock").boolean);
    EXPECT_EQ(member(inputs, "replications").text, "200");
    EXPECT_EQ(member(inputs, "checked_policy").text, "yesterday");
    EXPECT_NEAR(member(inputs, "critical_ratio").number, 2.4 / 4.6, 1e-15);

    const std::vector<std::string> expectedKeys = {
        "name",         "order_quantity", "daily_demand",  "daily_order",
        "daily_sales",  "daily_leftover", "daily_unmet",   "daily_profit",
        "total_profit", "fill_rate",      "loss_day_share"};
    const JsonValue &expected = member(json, "expected");
    EXPECT_EQ(expected.keys, (std::vector<std::string>{"yesterday", "annual", "fixed", "perfect",
                                                       "value_of_information"}));
    for (const char *rule : {"yesterday", "annual", "fixed", "perfect"}) {
        EXPECT_EQ(member(expected, rule).keys, expectedKeys) << rule;
    }
    EXPECT_EQ(member(member(expected, "yesterday"), "name").text, "Yesterday's Demand");
    EXPECT_EQ(member(member(expected, "yesterday"), "order_quantity").kind, JsonValue::Kind::Null);
    // Critical ratio 0.52: the cumulative frequency first reaches it at 50.
    EXPECT_EQ(member(member(expected, "fixed"), "order_quantity").text, "50");
    EXPECT_EQ(member(member(expected, "annual"), "order_quantity").text, "50");
    // With perfect information every unit demanded is sold at 2.40 profit.
    EXPECT_NEAR(member(member(expected, "perfect"), "total_profit").number, 250 * 50 * 2.4, 1e-6);

    const JsonValue &simulated = member(json, "simulated");
    EXPECT_EQ(simulated.keys, (std::vector<std::string>{"yesterday", "annual", "fixed"}));
    for (const char *rule : {"yesterday", "annual", "fixed"}) {
        const JsonValue &r = member(simulated, rule);
        EXPECT_EQ(r.keys, (std::vector<std::string>{
                              "name", "mean_total_profit", "sd_total_profit", "total_profit_ci95",
                              "mean_daily_demand", "mean_sales", "mean_lost_sales", "mean_leftover",
                              "fill_rate", "loss_day_share"}))
            << rule;
        const JsonValue &ci = member(r, "total_profit_ci95");
        ASSERT_EQ(ci.keys, (std::vector<std::string>{"low", "high"})) << rule;
        const double mean = member(r, "mean_total_profit").number;
        EXPECT_LT(ci.values[0].number, mean) << rule;
        EXPECT_GT(ci.values[1].number, mean) << rule;
    }

    const JsonValue &pairs = member(json, "pairs");
    EXPECT_EQ(pairs.keys,
              (std::vector<std::string>{"yesterday_annual", "yesterday_fixed", "annual_fixed"}));
    const JsonValue &pair = member(pairs, "yesterday_annual");
    EXPECT_EQ(pair.keys,
              (std::vector<std::string>{"name", "first", "second", "mean_difference",
                                        "sd_difference", "difference_ci95", "independent_ci95",
                                        "first_win_share", "tie_share", "second_win_share"}));
    EXPECT_EQ(member(pair, "first").text, "yesterday");
    EXPECT_EQ(member(pair, "second").text, "annual");
    // The difference of the means is the mean of the differences.
    const double difference = member(member(simulated, "yesterday"), "mean_total_profit").number -
                              member(member(simulated, "annual"), "mean_total_profit").number;
    EXPECT_NEAR(member(pair, "mean_difference").number, difference, 1e-6);
    const double shares = member(pair, "first_win_share").number +
                          member(pair, "tie_share").number +
                          member(pair, "second_win_share").number;
    EXPECT_NEAR(shares, 1.0, 1e-12);
}

TEST(AnalyzeExecutable, TheSameSeedGivesTheSameJson) {
    const std::vector<std::string> args =
        analyze(with(kValid, {"--replications", "500", "--format", "json"}));
    const Outcome first = runExecutable(args);
    const Outcome second = runExecutable(args);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, second.out);
    EXPECT_EQ(first.err, "");
}

TEST(AnalyzeExecutable, OneDemandClassGivesThatDemandEveryDayForEveryRule) {
    const JsonValue json = document(runExecutable({"analyze", "--freq", "1,0,0,0,0", "--seed", "9",
                                                   "--replications", "50", "--format", "json"}));
    for (const char *rule : {"yesterday", "annual", "fixed", "perfect"}) {
        const JsonValue &e = member(member(json, "expected"), rule);
        EXPECT_DOUBLE_EQ(member(e, "daily_demand").number, 30.0) << rule;
        EXPECT_DOUBLE_EQ(member(e, "fill_rate").number, 1.0) << rule;
    }
    for (const char *rule : {"yesterday", "annual", "fixed"}) {
        const JsonValue &s = member(member(json, "simulated"), rule);
        EXPECT_NEAR(member(s, "mean_daily_demand").number, 30.0, 1e-9) << rule;
        EXPECT_DOUBLE_EQ(member(s, "mean_lost_sales").number, 0.0) << rule;
    }
    // Every replication is the same: no spread, an interval of one point.
    const JsonValue &annual = member(member(json, "simulated"), "annual");
    EXPECT_DOUBLE_EQ(member(annual, "sd_total_profit").number, 0.0);
    EXPECT_DOUBLE_EQ(member(annual, "mean_total_profit").number, 250 * (30 * 4.6 - 30 * 2.2));
    // Yesterday's Demand orders 50 on day 1 and leaves 20 over.
    EXPECT_DOUBLE_EQ(member(member(member(json, "simulated"), "yesterday"), "mean_leftover").number,
                     20.0);
}

// ---- csv -------------------------------------------------------------------------------------

TEST(AnalyzeExecutable, CsvIsOneRfc4180TableWithQuotedLabels) {
    const Outcome outcome =
        runExecutable(analyze(with(kValid, {"--replications", "20", "--format", "csv"})));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    EXPECT_TRUE(outcome.out.starts_with("section,rule,item,value,label\r\n"));
    // A label with a comma is quoted; one without is not.
    EXPECT_NE(
        outcome.out.find("\r\ninputs,,frequency_30,0.1,\"Relative frequency, demand 30\"\r\n"),
        std::string::npos);
    EXPECT_NE(outcome.out.find("\r\ninputs,,seed,42,Seed of the replications\r\n"),
              std::string::npos);
    const auto records = readCsv(outcome.out);
    ASSERT_TRUE(records.has_value());
    std::size_t pairs = 0;
    for (const auto &record : *records) {
        ASSERT_EQ(record.size(), 5u);
        pairs += record[0] == "pairs" && record[2] == "difference_ci95_low" ? 1u : 0u;
    }
    EXPECT_EQ(pairs, 3u);
}

// ---- Progress on standard error ---------------------------------------------------------------

// Long enough to pass the one-second mark in a debug build.
const std::vector<std::string> kLongAnalysis = {
    "analyze", "--freq", "0.1,0.2,0.4,0.2,0.1", "--seed", "1",
    "--runs",  "1000",   "--replications",      "20000",  "--format",
    "json"};

TEST(AnalyzeExecutable, NoProgressWhenStandardErrorIsAPipe) {
    const auto start = std::chrono::steady_clock::now();
    const Outcome outcome = runExecutable(kLongAnalysis);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    EXPECT_TRUE(readJson(outcome.out).has_value());
    RecordProperty(
        "analysis_ms",
        static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
}

TEST(AnalyzeExecutable, ProgressOnATerminalIsErasedAtTheEnd) {
    const auto start = std::chrono::steady_clock::now();
    const Outcome outcome =
        runExecutable(kLongAnalysis, {}, {{"LC_ALL", "C"}}, ErrorStream::Terminal);
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(readJson(outcome.out).has_value());
    if (outcome.err.empty()) {
        // Only an analysis of about a second or less may show nothing (the
        // time measured here includes starting the process).
        EXPECT_LT(took, std::chrono::milliseconds(1500)) << "no progress was shown";
        return;
    }
    const std::string prefix = "\rReplications: ";
    EXPECT_TRUE(outcome.err.starts_with(prefix)) << outcome.err;
    EXPECT_NE(outcome.err.find(" / 20,000"), std::string::npos) << outcome.err;
    // The last thing written overwrites the longest line with blanks.
    ASSERT_TRUE(outcome.err.ends_with("\r"));
    const std::size_t lastStart = outcome.err.rfind('\r', outcome.err.size() - 2);
    ASSERT_NE(lastStart, std::string::npos);
    const std::string blanks =
        outcome.err.substr(lastStart + 1, outcome.err.size() - lastStart - 2);
    EXPECT_EQ(blanks.find_first_not_of(' '), std::string::npos) << blanks;
    EXPECT_GE(blanks.size(), prefix.size() - 1 + std::string("19,999 / 20,000").size());
    EXPECT_EQ(outcome.err.find('\n'), std::string::npos);
}

}  // namespace
