// A report value as text for a person: the runner's table and the windows'
// tables write every figure through here, so they agree to the digit.
//
// By kind (ReportKind):
//   Money  two decimals; an exact amount with more decimals keeps them all
//          ("4.6025"); a sign only when the rounded amount is not zero;
//          with dollarSign "-$1,234.50"
//   Units  an exact amount as its exact decimal ("48.5", "50"); a double with
//          two decimals
// An ExactDecimal is written as a double of its kind is, rounded from the
// exact value (half to even) rather than from a binary approximation.
//   Count  a whole number
//   Share  a percentage with one decimal ("92.0%")
//   Ratio  an exact amount as its exact decimal ("0.1"); a double with four
//          decimals ("0.5217")
//   Text   as it is;  Flag  "yes" or "no"
// An interval is "LOW to HIGH", each end written as its kind says; a value
// that does not exist is the style's `absent` text. Digit groups only with
// groupDigits; the separators come from the style's NumberLocale.
//
//     nv::ReportTextStyle plain;                                 // the runner's table
//     nv::reportText(nv::ReportScalar{1234.5}, nv::ReportKind::Money, plain);   // "1234.50"
//     nv::ReportTextStyle window{locale, true, true, "\u2014"};
//     nv::reportText(nv::ReportScalar{1234.5}, nv::ReportKind::Money, window);  // "$1,234.50"
#pragma once

#include <string>

#include "engine/analysis/report.h"
#include "support/number_format.h"

namespace nv {

struct ReportTextStyle {
    NumberLocale locale;
    bool groupDigits = false;
    bool dollarSign = false;
    std::string absent = "-";
    // Decimals of a Money double (0 for a narrow column of whole dollars).
    int moneyDecimals = 2;
};

[[nodiscard]] std::string reportText(const ReportScalar &value, ReportKind kind,
                                     const ReportTextStyle &style);

// The value as csv and json write it: an exact amount or an exact decimal as
// its exact decimal, a double in its shortest form, whole numbers,
// "true"/"false", a text as it is; empty for Absent. An interval has no one
// text: it gives "".
[[nodiscard]] std::string reportPlainText(const ReportScalar &value);

}  // namespace nv
