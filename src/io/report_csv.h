// A report as comma-separated values (RFC 4180 through support/csv.h: UTF-8,
// CRLF line ends, fields quoted only when they must be).
//
// reportCsv, the long view: the header section,rule,item,value,label, then
// one record per value, in the report's order.
//   section  the section's key (empty for items of the top level)
//   rule     the group's key (empty for items directly in the section)
//   item     the item's key
//   value    the value as json writes it, without quotes: an exact amount
//            exactly, a double in its shortest form, true/false, a text as it
//            is; empty when the value does not exist
//   label    the item's label; in a keyed group "<group title>: <label>"
// An Interval gives two records, ITEM_low and ITEM_high, their labels ending
// in " (low end)" and " (high end)". The values of a List, Matrix or Records
// item are flattened, one record each, section and rule as for a value:
//   List     item KEY.N            label "LABEL (N)"            N from 1
//   Matrix   item KEY.R.C          label "LABEL (row R, column C)"
//   Records  item KEY.R.COLUMN     label "LABEL (row R): COLUMN LABEL"
// (an interval among them again as ..._low and ..._high).
//
// recordsCsv, the wide view of one Records item (for an analysis whose
// output is one table): a header of the column keys, then one record per
// row. A column that holds an interval in any row is two columns,
// KEY_low and KEY_high; a single value in such a column is written at both
// ends.
//
//     std::string csv = nv::io::reportCsv(report);
//     std::string table = nv::io::recordsCsv(*report.find("sweep", "", "points"));
#pragma once

#include <string>

#include "engine/analysis/report.h"

namespace nv::io {

[[nodiscard]] std::string reportCsv(const Report &report);

// Precondition: item.shape == ReportShape::Records.
[[nodiscard]] std::string recordsCsv(const ReportItem &item);

}  // namespace nv::io
