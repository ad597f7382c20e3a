// Quantiles, moments and intervals.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/analysis/statistics.h"

namespace nv {
namespace {

struct QuantileCase {
    double p;
    std::int64_t degrees;
    double expected;  // to 12 significant digits
};

class StudentQuantile : public ::testing::TestWithParam<QuantileCase> {};

TEST_P(StudentQuantile, MatchesReferenceValues) {
    const QuantileCase &c = GetParam();
    EXPECT_NEAR(studentQuantile(c.p, c.degrees), c.expected, 1e-9 * c.expected);
    EXPECT_NEAR(studentQuantile(1 - c.p, c.degrees), -c.expected, 1e-9 * c.expected);
}

INSTANTIATE_TEST_SUITE_P(Reference, StudentQuantile,
                         ::testing::Values(QuantileCase{0.975, 1, 12.7062047361747},
                                           QuantileCase{0.975, 2, 4.30265272974946},
                                           QuantileCase{0.975, 3, 3.18244630528371},
                                           QuantileCase{0.95, 4, 2.13184678632665},
                                           QuantileCase{0.995, 5, 4.03214298355523},
                                           QuantileCase{0.975, 10, 2.22813885198627},
                                           QuantileCase{0.975, 30, 2.04227245630124},
                                           QuantileCase{0.9995, 1, 636.61924876879},
                                           QuantileCase{0.975, 1000, 1.96233908082641},
                                           QuantileCase{0.9995, 1000, 3.30028264842394}));

TEST(NormalQuantile, MatchesReferenceValues) {
    EXPECT_NEAR(normalQuantile(0.975), 1.9599639845400536, 1e-12);
    EXPECT_NEAR(normalQuantile(0.9995), 3.2905267314919255, 1e-12);
    EXPECT_NEAR(normalQuantile(0.5), 0.0, 1e-12);
    EXPECT_TRUE(std::isnan(normalQuantile(0.0)));
    EXPECT_TRUE(std::isnan(normalQuantile(1.0)));
}

TEST(ConfidenceMultiplier, StudentUpToAThousandDegreesThenNormal) {
    EXPECT_NEAR(confidenceMultiplier(0.95, 2), 12.7062047361747, 1e-8);
    EXPECT_NEAR(confidenceMultiplier(0.95, 1001), 1.96233908082641, 1e-9);
    EXPECT_NEAR(confidenceMultiplier(0.95, 1002), 1.9599639845400536, 1e-12);
    EXPECT_NEAR(confidenceMultiplier(0.999, 100000), 3.2905267314919255, 1e-12);
    EXPECT_TRUE(std::isnan(confidenceMultiplier(0.95, 1)));
    EXPECT_TRUE(std::isnan(confidenceMultiplier(1.0, 100)));
}

TEST(SampleMoments, MeanAndSampleStandardDeviation) {
    const std::vector<double> values = {2, 4, 4, 4, 5, 5, 7, 9};
    const SampleMoments m = sampleMoments(values);
    EXPECT_EQ(m.count, 8);
    EXPECT_DOUBLE_EQ(m.mean, 5);
    EXPECT_DOUBLE_EQ(m.standardDeviation, std::sqrt(32.0 / 7.0));

    const auto ci = confidenceInterval(m, 0.95);
    ASSERT_TRUE(ci.has_value());
    const double half = 2.36462425159278 * std::sqrt(32.0 / 7.0) / std::sqrt(8.0);
    EXPECT_NEAR(ci->low, 5 - half, 1e-9);
    EXPECT_NEAR(ci->high, 5 + half, 1e-9);
}

TEST(SampleMoments, OneValueHasNoSpreadAndNoInterval) {
    const std::vector<double> one = {3.5};
    const SampleMoments m = sampleMoments(one);
    EXPECT_DOUBLE_EQ(m.mean, 3.5);
    EXPECT_DOUBLE_EQ(m.standardDeviation, 0);
    EXPECT_FALSE(confidenceInterval(m, 0.95).has_value());
}

}  // namespace
}  // namespace nv
