// Checking a student's filled worksheet against the answer key.
//
// The student hands in a CSV file (a spreadsheet's export) with the header
//     day,demand,order,sales,daily_profit,cumulative_profit
// and one row a day. Five cells a day are marked (the day itself only says
// which day a row is): demand, order, sales, daily profit, cumulative profit.
//
// Reading the file (support/csv.h: quoted fields, CRLF or LF, a byte-order
// mark): the fields are separated by commas, or by semicolons or tabs when
// the first line that holds more than blanks and separators has more of
// them than commas (a decimal-comma spreadsheet's export, cells copied from
// a spreadsheet). Records with nothing but blanks are skipped. The first other record
// is the header; its names are found in any order, letter case, blanks around
// them and a space or '-' for '_' not mattering ("Daily Profit"). A first
// record that names none of the six columns is taken as data, in the order
// above. A row is the day its day cell reads as (a whole number from 1 to the
// sheet's days); a later row of the same day, and a row of no day, are
// ignored. A missing row, a missing column and a row too short for a column
// give missing cells: wrong.
//
// A cell is read and marked as sheet_amount.h says, in the locale the key
// is shown in.
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
#include "engine/worksheet/sheet_amount.h"
#include "engine/worksheet/worksheet.h"
#include "support/currency.h"

namespace nv {

// The header of a student's file, in order.
inline constexpr std::string_view kSheetHeader =
    "day,demand,order,sales,daily_profit,cumulative_profit";

// "demand", "order", "sales", "daily_profit", "cumulative_profit".
[[nodiscard]] std::string_view sheetColumnKey(SheetColumn column) noexcept;
// "Demand (units)", ..., "Daily profit ($)", "Cumulative profit ($)".
[[nodiscard]] std::string_view sheetColumnLabel(SheetColumn column) noexcept;
// The key's value of a day in a column.
[[nodiscard]] Currency sheetAnswer(const DayResult &day, SheetColumn column) noexcept;

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

// Marks every cell of the student's file (header comment), its amounts read
// in `locale` (sheet_amount.h); never fails.
[[nodiscard]] SheetCheck checkSheet(const Worksheet &sheet, std::string_view csvText,
                                    const NumberLocale &locale = {});

}  // namespace nv
