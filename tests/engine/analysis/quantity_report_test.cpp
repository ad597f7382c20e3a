// Sweeps of the order-quantity lesson by hand, their refusals, and the keys
// of the lesson's and the sweep's reports in their order.
#include "engine/analysis/quantity_report.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "analysis_test_support.h"
#include "common/case_names.h"
#include "common/test_inputs.h"
#include "support/text_conversion.h"

namespace nv {
namespace {

using test::PrintTo;

using test::kTextbook;
using test::kUniform;

constexpr double kTolerance = 1e-9;

Currency amount(const char *text) {
    return *parseCurrency(text);
}

AmountRange range(const char *from, const char *to, const char *step) {
    return {amount(from), amount(to), amount(step)};
}

AnalysisParameters checked(const test::Frequencies &f, const char *price, const char *cost) {
    const auto parameters = test::analysisOf(f, price, cost, "10");
    EXPECT_TRUE(parameters.ok()) << refusalMessage(parameters.error());
    return *parameters;
}

// Uniform demand at a price of 5: every cost of 1 .. 4 puts the ratio on a
// cumulative frequency, so each best order is a whole interval.
TEST(QuantitySweep, CostsOnTheCumulativeFrequenciesByHand) {
    struct Expected {
        double low, high, ratio, yesterday, annual, best, perfect;
    };
    // Yesterday from day 2 on sells 42, Annual (50) 44, perfect information 50.
    const std::vector<Expected> expected = {{60, 70, 0.8, 160, 170, 180, 200},
                                            {50, 60, 0.6, 110, 120, 120, 150},
                                            {40, 50, 0.4, 60, 70, 70, 100},
                                            {30, 40, 0.2, 10, 20, 30, 50}};
    const auto points =
        quantitySweep(checked(kUniform, "5", "3"), SweepInput::Cost, range("1", "4", "1"));
    ASSERT_TRUE(points.ok()) << refusalMessage(points.error());
    ASSERT_EQ(points->size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const SweepPoint &p = (*points)[i];
        const Expected &e = expected[i];
        SCOPED_TRACE(p.value.toDouble());
        EXPECT_EQ(p.best, (BestOrders{Currency::fromCount(static_cast<std::int32_t>(e.low)),
                                      Currency::fromCount(static_cast<std::int32_t>(e.high))}));
        EXPECT_NEAR(p.criticalRatio, e.ratio, kTolerance);
        EXPECT_NEAR(p.rules.yesterday, e.yesterday, kTolerance);
        EXPECT_NEAR(p.rules.annual, e.annual, kTolerance);
        EXPECT_NEAR(p.rules.best, e.best, kTolerance);
        EXPECT_NEAR(p.rules.perfect, e.perfect, kTolerance);
        EXPECT_FALSE(p.orderProfit.has_value());
    }
}

TEST(QuantitySweep, PricesAndOrdersKeepTheOtherInputs) {
    const AnalysisParameters textbook = checked(kTextbook, "4.60", "2.20");
    const auto prices = quantitySweep(textbook, SweepInput::Price, range("2.20", "4.60", "2.40"));
    ASSERT_TRUE(prices.ok());
    ASSERT_EQ(prices->size(), 2u);
    EXPECT_EQ((*prices)[0].best, (BestOrders{Currency{}, Currency::fromCount(30)}));
    EXPECT_EQ((*prices)[1].best, (BestOrders{Currency::fromCount(50), Currency::fromCount(50)}));
    // 4.6 x 41.825 - 2.2 x 48.5: yesterday's and today's demands drawn apart.
    EXPECT_EQ((*prices)[1].rules.yesterday.text(), "85.695");

    const auto orders = quantitySweep(textbook, SweepInput::Order, range("30", "70", "10"));
    ASSERT_TRUE(orders.ok());
    const std::vector<std::string> profit = {"72", "89.1", "94.7", "86.5", "69.1"};
    ASSERT_EQ(orders->size(), profit.size());
    for (std::size_t i = 0; i < profit.size(); ++i) {
        ASSERT_TRUE((*orders)[i].orderProfit.has_value());
        EXPECT_EQ((*orders)[i].orderProfit->text(), profit[i]) << i;
        EXPECT_EQ((*orders)[i].best, (*prices)[1].best);
        EXPECT_EQ((*orders)[i].rules.annual.text(), "93.86");
    }
}

struct SweepRefusal {
    const char *name;
    SweepInput input;
    const char *from, *to, *step;
    Refusal refusal;
};

class SweepRefusals : public ::testing::TestWithParam<SweepRefusal> {};

TEST_P(SweepRefusals, AreValues) {
    const SweepRefusal &c = GetParam();
    const auto points =
        quantitySweep(checked(kTextbook, "4.60", "2.20"), c.input, range(c.from, c.to, c.step));
    ASSERT_FALSE(points.ok());
    EXPECT_EQ(points.error(), c.refusal);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, SweepRefusals,
    ::testing::Values(
        SweepRefusal{"PriceFromZero", SweepInput::Price, "0", "5", "1", Refusal::PriceNotPositive},
        SweepRefusal{"CostFromZero", SweepInput::Cost, "0", "3", "1", Refusal::CostNotPositive},
        SweepRefusal{"NegativeCost", SweepInput::Cost, "-1", "-1", "1", Refusal::CostNotPositive},
        SweepRefusal{"NegativeOrder", SweepInput::Order, "-10", "10", "1", Refusal::OrderNegative},
        SweepRefusal{"PriceTooLarge", SweepInput::Price, "1", "900000000000001", "10000000000",
                     Refusal::AmountsOutOfRange},
        SweepRefusal{"ZeroStep", SweepInput::Cost, "1", "2", "0", Refusal::StepNotPositive},
        SweepRefusal{"Reversed", SweepInput::Price, "5", "1", "1", Refusal::RangeReversed},
        SweepRefusal{"TooMany", SweepInput::Order, "0", "100", "0.0001", Refusal::TooManyPoints}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

std::vector<std::string> keysOf(const ReportGroup &group) {
    std::vector<std::string> keys;
    for (const ReportItem &item : group.items) {
        keys.push_back(item.key);
    }
    return keys;
}

std::vector<std::string> columnKeysOf(const ReportItem &item) {
    std::vector<std::string> keys;
    for (const ReportColumn &column : item.columns) {
        keys.push_back(column.key);
    }
    return keys;
}

using Keys = std::vector<std::string>;

TEST(QuantityReport, SectionsAndItemsInTheirOrder) {
    const AnalysisParameters parameters = checked(kTextbook, "4.60", "2.20");
    const auto lesson = quantityLesson(parameters, kDefaultCurveRange);
    ASSERT_TRUE(lesson.ok());
    const Report report = quantityReport(parameters, *lesson, {OrderPolicy::Annual, {}});
    std::vector<std::string> sections;
    for (const ReportSection &section : report.sections) {
        sections.push_back(section.key);
        ASSERT_EQ(section.groups.size(), 1u);
    }
    EXPECT_EQ(sections, (Keys{"inputs", "", "payoff", "", "rules"}));
    EXPECT_EQ(keysOf(report.sections[0].groups[0]),
              (Keys{"days", "price", "cost", "frequency_30", "frequency_40", "frequency_50",
                    "frequency_60", "frequency_70", "mean_demand", "checked_policy", "curve_from",
                    "curve_to", "curve_step"}));
    EXPECT_EQ(keysOf(report.sections[1].groups[0]),
              (Keys{"critical_ratio", "best_order", "curve"}));
    EXPECT_EQ(keysOf(report.sections[2].groups[0]),
              (Keys{"orders", "demands", "profit", "expected_profit", "opportunity_loss",
                    "expected_opportunity_loss"}));
    EXPECT_EQ(keysOf(report.sections[3].groups[0]), (Keys{"evpi"}));
    EXPECT_EQ(keysOf(report.sections[4].groups[0]),
              (Keys{"yesterday", "annual", "best", "perfect"}));

    const ReportItem *best = report.find("", "", "best_order");
    EXPECT_EQ(best->kind, ReportKind::Units);
    EXPECT_EQ(best->value, ReportScalar{(Interval{50, 50})});
    const ReportItem *curve = report.find("", "", "curve");
    EXPECT_EQ(curve->shape, ReportShape::Records);
    EXPECT_EQ(columnKeysOf(*curve),
              (Keys{"order", "expected_profit", "expected_sales", "expected_leftover",
                    "expected_unmet", "fill_rate", "loss_probability", "profit_sd"}));
    ASSERT_EQ(curve->rows.size(), 41u);
    EXPECT_EQ(curve->rows[0][0], ReportScalar{Currency::fromCount(30)});
    EXPECT_EQ(report.find("payoff", "", "profit")->shape, ReportShape::Matrix);
    EXPECT_EQ(report.find("payoff", "", "profit")->rows.size(), 6u);
    EXPECT_EQ(report.find("payoff", "", "orders")->rows[0].back(), ReportScalar{amount("48.5")});
    EXPECT_EQ(report.find("inputs", "", "checked_policy")->value, ReportScalar{"annual"});
}

TEST(SweepReport, RecordsPerPointAndTheOrderProfitOnlyForOrders) {
    const AnalysisParameters parameters = checked(kUniform, "5", "3");
    for (const SweepInput input : {SweepInput::Cost, SweepInput::Order}) {
        const AmountRange values = range("1", "4", "1");
        const auto points = quantitySweep(parameters, input, values);
        ASSERT_TRUE(points.ok());
        const Report report =
            sweepReport(parameters, input, values, *points, OrderPolicy::Yesterday);
        ASSERT_EQ(report.sections.size(), 2u);
        EXPECT_EQ(report.sections[0].key, "inputs");
        EXPECT_EQ(keysOf(report.sections[1].groups[0]),
                  (Keys{"varied", "from", "to", "step", "points"}));
        EXPECT_EQ(report.find("", "", "varied")->value,
                  ReportScalar{std::string(sweepInputKey(input))});
        Keys columns{"value",     "best_low", "best_high", "critical_ratio",
                     "yesterday", "annual",   "best",      "perfect"};
        if (input == SweepInput::Order) {
            columns.push_back("order_profit");
        }
        const ReportItem *records = report.find("", "", "points");
        EXPECT_EQ(columnKeysOf(*records), columns);
        ASSERT_EQ(records->rows.size(), 4u);
        EXPECT_EQ(records->rows[0].size(), columns.size());
    }
}

}  // namespace
}  // namespace nv
