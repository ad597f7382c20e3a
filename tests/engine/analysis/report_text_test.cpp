// Report values as text for a person, in the runner's plain style and the
// windows' grouped style with a dollar sign.
#include "engine/analysis/report_text.h"
#include "common/case_names.h"
#include "common/test_inputs.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace nv {
namespace {

using test::PrintTo;

struct TextCase {
    const char *name;
    ReportScalar value;
    ReportKind kind;
    const char *plain;
    const char *window;
};

class ReportTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(ReportTextTest, WritesTheKindInBothStyles) {
    const TextCase &c = GetParam();
    const ReportTextStyle plain;
    const ReportTextStyle window{NumberLocale{"\xE2\x80\xAF", ","}, true, true, "\u2014", 2};
    EXPECT_EQ(reportText(c.value, c.kind, plain), c.plain);
    EXPECT_EQ(reportText(c.value, c.kind, window), c.window);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReportTextTest,
    ::testing::Values(
        TextCase{"MoneyDouble", 23109.2, ReportKind::Money, "23109.20",
                 "$23\xE2\x80\xAF"
                 "109,20"},
        TextCase{"NegativeMoney", -1749.504, ReportKind::Money, "-1749.50",
                 "-$1\xE2\x80\xAF"
                 "749,50"},
        TextCase{"MoneyRoundingToZero", -0.004, ReportKind::Money, "0.00", "$0,00"},
        TextCase{"ExactPriceKeepsFourDecimals", Currency::fromUnits(46'025), ReportKind::Money,
                 "4.6025", "$4,6025"},
        TextCase{"ExactPriceGetsTwoDecimals", Currency::fromUnits(46'000), ReportKind::Money,
                 "4.60", "$4,60"},
        TextCase{"ExactAmountUnits", Currency::fromUnits(485'000), ReportKind::Units, "48.5",
                 "48,5"},
        TextCase{"UnitsDouble", 44.008, ReportKind::Units, "44.01", "44,01"},
        TextCase{"Count", std::int64_t{1'000'000}, ReportKind::Count, "1000000",
                 "1\xE2\x80\xAF"
                 "000\xE2\x80\xAF"
                 "000"},
        TextCase{"Seed", std::uint64_t{18446744073709551615ULL}, ReportKind::Count,
                 "18446744073709551615",
                 "18\xE2\x80\xAF"
                 "446\xE2\x80\xAF"
                 "744\xE2\x80\xAF"
                 "073\xE2\x80\xAF"
                 "709\xE2\x80\xAF"
                 "551\xE2\x80\xAF"
                 "615"},
        TextCase{"Share", 0.92, ReportKind::Share, "92.0%", "92,0%"},
        TextCase{"Ratio", 0.5217391304347826, ReportKind::Ratio, "0.5217", "0,5217"},
        TextCase{"ExactFrequency", Currency::fromUnits(1'000), ReportKind::Ratio, "0.1", "0,1"},
        TextCase{"Interval", Interval{-2309.32, -2273.35}, ReportKind::Money,
                 "-2309.32 to -2273.35",
                 "-$2\xE2\x80\xAF"
                 "309,32 to -$2\xE2\x80\xAF"
                 "273,35"},
        // Exact expectations round the exact value, a half to even: a double
        // of 21432.755 lies below it and of 0.125 on it.
        TextCase{"ExactMoneyHalfUp", ExactDecimal::fromUnits(21'432'755, 3), ReportKind::Money,
                 "21432.76",
                 "$21\xE2\x80\xAF"
                 "432,76"},
        TextCase{"ExactMoneyHalfDown", ExactDecimal::fromUnits(125, 3), ReportKind::Money, "0.12",
                 "$0,12"},
        TextCase{"ExactLossToZero", ExactDecimal::fromUnits(-4, 3), ReportKind::Money, "0.00",
                 "$0,00"},
        TextCase{"ExactUnits", ExactDecimal::whole(50), ReportKind::Units, "50.00", "50,00"},
        TextCase{"ExactShare", ExactDecimal::fromUnits(996, 5), ReportKind::Share, "1.0%", "1,0%"},
        TextCase{"Absent", Absent{}, ReportKind::Money, "-", "\u2014"},
        TextCase{"Text", std::string("Best Fixed Order"), ReportKind::Text, "Best Fixed Order",
                 "Best Fixed Order"},
        TextCase{"Flag", true, ReportKind::Flag, "yes", "yes"}));

TEST(ReportPlainText, IsWhatCsvAndJsonWrite) {
    EXPECT_EQ(reportPlainText(Currency::fromUnits(46'000)), "4.6");
    EXPECT_EQ(reportPlainText(ExactDecimal::fromUnits(-92'425'205'479'452'054, 15)),
              "-92.425205479452054");
    EXPECT_EQ(reportPlainText(0.1), "0.1");
    EXPECT_EQ(reportPlainText(std::int64_t{-5}), "-5");
    EXPECT_EQ(reportPlainText(std::uint64_t{18446744073709551615ULL}), "18446744073709551615");
    EXPECT_EQ(reportPlainText(false), "false");
    EXPECT_EQ(reportPlainText(Absent{}), "");
}

}  // namespace
}  // namespace nv
