// The order-quantity lesson's figures against cases worked out by hand, and
// the relations between its parts (best orders, curve, payoff table, EVPI).
#include "engine/analysis/order_quantity.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>

#include "analysis_test_support.h"
#include "common/case_names.h"
#include "common/test_inputs.h"
#include "engine/analysis/expectations.h"
#include "engine/analysis/quantity_lesson.h"
#include "support/text_conversion.h"

namespace nv {
namespace {

using test::PrintTo;

using test::Frequencies;
using test::kTextbook;
using test::kUniform;

constexpr double kTolerance = 1e-9;
constexpr Frequencies kAllOnFifty = {0, 0, 10000, 0, 0};

Currency amount(const char *text) {
    return *parseCurrency(text);
}

AnalysisParameters checked(const Frequencies &f, const char *price, const char *cost) {
    const auto parameters = test::analysisOf(f, price, cost, "10");
    EXPECT_TRUE(parameters.ok()) << refusalMessage(parameters.error());
    return *parameters;
}

// Expected figures of one order, by hand.
struct FiguresCase {
    const char *name;
    Frequencies frequencies;
    const char *price;
    const char *cost;
    const char *order;
    double profit, sales, leftover, unmet, fillRate, lossProbability, profitSd, opportunityLoss;
};

class OrderFiguresTest : public ::testing::TestWithParam<FiguresCase> {};

TEST_P(OrderFiguresTest, MatchTheHandWorkedValues) {
    const FiguresCase &c = GetParam();
    const auto f = orderFigures(checked(c.frequencies, c.price, c.cost), amount(c.order));
    ASSERT_TRUE(f.has_value());
    const auto near = [](double actual, double expected) {
        return std::abs(actual - expected) <= kTolerance * std::max(1.0, std::abs(expected));
    };
    EXPECT_PRED2(near, f->profit, c.profit);
    EXPECT_PRED2(near, f->sales, c.sales);
    EXPECT_PRED2(near, f->leftover, c.leftover);
    EXPECT_PRED2(near, f->unmet, c.unmet);
    EXPECT_PRED2(near, f->fillRate, c.fillRate);
    EXPECT_PRED2(near, f->lossProbability, c.lossProbability);
    EXPECT_PRED2(near, f->profitSd, c.profitSd);
    EXPECT_PRED2(near, f->opportunityLoss, c.opportunityLoss);
}

INSTANTIATE_TEST_SUITE_P(
    HandWorked, OrderFiguresTest,
    ::testing::Values(
        // 40 sold every day: 184 - 88; 10 unmet; ordering 50 would make 120.
        FiguresCase{"AllWeightOnOneClass", kAllOnFifty, "4.60", "2.20", "40", 96, 40, 0, 10, 0.8, 0,
                    0, 24},
        // Profits 10, 30, 50, 50, 50 (mean 38, sd 16); each demand's best is
        // the demand itself (30 .. 70, mean 50).
        FiguresCase{"UniformFifty", kUniform, "2", "1", "50", 38, 44, 6, 6, 0.88, 0, 16, 12},
        // Profits -10, 10, 30, 50, 70: one losing day in five.
        FiguresCase{"UniformSeventy", kUniform, "2", "1", "70", 30, 50, 20, 0, 1, 0.2,
                    28.284271247461902, 20},
        // Between 40 and 50 the line: 0.15 x 30 + 0.25 x 40 + 0.6 x 48.5 = 43.6
        // sold, 4.6 x 43.6 - 2.2 x 48.5; profits 31.3, 77.3, 116.4.
        FiguresCase{"DecimalOrder", kTextbook, "4.60", "2.20", "48.5", 93.86, 43.6, 4.9, 4.9,
                    43.6 / 48.5, 0, 30.99116648337071, 116.4 - 93.86},
        // The run rounds 48.5 x 4.6001 = 223.10485 and 48.5 x 2.2001 =
        // 106.70485 to even (…048): 93.85953, not the line's 93.85951.
        FiguresCase{"DecimalOrderRoundedAsTheRunRounds", kTextbook, "4.6001", "2.2001", "48.5",
                    93.85953, 43.6, 4.9, 4.9, 43.6 / 48.5, 0, 30.991818385262587,
                    2.4 * 48.5 - 93.85953},
        // Amounts too large for 64-bit sums: UniformFifty in tens of billions.
        FiguresCase{"WideSums", kUniform, "20000000000", "10000000000", "50", 38e10, 44, 6, 6, 0.88,
                    0, 16e10, 12e10},
        FiguresCase{"NothingOrdered", kUniform, "2", "1", "0", 0, 0, 0, 50, 0, 0, 0, 50},
        // Price below cost: a loss every day; knowing the demand, order nothing.
        FiguresCase{"PriceBelowCost", kUniform, "2", "3", "30", -30, 30, 0, 20, 0.6, 1, 0, 30}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

struct BestCase {
    const char *name;
    Frequencies frequencies;
    const char *price;
    const char *cost;
    double low, high;
};

class BestOrdersTest : public ::testing::TestWithParam<BestCase> {};

// Ratio r = (price - cost) / price against the cumulative frequencies.
INSTANTIATE_TEST_SUITE_P(
    HandWorked, BestOrdersTest,
    ::testing::Values(
        BestCase{"AllWeightOnOneClass", kAllOnFifty, "4.60", "2.20", 50, 50},
        BestCase{"Uniform", kUniform, "2", "1", 50, 50},                   // r 0.5: 0.2, 0.4, 0.6
        BestCase{"Textbook", kTextbook, "4.60", "2.20", 50, 50},           // r 0.52: 0.4, 0.7
        BestCase{"RatioOnUniformCumulative", kUniform, "5", "3", 40, 50},  // r 0.4 = F(40)
        BestCase{"RatioOnTextbookCumulative", kTextbook, "10", "1", 60, 70},  // r 0.9 = F(60)
        BestCase{"FlatUpToNextPositiveClass", {4000, 0, 6000, 0, 0}, "5", "3", 30, 50},
        BestCase{"SmallCost", kUniform, "4.60", "0.01", 70, 70},
        BestCase{"PriceBelowCost", kUniform, "2", "3", 0, 0},
        // Up to the smallest demand every order breaks even.
        BestCase{"PriceEqualsCost", kUniform, "2.20", "2.20", 0, 30},
        BestCase{"PriceEqualsCostNoThirty", {0, 5000, 5000, 0, 0}, "2.20", "2.20", 0, 40}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST_P(BestOrdersTest, AreTheHandWorkedInterval) {
    const BestCase &c = GetParam();
    const auto best = bestOrders(checked(c.frequencies, c.price, c.cost));
    ASSERT_TRUE(best.ok());
    EXPECT_EQ(best->low.toDouble(), c.low);
    EXPECT_EQ(best->high.toDouble(), c.high);
}

// Over every order from 0 to 80 by halves: the best orders expect the most,
// every other order strictly less; the Annual order's figures are the
// comparison's; the EVPI is the smallest expected opportunity loss and the
// perfect-information profit less the best.
TEST_P(BestOrdersTest, AgreeWithTheCurveTheExpectationsAndTheEvpi) {
    const BestCase &c = GetParam();
    const AnalysisParameters parameters = checked(c.frequencies, c.price, c.cost);
    const AmountRange orders{Currency{}, amount("80"), amount("0.5")};
    const auto lesson = quantityLesson(parameters, orders);
    ASSERT_TRUE(lesson.ok()) << refusalMessage(lesson.error());
    ASSERT_EQ(lesson->curve.size(), 161u);
    for (const OrderFigures &point : lesson->curve) {
        SCOPED_TRACE(point.order.toDouble());
        if (lesson->best.contains(point.order)) {
            EXPECT_EQ(point.exact.profit, lesson->rules.best);
        } else {
            EXPECT_LT(point.exact.profit, lesson->rules.best);
        }
        EXPECT_GE(point.exact.opportunityLoss, lesson->evpi);
    }
    EXPECT_EQ(lesson->evpi, lesson->rules.perfect - lesson->rules.best);
    if (lesson->best.low > Currency{}) {
        const auto &losses = lesson->payoff.expectedOpportunityLoss;
        EXPECT_EQ(*std::min_element(losses.begin(), losses.end()), lesson->evpi);
    }

    const Expectations e = exactExpectations(parameters);
    const ExpectedAmounts &annual = e.rule(AnalysisRule::Annual).laterDay;
    const Currency mean = parameters.meanDemand();
    const auto annualPoint = orderCurve(parameters, {mean, mean, amount("1")});
    ASSERT_TRUE(annualPoint.ok());
    EXPECT_EQ((*annualPoint)[0].exact.profit, annual.profit);
    EXPECT_EQ((*annualPoint)[0].exact.leftover, annual.leftover);
    EXPECT_EQ((*annualPoint)[0].exact.lossProbability, annual.lossDays);
    EXPECT_EQ(lesson->rules.annual, annual.profit);
    EXPECT_EQ(lesson->rules.yesterday, e.rule(AnalysisRule::Yesterday).laterDay.profit);
    if (parameters.price() >= parameters.cost()) {
        EXPECT_EQ(lesson->rules.perfect, e.perfectInformation.laterDay.profit);
    }
}

TEST(PayoffTable, CellsOpportunityLossesAndEvpiByHand) {
    const auto lesson = quantityLesson(checked(kTextbook, "4.60", "2.20"), kDefaultCurveRange);
    ASSERT_TRUE(lesson.ok());
    const PayoffTable &t = lesson->payoff;
    EXPECT_EQ(t.orders[5], amount("48.5"));
    EXPECT_EQ(t.profit[0][4], amount("72"));           // 30 sold: 138 - 66
    EXPECT_EQ(t.profit[4][0], amount("-16"));          // 70 bought, 30 sold: 138 - 154
    EXPECT_EQ(t.profit[5][3], amount("116.4"));        // 48.5 sold: 223.1 - 106.7
    EXPECT_EQ(t.opportunityLoss[0][4], amount("96"));  // 168 - 72
    EXPECT_EQ(t.opportunityLoss[4][0], amount("88"));  // 72 + 16
    EXPECT_EQ(t.expectedProfit[2].text(), "94.7");     // 4.6 x 44.5 - 110
    EXPECT_EQ(t.expectedOpportunityLoss[2].text(), "21.7");
    EXPECT_EQ(lesson->evpi.text(), "21.7");  // 116.4 - 94.7
}

struct RangeCase {
    const char *name;
    const char *from, *to, *step;
    std::int64_t points;  // 0: refused with `refusal`
    Refusal refusal;
};

class CurveRangeTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(CurveRangeTest, HoldsItsPointsOrIsRefused) {
    const RangeCase &c = GetParam();
    const auto curve = orderCurve(checked(kTextbook, "4.60", "2.20"),
                                  {amount(c.from), amount(c.to), amount(c.step)});
    if (c.points == 0) {
        ASSERT_FALSE(curve.ok());
        EXPECT_EQ(curve.error(), c.refusal);
    } else {
        ASSERT_TRUE(curve.ok()) << refusalMessage(curve.error());
        EXPECT_EQ(static_cast<std::int64_t>(curve->size()), c.points);
        EXPECT_EQ(curve->back().order,
                  rangePoint({amount(c.from), amount(c.to), amount(c.step)}, c.points - 1));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, CurveRangeTest,
    ::testing::Values(RangeCase{"Default", "30", "70", "1", 41, {}},
                      RangeCase{"EndBetweenSteps", "30", "70", "0.3", 134, {}},
                      RangeCase{"OnePoint", "48.5", "48.5", "1", 1, {}},
                      RangeCase{"LargestRange", "0", "10", "0.0001", 100001, {}},
                      RangeCase{"OnePointTooMany", "0", "10.0001", "0.0001", 0,
                                Refusal::TooManyPoints},
                      RangeCase{"WidestSpan", "-900000000000000", "900000000000000", "1", 0,
                                Refusal::TooManyPoints},
                      RangeCase{"Reversed", "70", "30", "1", 0, Refusal::RangeReversed},
                      RangeCase{"ZeroStep", "30", "70", "0", 0, Refusal::StepNotPositive},
                      RangeCase{"NegativeStep", "70", "30", "-1", 0, Refusal::StepNotPositive},
                      RangeCase{"NegativeOrder", "-1", "70", "1", 0, Refusal::OrderNegative},
                      RangeCase{"OrderTooLarge", "900000000000000", "900000000000000", "1", 0,
                                Refusal::AmountsOutOfRange}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(BestOrders, ACostOfZeroOrBelowIsRefused) {
    for (const char *cost : {"0", "-1"}) {
        const auto best = bestOrders(checked(kTextbook, "4.60", cost));
        ASSERT_FALSE(best.ok()) << cost;
        EXPECT_EQ(best.error(), Refusal::CostNotPositive);
        EXPECT_EQ(refusalMessage(best.error()),
                  "Cost must be greater than 0 for the order-quantity analysis");
    }
}

}  // namespace
}  // namespace nv
