// Exact expectations against cases worked out by hand.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "analysis_test_support.h"
#include "common/case_names.h"
#include "common/test_inputs.h"
#include "engine/analysis/expectations.h"

namespace nv {
namespace {

using test::PrintTo;

using test::analysisOf;
using test::Frequencies;
using test::kTextbook;
using test::kUniform;

constexpr double kTolerance = 1e-9;

// Hand-worked expected values of one rule.
struct RuleFigures {
    double firstProfit;
    double laterProfit;
    double runProfit;
    double laterLeftover;
    double laterUnmet;
    double fillRate;
    double lossDayShare;
};

struct HandCase {
    const char *name;
    Frequencies frequencies;
    const char *price;
    const char *cost;
    const char *days;
    RuleFigures yesterday;
    RuleFigures annual;
    RuleFigures fixed;
    double fixedOrder;
    double perfectDaily;
};

class ExactExpectations : public ::testing::TestWithParam<HandCase> {};

void expectRule(const RuleExpectation &e, const RuleFigures &f, const char *rule) {
    SCOPED_TRACE(rule);
    EXPECT_NEAR(e.firstDay.profit, f.firstProfit, kTolerance);
    EXPECT_NEAR(e.laterDay.profit, f.laterProfit, kTolerance);
    EXPECT_NEAR(e.run.profit, f.runProfit, kTolerance);
    EXPECT_NEAR(e.laterDay.leftover, f.laterLeftover, kTolerance);
    EXPECT_NEAR(e.laterDay.unmet, f.laterUnmet, kTolerance);
    EXPECT_NEAR(e.fillRate, f.fillRate, kTolerance);
    EXPECT_NEAR(e.lossDayShare, f.lossDayShare, kTolerance);
    // Units balance every day, exactly: order = sales + leftover, demand = sales + unmet.
    EXPECT_EQ(e.laterDay.order, e.laterDay.sales + e.laterDay.leftover);
    EXPECT_EQ(e.laterDay.demand, e.laterDay.sales + e.laterDay.unmet);
}

TEST_P(ExactExpectations, MatchTheHandWorkedValues) {
    const HandCase &c = GetParam();
    const auto checked = analysisOf(c.frequencies, c.price, c.cost, c.days);
    ASSERT_TRUE(checked.ok()) << refusalMessage(checked.error());
    const Expectations e = exactExpectations(*checked);
    expectRule(e.rule(AnalysisRule::Yesterday), c.yesterday, "Yesterday");
    expectRule(e.rule(AnalysisRule::Annual), c.annual, "Annual");
    expectRule(e.rule(AnalysisRule::FixedFractile), c.fixed, "Fixed");
    EXPECT_DOUBLE_EQ(e.fixedOrder, c.fixedOrder);
    EXPECT_NEAR(e.perfectInformation.laterDay.profit, c.perfectDaily, kTolerance);
    const double days = std::stod(c.days);
    EXPECT_NEAR(e.valueOfInformation(), c.perfectDaily * days - c.fixed.runProfit, 1e-8);
}

// Price 4.60, cost 2.20 unless stated: a margin of 2.40 a unit sold.
INSTANTIATE_TEST_SUITE_P(
    HandWorked, ExactExpectations,
    ::testing::Values(
        // All on 50: every rule orders 50 and sells 50: 120 a day.
        HandCase{"AllOnFifty",
                 {0, 0, 10000, 0, 0},
                 "4.60",
                 "2.20",
                 "10",
                 {120, 120, 1200, 0, 0, 1, 0},
                 {120, 120, 1200, 0, 0, 1, 0},
                 {120, 120, 1200, 0, 0, 1, 0},
                 50,
                 120},
        // All on 30: Yesterday's first order of 50 sells 30 (138 - 110 = 28,
        // 20 left over); later days order 30: 72. Total 28 + 9 x 72 = 676.
        HandCase{"AllOnThirty",
                 {10000, 0, 0, 0, 0},
                 "4.60",
                 "2.20",
                 "10",
                 {28, 72, 676, 0, 0, 1, 0},
                 {72, 72, 720, 0, 0, 1, 0},
                 {72, 72, 720, 0, 0, 1, 0},
                 30,
                 72},
        // All on 70: the first order of 50 misses 20 (120); later 168.
        // Fill rate (50 + 9 x 70) / 700.
        HandCase{"AllOnSeventy",
                 {0, 0, 0, 0, 10000},
                 "4.60",
                 "2.20",
                 "10",
                 {120, 168, 1632, 0, 0, 680.0 / 700.0, 0},
                 {168, 168, 1680, 0, 0, 1, 0},
                 {168, 168, 1680, 0, 0, 1, 0},
                 70,
                 168},
        // Uniform: Annual orders 50, sells E[min(D, 50)] = 44: 202.4 - 110 = 92.4,
        // 6 left over and 6 unmet. Yesterday later: E[min(D1, D2)] = 42:
        // 193.2 - 110 = 83.2, 8 and 8; day 1 orders 50 like Annual. Fill
        // (44 + 9 x 42) / 500. The one losing day is an order of 70 on a
        // demand of 30 (138 - 154), 1 in 25 of the later days.
        HandCase{"Uniform",
                 kUniform,
                 "4.60",
                 "2.20",
                 "10",
                 {92.4, 83.2, 841.2, 8, 8, 422.0 / 500.0, 0.9 * 0.04},
                 {92.4, 92.4, 924, 6, 6, 0.88, 0},
                 {92.4, 92.4, 924, 6, 6, 0.88, 0},
                 50,
                 120},
        // Price equal to cost: profit = -cost x leftover. Annual: -2.2 x 6;
        // Yesterday later: -2.2 x 8, a loss whenever today < yesterday (0.4);
        // the fixed order is 30 (ratio 0): no leftover, no profit, no loss.
        HandCase{"PriceEqualsCost",
                 kUniform,
                 "2.20",
                 "2.20",
                 "10",
                 {-13.2, -17.6, -171.6, 8, 8, 422.0 / 500.0, 0.4},
                 {-13.2, -13.2, -132, 6, 6, 0.88, 0.4},
                 {0, 0, 0, 0, 20, 0.6, 0},
                 30,
                 0},
        // Ratio 0.4 on the boundary: ordering 40 (5 x 38 - 120) and 50
        // (5 x 44 - 150) both expect 70; the smaller is chosen. Yesterday
        // later: 5 x 42 - 150 = 60, losing on (70, 30), (70, 40), (60, 30).
        HandCase{"FractileTie",
                 kUniform,
                 "5",
                 "3",
                 "20",
                 {70, 60, 70 + 19 * 60.0, 8, 8, (44 + 19 * 42.0) / 1000, 19 * 0.12 / 20},
                 {70, 70, 1400, 6, 6, 0.88, 0},
                 {70, 70, 1400, 2, 12, 0.76, 0},
                 40,
                 100},
        // Price below cost: every rule loses every day; the fixed 30 loses least.
        HandCase{"PriceBelowCost",
                 kUniform,
                 "2",
                 "3",
                 "5",
                 {-62, -66, -62 - 4 * 66.0, 8, 8, (44 + 4 * 42.0) / 250, 1},
                 {-62, -62, -310, 6, 6, 0.88, 1},
                 {-30, -30, -150, 0, 20, 0.6, 1},
                 30,
                 -50},
        // The textbook distribution at 4.50 / 2.20 over 2 days. Annual orders
        // 48.5 and sells 0.15 x 30 + 0.25 x 40 + 0.6 x 48.5 = 43.6:
        // 196.2 - 106.7 = 89.5. An order of 50 sells 44.5: 200.25 - 110 = 90.25,
        // 5.5 left over, 4 unmet. Yesterday later: P(min >= d) = P(D >= d)^2
        // gives E[min(D1, D2)] = 30 + 10 x (0.7225 + 0.36 + 0.09 + 0.01) =
        // 41.825: 188.2125 - 106.7 = 81.5125, 6.675 left and unmet; the only
        // losing pair is (70, 30), 0.1 x 0.15, on day 2 only.
        HandCase{"Textbook",
                 kTextbook,
                 "4.50",
                 "2.20",
                 "2",
                 {90.25, 81.5125, 171.7625, 6.675, 6.675, (44.5 + 41.825) / 97, 0.015 / 2},
                 {89.5, 89.5, 179, 4.9, 4.9, 43.6 / 48.5, 0},
                 {90.25, 90.25, 180.5, 5.5, 4, 44.5 / 48.5, 0},
                 50,
                 2.3 * 48.5}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(ExactExpectations, PriceEqualToCostLosesExactlyTheLeftovers) {
    for (const Frequencies &f : {kUniform, kTextbook, Frequencies{5000, 0, 0, 0, 5000}}) {
        const auto checked = analysisOf(f, "3.10", "3.10", "30");
        ASSERT_TRUE(checked.ok());
        const Expectations e = exactExpectations(*checked);
        const ExactDecimal lossPerUnit = ExactDecimal::fromUnits(-31, 1);
        for (const AnalysisRule rule : kAllAnalysisRules) {
            const RuleExpectation &r = e.rule(rule);
            EXPECT_EQ(r.firstDay.profit, lossPerUnit * r.firstDay.leftover);
            EXPECT_EQ(r.laterDay.profit, lossPerUnit * r.laterDay.leftover);
            EXPECT_EQ(r.run.profit, lossPerUnit * r.run.leftover);
        }
        EXPECT_TRUE(e.perfectInformation.run.profit.isZero());
    }
}

TEST(ExactExpectations, YesterdayLaterDaysOrderTheMeanOnAverage) {
    const auto checked = analysisOf(kTextbook, "4.60", "2.20", "250");
    ASSERT_TRUE(checked.ok());
    const Expectations e = exactExpectations(*checked);
    const RuleExpectation &y = e.rule(AnalysisRule::Yesterday);
    EXPECT_NEAR(y.firstDay.order, 50, kTolerance);
    EXPECT_NEAR(y.laterDay.order, 48.5, kTolerance);
    EXPECT_NEAR(y.laterDay.demand, 48.5, kTolerance);
    EXPECT_NEAR(y.run.order, 50 + 249 * 48.5, 1e-8);
    // The best fixed order expects at least as much as either other rule.
    EXPECT_GE(e.rule(AnalysisRule::FixedFractile).run.profit,
              e.rule(AnalysisRule::Annual).run.profit);
    EXPECT_GE(e.rule(AnalysisRule::FixedFractile).run.profit, y.run.profit);
    EXPECT_GT(e.valueOfInformation(), 0);
}

}  // namespace
}  // namespace nv
