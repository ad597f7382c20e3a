// Saved game results are read back by replaying their orders; a file that
// does not match the replay is refused.
#include "io/results_file.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "common/case_names.h"
#include "common/test_inputs.h"
#include "engine/analysis/game.h"
#include "engine/analysis/game_report.h"
#include "io/report_json.h"

namespace nv {
namespace {

using test::PrintTo;

// A file as the debrief writes it, for the game of seed 99 at 4.60 / 2.20.
nlohmann::json savedFile(const std::vector<std::int32_t> &orders) {
    RunInputs run{"1", "4.60", "2.20", {}, true, false};
    const std::array<std::int64_t, 5> frequencies = {1000, 2000, 4000, 2000, 1000};
    for (std::size_t cls = 0; cls < 5; ++cls) {
        run.distribution.setFrequency(cls, Currency::fromUnits(frequencies[cls]));
    }
    const auto parameters = AnalysisParameters::fromInputs(run).value();
    const auto demands =
        gameDemands(parameters.distribution(), static_cast<std::int32_t>(orders.size()), 99);
    nlohmann::json days = nlohmann::json::array();
    for (std::size_t t = 0; t < orders.size(); ++t) {
        const auto day = simulateDay(1, Currency::fromCount(orders[t]), demands[t],
                                     parameters.price(), parameters.cost(), Currency{});
        days.push_back({{"day", t + 1},
                        {"order", orders[t]},
                        {"demand", demands[t].toDouble()},
                        {"daily_profit", day->dailyProfit.toDouble()}});
    }
    return {{"format_version", 1},
            {"inputs",
             {{"days", orders.size()},
              {"price", 4.6},
              {"cost", 2.2},
              {"frequency_30", 0.1},
              {"frequency_40", 0.2},
              {"frequency_50", 0.4},
              {"frequency_60", 0.2},
              {"frequency_70", 0.1},
              {"checked_policy", "annual"},
              {"seed", 99}}},
            {"days", days}};
}

TEST(SavedGame, ReplaysTheOrdersOfAGoodFile) {
    const auto game = readSavedGame(savedFile({50, 60, 55, 40}).dump());
    ASSERT_TRUE(game.ok()) << game.error().problem;
    EXPECT_EQ(game->seed, 99u);
    EXPECT_EQ(game->checkedPolicy, OrderPolicy::Annual);
    EXPECT_EQ(game->orders.size(), 4u);
    EXPECT_EQ(game->orders[1], Currency::fromCount(60));
    EXPECT_EQ(game->demands, gameDemands(game->parameters.distribution(), 4, 99));
}

// A price no double holds, in a file as the debrief writes it: read back
// digit for digit, so the replay makes the same days.
TEST(SavedGame, ReadsAnAmountNoDoubleHoldsExactly) {
    RunInputs run{"1", "1234567890123.4567", "1.0001", {}, true, false};
    for (std::size_t cls = 0; cls < 5; ++cls) {
        run.distribution.setFrequency(cls, Currency::fromUnits(cls == 2 ? 10000 : 0));
    }
    const auto parameters = AnalysisParameters::fromInputs(run).value();
    const std::vector<Currency> orders = {Currency::fromCount(50)};
    const Debrief d = debrief(parameters, orders, gameDemands(parameters.distribution(), 1, 5));
    const auto game = readSavedGame(io::reportJson(debriefReport(parameters, d, {{}, 5}), 1));
    ASSERT_TRUE(game.ok()) << game.error().problem;
    EXPECT_EQ(game->parameters.price(), parameters.price());
}

struct BadFile {
    const char *name;
    std::string bytes;
    const char *message;
};

class BadResults : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadResults, AreRefusedNamingTheProblem) {
    const auto game = readSavedGame(GetParam().bytes);
    ASSERT_FALSE(game.ok());
    EXPECT_EQ(resultsFileMessage("alice.json", game.error()), GetParam().message);
}

std::string edited(const char *pointer, const nlohmann::json &value) {
    nlohmann::json file = savedFile({50, 60, 55});
    file[nlohmann::json::json_pointer(pointer)] = value;
    return file.dump();
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadResults,
    ::testing::Values(
        BadFile{"NotJson", "{", "The results file 'alice.json' is not valid JSON"},
        BadFile{"NotUtf8", "\"\xFF\"", "The results file 'alice.json' is not UTF-8 text"},
        BadFile{"OtherVersion", edited("/format_version", 2),
                "The results file 'alice.json' is not a debrief of format_version 1"},
        BadFile{"NoSeed", edited("/inputs/seed", nullptr),
                "The results file 'alice.json' lacks its inputs, its seed or its days"},
        BadFile{"EditedProfit", edited("/days/1/daily_profit", 1000),
                "The results file 'alice.json' does not match a replay of its orders (day 2)"},
        BadFile{"EditedDemand", edited("/days/2/demand", 71),
                "The results file 'alice.json' does not match a replay of its orders (day 3)"},
        BadFile{"FractionalOrder", edited("/days/0/order", 50.5),
                "The results file 'alice.json' has an order that is not a whole number from 0 "
                "to 1,000 (day 1)"},
        BadFile{"RefusedInputs", edited("/inputs/frequency_70", 0.2),
                "The results file 'alice.json' has inputs the game refuses: Relative "
                "Frequencies must add to 1.00"}));

}  // namespace
}  // namespace nv
