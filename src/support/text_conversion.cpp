#include "support/text_conversion.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <system_error>

#include "support/rounding.h"

namespace nv {

namespace {

// More significant digits than any double needs to be rounded correctly
// (a halfway point between two doubles has at most 767 of them). Digits past
// this are only remembered as "something non-zero followed".
constexpr std::size_t kKeptDigits = 800;

// Decimal exponents are saturated here: far beyond any double or Currency,
// yet far from overflowing a 64-bit counter however long the text is.
constexpr std::int64_t kExponentLimit = 1'000'000'000'000'000;

std::int64_t saturate(std::int64_t value) noexcept {
    if (value > kExponentLimit) {
        return kExponentLimit;
    }
    if (value < -kExponentLimit) {
        return -kExponentLimit;
    }
    return value;
}

constexpr bool isDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

// A decimal number as scanned: value = (-1)^negative * 0.D1D2D3... * 10^exponent
// where D1 is the first non-zero digit. Only the first kKeptDigits digits are
// held; `sticky` says whether a non-zero digit was dropped after them.
struct Decimal {
    bool negative = false;
    bool sawDigit = false;  // a mantissa digit (zero or not) was read
    char digits[kKeptDigits] = {};
    std::size_t count = 0;  // digits held, leading zeros stripped
    bool sticky = false;
    std::int64_t exponent = 0;
    std::size_t end = 0;  // where reading stopped
};

// Walks the text with the grammar
//   [sign] digits [. digits] [(E|e) [sign] digits]   (at least one mantissa digit)
// skipping the characters that `skippable` accepts wherever they occur. An
// exponent letter not followed by a digit is left unread. One pass, no
// allocation, counters that cannot overflow.
template <class Skippable>
void scan(std::string_view text, Skippable skippable, Decimal &out) noexcept {
    const std::size_t n = text.size();
    std::size_t i = 0;
    auto skip = [&](std::size_t at) {
        while (at < n && skippable(text[at])) {
            ++at;
        }
        return at;
    };

    i = skip(i);
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        out.negative = text[i] == '-';
        i = skip(i + 1);
    }

    // Position where a successful reading ends; moves only past complete parts.
    std::size_t accepted = 0;
    std::int64_t pointShift = 0;  // 10-power contributed by the digit positions
    bool inFraction = false;
    for (;;) {
        if (i < n && isDigit(text[i])) {
            const char d = text[i];
            out.sawDigit = true;
            if (out.count == 0 && d == '0') {
                if (inFraction) {
                    pointShift = saturate(pointShift - 1);
                }
            } else {
                if (!inFraction) {
                    pointShift = saturate(pointShift + 1);
                }
                if (out.count < kKeptDigits) {
                    out.digits[out.count++] = d;
                } else if (d != '0') {
                    out.sticky = true;
                }
            }
            i = skip(i + 1);
            accepted = i;
        } else if (i < n && text[i] == '.' && !inFraction) {
            inFraction = true;
            i = skip(i + 1);
            if (out.sawDigit) {
                accepted = i;  // "5." is a complete number
            }
        } else {
            break;
        }
    }
    if (!out.sawDigit) {
        out.end = 0;
        return;
    }

    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = skip(i + 1);
        bool negativeExponent = false;
        if (j < n && (text[j] == '+' || text[j] == '-')) {
            negativeExponent = text[j] == '-';
            j = skip(j + 1);
        }
        if (j < n && isDigit(text[j])) {
            std::int64_t value = 0;
            while (j < n && isDigit(text[j])) {
                value = saturate(value * 10 + (text[j] - '0'));
                j = skip(j + 1);
            }
            pointShift = saturate(pointShift + (negativeExponent ? -value : value));
            accepted = j;
        }
    }
    out.exponent = pointShift;
    out.end = accepted;
}

constexpr bool isLeadingBlank(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\n';
}
constexpr bool isFieldBlank(char c) noexcept {
    return c == ' ' || c == '\t';
}
constexpr bool never(char) noexcept {
    return false;
}

