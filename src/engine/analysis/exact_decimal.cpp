// Exact decimal arithmetic and text.
#include "engine/analysis/exact_decimal.h"

#include <algorithm>
#include <charconv>

namespace nv {

namespace {

constexpr Int128 powerOfTen(int exponent) noexcept {
    Int128 power = 1;
    for (int i = 0; i < exponent; ++i) {
        power *= 10;
    }
    return power;
}

UInt128 magnitudeOf(Int128 value) noexcept {
    return value < 0 ? UInt128{0} - static_cast<UInt128>(value) : static_cast<UInt128>(value);
}

std::string digitsOf(UInt128 value) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(value % 10)));
        value /= 10;
    } while (value != 0);
    return digits;
}

// sign, whole digits, a point and `places` fraction digits of magnitude m.
std::string decimalText(bool negative, UInt128 m, int places) {
    std::string digits = digitsOf(m);
    const auto fraction = static_cast<std::size_t>(places);
    if (digits.size() <= fraction) {
        digits.insert(0, fraction + 1 - digits.size(), '0');
    }
    if (fraction > 0) {
        digits.insert(digits.size() - fraction, 1, '.');
    }
    return (negative && m != 0 ? "-" : "") + digits;
}

// The two values over the larger of their places.
struct Aligned {
    Int128 a;
    Int128 b;
    int places;
};

Aligned align(const ExactDecimal &a, const ExactDecimal &b) noexcept {
    const int places = std::max(a.places(), b.places());
    return {a.units() * powerOfTen(places - a.places()),
            b.units() * powerOfTen(places - b.places()), places};
}

// q + 1 when the remainder r of a division by d is more than half of d, or
// exactly half and q odd.
UInt128 roundedHalfEven(UInt128 q, UInt128 r, UInt128 d) noexcept {
    const UInt128 twice = r * 2;
    return twice > d || (twice == d && q % 2 == 1) ? q + 1 : q;
}

}  // namespace

double ExactDecimal::toDouble() const noexcept {
    // Below 2^53 the units are a double exactly, and so is 10^places up to
    // 10^22: one division rounds once, to the nearest double.
    constexpr Int128 kExactWholes = Int128{1} << 53U;
    if (m_units > -kExactWholes && m_units < kExactWholes && m_places <= 22) {
        return static_cast<double>(m_units) / static_cast<double>(powerOfTen(m_places));
    }
    const std::string decimal = text();
    double value = 0;
    std::from_chars(decimal.data(), decimal.data() + decimal.size(), value);
    return value;
}

ExactDecimal operator+(const ExactDecimal &a, const ExactDecimal &b) noexcept {
    const Aligned x = align(a, b);
    return ExactDecimal::fromUnits(x.a + x.b, x.places);
}

ExactDecimal operator-(const ExactDecimal &a, const ExactDecimal &b) noexcept {
    const Aligned x = align(a, b);
    return ExactDecimal::fromUnits(x.a - x.b, x.places);
}

ExactDecimal operator*(const ExactDecimal &a, const ExactDecimal &b) noexcept {
    return ExactDecimal::fromUnits(a.units() * b.units(), a.places() + b.places());
}

std::strong_ordering operator<=>(const ExactDecimal &a, const ExactDecimal &b) noexcept {
    const Aligned x = align(a, b);
    return x.a <=> x.b;
}

ExactDecimal ExactDecimal::dividedBy(std::int64_t divisor) const noexcept {
    const auto d = static_cast<UInt128>(divisor);
    UInt128 q = magnitudeOf(m_units) / d;
    UInt128 r = magnitudeOf(m_units) % d;
    int places = m_places;
    while (r != 0 && places < kDivisionPlaces) {
        q = q * 10 + r * 10 / d;
        r = r * 10 % d;
        ++places;
    }
    q = roundedHalfEven(q, r, d);
    const auto units = static_cast<Int128>(q);
    return fromUnits(m_units < 0 ? -units : units, places);
}

std::string ExactDecimal::text() const {
    return decimalText(m_units < 0, magnitudeOf(m_units), m_places);
}

std::string ExactDecimal::fixedText(int decimals) const {
    const UInt128 m = magnitudeOf(m_units);
    if (m_places <= decimals) {
        return decimalText(m_units < 0, m * static_cast<UInt128>(powerOfTen(decimals - m_places)),
                           decimals);
    }
    const auto cut = static_cast<UInt128>(powerOfTen(m_places - decimals));
    return decimalText(m_units < 0, roundedHalfEven(m / cut, m % cut, cut), decimals);
}

}  // namespace nv
