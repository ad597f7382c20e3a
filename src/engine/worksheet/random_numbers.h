// The teacher's random numbers: a text file with one k-digit number a line
// (k from the interval table, 2 or 4), the numbers of day 1, 2, ... in order.
//
// Rules:
//   - Every line holds exactly k ASCII digits ("07" for k = 2): no sign,
//     point or other character; blanks (spaces, tabs) before and after them
//     are ignored. A UTF-8 byte-order mark before the first line is skipped.
//   - Lines end with LF or CRLF; the last needs no line end, and empty and
//     blank lines after the last number are ignored. An empty line before a number is
//     refused like any other line that is not a number.
//   - Every line is checked, also those after the sheet's days; the first
//     `days` numbers are the sheet's.
//   - Line numbers in messages count from 1; a message ends with the line as
//     written, without the blanks around it, cut after 40 bytes, a tab shown
//     as "[tab]" and other control characters as '?'. A line of nothing but
//     blanks is told by its blanks ("1 tab").
//
//     auto numbers = nv::readRandomNumbers("07\r\n70\r\n", 2, 2);   // {7, 70}
//     nv::randomNumbersMessage(nv::readRandomNumbers("07\n7\n", 2, 2).error());
//     // "Line 2 of the random numbers is not a 2-digit number: 7"
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/result.h"

namespace nv {

struct RandomNumbersError {
    enum class Kind {
        NotANumber,  // line `line` is not a k-digit number
        TooFew,      // fewer numbers than days
    };
    Kind kind = Kind::NotANumber;
    std::size_t line = 0;     // NotANumber: 1-based
    std::string text;         // NotANumber: the line as written, without its line end
    std::size_t numbers = 0;  // TooFew: how many the file has
    std::int32_t days = 0;
    int digits = 2;

    friend bool operator==(const RandomNumbersError &, const RandomNumbersError &) = default;
};

// The numbers of a file (rules above), checked against the sheet's digits
// and days.
[[nodiscard]] Result<std::vector<std::uint32_t>, RandomNumbersError> readRandomNumbers(
    std::string_view text, int digits, std::int32_t days);

// "Line 3 of the random numbers is not a 2-digit number: 7"
// "Line 3 of the random numbers is empty; it should hold a 2-digit number"
// "Line 3 of the random numbers holds only blanks (1 tab); it should hold a 2-digit number"
// "The random numbers file has 10 numbers but the worksheet has 20 days"
[[nodiscard]] std::string randomNumbersMessage(const RandomNumbersError &error);

}  // namespace nv
