// Currency: a signed fixed-point decimal with four decimal places, held as a
// 64-bit count of ten-thousandths. Range -922,337,203,685,477.5808 to
// 922,337,203,685,477.5807.
//
// Arithmetic:
//   - addition and subtraction are exact;
//   - multiplication by a whole number is exact;
//   - the product of two Currency values is the exact product rounded to four
//     decimals, an exact half in the fifth decimal going to the even neighbour;
//   - a whole number becomes Currency exactly;
//   - a double becomes Currency by multiplying it by 10,000 in double precision
//     and rounding to the nearest integer, an exact half to the even integer;
//   - a Currency compares with a floating-point number as a double.
//
// Nothing wraps: every operation that can leave the range is a checked
// function returning std::nullopt when the exact result cannot be held.
// There are no arithmetic operators and no conversion from double except the
// named, checked fromDouble, so mixed or unchecked arithmetic does not compile.
//
//     auto price = Currency::fromDouble(4.5);            // 4.5000
//     auto sales = Currency::fromWhole(40);               // 40.0000
//     auto revenue = checkedMultiply(*sales, *price);     // 180.0000
//     auto profit = checkedSubtract(*revenue, *Currency::fromWhole(110));
#pragma once

#include <compare>
#include <concepts>
#include <cstdint>
#include <limits>
#include <optional>

namespace nv {

class Currency {
public:
    static constexpr std::int64_t kUnitsPerWhole = 10'000;

    // Zero.
    constexpr Currency() noexcept = default;

    // From a count of ten-thousandths: always exact.
    [[nodiscard]] static constexpr Currency fromUnits(std::int64_t units) noexcept {
        return Currency(units);
    }
    // A whole count that always fits (a day number, a demand, an order of
    // whole units): exact, and usable in constant expressions.
    [[nodiscard]] static constexpr Currency fromCount(std::int32_t count) noexcept {
        return Currency(static_cast<std::int64_t>(count) * kUnitsPerWhole);
    }
    [[nodiscard]] static constexpr std::optional<Currency> fromWhole(std::int64_t whole) noexcept {
        std::int64_t units = 0;
        if (__builtin_mul_overflow(whole, kUnitsPerWhole, &units)) {
            return std::nullopt;
        }
        return Currency(units);
    }
    // x * 10,000 in double, rounded half to even; nullopt for NaN, infinities
    // and values outside the range.
    [[nodiscard]] static std::optional<Currency> fromDouble(double value) noexcept;

    static constexpr Currency min() noexcept {
        return Currency(std::numeric_limits<std::int64_t>::min());
    }
    static constexpr Currency max() noexcept {
        return Currency(std::numeric_limits<std::int64_t>::max());
    }

    [[nodiscard]] constexpr std::int64_t units() const noexcept { return m_units; }
    [[nodiscard]] constexpr double toDouble() const noexcept {
        return static_cast<double>(m_units) / static_cast<double>(kUnitsPerWhole);
    }

    friend constexpr bool operator==(Currency, Currency) noexcept = default;
    friend constexpr std::strong_ordering operator<=>(Currency, Currency) noexcept = default;

private:
    constexpr explicit Currency(std::int64_t units) noexcept : m_units(units) {}
    std::int64_t m_units = 0;
};

[[nodiscard]] constexpr std::optional<Currency> checkedAdd(Currency a, Currency b) noexcept {
    std::int64_t units = 0;
    if (__builtin_add_overflow(a.units(), b.units(), &units)) {
        return std::nullopt;
    }
    return Currency::fromUnits(units);
}

[[nodiscard]] constexpr std::optional<Currency> checkedSubtract(Currency a, Currency b) noexcept {
    std::int64_t units = 0;
    if (__builtin_sub_overflow(a.units(), b.units(), &units)) {
        return std::nullopt;
    }
    return Currency::fromUnits(units);
}

// Exact multiplication by a whole number.
[[nodiscard]] constexpr std::optional<Currency> checkedMultiply(Currency a,
                                                                std::int64_t whole) noexcept {
    std::int64_t units = 0;
    if (__builtin_mul_overflow(a.units(), whole, &units)) {
        return std::nullopt;
    }
    return Currency::fromUnits(units);
}

// Currency x Currency when the product of the unit counts does not fit 64
// bits (checkedMultiply below): exact through 128 bits.
[[nodiscard]] std::optional<Currency> checkedMultiplyWide(Currency a, Currency b) noexcept;

// Currency x Currency: the exact product rounded to four decimals, half to
// even, into `product`; false (and `product` unchanged) when it leaves the
// range. The common case (a day's sales times a price) fits in 64 bits and
// is rounded there, inline, without the 128-bit division; a day's loop uses
// this form to keep its amounts in registers.
[[nodiscard]] inline bool checkedMultiplyTo(Currency a, Currency b, Currency &product) noexcept {
    std::int64_t narrow = 0;
    if (__builtin_mul_overflow(a.units(), b.units(), &narrow)) {
        const std::optional<Currency> wide = checkedMultiplyWide(a, b);
        if (wide) {
            product = *wide;
        }
        return wide.has_value();
    }
    std::int64_t quotient = narrow / Currency::kUnitsPerWhole;
    const std::int64_t remainder = narrow % Currency::kUnitsPerWhole;
    const std::int64_t distance = remainder < 0 ? -remainder : remainder;
    constexpr std::int64_t kHalf = Currency::kUnitsPerWhole / 2;
    if (distance > kHalf || (distance == kHalf && (quotient & 1) != 0)) {
        quotient += narrow < 0 ? -1 : 1;  // |quotient| < 2^63 / 10^4: no overflow
    }
    product = Currency::fromUnits(quotient);
    return true;
}

// The same as a value: nullopt when the product leaves the range.
[[nodiscard]] inline std::optional<Currency> checkedMultiply(Currency a, Currency b) noexcept {
    Currency product;
    if (!checkedMultiplyTo(a, b, product)) {
        return std::nullopt;
    }
    return product;
}

// Compares as double-precision numbers (a float is widened first).
[[nodiscard]] constexpr bool lessThan(double x, Currency c) noexcept {
    return x < c.toDouble();
}

// The forbidden forms stay forbidden: no silent conversion from double, no
// operators that could wrap.
template <class A, class B>
concept Addable = requires(A a, B b) {
    a + b;
};
template <class A, class B>
concept Multipliable = requires(A a, B b) {
    a *b;
};

static_assert(!std::is_convertible_v<double, Currency>);
static_assert(!std::is_convertible_v<int, Currency>);
static_assert(!std::is_constructible_v<Currency, double>);
static_assert(!Addable<Currency, Currency>);
static_assert(!Addable<Currency, double>);
static_assert(!Multipliable<Currency, double>);
static_assert(!Multipliable<Currency, int>);

}  // namespace nv
