// The digit-group and decimal separators of the user's locale, from the C
// library: setlocale(LC_NUMERIC, "") (so LC_ALL, then LC_NUMERIC, then LANG
// apply) and localeconv(). The process's numeric locale is put back to "C"
// afterwards, so nothing else (reading numbers, printf) depends on it.
//
// A locale without a group separator (the C and POSIX locales, C.UTF-8)
// groups with ","; one without a decimal point uses ".". The separators are
// the locale's bytes (UTF-8 in a UTF-8 locale: U+202F in fr_FR.UTF-8).
//
//     nv::NumberLocale locale = nv::runner::userNumberLocale();
//     nv::runner::numberLocaleOf("", "")     -> {",", "."}
//     nv::runner::numberLocaleOf(".", ",")   -> {".", ","}
#pragma once

#include <string_view>

#include "support/number_format.h"

namespace nv::runner {

[[nodiscard]] NumberLocale userNumberLocale();

// The rule above for a locale's thousands_sep and decimal_point.
[[nodiscard]] NumberLocale numberLocaleOf(std::string_view thousandsSeparator,
                                          std::string_view decimalPoint);

}  // namespace nv::runner
