// End-to-end tests of "newsvendor-run analyze" through the real executable:
// exit statuses and messages for bad input, the json and csv forms as a
// script reads them, and the progress line only on a terminal.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "child_process.h"
#include "json_keys.h"

namespace {

using nv::runner::testing::ErrorStream;
using nv::runner::testing::Json;
using nv::runner::testing::keys;
using nv::runner::testing::Outcome;
using nv::runner::testing::runExecutable;

const std::string kAnalyzeHint = "Run 'newsvendor-run analyze --help' for more information.\n";

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
    return message + "\n" + kAnalyzeHint;
}

const std::string kRange = "Replications must be from 1 to 1,000,000";

INSTANTIATE_TEST_SUITE_P(
    Runner, AnalyzeBadInput,
    ::testing::Values(
        BadInputCase{"ReplicationsZero", with(kValid, {"--replications", "0"}), 1, refused(kRange)},
        BadInputCase{"ReplicationsNotANumber", with(kValid, {"--replications", "abc"}), 2,
                     usage("Bad number of replications 'abc': use a whole number from 1 to "
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

TEST(AnalyzeExecutable, HelpPrintsItsOwnHelp) {
    const Outcome outcome = runExecutable({"analyze", "--help"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_NE(outcome.out.find("\nUsage: newsvendor-run analyze [OPTIONS]\n"), std::string::npos)
        << outcome.out;
    EXPECT_EQ(outcome.err, "");
}

// ---- json ------------------------------------------------------------------------------------

Json document(const Outcome &outcome) {
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    Json json = Json::parse(outcome.out, nullptr, false);
    EXPECT_FALSE(json.is_discarded()) << outcome.out;
    return json;
}

TEST(AnalyzeExecutable, JsonHasEveryDocumentedKey) {
    const std::string out =
        runExecutable(analyze(with(kValid, {"--replications", "200", "--format", "json"}))).out;
    // Exact amounts as their decimals, whole numbers as integers.
    EXPECT_TRUE(
        out.starts_with("{\n  \"format_version\": 1,\n  \"inputs\": {\n    \"days\": 250,\n"
                        "    \"price\": 4.6,\n    \"cost\": 2.2,\n"))
        << out;
    const Json json = document(Outcome{0, out, ""});
    EXPECT_EQ(keys(json), (std::vector<std::string>{"format_version", "inputs", "expected",
                                                    "simulated", "pairs"}));
    const Json &inputs = json["inputs"];
    EXPECT_EQ(keys(inputs),
              (std::vector<std::string>{"days", "price", "cost", "frequency_30", "frequency_40",
                                        "frequency_50", "frequency_60", "frequency_70",
                                        "mean_demand", "critical_ratio", "checked_policy", "seed",
                                        "seed_from_clock", "replications"}));
    EXPECT_EQ(inputs["frequency_50"], 0.4);
    EXPECT_EQ(inputs["seed"], 42);
    EXPECT_EQ(inputs["seed_from_clock"], false);
    EXPECT_EQ(inputs["replications"], 200);
    EXPECT_EQ(inputs["checked_policy"], "yesterday");
    EXPECT_NEAR(inputs["critical_ratio"].get<double>(), 2.4 / 4.6, 1e-15);

    const std::vector<std::string> expectedKeys = {
        "name",         "order_quantity", "daily_demand",  "daily_order",
        "daily_sales",  "daily_leftover", "daily_unmet",   "daily_profit",
        "total_profit", "fill_rate",      "loss_day_share"};
    const Json &expected = json["expected"];
    EXPECT_EQ(keys(expected), (std::vector<std::string>{"yesterday", "annual", "fixed", "perfect",
                                                        "value_of_information"}));
    for (const char *rule : {"yesterday", "annual", "fixed", "perfect"}) {
        EXPECT_EQ(keys(expected[rule]), expectedKeys) << rule;
    }
    EXPECT_EQ(expected["yesterday"]["name"], "Yesterday's Demand");
    EXPECT_TRUE(expected["yesterday"]["order_quantity"].is_null());
    // Critical ratio 0.52: the cumulative frequency first reaches it at 50.
    EXPECT_EQ(expected["fixed"]["order_quantity"], 50);
    EXPECT_EQ(expected["annual"]["order_quantity"], 50);
    // With perfect information every unit demanded is sold at 2.40 profit.
    EXPECT_NEAR(expected["perfect"]["total_profit"].get<double>(), 250 * 50 * 2.4, 1e-6);

    const Json &simulated = json["simulated"];
    EXPECT_EQ(keys(simulated), (std::vector<std::string>{"yesterday", "annual", "fixed"}));
    for (const char *rule : {"yesterday", "annual", "fixed"}) {
        const Json &r = simulated[rule];
        EXPECT_EQ(keys(r), (std::vector<std::string>{
                               "name", "mean_total_profit", "sd_total_profit", "total_profit_ci95",
                               "mean_daily_demand", "mean_sales", "mean_lost_sales",
                               "mean_leftover", "fill_rate", "loss_day_share"}))
            << rule;
        const Json &ci = r["total_profit_ci95"];
        ASSERT_EQ(keys(ci), (std::vector<std::string>{"low", "high"})) << rule;
        const double mean = r["mean_total_profit"].get<double>();
        EXPECT_LT(ci["low"].get<double>(), mean) << rule;
        EXPECT_GT(ci["high"].get<double>(), mean) << rule;
    }

    const Json &pairs = json["pairs"];
    EXPECT_EQ(keys(pairs),
              (std::vector<std::string>{"yesterday_annual", "yesterday_fixed", "annual_fixed"}));
    const Json &pair = pairs["yesterday_annual"];
    EXPECT_EQ(keys(pair),
              (std::vector<std::string>{"name", "first", "second", "mean_difference",
                                        "sd_difference", "difference_ci95", "independent_ci95",
                                        "first_win_share", "tie_share", "second_win_share"}));
    EXPECT_EQ(pair["first"], "yesterday");
    EXPECT_EQ(pair["second"], "annual");
    // The difference of the means is the mean of the differences.
    const double difference = simulated["yesterday"]["mean_total_profit"].get<double>() -
                              simulated["annual"]["mean_total_profit"].get<double>();
    EXPECT_NEAR(pair["mean_difference"].get<double>(), difference, 1e-6);
    const double shares = pair["first_win_share"].get<double>() + pair["tie_share"].get<double>() +
                          pair["second_win_share"].get<double>();
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
    const Json json = document(runExecutable({"analyze", "--freq", "1,0,0,0,0", "--seed", "9",
                                              "--replications", "50", "--format", "json"}));
    for (const char *rule : {"yesterday", "annual", "fixed", "perfect"}) {
        const Json &e = json["expected"][rule];
        EXPECT_DOUBLE_EQ(e["daily_demand"].get<double>(), 30.0) << rule;
        EXPECT_DOUBLE_EQ(e["fill_rate"].get<double>(), 1.0) << rule;
    }
    for (const char *rule : {"yesterday", "annual", "fixed"}) {
        const Json &r = json["simulated"][rule];
        EXPECT_NEAR(r["mean_daily_demand"].get<double>(), 30.0, 1e-9) << rule;
        EXPECT_DOUBLE_EQ(r["mean_lost_sales"].get<double>(), 0.0) << rule;
    }
    // Every replication is the same: no spread, an interval of one point.
    const Json &annual = json["simulated"]["annual"];
    EXPECT_DOUBLE_EQ(annual["sd_total_profit"].get<double>(), 0.0);
    EXPECT_DOUBLE_EQ(annual["mean_total_profit"].get<double>(), 250 * (30 * 4.6 - 30 * 2.2));
    // Yesterday's Demand orders 50 on day 1 and leaves 20 over.
    EXPECT_DOUBLE_EQ(json["simulated"]["yesterday"]["mean_leftover"].get<double>(), 20.0);
}

// ---- csv -------------------------------------------------------------------------------------

TEST(AnalyzeExecutable, CsvIsOneLongTableWithCrlfLineEnds) {
    const Outcome outcome =
        runExecutable(analyze(with(kValid, {"--replications", "20", "--format", "csv"})));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    const std::string &out = outcome.out;
    EXPECT_TRUE(out.starts_with("section,rule,item,value,label\r\n"));
    // A label with a comma is quoted; one without is not.
    EXPECT_NE(out.find("\r\ninputs,,critical_ratio,0.5217391304347825,"
                       "\"Critical ratio, (price - cost) / price\"\r\n"),
              std::string::npos);
    EXPECT_NE(out.find("\r\ninputs,,seed,42,Seed of the replications\r\n"), std::string::npos);
    EXPECT_NE(out.find("\r\npairs,yesterday_fixed,difference_ci95_low,"), std::string::npos);
    for (std::size_t lf = out.find('\n'); lf != std::string::npos; lf = out.find('\n', lf + 1)) {
        ASSERT_EQ(out[lf - 1], '\r') << "a bare line feed at " << lf;
    }
    EXPECT_TRUE(out.ends_with("\r\n"));
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
    EXPECT_FALSE(Json::parse(outcome.out, nullptr, false).is_discarded());
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
    EXPECT_FALSE(Json::parse(outcome.out, nullptr, false).is_discarded());
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
