#include "support/random_source.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace nv {
namespace {

TEST(SeededSource, GivesTheSameValuesOnEveryMachine) {
    // xoshiro256** seeded through SplitMix64 with 42, from an independent
    // implementation of the published algorithms.
    SeededSource bits(42);
    EXPECT_EQ(bits.nextBits(), 0x15780b2e0c2ec716ULL);
    EXPECT_EQ(bits.nextBits(), 0x6104d9866d113a7eULL);
    EXPECT_EQ(bits.nextBits(), 0xae17533239e499a1ULL);
    SeededSource values(42);
    EXPECT_EQ(values.next(), 1406987.0f / 16777216.0f);
    EXPECT_EQ(values.next(), 6358233.0f / 16777216.0f);
    SeededSource zero(0);
    EXPECT_EQ(zero.nextBits(), 0x99ec5f36cb75f2b4ULL);
}

TEST(SeededSource, SameSeedSameSequenceAndReseedRestarts) {
    SeededSource a(7);
    SeededSource b(7);
    SeededSource c(8);
    std::vector<float> first;
    int differ = 0;
    for (int i = 0; i < 100; ++i) {
        const float x = a.next();
        first.push_back(x);
        EXPECT_EQ(x, b.next());
        differ += x != c.next() ? 1 : 0;
    }
    EXPECT_GT(differ, 90);
    a.reseed(7);
    for (float x : first) {
        EXPECT_EQ(a.next(), x);
    }
}

TEST(SeededSource, StaysInTheUnitIntervalAndNeverGivesOne) {
    EXPECT_EQ(SeededSource::toUnit(~std::uint64_t{0}), 1.0f - 0x1p-24f);
    EXPECT_LT(SeededSource::toUnit(~std::uint64_t{0}), 1.0f);
    EXPECT_EQ(SeededSource::toUnit(0xFFFFFFFFFFULL), 0.0f);  // only the top 24 bits count
    EXPECT_EQ(SeededSource::toUnit(std::uint64_t{1} << 63), 0.5f);

    SeededSource source(12345);
    float lowest = 1.0f;
    float highest = 0.0f;
    double sum = 0.0;
    constexpr int kDraws = 1'000'000;
    for (int i = 0; i < kDraws; ++i) {
        const float x = source.next();
        ASSERT_GE(x, 0.0f);
        ASSERT_LT(x, 1.0f);
        lowest = x < lowest ? x : lowest;
        highest = x > highest ? x : highest;
        sum += static_cast<double>(x);
    }
    EXPECT_LT(lowest, 0.001f);
    EXPECT_GT(highest, 0.999f);
    EXPECT_NEAR(sum / kDraws, 0.5, 0.002);
}

TEST(SequenceSource, PlaysBackThenReportsTheOverrun) {
    SequenceSource source({0.25f, 0.75f});
    EXPECT_EQ(source.size(), 2U);
    EXPECT_EQ(source.next(), 0.25f);
    EXPECT_EQ(source.next(), 0.75f);
    EXPECT_FALSE(source.overrun());
    EXPECT_EQ(source.used(), 2U);
    EXPECT_EQ(source.next(), 0.0f);
    EXPECT_EQ(source.next(), 0.0f);
    EXPECT_TRUE(source.overrun());
    EXPECT_EQ(source.used(), 4U);
}

TEST(ApplicationRandomSource, SwitchesBetweenSeedAndSequence) {
    ApplicationRandomSource app;
    SeededSource reference(99);
    app.seed(99);
    EXPECT_EQ(app.next(), reference.next());
    app.useSequence({0.5f, 0.125f});
    EXPECT_EQ(app.next(), 0.5f);
    EXPECT_EQ(app.next(), 0.125f);
    EXPECT_EQ(app.next(), 0.0f);
    app.seed(99);  // the seeded generator again, from the start
    reference.reseed(99);
    EXPECT_EQ(app.next(), reference.next());
    EXPECT_EQ(&applicationRandomSource(), &applicationRandomSource());
}

}  // namespace
}  // namespace nv
