// Playing the newsvendor: the game's demands, its orders and the debrief.
#include "engine/analysis/game.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis_test_support.h"
#include "engine/analysis/game_paths.h"
#include "engine/analysis/game_report.h"
#include "engine/simulation.h"
#include "support/number_format.h"
#include "ui/toolkit/memory_grid.h"

namespace nv {
namespace {

constexpr test::Frequencies kBell = test::kBellShaped;

std::vector<Currency> whole(std::initializer_list<std::int32_t> counts) {
    std::vector<Currency> values;
    for (const std::int32_t c : counts) {
        values.push_back(Currency::fromCount(c));
    }
    return values;
}

AnalysisParameters bell() {
    return test::analysisOf(kBell, "4.60", "2.20", "250").value();
}

// Worked by hand: orders 50, 60, 40 against demands 40, 70, 40 at 4.60 / 2.20.
TEST(Debrief, AScriptedGameWorkedByHand) {
    const AnalysisParameters p = bell();
    const Debrief d = debrief(p, whole({50, 60, 40}), whole({40, 70, 40}));
    ASSERT_EQ(d.days.size(), 3u);
    EXPECT_EQ(d.days[1].dailyProfit, Currency::fromCount(144));  // 60 x 4.60 - 60 x 2.20
    EXPECT_EQ(d.unmet[1], Currency::fromCount(10));
    EXPECT_EQ(d.leftover[0], Currency::fromCount(10));
    EXPECT_EQ(d.playerTotal, Currency::fromCount(314));     // 74 + 144 + 96
    EXPECT_EQ(d.yesterdayTotal, Currency::fromCount(200));  // orders 50, 40, 70
    EXPECT_EQ(d.annualTotal, Currency::fromCount(268));     // 50 every day
    EXPECT_EQ(d.bestTotal, Currency::fromCount(268));       // the best order is 50
    EXPECT_EQ(d.perfectTotal, Currency::fromCount(360));
    EXPECT_DOUBLE_EQ(*d.shareOfPerfect, 314.0 / 360.0);
    EXPECT_EQ(d.expectedTotal.text(), "286.4");  // 101.6 + 93.4 + 91.4
    EXPECT_EQ(d.luck.text(), "27.6");
    EXPECT_DOUBLE_EQ(d.meanOrder, 50);
    EXPECT_EQ(d.daysAboveBest, 1);
    EXPECT_EQ(d.chaseCorrelation, -1.0);  // 60, 40 against 40, 70
    EXPECT_EQ(debriefFindings(d)[3],
              "You ordered on average 50 units; the best order is 50 and the mean demand 50.");
}

// The demands are the run's: the Demand column of a run with the same seed.
TEST(Game, DemandsAreTheRunsDemandColumnAndLuckAddsUp) {
    const AnalysisParameters p = bell();
    auto started = Game::start(p, 40, 12345);
    ASSERT_TRUE(started.ok());
    Game game = std::move(started).value();
    for (std::int32_t day = 0; day < 40; ++day) {
        ASSERT_TRUE(game.play(Currency::fromCount(30 + day)).has_value());
    }
    EXPECT_TRUE(game.finished());
    EXPECT_FALSE(game.play(Currency::fromCount(50)).has_value());

    ui::MemoryRunViews views;
    SeededSource random(12345);
    auto runViews = views.views();
    auto checked = checkRun(test::runInputs(kBell, "40"));
    ASSERT_TRUE(checked.ok());
    runSimulation(*checked, runViews, random, NumberLocale{});
    for (std::size_t t = 0; t < 40; ++t) {
        EXPECT_EQ(views.grid.rows()[t + 1][1], formatWhole(game.demands()[t])) << t;
    }
    const Debrief d = debrief(p, game.orders(), game.demands());
    EXPECT_EQ(d.playerTotal, game.played().back().cumulativeProfit);
    EXPECT_EQ(ExactDecimal::of(d.playerTotal), d.expectedTotal + d.luck);
    // The charts' paths end at the debrief's totals.
    const GamePaths paths = gamePaths(p, game.orders(), game.demands());
    const std::pair<GamePlayer, Currency> ends[] = {{GamePlayer::You, d.playerTotal},
                                                    {GamePlayer::Yesterday, d.yesterdayTotal},
                                                    {GamePlayer::Annual, d.annualTotal},
                                                    {GamePlayer::Best, d.bestTotal},
                                                    {GamePlayer::Perfect, d.perfectTotal}};
    for (const auto &[who, total] : ends) {
        ASSERT_EQ(paths.of(who).size(), 41u);
        EXPECT_EQ(paths.of(who).back(), total) << static_cast<int>(who);
    }
}

TEST(Debrief, ChaseCorrelationOfAChaserAndOfConstantOrders) {
    const AnalysisParameters p = bell();
    const auto demands = gameDemands(p.distribution(), 30, 7);
    std::vector<Currency> chaser = {Currency::fromCount(50)};
    chaser.insert(chaser.end(), demands.begin(), demands.end() - 1);
    EXPECT_EQ(debrief(p, chaser, demands).chaseCorrelation, 1.0);
    const std::vector<Currency> constant(30, Currency::fromCount(55));
    EXPECT_FALSE(debrief(p, constant, demands).chaseCorrelation.has_value());
    const Report report = debriefReport(p, debrief(p, constant, demands), {});
    EXPECT_FALSE(report.find("player", "", "chase_correlation")->exists());
}

struct OrderCase {
    const char *text;
    std::optional<std::int32_t> order;  // nullopt: refused
    Refusal refusal;
};

class OrderText : public ::testing::TestWithParam<OrderCase> {};

TEST_P(OrderText, IsAWholeNumberFrom0To1000) {
    const auto order = parseOrder(GetParam().text);
    if (GetParam().order) {
        ASSERT_TRUE(order.ok()) << GetParam().text;
        EXPECT_EQ(*order, Currency::fromCount(*GetParam().order));
    } else {
        ASSERT_FALSE(order.ok()) << GetParam().text;
        EXPECT_EQ(order.error(), GetParam().refusal);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Orders, OrderText,
    ::testing::Values(OrderCase{"55", 55, {}}, OrderCase{" 0 ", 0, {}}, OrderCase{"1000", 1000, {}},
                      OrderCase{"5e1", 50, {}},
                      OrderCase{"", std::nullopt, Refusal::OrderNotANumber},
                      OrderCase{"fifty", std::nullopt, Refusal::OrderNotANumber},
                      OrderCase{"1,000", std::nullopt, Refusal::OrderNotANumber},
                      OrderCase{"48.5", std::nullopt, Refusal::OrderOutOfRange},
                      OrderCase{"-1", std::nullopt, Refusal::OrderOutOfRange},
                      OrderCase{"1001", std::nullopt, Refusal::OrderOutOfRange},
                      OrderCase{"1e400", std::nullopt, Refusal::OrderOutOfRange}));

TEST(OrdersFile, OneOrderPerLineAndTheLineOfTheFirstBadOne) {
    EXPECT_EQ(parseOrdersFile("50\r\n\r\n60\n70").value(), whole({50, 60, 70}));
    const auto bad = parseOrdersFile("50\n\nabc\n");
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(ordersFileMessage(bad.error()),
              "Line 3 of the orders file: The order must be a number");
    EXPECT_FALSE(parseOrdersFile(" \n").ok());
    std::string tooMany;
    for (int i = 0; i < 366; ++i) {
        tooMany += "50\n";
    }
    EXPECT_EQ(parseOrdersFile(tooMany).error(), (OrdersFileError{0, Refusal::GameDaysOutOfRange}));
}

TEST(Game, RefusesDaysOutsideItsRange) {
    EXPECT_EQ(Game::start(bell(), 0, 1).error(), Refusal::GameDaysOutOfRange);
    EXPECT_EQ(Game::start(bell(), 366, 1).error(), Refusal::GameDaysOutOfRange);
    EXPECT_EQ(refusalMessage(Refusal::GameDaysOutOfRange), "The game must have from 1 to 365 days");
}

}  // namespace
}  // namespace nv
