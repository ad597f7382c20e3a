// ExactDecimal: a decimal number held exactly, as a signed 128-bit count of
// 10^-scale. It is what an exact expectation is: frequencies and amounts are
// four-decimal numbers, so a sum of frequency x amount has at most eight
// places and one of frequency x frequency x amount at most twelve, and
// neither is ever rounded.
//
//   - Kept without trailing zeros, so equal values are equal objects and
//     compare equal whatever their places (1.50 and 1.5 are one value).
//   - Addition, subtraction and multiplication are exact. Division by a
//     whole number is exact when the quotient ends within kDivisionPlaces
//     places, otherwise rounded there, an exact half to the even neighbour
//     (an average over 365 days of a day unlike the others does not end).
//   - Reads as its nearest double wherever a double is wanted (a chart, a
//     label of the window, a comparison within a tolerance); everything that
//     writes the value goes through text() or fixedText(), never the double.
// Values stay far inside the 128 bits: amounts are bounded by the Currency
// range, weights by 10^4 per frequency, and days by the analysis's checks.
//
//     auto e = nv::ExactDecimal::fromUnits(253999999, 4);   // 25399.9999
//     e.text();                                             // "25399.9999"
//     e.fixedText(2);                                       // "25400.00"
//     nv::ExactDecimal::of(*nv::Currency::fromDouble(2.5)).dividedBy(3).text();
//                                        // "0.833333333333333333" (18 places)
#pragma once

#include <compare>
#include <cstdint>
#include <string>

#include "support/currency.h"
#include "support/wide_int.h"

namespace nv {

class ExactDecimal {
public:
    static constexpr int kCurrencyPlaces = 4;
    static constexpr int kDivisionPlaces = 18;

    constexpr ExactDecimal() noexcept = default;

    // units x 10^-places; places from 0 to 36.
    [[nodiscard]] static constexpr ExactDecimal fromUnits(Int128 units, int places) noexcept {
        ExactDecimal d;
        d.m_units = units;
        d.m_places = places;
        d.normalize();
        return d;
    }
    [[nodiscard]] static constexpr ExactDecimal of(Currency amount) noexcept {
        return fromUnits(amount.units(), kCurrencyPlaces);
    }
    [[nodiscard]] static constexpr ExactDecimal whole(std::int64_t value) noexcept {
        return fromUnits(value, 0);
    }

    [[nodiscard]] constexpr Int128 units() const noexcept { return m_units; }
    [[nodiscard]] constexpr int places() const noexcept { return m_places; }
    [[nodiscard]] constexpr bool isZero() const noexcept { return m_units == 0; }

    // The nearest double.
    [[nodiscard]] double toDouble() const noexcept;
    // Implicit on purpose: charts and labels take doubles (see above).
    operator double() const noexcept { return toDouble(); }  // NOLINT

    friend ExactDecimal operator+(const ExactDecimal &a, const ExactDecimal &b) noexcept;
    friend ExactDecimal operator-(const ExactDecimal &a, const ExactDecimal &b) noexcept;
    friend ExactDecimal operator*(const ExactDecimal &a, const ExactDecimal &b) noexcept;
    ExactDecimal &operator+=(const ExactDecimal &other) noexcept { return *this = *this + other; }

    // divisor > 0; rounded at kDivisionPlaces when the quotient does not end.
    [[nodiscard]] ExactDecimal dividedBy(std::int64_t divisor) const noexcept;

    friend std::strong_ordering operator<=>(const ExactDecimal &a, const ExactDecimal &b) noexcept;
    friend constexpr bool operator==(const ExactDecimal &, const ExactDecimal &) noexcept = default;

    // The exact decimal, "." as the point, no trailing zeros, no grouping:
    // "25400", "-0.0001", "81.5125".
    [[nodiscard]] std::string text() const;
    // Exactly `decimals` places, rounded half to even; never "-0.00".
    [[nodiscard]] std::string fixedText(int decimals) const;

private:
    constexpr void normalize() noexcept {
        while (m_places > 0 && m_units % 10 == 0) {
            m_units /= 10;
            --m_places;
        }
    }

    Int128 m_units = 0;
    int m_places = 0;
};

}  // namespace nv