// The nearest double to a scanned decimal (overflow gives infinity,
// underflow zero), with its sign.
double toDouble(const Decimal &d) noexcept {
    const double sign = d.negative ? -1.0 : 1.0;
    if (d.count == 0) {
        return sign * 0.0;
    }
    // 0.D... * 10^e lies in [10^(e-1), 10^e).
    if (d.exponent > 310) {
        return sign * std::numeric_limits<double>::infinity();
    }
    if (d.exponent < -330) {
        return sign * 0.0;
    }
    // digits [1] e (exponent - digits): a clean, locale-free text for from_chars.
    char buffer[kKeptDigits + 1 + 1 + 24];
    std::size_t length = 0;
    for (std::size_t k = 0; k < d.count; ++k) {
        buffer[length++] = d.digits[k];
    }
    std::int64_t shift = d.exponent - static_cast<std::int64_t>(d.count);
    if (d.sticky) {
        buffer[length++] = '1';  // keeps the rounding direction of the dropped tail
        --shift;
    }
    buffer[length++] = 'e';
    char *const end = buffer + sizeof buffer;
    const auto written = std::to_chars(buffer + length, end, shift);
    double value = 0.0;
    const auto parsed = std::from_chars(buffer, written.ptr, value);
    if (parsed.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: the exponent tells which.
        return d.exponent > 0 ? sign * std::numeric_limits<double>::infinity() : sign * 0.0;
    }
    return sign * value;
}

// The whole text must be one number, with spaces and tabs only around it.
bool scanWhole(std::string_view text, Decimal &out) noexcept {
    std::size_t first = 0;
    while (first < text.size() && isFieldBlank(text[first])) {
        ++first;
    }
    std::size_t last = text.size();
    while (last > first && isFieldBlank(text[last - 1])) {
        --last;
    }
    const std::string_view body = text.substr(first, last - first);
    scan(body, never, out);
    return out.sawDigit && out.end == body.size();
}

}  // namespace

double leadingNumber(std::string_view text) noexcept {
    Decimal d;
    scan(text, isLeadingBlank, d);
    if (!d.sawDigit) {
        return 0.0;
    }
    return toDouble(d);
}

Result<double, ConversionError> parseDouble(std::string_view text) noexcept {
    Decimal d;
    if (!scanWhole(text, d)) {
        return Failure{ConversionError::NotANumber};
    }
    const double value = toDouble(d);
    if (std::isinf(value)) {
        return Failure{ConversionError::OutOfRange};
    }
    return value;
}

Result<Currency, ConversionError> parseCurrency(std::string_view text) noexcept {
    Decimal d;
    if (!scanWhole(text, d)) {
        return Failure{ConversionError::NotANumber};
    }
    if (d.count == 0) {
        return Currency();
    }
    // In ten-thousandths the value is 0.D... * 10^(exponent + 4): its whole
    // part has `wholeDigits` digits, and a first digit that is not zero.
    const std::int64_t wholeDigits = d.exponent + 4;
    if (wholeDigits > 19) {
        return Failure{ConversionError::OutOfRange};  // at least 10^19 units
    }
    std::uint64_t units = 0;
    bool roundUp = false;
    if (wholeDigits >= 0) {
        const auto k = static_cast<std::size_t>(wholeDigits);
        for (std::size_t i = 0; i < k; ++i) {
            units = units * 10 + static_cast<std::uint64_t>(i < d.count ? d.digits[i] - '0' : 0);
        }
        // Round half to even on the exact decimal digits past the fourth decimal.
        if (k < d.count) {
            const char next = d.digits[k];
            bool restNonZero = d.sticky;
            for (std::size_t i = k + 1; i < d.count && !restNonZero; ++i) {
                restNonZero = d.digits[i] != '0';
            }
            roundUp = next > '5' || (next == '5' && (restNonZero || (units & 1U) != 0));
        }
    }
    // wholeDigits < 0: below 0.1 units, so rounds to 0.
    if (roundUp) {
        ++units;  // at most 10^19, which still fits
    }
    constexpr auto kMaxPositive =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (d.negative) {
        if (units > kMaxPositive + 1) {
            return Failure{ConversionError::OutOfRange};
        }
        if (units == kMaxPositive + 1) {
            return Currency::min();
        }
        return Currency::fromUnits(-static_cast<std::int64_t>(units));
    }
    if (units > kMaxPositive) {
        return Failure{ConversionError::OutOfRange};
    }
    return Currency::fromUnits(static_cast<std::int64_t>(units));
}

Result<std::int16_t, ConversionError> parseInt16(std::string_view text) noexcept {
    const auto value = parseDouble(text);
    if (!value) {
        return Failure{value.error()};
    }
    const double rounded = roundHalfEven(*value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) {
        return Failure{ConversionError::OutOfRange};
    }
    return static_cast<std::int16_t>(rounded);
}

Result<std::int32_t, ConversionError> roundToInt32(double value) noexcept {
    const double rounded = roundHalfEven(value);  // NaN stays NaN and fails below
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
        return Failure{ConversionError::OutOfRange};
    }
    return static_cast<std::int32_t>(rounded);
}

}  // namespace nv
