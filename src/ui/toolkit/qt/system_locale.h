// The digit-group and decimal separators of the user's locale, from
// QLocale::system(), so LANG, LC_ALL and LC_NUMERIC apply; the C locale gives
// "," and ".".
#pragma once

#include "support/number_format.h"

namespace nv::ui {

[[nodiscard]] NumberLocale systemNumberLocale();

}  // namespace nv::ui
