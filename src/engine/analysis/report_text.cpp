// Writing report values for a person.
#include "engine/analysis/report_text.h"

#include <cmath>
#include <cstddef>
#include <type_traits>

namespace nv {

namespace {

// Puts the style's separators into a plain decimal ("-1234.50"): the point
// becomes the decimal separator and, with groupDigits, the whole part gets
// its groups.
std::string localize(const std::string &plain, const ReportTextStyle &style) {
    const std::size_t sign = plain.starts_with('-') ? 1 : 0;
    const std::size_t point = plain.find('.');
    const std::size_t wholeEnd = point == std::string::npos ? plain.size() : point;
    std::string text = plain.substr(0, sign);
    for (std::size_t i = sign; i < wholeEnd; ++i) {
        text += plain[i];
        const std::size_t left = wholeEnd - i - 1;
        if (style.groupDigits && left > 0 && left % 3 == 0) {
            text += style.locale.groupSeparator;
        }
    }
    if (point != std::string::npos) {
        text += style.locale.decimalSeparator;
        text += plain.substr(point + 1);
    }
    return text;
}

// A Currency with at least `decimals` decimals, more when it has them.
std::string amountDigits(Currency value, int decimals) {
    std::string text = exactDecimal(value);
    std::size_t point = text.find('.');
    if (point == std::string::npos) {
        if (decimals == 0) {
            return text;
        }
        point = text.size();
        text += '.';
    }
    const std::size_t have = text.size() - point - 1;
    if (have < static_cast<std::size_t>(decimals)) {
        text.append(static_cast<std::size_t>(decimals) - have, '0');
    }
    return text;
}

std::string money(std::string plain, const ReportTextStyle &style) {
    const bool negative = plain.starts_with('-');
    if (negative) {
        plain.erase(0, 1);
    }
    std::string text = negative ? "-" : "";
    if (style.dollarSign) {
        text += '$';
    }
    return text + localize(plain, style);
}

std::string number(double value, ReportKind kind, const ReportTextStyle &style) {
    switch (kind) {
        case ReportKind::Money:
            return money(fixedDecimal(value, style.moneyDecimals), style);
        case ReportKind::Units:
            return localize(fixedDecimal(value, 2), style);
        case ReportKind::Count:
            return localize(fixedDecimal(value, 0), style);
        case ReportKind::Share:
            return localize(fixedDecimal(value * 100.0, 1), style) + "%";
        case ReportKind::Ratio:
            return localize(fixedDecimal(value, 4), style);
        case ReportKind::Text:
        case ReportKind::Flag:
            break;
    }
    return localize(shortestDecimal(value), style);
}

// An exact decimal as number() writes a double, rounded from the exact value.
std::string number(const ExactDecimal &value, ReportKind kind, const ReportTextStyle &style) {
    switch (kind) {
        case ReportKind::Money:
            return money(value.fixedText(style.moneyDecimals), style);
        case ReportKind::Units:
            return localize(value.fixedText(2), style);
        case ReportKind::Count:
            return localize(value.fixedText(0), style);
        case ReportKind::Share:
            return localize((value * ExactDecimal::whole(100)).fixedText(1), style) + "%";
        case ReportKind::Ratio:
            return localize(value.fixedText(4), style);
        case ReportKind::Text:
        case ReportKind::Flag:
            break;
    }
    return localize(value.text(), style);
}

std::string amount(Currency value, ReportKind kind, const ReportTextStyle &style) {
    switch (kind) {
        case ReportKind::Money:
            return money(amountDigits(value, style.moneyDecimals), style);
        case ReportKind::Share:
            return number(value.toDouble(), kind, style);
        case ReportKind::Units:
        case ReportKind::Count:
        case ReportKind::Ratio:
        case ReportKind::Text:
        case ReportKind::Flag:
            break;
    }
    return localize(exactDecimal(value), style);
}

}  // namespace

std::string reportText(const ReportScalar &value, ReportKind kind, const ReportTextStyle &style) {
    return std::visit(
        [&](const auto &v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, Absent>) {
                return style.absent;
            } else if constexpr (std::is_same_v<T, bool>) {
                return v ? "yes" : "no";
            } else if constexpr (std::is_same_v<T, std::string>) {
                return v;
            } else if constexpr (std::is_same_v<T, Currency>) {
                return amount(v, kind, style);
            } else if constexpr (std::is_same_v<T, double> || std::is_same_v<T, ExactDecimal>) {
                return number(v, kind, style);
            } else if constexpr (std::is_same_v<T, Interval>) {
                return number(v.low, kind, style) + " to " + number(v.high, kind, style);
            } else {
                return localize(std::to_string(v), style);
            }
        },
        value);
}

std::string reportPlainText(const ReportScalar &value) {
    return std::visit(
        [](const auto &v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, Absent> || std::is_same_v<T, Interval>) {
                return {};
            } else if constexpr (std::is_same_v<T, bool>) {
                return v ? "true" : "false";
            } else if constexpr (std::is_same_v<T, std::string>) {
                return v;
            } else if constexpr (std::is_same_v<T, Currency>) {
                return exactDecimal(v);
            } else if constexpr (std::is_same_v<T, ExactDecimal>) {
                return v.text();
            } else if constexpr (std::is_same_v<T, double>) {
                return shortestDecimal(v);
            } else {
                return std::to_string(v);
            }
        },
        value);
}

}  // namespace nv
