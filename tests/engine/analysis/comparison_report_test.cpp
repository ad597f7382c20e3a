// The comparison's report model: the items every view shows, in order, and
// what does not exist.
#include "engine/analysis/comparison_report.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "analysis_test_support.h"
#include "engine/analysis/report_text.h"

namespace nv {
namespace {

std::vector<std::string> keysOf(const ReportGroup &group) {
    std::vector<std::string> keys;
    for (const ReportItem &item : group.items) {
        keys.push_back(item.key);
    }
    return keys;
}

std::vector<std::string> groupKeysOf(const ReportSection &section) {
    std::vector<std::string> keys;
    for (const ReportGroup &group : section.groups) {
        keys.push_back(group.key);
    }
    return keys;
}

class ComparisonReportTest : public ::testing::Test {
protected:
    Report build(std::int64_t replications) {
        const auto checked = test::analysisOf(test::kTextbook, "4.60", "2.20", "20");
        EXPECT_TRUE(checked.ok());
        m_parameters.emplace(*checked);
        ReplicationOptions options;
        options.replications = replications;
        options.seed = 7;
        const auto summary = runReplications(*m_parameters, options);
        EXPECT_TRUE(summary.ok());
        m_summary.emplace(*summary);
        return comparisonReport(*m_parameters, exactExpectations(*m_parameters), &*m_summary,
                                {OrderPolicy::Annual, false});
    }

    std::optional<AnalysisParameters> m_parameters;
    std::optional<ReplicationSummary> m_summary;
};

TEST_F(ComparisonReportTest, SectionsGroupsAndItemsInTheirOrder) {
    const Report report = build(10);
    ASSERT_EQ(report.sections.size(), 4u);
    EXPECT_EQ(report.sections[0].key, "inputs");
    EXPECT_EQ(keysOf(report.sections[0].groups[0]),
              (std::vector<std::string>{"days", "price", "cost", "frequency_30", "frequency_40",
                                        "frequency_50", "frequency_60", "frequency_70",
                                        "mean_demand", "critical_ratio", "checked_policy", "seed",
                                        "seed_from_clock", "replications"}));
    EXPECT_EQ(groupKeysOf(report.sections[1]),
              (std::vector<std::string>{"yesterday", "annual", "fixed", "perfect", ""}));
    EXPECT_EQ(
        keysOf(report.sections[1].groups[0]),
        (std::vector<std::string>{"name", "order_quantity", "daily_demand", "daily_order",
                                  "daily_sales", "daily_leftover", "daily_unmet", "daily_profit",
                                  "total_profit", "fill_rate", "loss_day_share"}));
    EXPECT_EQ(groupKeysOf(report.sections[2]),
              (std::vector<std::string>{"yesterday", "annual", "fixed"}));
    EXPECT_EQ(groupKeysOf(report.sections[3]),
              (std::vector<std::string>{"yesterday_annual", "yesterday_fixed", "annual_fixed"}));
    EXPECT_EQ(keysOf(report.sections[3].groups[0]),
              (std::vector<std::string>{"name", "first", "second", "mean_difference",
                                        "sd_difference", "difference_ci95", "independent_ci95",
                                        "first_win_share", "tie_share", "second_win_share"}));
    EXPECT_EQ(report.find("inputs", "", "checked_policy")->value, ReportScalar{"annual"});
    EXPECT_EQ(report.find("inputs", "", "mean_demand")->value,
              ReportScalar{*Currency::fromDouble(48.5)});
    EXPECT_EQ(report.sections[1].groups[2].title, "Best Fixed Order (50 units)");
}

TEST_F(ComparisonReportTest, ASingleReplicationHasNoSpreadAndNoInterval) {
    const Report report = build(1);
    for (const char *rule : {"yesterday", "annual", "fixed"}) {
        EXPECT_FALSE(report.find("simulated", rule, "sd_total_profit")->exists()) << rule;
        EXPECT_FALSE(report.find("simulated", rule, "total_profit_ci95")->exists()) << rule;
        EXPECT_TRUE(report.find("simulated", rule, "mean_total_profit")->exists()) << rule;
    }
    EXPECT_FALSE(report.find("pairs", "yesterday_fixed", "sd_difference")->exists());
    EXPECT_FALSE(report.find("expected", "yesterday", "order_quantity")->exists());
    EXPECT_FALSE(report.find("expected", "perfect", "order_quantity")->exists());
}

TEST_F(ComparisonReportTest, WithoutReplicationsOnlyTheExpectationsExist) {
    build(2);
    const Report report = comparisonReport(*m_parameters, exactExpectations(*m_parameters), nullptr,
                                           {OrderPolicy::Yesterday, true});
    EXPECT_FALSE(report.find("inputs", "", "seed")->exists());
    EXPECT_TRUE(report.find("expected", "annual", "total_profit")->exists());
    for (const ReportSection *section :
         {report.findSection("simulated"), report.findSection("pairs")}) {
        for (const ReportGroup &group : section->groups) {
            for (const ReportItem &item : group.items) {
                if (item.kind != ReportKind::Text) {
                    EXPECT_FALSE(item.exists()) << group.key << "." << item.key;
                }
            }
        }
    }
}

// Exact expectations as csv and json write them, for inputs whose doubles
// miss (23099.999999999996, 50.00000000000001, 4600.000000000004, ...).
struct ExpectedText {
    const char *name;
    test::Frequencies frequencies;
    const char *days;
    const char *group;
    const char *item;
    const char *text;
};

class ExpectedAsText : public ::testing::TestWithParam<ExpectedText> {};

TEST_P(ExpectedAsText, IsTheExactDecimal) {
    const ExpectedText &c = GetParam();
    const auto checked = test::analysisOf(c.frequencies, "4.60", "2.20", c.days);
    ASSERT_TRUE(checked.ok());
    const Report report = comparisonReport(*checked, exactExpectations(*checked), nullptr, {});
    const ReportItem *item = report.find("expected", c.group, c.item);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(reportPlainText(item->value), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExpectedAsText,
    ::testing::Values(
        ExpectedText{"FixedTotal", test::kBellShaped, "250", "fixed", "total_profit", "25400"},
        ExpectedText{"ValueOfInformation", test::kBellShaped, "250", "", "value_of_information",
                     "4600"},
        ExpectedText{"YesterdayOrder", test::kBellShaped, "250", "yesterday", "daily_order", "50"},
        ExpectedText{"AnnualTotal", test::kUniform, "250", "annual", "total_profit", "23100"},
        ExpectedText{"YesterdayProfit", test::kUniform, "250", "yesterday", "daily_profit",
                     "83.2368"},
        ExpectedText{"YesterdayLossDays", test::kUniform, "250", "yesterday", "loss_day_share",
                     "0.03984"},
        // A total of 656 over 7 days does not end: rounded at the 18th place.
        ExpectedText{"YesterdayWeek", test::kBellShaped, "7", "yesterday", "daily_profit",
                     "93.714285714285714286"}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace nv
