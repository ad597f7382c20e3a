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

std::optional<Currency> checkedMultiplyWide(Currency a, Currency b) noexcept {
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
