// Reading one cell of a student's sheet as an amount, and whether it is the
// key's answer.
//
// Reading (readSheetAmount): blanks (spaces, tabs) anywhere are ignored, one
// "$" may stand before the digits, a minus or plus sign may stand before or
// after the "$", and an amount in parentheses is negative ("($12.50)"). The
// digits are read in the locale the key is shown in: its decimal separator,
// and digits before it either ungrouped or grouped by its group separator in
// threes ("$1,234.50"; "1.234,50" with a decimal comma). An amount the
// locale does not read is read as plain text is written, "," grouping and "."
// the point, so "120.00" is 120 under a decimal comma too, while "1.234"
// there is the locale's 1234. No exponent. It is read exactly: a value with
// more than four decimals that are not zero is not an amount the sheet can
// hold. Anything else is not a number: wrong, never an error.
//
// When a cell is right (isRightAnswer):
//   - demand, order, sales: exactly the key's units. An Average Annual Demand
//     order of 48.5 is right as "48.5" or "48.50", wrong as "49": the rule
//     orders the mean itself, and sales follow from it.
//   - daily and cumulative profit: exactly the key's dollars, and when the key
//     has more than two decimals also an amount in whole cents at most half a
//     cent from it (111.5550 is right as 111.555, 111.55 or 111.56). The key
//     is what the run computes; whole dollars may drop the cents ("$28").
//
//     nv::readSheetAmount("$1,234.50");                       // 1234.5
//     nv::readSheetAmount("1.234,50", {".", ","});            // 1234.5
//     nv::readSheetAmount("1,5");                             // nullopt
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "support/currency.h"
#include "support/number_format.h"

namespace nv {

enum class SheetColumn { Demand, Order, Sales, DailyProfit, CumulativeProfit };

inline constexpr std::array<SheetColumn, 5> kSheetColumns = {
    SheetColumn::Demand, SheetColumn::Order, SheetColumn::Sales, SheetColumn::DailyProfit,
    SheetColumn::CumulativeProfit};

// Whether the column holds dollars (the two profits) rather than units.
[[nodiscard]] constexpr bool isMoneyColumn(SheetColumn column) noexcept {
    return column == SheetColumn::DailyProfit || column == SheetColumn::CumulativeProfit;
}

// A cell's text as a number (header comment); nullopt when it is not one.
[[nodiscard]] std::optional<Currency> readSheetAmount(std::string_view cell,
                                                      const NumberLocale &locale = {});

// Whether a written amount is right for the key's value (header comment).
[[nodiscard]] bool isRightAnswer(SheetColumn column, Currency written, Currency answer) noexcept;

}  // namespace nv
