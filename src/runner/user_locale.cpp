#include "runner/user_locale.h"

#include <clocale>
#include <string>

namespace nv::runner {

NumberLocale numberLocaleOf(std::string_view thousandsSeparator, std::string_view decimalPoint) {
    NumberLocale locale;
    if (!thousandsSeparator.empty()) {
        locale.groupSeparator = std::string(thousandsSeparator);
    }
    if (!decimalPoint.empty()) {
        locale.decimalSeparator = std::string(decimalPoint);
    }
    return locale;
}

NumberLocale userNumberLocale() {
    if (std::setlocale(LC_NUMERIC, "") == nullptr) {
        return NumberLocale{};  // the locale asked for is not installed: C's
    }
    const std::lconv *conventions = std::localeconv();
    NumberLocale locale = numberLocaleOf(conventions->thousands_sep, conventions->decimal_point);
    std::setlocale(LC_NUMERIC, "C");
    return locale;
}

}  // namespace nv::runner
