// The answer key of a sheet, worked by hand, and its checked inputs.
#include "engine/worksheet/worksheet.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "support/text_conversion.h"
#include "worksheet_test_support.h"

namespace nv {
namespace {

struct KeyRow {
    const char *demand;
    const char *order;
    const char *sales;
    const char *daily;
    const char *cumulative;
};

struct KeyCase {
    const char *name;
    OrderPolicy policy;
    std::array<KeyRow, 20> rows;
};

// Frequencies 0.15 0.25 0.3 0.2 0.1 (00-14, 15-39, 40-69, 70-89, 90-99),
// price 4.60, cost 2.20, the numbers 07 70 69 14 15 39 40 89 90 99 00 55 23
// 81 36 62 95 11 48 77 (test::kHandNumbers). Demand, order, sales, daily and
// cumulative profit.
const std::array<KeyRow, 20> kYesterdayKey = {{
    {"30", "50", "30", "28", "28"},    {"60", "30", "30", "72", "100"},
    {"50", "60", "50", "98", "198"},   {"30", "50", "30", "28", "226"},
    {"40", "30", "30", "72", "298"},   {"40", "40", "40", "96", "394"},
    {"50", "40", "40", "96", "490"},   {"60", "50", "50", "120", "610"},
    {"70", "60", "60", "144", "754"},  {"70", "70", "70", "168", "922"},
    {"30", "70", "30", "-16", "906"},  {"50", "30", "30", "72", "978"},
    {"40", "50", "40", "74", "1052"},  {"60", "40", "40", "96", "1148"},
    {"40", "60", "40", "52", "1200"},  {"50", "40", "40", "96", "1296"},
    {"70", "50", "50", "120", "1416"}, {"30", "70", "30", "-16", "1400"},
    {"50", "30", "30", "72", "1472"},  {"60", "50", "50", "120", "1592"},
}};

// The same days ordering the mean, 48.5 units (cost 106.70 a day).
const std::array<KeyRow, 20> kAnnualKey = {{
    {"30", "48.5", "30", "31.3", "31.3"},      {"60", "48.5", "48.5", "116.4", "147.7"},
    {"50", "48.5", "48.5", "116.4", "264.1"},  {"30", "48.5", "30", "31.3", "295.4"},
    {"40", "48.5", "40", "77.3", "372.7"},     {"40", "48.5", "40", "77.3", "450"},
    {"50", "48.5", "48.5", "116.4", "566.4"},  {"60", "48.5", "48.5", "116.4", "682.8"},
    {"70", "48.5", "48.5", "116.4", "799.2"},  {"70", "48.5", "48.5", "116.4", "915.6"},
    {"30", "48.5", "30", "31.3", "946.9"},     {"50", "48.5", "48.5", "116.4", "1063.3"},
    {"40", "48.5", "40", "77.3", "1140.6"},    {"60", "48.5", "48.5", "116.4", "1257"},
    {"40", "48.5", "40", "77.3", "1334.3"},    {"50", "48.5", "48.5", "116.4", "1450.7"},
    {"70", "48.5", "48.5", "116.4", "1567.1"}, {"30", "48.5", "30", "31.3", "1598.4"},
    {"50", "48.5", "48.5", "116.4", "1714.8"}, {"60", "48.5", "48.5", "116.4", "1831.2"},
}};

Currency amount(const char *text) {
    return *parseCurrency(text);
}

class WorksheetKey : public ::testing::TestWithParam<KeyCase> {};

TEST_P(WorksheetKey, MatchesTheSheetWorkedByHand) {
    const KeyCase &c = GetParam();
    const auto plan = test::planOf(test::kTextbook, c.policy);
    ASSERT_TRUE(plan.ok());
    std::vector<std::uint32_t> numbers = test::kHandNumbers;
    numbers.push_back(3);  // more numbers than days: the first 20 are used
    const auto sheet = Worksheet::fromNumbers(*plan, numbers);
    ASSERT_TRUE(sheet.has_value());
    EXPECT_FALSE(sheet->seed().has_value());
    ASSERT_EQ(sheet->days().size(), 20u);
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
        const KeyRow &want = c.rows[i];
        const DayResult &got = sheet->days()[i].answer;
        SCOPED_TRACE("day " + std::to_string(i + 1));
        EXPECT_EQ(got.day, static_cast<std::int16_t>(i + 1));
        EXPECT_EQ(got.demand, amount(want.demand));
        EXPECT_EQ(got.order, amount(want.order));
        EXPECT_EQ(got.sales, amount(want.sales));
        EXPECT_EQ(got.dailyProfit, amount(want.daily));
        EXPECT_EQ(got.cumulativeProfit, amount(want.cumulative));
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, WorksheetKey,
                         ::testing::Values(KeyCase{"Yesterday", OrderPolicy::Yesterday,
                                                   kYesterdayKey},
                                           KeyCase{"Annual", OrderPolicy::Annual, kAnnualKey}),
                         [](const auto &param) { return std::string(param.param.name); });

TEST(WorksheetNumbers, FewerNumbersThanDaysOrOneTooLargeMakeNoSheet) {
    const auto plan = test::planOf(test::kBellShaped, OrderPolicy::Yesterday, 3);
    ASSERT_TRUE(plan.ok());
    EXPECT_FALSE(Worksheet::fromNumbers(*plan, std::vector<std::uint32_t>{1, 2}).has_value());
    EXPECT_FALSE(Worksheet::fromNumbers(*plan, std::vector<std::uint32_t>{1, 100, 2}).has_value());
    EXPECT_TRUE(Worksheet::fromNumbers(*plan, std::vector<std::uint32_t>{1, 99, 2, 100}));
}

// Worked out independently: xoshiro256** seeded through SplitMix64, outputs
// modulo 10^k.
TEST(WorksheetNumbers, ASeedGivesTheSameNumbersEverywhere) {
    EXPECT_EQ(drawRandomNumbers(42, 8, 2),
              (std::vector<std::uint32_t>{42, 2, 9, 93, 76, 84, 54, 7}));
    EXPECT_EQ(drawRandomNumbers(42, 4, 4), (std::vector<std::uint32_t>{8742, 3102, 9009, 4193}));
    EXPECT_EQ(drawRandomNumbers(0, 3, 2), (std::vector<std::uint32_t>{20, 82, 68}));

    const auto plan = test::planOf(test::kBellShaped, OrderPolicy::Annual, 8);
    ASSERT_TRUE(plan.ok());
    const Worksheet sheet = Worksheet::fromSeed(*plan, 42);
    EXPECT_EQ(sheet.seed(), std::optional<std::uint64_t>(42));
    EXPECT_EQ(sheet.days()[0].number, 42u);
    EXPECT_EQ(sheet.days()[7].number, 7u);
}

struct RefusalCase {
    test::Frequencies frequencies;
    std::int32_t days;
    const char *price;
    const char *message;
};

class WorksheetRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(WorksheetRefusals, AreTheAnalysisRefusalsAndTheDays) {
    const RefusalCase &c = GetParam();
    const auto plan = test::planOf(c.frequencies, OrderPolicy::Yesterday, c.days, c.price);
    ASSERT_FALSE(plan.ok());
    EXPECT_EQ(refusalMessage(plan.error()), c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, WorksheetRefusals,
    ::testing::Values(
        RefusalCase{test::kBellShaped, 0, "4.60", "A worksheet has from 1 to 1,000 days"},
        RefusalCase{test::kBellShaped, 1001, "4.60", "A worksheet has from 1 to 1,000 days"},
        RefusalCase{
            {1000, 2000, 4000, 2000, 0}, 20, "4.60", "Relative Frequencies must add to 1.00"},
        RefusalCase{{-1000, 3000, 4000, 2000, 2000},
                    20,
                    "4.60",
                    "Relative Frequencies must not be negative for the analysis"},
        RefusalCase{test::kBellShaped, 20, "0", "Price must be greater than 0 for the analysis"},
        RefusalCase{test::kBellShaped, 1000, "9e14",
                    "Price and Cost are too large for this Number of Runs"}));

}  // namespace
}  // namespace nv
