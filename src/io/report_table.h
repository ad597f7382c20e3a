// A report as text for a person to read in a terminal (newsvendor-run's
// --format table).
//
//   TITLE
//
//   SECTION TITLE
//     Label of an item           value
//     Label of another item      value
//
//   SECTION TITLE (a section with keyed groups)
//                                GROUP TITLE  GROUP TITLE
//     Label of an item                 value        value
//
// Items directly in a section (or in its unkeyed groups) are "label  value"
// lines, labels padded to the widest. A section's keyed groups are one table:
// a column per group headed by its title, a row per item key (in the order
// the groups first name them) headed by its label; the text item "name" is
// left out, the group titles say it. A Records item is a table of its own
// under its label (a column per report column; the label is left out when
// it repeats the section's title), a List its values in one line (a List of
// texts, such as sentences, one a line under its label), a Matrix its rows
// aligned under its label. Every value is written
// by nv::reportText in the given style; a value that does not exist is the
// style's `absent` text, a group without the item leaves its cell blank.
// Columns are aligned by UTF-8 code points, labels to the left and values
// to the right; lines end with LF and carry no trailing blanks.
//
//     std::string text = nv::io::reportTable(report, nv::ReportTextStyle{});
#pragma once

#include <string>

#include "engine/analysis/report.h"
#include "engine/analysis/report_text.h"

namespace nv::io {

[[nodiscard]] std::string reportTable(const Report &report, const ReportTextStyle &style);

}  // namespace nv::io
