#include "support/currency.h"

#include <cmath>

#include "support/rounding.h"
#include "support/wide_int.h"

namespace nv {

std::optional<Currency> Currency::fromDouble(double value) noexcept {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double units = roundHalfEven(value * static_cast<double>(kUnitsPerWhole));
    // 2^63 is exactly representable; INT64_MAX is not (it rounds up to 2^63),
    // so the upper bound must be a strict comparison with 2^63.
    constexpr double kTwoTo63 = 9223372036854775808.0;
    if (!(units >= -kTwoTo63 && units < kTwoTo63)) {
        return std::nullopt;
    }
    return Currency(static_cast<std::int64_t>(units));
}

std::optional<Currency> checkedMultiply(Currency a, Currency b) noexcept {
    // The common case (a day's sales times a price) fits in 64 bits: round
    // there and skip the 128-bit division.
    std::int64_t narrow = 0;
    if (!__builtin_mul_overflow(a.units(), b.units(), &narrow)) {
        std::int64_t quotient = narrow / Currency::kUnitsPerWhole;
        const std::int64_t remainder = narrow % Currency::kUnitsPerWhole;
        const std::int64_t distance = remainder < 0 ? -remainder : remainder;
        constexpr std::int64_t kHalf = Currency::kUnitsPerWhole / 2;
        if (distance > kHalf || (distance == kHalf && (quotient & 1) != 0)) {
            quotient += narrow < 0 ? -1 : 1;  // |quotient| < 2^63 / 10^4: no overflow
        }
        return Currency::fromUnits(quotient);
    }
    // |a| * |b| <= 2^126: the exact product of the unit counts always fits.
    const Int128 product = static_cast<Int128>(a.units()) * static_cast<Int128>(b.units());
    Int128 quotient = product / Currency::kUnitsPerWhole;  // truncates towards zero
    const Int128 remainder = product % Currency::kUnitsPerWhole;
    const Int128 distance = remainder < 0 ? -remainder : remainder;
    constexpr Int128 kHalf = Currency::kUnitsPerWhole / 2;
    if (distance > kHalf || (distance == kHalf && (quotient & 1) != 0)) {
        quotient += product < 0 ? -1 : 1;
    }
    if (quotient < std::numeric_limits<std::int64_t>::min() ||
        quotient > std::numeric_limits<std::int64_t>::max()) {
        return std::nullopt;
    }
    return Currency::fromUnits(static_cast<std::int64_t>(quotient));
}

}  // namespace nv
