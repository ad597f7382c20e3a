#include "support/currency.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>

namespace nv {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

struct FromDoubleCase {
    double value;
    std::optional<std::int64_t> units;
};

void PrintTo(const FromDoubleCase &c, std::ostream *os) {
    *os << c.value;
}

class CurrencyFromDouble : public testing::TestWithParam<FromDoubleCase> {};

TEST_P(CurrencyFromDouble, RoundsTheScaledDoubleHalfToEven) {
    const auto c = Currency::fromDouble(GetParam().value);
    ASSERT_EQ(c.has_value(), GetParam().units.has_value()) << GetParam().value;
    if (c) {
        EXPECT_EQ(c->units(), *GetParam().units) << GetParam().value;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CurrencyFromDouble,
    testing::Values(FromDoubleCase{0.12345, 1234},  // 1234.5 -> even 1234
                    FromDoubleCase{0.33335, 3334},  // 3333.5 -> even 3334
                    FromDoubleCase{-0.12345, -1234}, FromDoubleCase{0.00005, 0},
                    FromDoubleCase{0.00025, 2},      // 2.5 -> 2
                    FromDoubleCase{0.00015, 1},      // 1.4999999999999998 in double
                    FromDoubleCase{1.00005, 10001},  // 10000.500000000002
                    FromDoubleCase{4.3, 43000}, FromDoubleCase{-0.0, 0},
                    FromDoubleCase{922337203685477.5, 9223372036854774784},
                    // Both limits become 2^63 in double: only the lower one fits.
                    FromDoubleCase{922337203685477.5807, std::nullopt},
                    FromDoubleCase{-922337203685477.5808, kMin},
                    FromDoubleCase{1e300, std::nullopt}, FromDoubleCase{-1e300, std::nullopt},
                    FromDoubleCase{std::numeric_limits<double>::quiet_NaN(), std::nullopt},
                    FromDoubleCase{std::numeric_limits<double>::infinity(), std::nullopt},
                    FromDoubleCase{-std::numeric_limits<double>::infinity(), std::nullopt}));

struct ProductCase {
    std::int64_t a;
    std::int64_t b;
    std::optional<std::int64_t> units;
};

void PrintTo(const ProductCase &c, std::ostream *os) {
    *os << c.a << " x " << c.b << " units";
}

class CurrencyProduct : public testing::TestWithParam<ProductCase> {};

TEST_P(CurrencyProduct, IsTheExactProductRoundedHalfToEven) {
    const auto [a, b, expected] = GetParam();
    const auto p = checkedMultiply(Currency::fromUnits(a), Currency::fromUnits(b));
    ASSERT_EQ(p.has_value(), expected.has_value()) << a << " x " << b;
    if (p) {
        EXPECT_EQ(p->units(), *expected) << a << " x " << b;
    }
    // The product does not depend on the order of the factors.
    EXPECT_EQ(checkedMultiply(Currency::fromUnits(b), Currency::fromUnits(a)), p);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CurrencyProduct,
    testing::Values(ProductCase{1, 5000, 0},              // 0.00005 -> 0.0000
                    ProductCase{3, 5000, 2},              // 0.00015 -> 0.0002
                    ProductCase{5, 5000, 2},              // 0.00025 -> 0.0002
                    ProductCase{-3, 5000, -2},            // -0.00015 -> -0.0002
                    ProductCase{-5, 5000, -2},            // -0.00025 -> -0.0002
                    ProductCase{1, 6000, 1},              // 0.00006 -> 0.0001
                    ProductCase{-1, 4000, 0},             // -0.00004 -> 0
                    ProductCase{400000, 45000, 1800000},  // 40 x 4.5 = 180
                    ProductCase{485000, 22000, 1067000},  // 48.5 x 2.2 = 106.7
                    ProductCase{kMax, 10000, kMax}, ProductCase{kMin, 10000, kMin},
                    ProductCase{kMin, -10000, std::nullopt}, ProductCase{kMax, 10001, std::nullopt},
                    ProductCase{kMax, kMax, std::nullopt}, ProductCase{kMin, kMin, std::nullopt},
                    // 2^63 - 1 units x 0.5 = 4611686018427387903.5 -> even ...904
                    ProductCase{kMax, 5000, 4611686018427387904}));

TEST(CurrencyLimits, EveryOperationReportsLeavingTheRange) {
    const Currency max = Currency::max();
    const Currency min = Currency::min();
    const Currency unit = Currency::fromUnits(1);
    EXPECT_FALSE(checkedAdd(max, unit));
    EXPECT_FALSE(checkedAdd(min, Currency::fromUnits(-1)));
    EXPECT_FALSE(checkedSubtract(min, unit));
    EXPECT_FALSE(checkedSubtract(Currency(), min));
    EXPECT_EQ(checkedSubtract(max, unit)->units(), kMax - 1);
    EXPECT_FALSE(checkedMultiply(min, std::int64_t{-1}));
    EXPECT_EQ(checkedMultiply(max, std::int64_t{-1})->units(), -kMax);
    EXPECT_FALSE(checkedMultiply(Currency::fromUnits(kMax / 30 + 1), std::int64_t{30}));
    EXPECT_EQ(Currency::fromWhole(922337203685477)->units(), 9223372036854770000);
    EXPECT_FALSE(Currency::fromWhole(922337203685478));
    EXPECT_FALSE(Currency::fromWhole(-922337203685478));
}

}  // namespace
}  // namespace nv
