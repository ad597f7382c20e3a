// Conversions between texts and numbers. None of them looks at the C locale
// or the user's locale: "." is the only decimal point, and only the ASCII
// digits 0-9 are digits. Texts are UTF-8 (bytes outside ASCII are simply
// characters that are not part of a number).
//
// Leading number (the frequency boxes):
//   1. Spaces, tabs and line feeds are skipped wherever they occur.
//   2. From the start: an optional sign ('+' or '-'), digits, optionally a
//      point followed by digits, optionally an exponent: 'E' or 'e', an
//      optional sign and digits.
//   3. Reading stops at the first character that does not fit. The number
//      read up to there is the result (correctly rounded to double; a
//      magnitude too large for a double gives +/-infinity, one too small
//      gives zero). An exponent letter with no digit after it is not read.
//   4. No digit before the stop gives 0. It never fails.
//       ""  -> 0      "."    -> 0      ".5"   -> 0.5     "5."  -> 5
//       "007" -> 7    "0.25abc" -> 0.25  "1,5" -> 1      "0.5.5" -> 0.5
//       " - 1 2" -> -12   "1e3" -> 1000   "&H10" -> 0   "1e309" -> inf
//
// Whole-text conversions (the list fields): the whole text must be a number:
//   [blanks] [+|-] (digits [. [digits]] | . digits) [(E|e) [+|-] digits] [blanks]
// where blanks are spaces and tabs. Anything else ("", "abc", "1,5", "0x10",
// "nan", "inf", "--5", unicode digits) is ConversionError::NotANumber; a
// number whose value the target cannot hold is ConversionError::OutOfRange.
//       parseCurrency("4.30") -> 4.3000       parseCurrency("0.00005") -> 0.0000
//       parseInt16("2.5") -> 2   parseInt16("3.5") -> 4   parseInt16("32768") -> OutOfRange
#pragma once

#include <cstdint>
#include <string_view>

#include "support/currency.h"
#include "support/result.h"

namespace nv {

enum class ConversionError { NotANumber, OutOfRange };

// The leading number of a text; never fails (rules above).
[[nodiscard]] double leadingNumber(std::string_view text) noexcept;

// The whole text as a double. OutOfRange when the magnitude exceeds the
// largest double (a value that underflows reads as 0).
[[nodiscard]] Result<double, ConversionError> parseDouble(std::string_view text) noexcept;

// The whole text rounded to four decimals (half to even on the exact decimal
// value, not on a double approximation). OutOfRange outside Currency's range.
[[nodiscard]] Result<Currency, ConversionError> parseCurrency(std::string_view text) noexcept;

// The whole text read as a double, then rounded to the nearest whole number,
// an exact half to the even neighbour; OutOfRange outside -32,768..32,767.
[[nodiscard]] Result<std::int16_t, ConversionError> parseInt16(std::string_view text) noexcept;

// Nearest whole number, an exact half to the even neighbour; OutOfRange for
// NaN and outside -2,147,483,648..2,147,483,647.
[[nodiscard]] Result<std::int32_t, ConversionError> roundToInt32(double value) noexcept;

// Whether the text contains a "." anywhere.
[[nodiscard]] constexpr bool containsPoint(std::string_view text) noexcept {
    return text.find('.') != std::string_view::npos;
}

}  // namespace nv
