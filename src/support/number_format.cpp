#include "support/number_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "support/wide_int.h"

namespace nv {

bool CellText::append(std::string_view text) noexcept {
    const std::size_t room = kCapacity - m_size;
    const std::size_t taken = text.size() < room ? text.size() : room;
    for (std::size_t i = 0; i < taken; ++i) {
        m_data[m_size + i] = text[i];
    }
    m_size += taken;
    return taken == text.size();
}

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

// Appends the decimal digits of n, grouped in threes from the right when a
// separator is given.
void appendDigits(std::uint64_t n, std::string_view separator, CellText &out) noexcept {
    char reversed[20];
    std::size_t count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    for (std::size_t i = count; i > 0; --i) {
        out.append(reversed[i - 1]);
        const std::size_t remaining = i - 1;
        if (!separator.empty() && remaining != 0 && remaining % 3 == 0) {
            out.append(separator);
        }
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
