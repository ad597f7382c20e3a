// The analysis's checks, the choice of the Best Fixed Order and the day table.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "analysis_test_support.h"
#include "common/case_names.h"
#include "common/test_inputs.h"
#include "engine/analysis/analysis_parameters.h"
#include "engine/validation.h"

namespace nv {
namespace {

using test::PrintTo;

using test::analysisOf;
using test::Frequencies;
using test::kTextbook;
using test::kUniform;
using test::runInputs;

struct RefusalCase {
    const char *name;
    Frequencies frequencies;
    const char *price;
    const char *cost;
    const char *runs;
    bool annual;
    Refusal expected;
    const char *message;
};

class AnalysisRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(AnalysisRefusal, RefusesWithItsMessage) {
    const RefusalCase &c = GetParam();
    const auto checked = AnalysisParameters::fromInputs(
        runInputs(c.frequencies, c.runs, c.price, c.cost,
                  c.annual ? OrderPolicy::Annual : OrderPolicy::Yesterday));
    ASSERT_FALSE(checked.ok());
    EXPECT_EQ(checked.error(), c.expected);
    EXPECT_EQ(refusalMessage(checked.error()), c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, AnalysisRefusal,
    ::testing::Values(
        // The run's own checks come first, with the run's messages.
        RefusalCase{"NotOne",
                    {2000, 2000, 2000, 2000, 1000},
                    "4.60",
                    "2.20",
                    "250",
                    false,
                    Refusal::FrequenciesNotOne,
                    "Relative Frequencies must add to 1.00"},
        RefusalCase{"EmptyPrice", kUniform, "", "2.20", "250", false, Refusal::MissingParameter,
                    "You must supply values for all parameters"},
        RefusalCase{"PriceText", kUniform, "abc", "2.20", "250", false, Refusal::PriceNotANumber,
                    "Price must be a number"},
        // A negative class with the total still exactly 1.
        RefusalCase{"NegativeClass",
                    {5000, -1000, 6000, 0, 0},
                    "4.60",
                    "2.20",
                    "250",
                    false,
                    Refusal::NegativeFrequency,
                    "Relative Frequencies must not be negative for the analysis"},
        RefusalCase{"ZeroPrice", kUniform, "0", "2.20", "250", false, Refusal::PriceNotPositive,
                    "Price must be greater than 0 for the analysis"},
        RefusalCase{"NegativePrice", kUniform, "-4.60", "2.20", "250", false,
                    Refusal::PriceNotPositive, "Price must be greater than 0 for the analysis"},
        RefusalCase{"NoDays", kUniform, "4.60", "2.20", "0", false, Refusal::NoDays,
                    "Number of Runs must be at least 1 for the analysis"},
        // Accepted by a run under Average Annual Demand (orders of 30), but
        // the other rules order up to 70: 70 x 2e10 x 1000 days is too much.
        RefusalCase{"AmountsOfOtherRules",
                    {10000, 0, 0, 0, 0},
                    "1",
                    "20000000000",
                    "1000",
                    true,
                    Refusal::AmountsOutOfRange,
                    "Price and Cost are too large for this Number of Runs"}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(AnalysisRefusal, AmountsCaseIsOneTheRunAccepts) {
    EXPECT_TRUE(
        checkRun(runInputs({10000, 0, 0, 0, 0}, "1000", "1", "20000000000", OrderPolicy::Annual))
            .ok());
}

TEST(AnalysisMessages, EveryErrorHasItsText) {
    EXPECT_EQ(refusalMessage(Refusal::ReplicationsOutOfRange),
              "Replications must be from 1 to 1,000,000");
    EXPECT_EQ(refusalMessage(Refusal::Cancelled), "The analysis was cancelled");
    EXPECT_EQ(ruleName(AnalysisRule::Yesterday), "Yesterday's Demand");
    EXPECT_EQ(ruleName(AnalysisRule::Annual), "Average Annual Demand");
    EXPECT_EQ(ruleName(AnalysisRule::FixedFractile), "Best Fixed Order");
}

struct FractileCase {
    const char *name;
    Frequencies frequencies;
    const char *price;
    const char *cost;
    std::size_t expectedClass;
};

class CriticalFractile : public ::testing::TestWithParam<FractileCase> {};

TEST_P(CriticalFractile, ChoosesTheSmallestClassReachingTheRatio) {
    const FractileCase &c = GetParam();
    const auto checked = analysisOf(c.frequencies, c.price, c.cost, "10");
    ASSERT_TRUE(checked.ok()) << refusalMessage(checked.error());
    EXPECT_EQ(checked->fixedClass(), c.expectedClass);
    EXPECT_EQ(checked->fixedOrder(),
              Currency::fromUnits(kClassDemand[c.expectedClass] * Currency::kUnitsPerWhole));
}

INSTANTIATE_TEST_SUITE_P(Boundaries, CriticalFractile,
                         ::testing::Values(
                             // Ratio 0.4 exactly equals the cumulative frequency of class 2.
                             FractileCase{"RatioOnCumulative", kUniform, "5", "3", 1},
                             FractileCase{"RatioJustAbove", kUniform, "5", "2.9999", 2},
                             FractileCase{"RatioJustBelow", kUniform, "5", "3.0001", 1},
                             // Empty middle classes: 0.5 is reached by class 1 already ...
                             FractileCase{"HalfOnFirstClass", {5000, 0, 0, 0, 5000}, "4", "2", 0},
                             // ... and just above 0.5 only by class 5.
                             FractileCase{"HalfJustAbove", {5000, 0, 0, 0, 5000}, "4", "1.9999", 4},
                             FractileCase{"Textbook", kTextbook, "4.60", "2.20", 2},
                             FractileCase{"AllOnFifty", {0, 0, 10000, 0, 0}, "4.60", "2.20", 2},
                             // Ratio 0 and below 0: the smallest class, even one never drawn.
                             FractileCase{
                                 "PriceEqualsCost", {0, 5000, 0, 0, 5000}, "2.20", "2.20", 0},
                             FractileCase{"PriceBelowCost", kUniform, "2", "3", 0},
                             // A negative cost puts the ratio above 1: no class reaches it.
                             FractileCase{"NegativeCost", kUniform, "4", "-1", 4}),
                         [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(DayTable, ComputesTheAmountsAsTheRunDoes) {
    // Average Annual Demand at 4.50 / 2.20 orders 48.5; a demand of 50 sells
    // 48.5: 218.25 - 106.7 = 111.55.
    const auto checked = analysisOf(kTextbook, "4.50", "2.20", "250");
    ASSERT_TRUE(checked.ok());
    const DayOutcome &annual = checked->outcome(AnalysisParameters::kMeanRow, 2);
    EXPECT_EQ(annual.order, Currency::fromUnits(485'000));
    EXPECT_EQ(annual.sales, Currency::fromUnits(485'000));
    EXPECT_EQ(annual.dailyProfit, Currency::fromUnits(1'115'500));
    EXPECT_EQ(annual.leftover, Currency{});
    EXPECT_EQ(annual.unmet, Currency::fromUnits(15'000));
    // Order 70, demand 30: 30 x 4.50 - 70 x 2.20 = -19, 40 left over.
    const DayOutcome &glut = checked->outcome(4, 0);
    EXPECT_EQ(glut.dailyProfit, Currency::fromUnits(-190'000));
    EXPECT_EQ(glut.leftover, Currency::fromUnits(400'000));
    EXPECT_EQ(glut.unmet, Currency{});
}

}  // namespace
}  // namespace nv
