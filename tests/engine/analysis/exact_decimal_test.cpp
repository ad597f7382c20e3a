// Exact decimals: division that ends or is rounded at its last place, text
// rounded half to even, and equality whatever the places.
#include "engine/analysis/exact_decimal.h"

#include <gtest/gtest.h>

#include <string>

namespace nv {
namespace {

struct DivisionCase {
    const char *name;
    ExactDecimal dividend;
    std::int64_t divisor;
    const char *quotient;
};

class ExactDivision : public ::testing::TestWithParam<DivisionCase> {};

TEST_P(ExactDivision, EndsOrRoundsAtTheLastPlace) {
    const DivisionCase &c = GetParam();
    EXPECT_EQ(c.dividend.dividedBy(c.divisor).text(), c.quotient);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExactDivision,
    ::testing::Values(
        DivisionCase{"Ends", ExactDecimal::fromUnits(231'092, 1), 250, "92.4368"},
        DivisionCase{"EndsPastTwelvePlaces", ExactDecimal::fromUnits(1, 12), 64,
                     "0.000000000000015625"},
        // 341 / 7 = 48.714285 714285 714285 714...: the 19th place rounds up.
        DivisionCase{"RoundsUp", ExactDecimal::whole(341), 7, "48.714285714285714286"},
        DivisionCase{"RoundsDown", ExactDecimal::whole(-1), 3, "-0.333333333333333333"},
        DivisionCase{"HalfToEvenDown", ExactDecimal::fromUnits(1, 18), 2, "0"},
        DivisionCase{"HalfToEvenUp", ExactDecimal::fromUnits(3, 18), 2, "0.000000000000000002"}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

struct FixedCase {
    const char *name;
    ExactDecimal value;
    int decimals;
    const char *text;
};

class ExactFixedText : public ::testing::TestWithParam<FixedCase> {};

TEST_P(ExactFixedText, RoundsHalfToEven) {
    const FixedCase &c = GetParam();
    EXPECT_EQ(c.value.fixedText(c.decimals), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExactFixedText,
    ::testing::Values(FixedCase{"HalfUpToEven", ExactDecimal::fromUnits(2675, 3), 2, "2.68"},
                      FixedCase{"HalfDownToEven", ExactDecimal::fromUnits(2665, 3), 2, "2.66"},
                      FixedCase{"AboveHalf", ExactDecimal::fromUnits(26'651, 4), 2, "2.67"},
                      FixedCase{"NoMinusZero", ExactDecimal::fromUnits(-5, 3), 2, "0.00"},
                      FixedCase{"Negative", ExactDecimal::fromUnits(-15, 1), 0, "-2"},
                      FixedCase{"Padded", ExactDecimal::fromUnits(5, 1), 4, "0.5000"},
                      FixedCase{"Whole", ExactDecimal::whole(25'400), 2, "25400.00"}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(ExactDecimal, OneValueWhateverItsPlaces) {
    const ExactDecimal oneAndAHalf = ExactDecimal::fromUnits(15, 1);
    EXPECT_EQ(ExactDecimal::fromUnits(150'000, 5), oneAndAHalf);
    EXPECT_EQ(oneAndAHalf.text(), "1.5");
    EXPECT_LT(ExactDecimal::fromUnits(1, 1), ExactDecimal::fromUnits(10'001, 5));
    EXPECT_GT(ExactDecimal::whole(-1), ExactDecimal::fromUnits(-10'001, 4));
    // 0.1 x 3 is 0.3 exactly, where doubles give 0.30000000000000004.
    EXPECT_EQ(ExactDecimal::fromUnits(1, 1) * ExactDecimal::whole(3),
              ExactDecimal::fromUnits(3, 1));
    EXPECT_EQ((ExactDecimal::whole(50) - ExactDecimal::fromUnits(485, 1)).text(), "1.5");
    // Beyond 2^53 units the double is still the nearest.
    EXPECT_EQ(ExactDecimal::fromUnits(Int128{1} << 60U, 3).toDouble(), 1152921504606846.976);
}

}  // namespace
}  // namespace nv
