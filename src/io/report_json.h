// A report as one JSON document: what scripts read.
//
// {"format_version": N, then the sections in order}. A section with an empty
// key puts its items at the top level; a keyed section is an object. In a
// section, a group with an empty key puts its items directly in the section's
// object, a keyed group is an object of its own. An item is its key and its
// value:
//   Scalar   the value: null when Absent, true/false, a number, a string; an
//            Interval is {"low": x, "high": y}
//   List     an array of values
//   Matrix   an array of arrays
//   Records  an array of objects keyed by the column keys
//
// Numbers never depend on the locale and never lose a digit:
//   - a Currency amount or an exact decimal (an exact expectation) is its
//     exact decimal (123456789012345.6789 stays that, although no double
//     holds it), a whole one an integer ("50");
//   - a double that is a whole number within +-2^53 is an integer ("50", not
//     "50.0"); any other double the text that reads back to the same double.
// Texts are UTF-8; a byte that is not part of well-formed UTF-8 becomes
// U+FFFD. The document is pretty-printed with two spaces and ends with a
// newline.
//
//     std::string json = nv::io::reportJson(nv::comparisonReport(...), 1);
#pragma once

#include <string>

#include "engine/analysis/report.h"

namespace nv::io {

[[nodiscard]] std::string reportJson(const Report &report, int formatVersion);

}  // namespace nv::io
