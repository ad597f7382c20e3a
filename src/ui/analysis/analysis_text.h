// How the comparison window writes the numbers of its texts (the status line,
// the inputs compared, the charts' axes): through reportText in the window's
// style, as its tables do, so a figure reads the same everywhere. The user's
// locale gives the separators; digit groups are always on.
//
//     moneyText(-1234.5)            // "-$1,234.50"
//     moneyText(1234.5, 0)          // "$1,235"
//     countText(1000000)            // "1,000,000"
#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>

#include "engine/analysis/exact_decimal.h"

namespace nv::ui {

// QLocale::system() with digit groups on, for the numbers a report has no
// kind for (seconds, a frequency with as many decimals as it needs).
[[nodiscard]] QLocale displayLocale();

// A sign only for amounts that do not round to zero.
[[nodiscard]] QString moneyText(double amount, int decimals = 2);
// An exact expectation, rounded from its exact value as the tables round it.
[[nodiscard]] QString moneyText(const ExactDecimal &amount, int decimals = 2);
[[nodiscard]] QString countText(std::int64_t count);

}  // namespace nv::ui
