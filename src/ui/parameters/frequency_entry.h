// The arithmetic of the five relative-frequency boxes, without the widgets.
//
// Key filter: a box takes only unsigned decimal numbers as they are typed.
// Digits (48..57) and Backspace (8) are always accepted; a point (46) only
// while the box's whole text, before the keystroke, has no point (the caret
// and any selection do not matter); every other code is refused.
//
// A box's value: the leading number of its text (support/text_conversion.h)
// turned into Currency by x 10,000 rounded half to even; nullopt when it does
// not fit the Currency range (the run's sum check then refuses).
//
// The total: the leading numbers of the five texts added in double in box
// order, then turned into Currency the same way, so it is rounded twice: to
// four decimals here and to two when shown.
//
//     acceptsFrequencyKey('.', "0.5")   // false: the text has a point already
//     frequencyTotal({"0.2", "0.2", "0.2", "0.2", "0.194999"})   // 0.9950
//     totalCaption(std::nullopt, {})    // "####"
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "engine/demand_distribution.h"
#include "support/currency.h"
#include "support/number_format.h"
#include "support/text_conversion.h"

namespace nv::ui {

inline constexpr short kBackspace = 8;
inline constexpr short kPoint = 46;

[[nodiscard]] constexpr bool acceptsFrequencyKey(short keyAscii,
                                                 std::string_view boxText) noexcept {
    if (keyAscii >= '0' && keyAscii <= '9') {
        return true;
    }
    if (keyAscii == kBackspace) {
        return true;
    }
    if (keyAscii == kPoint) {
        return !containsPoint(boxText);
    }
    return false;
}

// The running total of the five boxes (txt35 first); nullopt when it does not
// fit the Currency range (also when the double sum overflows or is NaN).
[[nodiscard]] std::optional<Currency> frequencyTotal(
    const std::array<std::string, kDemandClasses> &boxTexts) noexcept;

// The caption lblTotal shows when the total is not representable.
inline constexpr std::string_view kTotalOutOfRange = "####";

// lblTotal's caption: "0.00" with the locale's decimal separator, or
// kTotalOutOfRange.
[[nodiscard]] std::string totalCaption(std::optional<Currency> total, const NumberLocale &locale);

}  // namespace nv::ui
