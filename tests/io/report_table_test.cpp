// The text table: direct items as label and value, keyed groups side by
// side, the shapes under their labels, columns aligned by code points.
#include "io/report_table.h"

#include <gtest/gtest.h>

#include <string>

#include "sample_report.h"

namespace nv::io {
namespace {

TEST(ReportTable, LaysOutEveryPartOfTheReport) {
    EXPECT_EQ(reportTable(testing::sampleReport(), ReportTextStyle{}),
              "Sample report\n"
              "\n"
              "  Days  30\n"
              "\n"
              "Inputs\n"
              "  Price ($)        4.60\n"
              "  Share, of days  25.0%\n"
              "\n"
              "Rules\n"
              "                     Rule A  Rule B\n"
              "  Profit ($)        1234.50       -\n"
              "  Range ($)   -1.50 to 2.00       -\n"
              "\n"
              "Shapes\n"
              "  Counts  1  2\n"
              "  Grid\n"
              "    0.50  1.00\n"
              "       -  2.50\n"
              "  Points\n"
              "    Order (units)    Profit ($)\n"
              "               40         12.25\n"
              "               50  1.00 to 3.50\n");
}

TEST(ReportTable, AlignsByCodePointsAndLeavesAMissingItemBlank) {
    Report report{"T", {}};
    ReportSection &section = report.addSection("s", "S");
    // A group separator of three bytes is one column.
    ReportTextStyle style;
    style.groupDigits = true;
    style.locale.groupSeparator = "\xE2\x80\xAF";
    section.addGroup("a", "A").add("x", "X", ReportKind::Count, std::int64_t{1234});
    section.addGroup("b", "B").add("y", "Y", ReportKind::Count, std::int64_t{5});
    EXPECT_EQ(reportTable(report, style),
              "T\n"
              "\n"
              "S\n"
              "         A  B\n"
              "  X  1\xE2\x80\xAF"
              "234\n"
              "  Y         5\n");
}

}  // namespace
}  // namespace nv::io
