// The intervals of random numbers and the exact lookup of a number.
#include "engine/worksheet/interval_table.h"

#include <gtest/gtest.h>

#include <string>

#include "worksheet_test_support.h"

namespace nv {
namespace {

struct TableCase {
    test::Frequencies frequencies;
    const char *intervals;                     // "first-last" a class, "-" for none
    std::optional<int> digits = std::nullopt;  // asked for; nullopt: what they need
};

class IntervalTableCase : public ::testing::TestWithParam<TableCase> {};

TEST_P(IntervalTableCase, IntervalsFollowTheCumulativeBounds) {
    const auto table = IntervalTable::fromDistribution(test::distributionOf(GetParam().frequencies),
                                                       GetParam().digits);
    ASSERT_TRUE(table.ok());
    std::string intervals;
    for (const IntervalRow &row : table->rows()) {
        intervals += intervals.empty() ? "" : " ";
        intervals +=
            row.first ? table->numberText(*row.first) + "-" + table->numberText(*row.last) : "-";
    }
    EXPECT_EQ(intervals, GetParam().intervals);
    // Every number lies in the interval of the class the lookup gives.
    for (std::uint32_t u = 0; u < table->numberCount(); ++u) {
        const IntervalRow &row = table->row(table->classOf(u));
        ASSERT_TRUE(row.first && *row.first <= u && u <= *row.last) << u;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Frequencies, IntervalTableCase,
    ::testing::Values(TableCase{test::kBellShaped, "00-09 10-29 30-69 70-89 90-99"},
                      TableCase{test::kTextbook, "00-14 15-39 40-69 70-89 90-99"},
                      TableCase{{1234, 2000, 3000, 2766, 1000},
                                "0000-1233 1234-3233 3234-6233 6234-8999 9000-9999"},
                      TableCase{{0, 5000, 0, 5000, 0}, "- 00-49 - 50-99 -"},
                      TableCase{{5000, 0, 0, 0, 5000}, "00-49 - - - 50-99"},
                      TableCase{{0, 0, 10000, 0, 0}, "- - 00-99 - -"},
                      TableCase{test::kBellShaped, "00-09 10-29 30-69 70-89 90-99", 2},
                      TableCase{test::kBellShaped,
                                "0000-0999 1000-2999 3000-6999 7000-8999 9000-9999", 4},
                      TableCase{{0, 5000, 0, 5000, 0}, "- 0000-4999 - 5000-9999 -", 4}));

struct LookupCase {
    test::Frequencies frequencies;
    const char *digits;
    std::int32_t demand;  // 0: not a number of the table's digits
};

class IntervalLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(IntervalLookup, ReadsTheDigitsExactly) {
    const LookupCase &c = GetParam();
    const auto table = IntervalTable::fromDistribution(test::distributionOf(c.frequencies));
    ASSERT_TRUE(table.ok());
    EXPECT_EQ(table->demandOf(c.digits),
              c.demand == 0 ? std::nullopt : std::optional(Currency::fromCount(c.demand)))
        << c.digits;
}

constexpr test::Frequencies kHalves = {5000, 0, 0, 0, 5000};
constexpr test::Frequencies kFourDigits = {1234, 2000, 3000, 2766, 1000};

INSTANTIATE_TEST_SUITE_P(
    Numbers, IntervalLookup,
    ::testing::Values(
        // 0.70f lies below 0.7: a float draw would give 50.
        LookupCase{test::kBellShaped, "70", 60}, LookupCase{test::kBellShaped, "69", 50},
        LookupCase{test::kBellShaped, "09", 30}, LookupCase{test::kBellShaped, "10", 40},
        LookupCase{kHalves, "49", 30}, LookupCase{kHalves, "50", 70},
        LookupCase{kFourDigits, "1233", 30}, LookupCase{kFourDigits, "1234", 40},
        LookupCase{kFourDigits, "12", 0}, LookupCase{test::kBellShaped, "7", 0},
        LookupCase{test::kBellShaped, "070", 0}, LookupCase{test::kBellShaped, " 7", 0},
        LookupCase{test::kBellShaped, "-7", 0}));

TEST(IntervalTableRefusal, TakesOnlyFrequenciesTheAnalysisAccepts) {
    using test::distributionOf;
    EXPECT_EQ(
        IntervalTable::fromDistribution(distributionOf({-1000, 3000, 4000, 2000, 2000})).error(),
        Refusal::NegativeFrequency);
    EXPECT_EQ(IntervalTable::fromDistribution(distributionOf({1000, 2000, 4000, 2000, 0})).error(),
              Refusal::FrequenciesNotOne);
    // 0.1234 has no interval of 2-digit numbers; the total is checked first.
    EXPECT_EQ(IntervalTable::fromDistribution(distributionOf(kFourDigits), 2).error(),
              Refusal::WorksheetDigitsTooFew);
    EXPECT_EQ(IntervalTable::fromDistribution(distributionOf({1234, 2000, 0, 0, 0}), 2).error(),
              Refusal::FrequenciesNotOne);
}

}  // namespace
}  // namespace nv
