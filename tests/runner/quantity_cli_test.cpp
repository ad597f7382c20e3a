// End-to-end tests of "newsvendor-run quantity" and "newsvendor-run sweep"
// through the real executable: exit status, what reaches each stream, and the
// json keys a script relies on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "child_process.h"
#include "json_keys.h"

namespace {

using nv::runner::testing::Json;
using nv::runner::testing::keys;
using nv::runner::testing::Outcome;
using nv::runner::testing::runExecutable;

const std::string kFreq = "0.1,0.2,0.4,0.2,0.1";

std::string usage(const std::string &message, const std::string &command) {
    return message + "\nRun 'newsvendor-run " + command + " --help' for more information.\n";
}

struct QuantityCase {
    const char *name;
    std::vector<std::string> args;
    int status;
    std::string outHas;  // a line (or part of one) of standard output; "" for none
    std::string err;
};

class QuantityExecutable : public ::testing::TestWithParam<QuantityCase> {};

TEST_P(QuantityExecutable, ExitsWithItsStatusAndStreams) {
    const QuantityCase &c = GetParam();
    const Outcome outcome = runExecutable(c.args);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.err, c.err);
    if (c.outHas.empty()) {
        EXPECT_EQ(outcome.out, "");
    } else {
        EXPECT_NE(outcome.out.find(c.outHas), std::string::npos) << outcome.out;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Runner, QuantityExecutable,
    ::testing::Values(
        // A decimal order between two classes, in the table and in csv.
        QuantityCase{"CurveTable",
                     {"quantity", "--freq", kFreq, "--from", "48.5", "--to", "49", "--step", "0.5"},
                     0,
                     "  48.5               100.07                   44.95  ",
                     ""},
        QuantityCase{"CurveCsv",
                     {"quantity", "--freq", kFreq, "--to", "30", "--format", "csv"},
                     0,
                     "\r\n,,curve.1.expected_profit,72,",
                     ""},
        // A critical ratio equal to a cumulative frequency: every order from 40 to 60.
        QuantityCase{"BestInterval",
                     {"quantity", "--freq", "0,0.5,0,0.5,0", "--price", "4", "--cost", "2"},
                     0,
                     "Orders with the largest expected profit (units)  40.00 to 60.00\n",
                     ""},
        QuantityCase{"PriceBelowCost",
                     {"quantity", "--freq", kFreq, "--cost", "5", "--format", "csv"},
                     0,
                     "\r\n,,best_order_high,0,",
                     ""},
        QuantityCase{"SweepCost",
                     {"sweep", "--freq", kFreq, "--vary", "cost", "--from", "1", "--to", "4",
                      "--step", "3", "--format", "csv"},
                     0,
                     "\r\n,,points.2.best_low,40,",
                     ""},
        // Refused as analyze refuses, then the lesson's own refusals.
        QuantityCase{
            "FrequenciesNotOne", {"quantity"}, 1, "", "Relative Frequencies must add to 1.00\n"},
        QuantityCase{"PriceZero",
                     {"sweep", "--freq", kFreq, "--price", "0", "--vary", "cost", "--from", "1",
                      "--to", "2", "--step", "1"},
                     1,
                     "",
                     "Price must be greater than 0 for the analysis\n"},
        QuantityCase{"CostZero",
                     {"quantity", "--freq", kFreq, "--cost", "0"},
                     1,
                     "",
                     "Cost must be greater than 0 for the order-quantity analysis\n"},
        QuantityCase{
            "SweepReachesCostZero",
            {"sweep", "--freq", kFreq, "--vary", "cost", "--from", "0", "--to", "1", "--step", "1"},
            1,
            "",
            "Cost must be greater than 0 for the order-quantity analysis\n"},
        // A bad range is a usage error.
        QuantityCase{"Reversed",
                     {"quantity", "--freq", kFreq, "--from", "70", "--to", "30"},
                     2,
                     "",
                     usage("The end of a range must not be below its start", "quantity")},
        QuantityCase{
            "TooManyPoints",
            {"quantity", "--freq", kFreq, "--from", "0", "--to", "10.0001", "--step", "0.0001"},
            2,
            "",
            usage("A range may hold at most 100,001 points", "quantity")},
        QuantityCase{"NegativeOrder",
                     {"quantity", "--freq", kFreq, "--from", "-1"},
                     2,
                     "",
                     usage("Order quantities must not be negative", "quantity")},
        QuantityCase{"NotANumber",
                     {"quantity", "--freq", kFreq, "--step", "x"},
                     2,
                     "",
                     usage("--step needs a number, not 'x'", "quantity")},
        QuantityCase{"SweepNeedsStep",
                     {"sweep", "--freq", kFreq, "--vary", "price", "--from", "1", "--to", "3"},
                     2,
                     "",
                     usage("Option --step is required", "sweep")},
        QuantityCase{"SweepUnknownInput",
                     {"sweep", "--vary", "size", "--from", "1", "--to", "2", "--step", "1"},
                     2,
                     "",
                     usage("Unknown input 'size' for --vary: use price, cost or order", "sweep")}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(QuantityExecutableJson, HasTheDocumentedKeysAndAgreesWithItself) {
    const Outcome outcome =
        runExecutable({"quantity", "--freq", kFreq, "--step", "0.5", "--format", "json"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const Json json = Json::parse(outcome.out);
    EXPECT_EQ(keys(json),
              (std::vector<std::string>{"format_version", "inputs", "critical_ratio", "best_order",
                                        "curve", "payoff", "evpi", "rules"}));
    EXPECT_EQ(json["format_version"], 1);
    EXPECT_EQ(json["curve"].size(), 81U);
    EXPECT_EQ(
        keys(json["curve"][0]),
        (std::vector<std::string>{"order", "expected_profit", "expected_sales", "expected_leftover",
                                  "expected_unmet", "fill_rate", "loss_probability", "profit_sd"}));
    EXPECT_EQ(keys(json["payoff"]),
              (std::vector<std::string>{"orders", "demands", "profit", "expected_profit",
                                        "opportunity_loss", "expected_opportunity_loss"}));
    EXPECT_EQ(keys(json["rules"]),
              (std::vector<std::string>{"yesterday", "annual", "best", "perfect"}));
    // The best order's point of the curve is the best rule; EVPI closes the gap to perfect.
    const Json &rules = json["rules"];
    EXPECT_EQ(json["best_order"]["low"], 50);
    EXPECT_DOUBLE_EQ(json["curve"][40]["expected_profit"].get<double>(),
                     rules["best"].get<double>());
    EXPECT_NEAR(json["evpi"].get<double>(),
                rules["perfect"].get<double>() - rules["best"].get<double>(), 1e-9);
}

}  // namespace
