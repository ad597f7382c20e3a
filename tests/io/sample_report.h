// A small report with every part the views must handle: items of the top
// level, a section of direct items, keyed groups with an interval, a value
// that does not exist and a text, and the three shapes that are not a
// single value.
#pragma once

#include <cstdint>

#include "engine/analysis/report.h"

namespace nv::io::testing {

inline Report sampleReport() {
    Report report{"Sample report", {}};
    report.addSection("", "").addGroup("", "").add("days", "Days", ReportKind::Count,
                                                   std::int64_t{30});
    ReportGroup &inputs = report.addSection("inputs", "Inputs").addGroup("", "");
    inputs.add("price", "Price ($)", ReportKind::Money, Currency::fromUnits(46'000));
    inputs.add("share", "Share, of days", ReportKind::Share, 0.25);

    ReportSection &rules = report.addSection("rules", "Rules");
    ReportGroup &a = rules.addGroup("a", "Rule A");
    a.add("name", "Rule", ReportKind::Text, std::string("Rule A"));
    a.add("profit", "Profit ($)", ReportKind::Money, 1234.5);
    a.add("range", "Range ($)", ReportKind::Money, Interval{-1.5, 2.0});
    ReportGroup &b = rules.addGroup("b", "Rule B");
    b.add("name", "Rule", ReportKind::Text, std::string("Rule B"));
    b.add("profit", "Profit ($)", ReportKind::Money, Absent{});
    b.add("range", "Range ($)", ReportKind::Money, Absent{});

    ReportGroup &shapes = report.addSection("shapes", "Shapes").addGroup("", "");
    shapes.addList("counts", "Counts", ReportKind::Count, {std::int64_t{1}, std::int64_t{2}});
    shapes.addMatrix("grid", "Grid", ReportKind::Units, {{0.5, 1.0}, {Absent{}, 2.5}});
    shapes.addRecords("points", "Points",
                      {{"order", "Order (units)", ReportKind::Units},
                       {"profit", "Profit ($)", ReportKind::Money}},
                      {{Currency::fromUnits(400'000), 12.25},
                       {Currency::fromUnits(500'000), Interval{1.0, 3.5}}});
    return report;
}

}  // namespace nv::io::testing
