// End-to-end tests of "newsvendor-run debrief" through the real executable:
// what it refuses and with which status, the json a script (and the desktop
// program's "Open Results…") reads, and its table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "child_process.h"
#include "engine/analysis/game.h"
#include "io/results_file.h"
#include "json_keys.h"

namespace {

using nv::runner::testing::Json;
using nv::runner::testing::keys;
using nv::runner::testing::Outcome;
using nv::runner::testing::runExecutable;

const std::vector<std::string> kGame = {"debrief",  "--freq", "0.1,0.2,0.4,0.2,0.1", "--seed", "42",
                                        "--orders", "-"};
const std::string kOrders = "50\n60\r\n\n55\n40\n70\n";

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string> &more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

std::string repeated(const std::string &line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += line;
    }
    return text;
}

struct BadCase {
    const char *name;
    std::vector<std::string> args;
    std::string orders;  // standard input
    int status;
    std::string err;
};

class DebriefBadInput : public ::testing::TestWithParam<BadCase> {};

TEST_P(DebriefBadInput, ExitsWithItsStatusAndMessage) {
    const BadCase &c = GetParam();
    const Outcome outcome = runExecutable(c.args, c.orders);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.err, c.err);
    EXPECT_EQ(outcome.out, "");
}

const std::string kHint = "\nRun 'newsvendor-run debrief --help' for more information.\n";

INSTANTIATE_TEST_SUITE_P(
    Runner, DebriefBadInput,
    ::testing::Values(
        BadCase{"UnreadableFile",
                {"debrief", "--seed", "1", "--orders", "/nonexistent/orders.txt"},
                "",
                2,
                "Cannot read the orders file '/nonexistent/orders.txt': No such file or "
                "directory" +
                    kHint},
        BadCase{"NoSeed",
                {"debrief", "--orders", "-"},
                kOrders,
                2,
                "Option --seed is needed: the game's demands come from it" + kHint},
        // The inputs' checks come before the file's lines.
        BadCase{"InputsFirst", with(kGame, {"--cost", "x"}), "abc\n", 1, "Cost must be a number\n"},
        BadCase{"BadLine", kGame, "50\n\n48.5\n", 1,
                "Line 3 of the orders file: The order must be a whole number from 0 to 1,000\n"},
        BadCase{"RunsGivenAreChecked", with(kGame, {"--runs", "0"}), kOrders, 1,
                "Number of Runs must be at least 1 for the analysis\n"},
        // One day passes the run's check, twenty do not pass the game's.
        BadCase{"GameAmounts", with(kGame, {"--runs", "1", "--price", "1e12", "--cost", "0"}),
                repeated("50\n", 20), 1, "Price and Cost are too large for this Number of Runs\n"}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(DebriefExecutable, JsonKeysInOrderAndReadBackAsASavedGame) {
    const Outcome outcome =
        runExecutable(with(kGame, {"--format", "json", "--policy", "annual"}), kOrders);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    const Json json = Json::parse(outcome.out);
    EXPECT_EQ(keys(json),
              (std::vector<std::string>{"format_version", "inputs", "days", "player", "rules",
                                        "best_order", "mean_demand", "findings"}));
    ASSERT_EQ(json["days"].size(), 5u);
    EXPECT_EQ(keys(json["days"][0]),
              (std::vector<std::string>{"day", "order", "demand", "sales", "leftover", "unmet",
                                        "daily_profit", "cumulative_profit"}));
    EXPECT_EQ(keys(json["player"]),
              (std::vector<std::string>{"total_profit", "expected_total_profit", "luck",
                                        "share_of_perfect", "mean_order", "chase_correlation",
                                        "days_above_best"}));
    EXPECT_EQ(keys(json["rules"]),
              (std::vector<std::string>{"yesterday", "annual", "best", "perfect"}));
    EXPECT_EQ(json["inputs"]["days"], 5);
    EXPECT_EQ(json["inputs"]["checked_policy"], "annual");
    EXPECT_EQ(json["days"][4]["cumulative_profit"], json["player"]["total_profit"]);

    const auto saved = nv::readSavedGame(outcome.out);
    ASSERT_TRUE(saved.ok()) << saved.error().problem;
    EXPECT_EQ(saved->seed, 42u);
    std::vector<nv::Currency> orders;
    for (const int order : {50, 60, 55, 40, 70}) {
        orders.push_back(nv::Currency::fromCount(order));
    }
    EXPECT_EQ(saved->orders, orders);
}

TEST(DebriefExecutable, TableShowsTheDaysAndTheFindings) {
    const Outcome outcome = runExecutable(kGame, kOrders);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(outcome.out.starts_with("Debrief of your game\n\nInputs\n")) << outcome.out;
    EXPECT_NE(outcome.out.find("\nYour days\n    Day  Order (units)  Demand (units)"),
              std::string::npos)
        << outcome.out;
    EXPECT_NE(outcome.out.find("\n  Findings\n    You earned $"), std::string::npos) << outcome.out;
}

}  // namespace
