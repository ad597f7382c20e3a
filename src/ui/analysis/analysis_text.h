// How the comparison window writes its numbers, in the user's locale
// (QLocale::system(): digit groups and decimal separator), always with digit
// groups, also under the C locale.
//
//     moneyText(-1234.5)            // "-$1,234.50"
//     moneyText(1234.5, 0)          // "$1,235"
//     unitsText(48.25)              // "48.25"
//     shareText(0.9234)             // "92.3%"
//     intervalText({1.0, 2.0})      // "$1.00 to $2.00"
//     intervalText({1.0, 2.6}, locale, 0)   // "$1 to $3"
//     countText(1000000)            // "1,000,000"
#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>

#include "engine/analysis/statistics.h"

namespace nv::ui {

// QLocale::system() with digit groups on.
[[nodiscard]] QLocale displayLocale();

// A sign only for amounts that do not round to zero.
[[nodiscard]] QString moneyText(double amount, int decimals = 2,
                                const QLocale &locale = displayLocale());
[[nodiscard]] QString unitsText(double units, const QLocale &locale = displayLocale());
// A share (0.25) as a percentage with one decimal ("25.0%").
[[nodiscard]] QString shareText(double share, const QLocale &locale = displayLocale());
[[nodiscard]] QString intervalText(const Interval &interval,
                                   const QLocale &locale = displayLocale(), int decimals = 2);
[[nodiscard]] QString countText(std::int64_t count, const QLocale &locale = displayLocale());

}  // namespace nv::ui
