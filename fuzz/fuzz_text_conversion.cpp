// Fuzzes the whole-text conversions of the list fields. A reference matcher
// decides whether the text is a number; the double comes from strtod, the
// Currency from exact __int128 arithmetic on the digits, the 16-bit and
// 32-bit integers from nearbyint in the default rounding mode.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "support/text_conversion.h"

namespace {

__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

[[noreturn]] void fail(const char *what, std::string_view text) {
    std::fprintf(stderr, "%s for \"%.*s\"\n", what, static_cast<int>(text.size()), text.data());
    std::abort();
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The parts of a number text, or nothing when the text is not one:
//   [sign] (digits [. [digits]] | . digits) [(E|e) [sign] digits]
struct Parts {
    bool negative = false;
    std::string mantissa;  // every mantissa digit, point removed
    long fractionDigits = 0;
    long exponent = 0;  // saturated far beyond any range that matters
};

std::optional<Parts> split(std::string_view body) {
    Parts p;
    std::size_t i = 0;
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) {
        p.negative = body[i] == '-';
        ++i;
    }
    while (i < body.size() && isDigit(body[i])) {
        p.mantissa.push_back(body[i++]);
    }
    if (i < body.size() && body[i] == '.') {
        ++i;
        while (i < body.size() && isDigit(body[i])) {
            p.mantissa.push_back(body[i++]);
            ++p.fractionDigits;
        }
    }
    if (p.mantissa.empty()) {
        return std::nullopt;
    }
    if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < body.size() && (body[i] == '+' || body[i] == '-')) {
            negative = body[i] == '-';
            ++i;
        }
        if (i == body.size() || !isDigit(body[i])) {
            return std::nullopt;
        }
        while (i < body.size() && isDigit(body[i])) {
            p.exponent = std::min(p.exponent * 10 + (body[i++] - '0'), 1'000'000L);
        }
        if (negative) {
            p.exponent = -p.exponent;
        }
    }
    if (i != body.size()) {
        return std::nullopt;
    }
    return p;
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

UInt128 powerOfTen(long n) {
    UInt128 p = 1;
    for (long k = 0; k < n; ++k) {
        p *= 10;
    }
    return p;
}

enum class Outcome { Value, OutOfRange, Unknown };

// units = N * 10^(exponent - fractionDigits + 4), rounded half to even, where
// N is the mantissa as an integer. Unknown when N has too many significant
// digits for this simple reference.
Outcome referenceUnits(const Parts &p, std::int64_t &units) {
    std::string digits = p.mantissa;
    long shift = p.exponent - p.fractionDigits + 4;
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        units = 0;
        return Outcome::Value;
    }
    digits.erase(0, first);
    while (digits.back() == '0') {
        digits.pop_back();
        ++shift;
    }
    const long d = static_cast<long>(digits.size());
    if (d > 38) {
        return Outcome::Unknown;
    }
    UInt128 n = 0;
    for (char c : digits) {
        n = n * 10 + static_cast<UInt128>(c - '0');
    }
    UInt128 magnitude = 0;
    if (shift >= 0) {
        if (d + shift > 20) {
            return Outcome::OutOfRange;  // at least 10^20 units
        }
        magnitude = n * powerOfTen(shift);
    } else if (d + shift < 0) {
        magnitude = 0;  // below 0.1 units
    } else {
        const UInt128 divisor = powerOfTen(-shift);
        magnitude = n / divisor;
        const UInt128 remainder = n % divisor;
        if (2 * remainder > divisor || (2 * remainder == divisor && (magnitude & 1) != 0)) {
            ++magnitude;
        }
    }
    const Int128 value =
        p.negative ? -static_cast<Int128>(magnitude) : static_cast<Int128>(magnitude);
    if (value < std::numeric_limits<std::int64_t>::min() ||
        value > std::numeric_limits<std::int64_t>::max()) {
        return Outcome::OutOfRange;
    }
    units = static_cast<std::int64_t>(value);
    return Outcome::Value;
}

void checkRoundToInt32(double value) {
    const auto got = nv::roundToInt32(value);
    const double rounded = std::nearbyint(value);
    const bool inRange = rounded >= -2147483648.0 && rounded <= 2147483647.0;
    if (got.ok() != inRange) {
        fail("roundToInt32 range disagrees", "(a double)");
    }
    if (got && *got != static_cast<std::int32_t>(rounded)) {
        fail("roundToInt32 value disagrees", "(a double)");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const auto d = nv::parseDouble(text);
    const auto c = nv::parseCurrency(text);
    const auto i = nv::parseInt16(text);

    const std::string_view body = trimBlanks(text);
    const auto parts = split(body);
    if (!parts) {
        if (d || c || i || d.error() != nv::ConversionError::NotANumber ||
            c.error() != nv::ConversionError::NotANumber ||
            i.error() != nv::ConversionError::NotANumber) {
            fail("accepted a text that is not a number", text);
        }
    } else {
        // Double: strtod on the trimmed body (it holds only signs, digits, a
        // point and E, so the C locale reads it as intended).
        const std::string copy(body);
        const double expected = std::strtod(copy.c_str(), nullptr);
        if (std::isinf(expected)) {
            if (d || d.error() != nv::ConversionError::OutOfRange) {
                fail("parseDouble: overflow not reported", text);
            }
            if (i || i.error() != nv::ConversionError::OutOfRange) {
                fail("parseInt16: overflow not reported", text);
            }
        } else {
            if (!d || !(*d == expected && std::signbit(*d) == std::signbit(expected))) {
                fail("parseDouble disagrees with strtod", text);
            }
            const double rounded = std::nearbyint(expected);
            const bool inRange = rounded >= -32768.0 && rounded <= 32767.0;
            if (inRange ? !(i && *i == static_cast<std::int16_t>(rounded))
                        : (i || i.error() != nv::ConversionError::OutOfRange)) {
                fail("parseInt16 disagrees", text);
            }
        }
        std::int64_t units = 0;
        switch (referenceUnits(*parts, units)) {
            case Outcome::Value:
                if (!c || c->units() != units) {
                    fail("parseCurrency disagrees", text);
                }
                break;
            case Outcome::OutOfRange:
                if (c || c.error() != nv::ConversionError::OutOfRange) {
                    fail("parseCurrency: out of range not reported", text);
                }
                break;
            case Outcome::Unknown:
                break;
        }
    }

    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        checkRoundToInt32(value);
    }
    return 0;
}
