#include "ui/parameters/frequency_entry.h"

namespace nv::ui {

std::optional<Currency> frequencyTotal(
    const std::array<std::string, kDemandClasses> &boxTexts) noexcept {
    double sum = 0.0;
    for (const std::string &text : boxTexts) {
        sum += leadingNumber(text);
    }
    return Currency::fromDouble(sum);
}

std::string totalCaption(std::optional<Currency> total, const NumberLocale &locale) {
    if (!total) {
        return std::string(kTotalOutOfRange);
    }
    return formatTwoDecimals(*total, locale);
}

}  // namespace nv::ui
