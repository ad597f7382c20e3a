#include "support/number_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "support/wide_int.h"

namespace nv {

bool CellText::append(char c) noexcept {
    if (m_size == kCapacity) {
        return false;
    }
    m_data[m_size++] = c;
    return true;
}

namespace {

// |value| / divisor rounded to the nearest whole number, a half away from zero.
std::uint64_t roundedMagnitude(Currency value, std::uint64_t divisor) noexcept {
    const std::uint64_t m = magnitude(value.units());
    // m <= 2^63, so adding half a divisor cannot wrap.
    return (m + divisor / 2) / divisor;
}

// "000" to "999", four bytes apart: the digits of a group of three.
constexpr std::array<char, 4000> kGroupDigits = [] {
    std::array<char, 4000> digits{};
    for (std::size_t group = 0; group < 1000; ++group) {
        digits[group * 4] = static_cast<char>('0' + group / 100);
        digits[group * 4 + 1] = static_cast<char>('0' + group / 10 % 10);
        digits[group * 4 + 2] = static_cast<char>('0' + group % 10);
    }
    return digits;
}();

// Appends the decimal digits of n, grouped in threes from the right with
// separator between the groups (none when it is empty). This is the inner
// loop of every formatted cell: the text is written straight into its place
// in `out`, from its end a group at a time.
void appendGroupedDigits(std::uint64_t n, std::string_view separator, CellText &out) noexcept {
    // The groups after the leading one (at most six: 2^64 has 20 digits).
    std::size_t groups = 0;
    for (std::uint64_t limit = 1000; groups < 6 && n >= limit; limit *= 1000) {
        ++groups;
    }
    std::uint64_t lead = n;
    for (std::size_t g = 0; g < groups; ++g) {
        lead /= 1000;
    }
    const std::size_t leadLength = lead >= 100 ? 3 : lead >= 10 ? 2 : 1;
    const std::size_t length = leadLength + groups * (3 + separator.size());
    char *const start = out.extend(length);
    if (start == nullptr) {
        // Longer than the cell (separators of many bytes): as much as fits.
        char text[20];
        const std::string_view digits(
            text, static_cast<std::size_t>(std::to_chars(text, text + sizeof text, n).ptr - text));
        for (std::size_t i = 0; i < digits.size(); ++i) {
            out.append(digits[i]);
            const std::size_t left = digits.size() - i - 1;
            if (left != 0 && left % 3 == 0) {
                out.append(separator);
            }
        }
        return;
    }
    char *p = start + length;
    for (std::size_t g = 0; g < groups; ++g) {
        const std::uint64_t rest = n / 1000;
        const auto group = static_cast<std::size_t>(n - rest * 1000);
        p -= 3;
        std::memcpy(p, &kGroupDigits[group * 4], 3);
        p -= separator.size();
        copyBytes(p, separator.data(), separator.size());
        n = rest;
    }
    copyBytes(start, &kGroupDigits[static_cast<std::size_t>(lead) * 4 + 3 - leadLength],
              leadLength);
}

// The same; a number below 1000 (most cells) without a call.
inline void appendDigits(std::uint64_t n, std::string_view separator, CellText &out) noexcept {
    if (n >= 1000) {
        appendGroupedDigits(n, separator, out);
        return;
    }
    const std::size_t length = n >= 100 ? 3 : n >= 10 ? 2 : 1;
    if (char *start = out.extend(length)) {
        copyBytes(start, &kGroupDigits[static_cast<std::size_t>(n) * 4 + 3 - length], length);
    }
}

std::string toString(const CellText &text) {
    return std::string(text.view());
}

}  // namespace

void formatWholeTo(Currency value, const NumberLocale &locale, CellText &out) noexcept {
    out.clear();
    const std::uint64_t whole = roundedMagnitude(value, Currency::kUnitsPerWhole);
    if (whole == 0) {
        return;
    }
    if (value.units() < 0) {
        out.append('-');
    }
    appendDigits(whole, locale.groupSeparator, out);
}

void formatDollarsTo(Currency value, const NumberLocale &locale, CellText &out) noexcept {
    out.clear();
    const std::uint64_t whole = roundedMagnitude(value, Currency::kUnitsPerWhole);
    if (whole != 0 && value.units() < 0) {
        out.append('-');
    }
    out.append('$');
    if (whole != 0) {
        appendDigits(whole, locale.groupSeparator, out);
    }
}

void formatTwoDecimalsTo(Currency value, const NumberLocale &locale, CellText &out) noexcept {
    out.clear();
    const std::uint64_t hundredths = roundedMagnitude(value, Currency::kUnitsPerWhole / 100);
    if (hundredths != 0 && value.units() < 0) {
        out.append('-');
    }
    appendDigits(hundredths / 100, {}, out);
    out.append(locale.decimalSeparator);
    out.append(static_cast<char>('0' + hundredths / 10 % 10));
    out.append(static_cast<char>('0' + hundredths % 10));
}

std::string formatWhole(Currency value, const NumberLocale &locale) {
    CellText text;
    formatWholeTo(value, locale, text);
    return toString(text);
}

std::string formatDollars(Currency value, const NumberLocale &locale) {
    CellText text;
    formatDollarsTo(value, locale, text);
    return toString(text);
}

std::string formatTwoDecimals(Currency value, const NumberLocale &locale) {
    CellText text;
    formatTwoDecimalsTo(value, locale, text);
    return toString(text);
}

std::string exactDecimal(Currency value) {
    const std::uint64_t m = magnitude(value.units());
    const auto perWhole = static_cast<std::uint64_t>(Currency::kUnitsPerWhole);
    CellText text;
    if (value.units() < 0) {
        text.append('-');
    }
    appendDigits(m / perWhole, {}, text);
    std::uint64_t fraction = m % perWhole;
    if (fraction != 0) {
        text.append('.');
        for (std::uint64_t digit = perWhole / 10; fraction != 0; digit /= 10) {
            text.append(static_cast<char>('0' + fraction / digit));
            fraction %= digit;
        }
    }
    return toString(text);
}

std::string shortestDecimal(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (value == 0.0) {
        return "0";
    }
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string fixedDecimal(double value, int decimals) {
    if (!std::isfinite(value)) {
        return shortestDecimal(value);
    }
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    std::string text(buffer.data(), result.ptr);
    if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(0, 1);  // -0.00 is 0.00
    }
    return text;
}

std::string formatCount(std::int64_t value, const NumberLocale &locale) {
    CellText text;
    if (value < 0) {
        text.append('-');
    }
    appendDigits(magnitude(value), locale.groupSeparator, text);
    return toString(text);
}

}  // namespace nv
