#include "engine/demand_distribution.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <set>

#include "common/case_names.h"
#include "common/test_inputs.h"
#include "support/random_source.h"

namespace nv {
namespace {

using test::PrintTo;

using test::distributionOf;
using test::units;

constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();

struct SampleCase {
    const char *name;
    std::array<std::int64_t, 5> freq;
    float r;
    std::int64_t demand;
};

class SampleTest : public ::testing::TestWithParam<SampleCase> {};

TEST_P(SampleTest, DrawGivesDemand) {
    const SampleCase &c = GetParam();
    const DemandDistribution d = distributionOf(c.freq);
    EXPECT_EQ(d.sample(c.r), units(c.demand * 10'000)) << "r = " << c.r;
    // The precomputed bounds answer the same class.
    EXPECT_EQ(kClassDemand[DemandSampler(d).sampleClass(c.r)], c.demand);
}

const float kBelowHalf = std::nextafter(0.5f, 0.0f);
const float kBelowTenth = std::nextafter(0.1f, 0.0f);
const float kLargestDraw = std::nextafter(1.0f, 0.0f);

INSTANTIATE_TEST_SUITE_P(
    Bounds, SampleTest,
    ::testing::Values(
        // Bounds 0.1, 0.3, 0.7, 0.9.
        SampleCase{"zero", test::kBellShaped, 0.0f, 30},
        SampleCase{"inFirst", test::kBellShaped, 0.05f, 30},
        SampleCase{"inSecond", test::kBellShaped, 0.15f, 40},
        SampleCase{"inThird", test::kBellShaped, 0.35f, 50},
        SampleCase{"inFourth", test::kBellShaped, 0.75f, 60},
        SampleCase{"inFifth", test::kBellShaped, 0.95f, 70},
        // The float nearest 0.1 lies just above it; the one below just under.
        SampleCase{"floatNearestTenth", test::kBellShaped, 0.1f, 40},
        SampleCase{"floatBelowTenth", test::kBellShaped, kBelowTenth, 30},
        // float(0.3) is above 0.3, float(0.7) and float(0.9) below their bounds.
        SampleCase{"floatNearest03", test::kBellShaped, 0.3f, 50},
        SampleCase{"floatNearest07", test::kBellShaped, 0.7f, 50},
        SampleCase{"floatNearest09", test::kBellShaped, 0.9f, 60},
        // Every bound is 0.5: a draw equal to it falls through to class 5.
        SampleCase{"equalToHalfBound", {5000, 0, 0, 0, 5000}, 0.5f, 70},
        SampleCase{"justBelowHalfBound", {5000, 0, 0, 0, 5000}, kBelowHalf, 30},
        // Power-of-two bounds 0.25, 0.5, 0.75, 1.
        SampleCase{"equalToQuarter", {2500, 2500, 2500, 2500, 0}, 0.25f, 40},
        SampleCase{"equalToThreeQuarters", {2500, 2500, 2500, 2500, 0}, 0.75f, 60},
        SampleCase{"equalToSixteenth", {625, 9375, 0, 0, 0}, 0.0625f, 40},
        SampleCase{"allFirstLargestDraw", {10000, 0, 0, 0, 0}, kLargestDraw, 30},
        SampleCase{"allFirstZero", {10000, 0, 0, 0, 0}, 0.0f, 30},
        // Every bound is 0, so even r = 0 is not below it.
        SampleCase{"allFifthZero", {0, 0, 0, 0, 10000}, 0.0f, 70},
        SampleCase{"allFifthHalf", {0, 0, 0, 0, 10000}, 0.5f, 70},
        // A negative (pasted) frequency makes a bound below 0: nothing is under it.
        SampleCase{"negativeFirstBound", {-2000, 6000, 0, 0, 6000}, 0.0f, 40}),
    test::CaseName{});

// Against exact arithmetic over many draws: a draw m / 2^24 lies below a bound
// b / 10,000 exactly when m x 10,000 < b x 2^24. Classes with frequency 0 must
// never come up.
TEST(SampleTest, AgreesWithExactArithmeticOverManyDraws) {
    const std::array<std::array<std::int64_t, 5>, 4> cases = {{
        test::kBellShaped,
        {3000, 0, 4000, 0, 3000},
        {1, 9998, 0, 0, 1},
        {3333, 3333, 3334, 0, 0},
    }};
    for (const auto &freq : cases) {
        const DemandDistribution d = distributionOf(freq);
        const DemandSampler sampler(d);
        SeededSource source(20240601);
        std::set<std::size_t> seen;
        for (int i = 0; i < 200'000; ++i) {
            const float r = source.next();
            const auto m = static_cast<std::int64_t>(std::ldexp(static_cast<double>(r), 24));
            std::size_t expected = 4;
            std::int64_t bound = 0;
            for (std::size_t k = 0; k < 4; ++k) {
                bound += freq[k];
                if (m * 10'000 < bound * (std::int64_t{1} << 24)) {
                    expected = k;
                    break;
                }
            }
            ASSERT_EQ(sampler.sampleClass(r), expected) << "r = " << r;
            seen.insert(expected);
        }
        for (std::size_t k = 0; k < 5; ++k) {
            EXPECT_EQ(seen.count(k) == 1, freq[k] != 0) << "class " << k;
        }
    }
}

struct MomentCase {
    const char *name;
    std::array<std::int64_t, 5> freq;
    std::int64_t totalUnits;
    std::int64_t meanUnits;
};

class MomentTest : public ::testing::TestWithParam<MomentCase> {};

TEST_P(MomentTest, TotalAndMeanAreExact) {
    const MomentCase &c = GetParam();
    const DemandDistribution d = distributionOf(c.freq);
    EXPECT_EQ(d.total(), units(c.totalUnits));
    EXPECT_EQ(d.mean(), units(c.meanUnits));
}

INSTANTIATE_TEST_SUITE_P(
    Distributions, MomentTest,
    ::testing::Values(MomentCase{"skewedMeanNotRounded", test::kTextbook, 10'000, 485'000},
                      MomentCase{"bellShaped", test::kBellShaped, 10'000, 500'000},
                      MomentCase{"allFirst", {10000, 0, 0, 0, 0}, 10'000, 300'000},
                      MomentCase{"allFifth", {0, 0, 0, 0, 10000}, 10'000, 700'000},
                      MomentCase{"thirds", {3333, 3333, 3334, 0, 0}, 10'000, 400'010},
                      MomentCase{"justShort", {3333, 3333, 3333, 0, 0}, 9'999, 399'960},
                      MomentCase{"negativeFrequency", {15000, -5000, 0, 0, 0}, 10'000, 250'000},
                      MomentCase{"allZero", {0, 0, 0, 0, 0}, 0, 0}),
    test::CaseName{});

TEST(DistributionRangeTest, UnrepresentableFrequencyHasNoTotalOrMean) {
    DemandDistribution d = distributionOf({10000, 0, 0, 0, 0});
    d.setFrequency(3, std::nullopt);
    EXPECT_EQ(d.total(), std::nullopt);
    EXPECT_EQ(d.mean(), std::nullopt);
    EXPECT_EQ(d.frequency(3), std::nullopt);
    d.setFrequency(3, units(0));
    EXPECT_EQ(d.total(), units(10'000));
}

TEST(DistributionRangeTest, PartialSumOutOfRangeHasNoTotal) {
    // max + 1 - 2 would be max - 1, but the sum is taken left to right.
    EXPECT_EQ(distributionOf({kInt64Max, 1, -2, 0, 0}).total(), std::nullopt);
    EXPECT_EQ(distributionOf({kInt64Max, -2, 1, 0, 0}).total(), units(kInt64Max - 1));
}

TEST(DistributionRangeTest, MeanOutOfRangeWhileTotalExists) {
    // 30 x curFreq1 leaves the range although the frequencies add to 1.
    const std::int64_t big = kInt64Max / 20;
    const DemandDistribution d = distributionOf({big, 0, 0, 0, 10'000 - big});
    EXPECT_EQ(d.total(), units(10'000));
    EXPECT_EQ(d.mean(), std::nullopt);
    // Each term fits but their sum does not.
    const std::int64_t third = kInt64Max / 70;
    EXPECT_EQ(distributionOf({0, 0, 0, 0, third}).mean(), units(third * 70));
    EXPECT_EQ(distributionOf({0, 0, 0, third, third}).mean(), std::nullopt);
}

}  // namespace
}  // namespace nv
