// Fuzzes Currency arithmetic against __int128: every checked operation must
// give the exact (or exactly rounded) result, and std::nullopt exactly when
// that result lies outside the 64-bit range.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>

#include "support/currency.h"

namespace {

__extension__ typedef __int128 Int128;

[[noreturn]] void fail(const char *what, std::int64_t a, std::int64_t b) {
    std::fprintf(stderr, "%s: a = %lld, b = %lld\n", what, static_cast<long long>(a),
                 static_cast<long long>(b));
    std::abort();
}

bool fits(Int128 v) {
    return v >= std::numeric_limits<std::int64_t>::min() &&
           v <= std::numeric_limits<std::int64_t>::max();
}

void expect(const char *what, std::optional<nv::Currency> got, Int128 exact, std::int64_t a,
            std::int64_t b) {
    if (got.has_value() != fits(exact) ||
        (got && got->units() != static_cast<std::int64_t>(exact))) {
        fail(what, a, b);
    }
}

// The product of two unit counts, in ten-thousandths, rounded half to even,
// by floor division (the library truncates instead).
Int128 roundedProduct(std::int64_t a, std::int64_t b) {
    const Int128 p = static_cast<Int128>(a) * b;
    Int128 q = p / 10000;
    Int128 r = p % 10000;
    if (r < 0) {
        r += 10000;
        q -= 1;
    }
    if (r > 5000 || (r == 5000 && (q % 2 != 0))) {
        q += 1;
    }
    return q;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::uint8_t bytes[32] = {};
    std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
    std::int64_t a = 0;
    std::int64_t b = 0;
    std::int64_t w = 0;
    double d = 0;
    std::memcpy(&a, bytes, 8);
    std::memcpy(&b, bytes + 8, 8);
    std::memcpy(&w, bytes + 16, 8);
    std::memcpy(&d, bytes + 24, 8);
    const nv::Currency ca = nv::Currency::fromUnits(a);
    const nv::Currency cb = nv::Currency::fromUnits(b);

    expect("checkedAdd", nv::checkedAdd(ca, cb), static_cast<Int128>(a) + b, a, b);
    expect("checkedSubtract", nv::checkedSubtract(ca, cb), static_cast<Int128>(a) - b, a, b);
    expect("checkedMultiply by a whole number", nv::checkedMultiply(ca, w),
           static_cast<Int128>(a) * w, a, w);
    expect("checkedMultiply", nv::checkedMultiply(ca, cb), roundedProduct(a, b), a, b);
    expect("fromWhole", nv::Currency::fromWhole(w), static_cast<Int128>(w) * 10000, w, 0);

    // From double: the product in double, rounded in the default rounding
    // mode (to nearest, ties to even).
    const auto got = nv::Currency::fromDouble(d);
    const double scaled = std::nearbyint(d * 10000.0);
    const bool inRange = std::isfinite(scaled) && scaled >= -0x1p63 && scaled < 0x1p63;
    if (got.has_value() != inRange || (got && got->units() != static_cast<std::int64_t>(scaled))) {
        fail("fromDouble", a, 0);
    }
    // The ordering agrees with the unit counts, and toDouble keeps the order.
    if ((ca < cb) != (a < b) || (a < b && ca.toDouble() > cb.toDouble())) {
        fail("ordering", a, b);
    }
    return 0;
}
