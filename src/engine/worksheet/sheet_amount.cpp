// Reading a student's cell as an amount, and the rounding rule of the key.
#include "engine/worksheet/sheet_amount.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "support/text_conversion.h"

namespace nv {

namespace {

constexpr std::int64_t kHalfCent = Currency::kUnitsPerWhole / 200;
constexpr std::int64_t kCent = Currency::kUnitsPerWhole / 100;
constexpr std::size_t kMaxDecimals = 4;

constexpr bool isBlank(char c) noexcept {
    return c == ' ' || c == '\t';
}
constexpr bool isDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text) noexcept {
    for (const char c : text) {
        if (!isDigit(c)) {
            return false;
        }
    }
    return true;
}

// The digits of the whole part, without group separators; nullopt unless
// they are ungrouped or grouped in threes: "1,234,567".
std::optional<std::string> ungrouped(std::string_view whole, std::string_view group) {
    std::string digits;
    std::size_t parts = 0;
    while (true) {
        const std::size_t at = group.empty() ? std::string_view::npos : whole.find(group);
        const std::string_view part = whole.substr(0, at);
        const bool fits =
            parts == 0 ? (at == std::string_view::npos || (!part.empty() && part.size() <= 3))
                       : part.size() == 3;
        if (!fits || !allDigits(part)) {
            return std::nullopt;
        }
        digits += part;
        ++parts;
        if (at == std::string_view::npos) {
            return digits;
        }
        whole.remove_prefix(at + group.size());
    }
}

// The amount in one way of writing it: `group` between threes of digits,
// `decimal` before the decimals.
std::optional<Currency> readWritten(std::string_view text, std::string_view group,
                                    std::string_view decimal) {
    bool negative = false;
    if (text.size() >= 2 && text.front() == '(' && text.back() == ')') {
        negative = true;
        text = text.substr(1, text.size() - 2);
    }
    bool signSeen = false;
    bool dollarSeen = false;
    while (!text.empty() && !isDigit(text.front()) && !text.starts_with(decimal)) {
        const char c = text.front();
        if ((c == '-' || c == '+') && !signSeen && !negative) {
            signSeen = true;
            negative = c == '-';
        } else if (c == '$' && !dollarSeen) {
            dollarSeen = true;
        } else {
            return std::nullopt;
        }
        text.remove_prefix(1);
    }
    const std::size_t point = text.find(decimal);
    const std::string_view whole = text.substr(0, point);
    std::string_view decimals =
        point == std::string_view::npos ? std::string_view() : text.substr(point + decimal.size());
    const std::optional<std::string> digits = ungrouped(whole, group);
    if ((whole.empty() && decimals.empty()) || !digits || !allDigits(decimals)) {
        return std::nullopt;
    }
    while (!decimals.empty() && decimals.back() == '0') {
        decimals.remove_suffix(1);
    }
    if (decimals.size() > kMaxDecimals) {
        return std::nullopt;  // not an amount of four decimals
    }
    std::string plain = negative ? "-" : "";
    plain += digits->empty() ? std::string("0") : *digits;
    if (!decimals.empty()) {
        plain += '.';
        plain += decimals;
    }
    const Result<Currency, ConversionError> value = parseCurrency(plain);
    if (!value) {
        return std::nullopt;
    }
    return *value;
}

}  // namespace

std::optional<Currency> readSheetAmount(std::string_view cell, const NumberLocale &locale) {
    std::string compact;
    for (const char c : cell) {
        if (!isBlank(c)) {
            compact += c;
        }
    }
    const NumberLocale plain;
    const bool separatorsOk =
        !locale.decimalSeparator.empty() && locale.groupSeparator != locale.decimalSeparator;
    if (separatorsOk) {
        if (auto value = readWritten(compact, locale.groupSeparator, locale.decimalSeparator)) {
            return value;
        }
        if (locale.groupSeparator == plain.groupSeparator &&
            locale.decimalSeparator == plain.decimalSeparator) {
            return std::nullopt;
        }
    }
    return readWritten(compact, plain.groupSeparator, plain.decimalSeparator);
}

bool isRightAnswer(SheetColumn column, Currency written, Currency answer) noexcept {
    if (written == answer) {
        return true;
    }
    if (!isMoneyColumn(column) || written.units() % kCent != 0 || answer.units() % kCent == 0) {
        return false;
    }
    const std::optional<Currency> difference = checkedSubtract(written, answer);
    return difference && difference->units() <= kHalfCent && difference->units() >= -kHalfCent;
}

}  // namespace nv
