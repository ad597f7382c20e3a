// Checking a student's filled worksheet against the answer key.
//
// The student hands in a CSV file (a spreadsheet's export) with the header
//     day,demand,order,sales,daily_profit,cumulative_profit
// and one row a day. Five cells a day are marked (the day itself only says
// which day a row is): demand, order, sales, daily profit, cumulative profit.
//
// Reading the file (support/csv.h: quoted fields, CRLF or LF, a byte-order
// mark): records with nothing but blanks are skipped. The first other record
// is the header; its names are found in any order, letter case, blanks around
// them and a space or '-' for '_' not mattering ("Daily Profit"). A first
// record that names none of the six columns is taken as data, in the order
// above. A row is the day its day cell reads as (a whole number from 1 to the
// sheet's days); a later row of the same day, and a row of no day, are
// ignored. A missing row, a missing column and a row too short for a column
// give missing cells: wrong.
//
// Reading a cell (readSheetAmount): blanks (spaces, tabs) anywhere are
// ignored, one "$" may stand before the digits, digits may be grouped by
// commas in threes ("$1,234.50"), a minus or plus sign may stand before or
// after the "$", and an amount in parentheses is negative ("($12.50)"). Otherwise the text must be
// a plain decimal, digits with an optional point and decimals; no exponent. It is read exactly: a
// value with more than four decimals that are not zero is not an amount the sheet can hold.
// Anything else is not a number: wrong, never an error.
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
//     nv::SheetCheck check = nv::checkSheet(sheet, csvText);
//     check.right;  check.total;          // 97, 100
//     for (const nv::SheetCell &cell : check.cells) if (!cell.right) show(cell);
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/simulation.h"
#include "engine/worksheet/worksheet.h"
#include "support/currency.h"

namespace nv {

enum class SheetColumn { Demand, Order, Sales, DailyProfit, CumulativeProfit };

inline constexpr std::array<SheetColumn, 5> kSheetColumns = {
    SheetColumn::Demand, SheetColumn::Order, SheetColumn::Sales, SheetColumn::DailyProfit,
    SheetColumn::CumulativeProfit};

// The header of a student's file, in order.
inline constexpr std::string_view kSheetHeader =
    "day,demand,order,sales,daily_profit,cumulative_profit";

// "demand", "order", "sales", "daily_profit", "cumulative_profit".
[[nodiscard]] std::string_view sheetColumnKey(SheetColumn column) noexcept;
// "Demand (units)", ..., "Daily profit ($)", "Cumulative profit ($)".
[[nodiscard]] std::string_view sheetColumnLabel(SheetColumn column) noexcept;
// Whether the column holds dollars (the two profits) rather than units.
[[nodiscard]] constexpr bool isMoneyColumn(SheetColumn column) noexcept {
    return column == SheetColumn::DailyProfit || column == SheetColumn::CumulativeProfit;
}
// The key's value of a day in a column.
[[nodiscard]] Currency sheetAnswer(const DayResult &day, SheetColumn column) noexcept;

// A cell's text as a number (header comment); nullopt when it is not one.
//     "$1,234.50" -> 1234.5   "-$3.20" -> -3.2   "48.5" -> 48.5   "1,5" -> nullopt
[[nodiscard]] std::optional<Currency> readSheetAmount(std::string_view cell);

// Whether a written amount is right for the key's value (header comment).
[[nodiscard]] bool isRightAnswer(SheetColumn column, Currency written, Currency answer) noexcept;

// The longest text of a cell a check keeps; a longer one is cut and ends
// in "...".
inline constexpr std::size_t kMaxWrittenBytes = 64;

struct SheetCell {
    std::int32_t day = 0;
    SheetColumn column = SheetColumn::Demand;
    // What the student wrote, blanks around it removed; nullopt when the row
    // or the column is missing.
    std::optional<std::string> written;
    Currency answer;  // the right value
    bool right = false;

    friend bool operator==(const SheetCell &, const SheetCell &) = default;
};

struct SheetCheck {
    std::vector<SheetCell> cells;  // every cell, by day, then in column order
    std::int32_t right = 0;
    std::int32_t total = 0;  // 5 x the sheet's days
};

// Marks every cell of the student's file (header comment); never fails.
[[nodiscard]] SheetCheck checkSheet(const Worksheet &sheet, std::string_view csvText);

}  // namespace nv
