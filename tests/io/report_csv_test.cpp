// The csv views: one record per value in the long view, flattened shapes,
// and the wide view of a Records item.
#include "io/report_csv.h"

#include <gtest/gtest.h>

#include <string>

#include "sample_report.h"

namespace nv::io {
namespace {

TEST(ReportCsv, OneRecordPerValue) {
    EXPECT_EQ(reportCsv(testing::sampleReport()),
              "section,rule,item,value,label\r\n"
              ",,days,30,Days\r\n"
              "inputs,,price,4.6,Price ($)\r\n"
              "inputs,,share,0.25,\"Share, of days\"\r\n"
              "rules,a,name,Rule A,Rule A: Rule\r\n"
              "rules,a,profit,1234.5,Rule A: Profit ($)\r\n"
              "rules,a,range_low,-1.5,Rule A: Range ($) (low end)\r\n"
              "rules,a,range_high,2,Rule A: Range ($) (high end)\r\n"
              "rules,b,name,Rule B,Rule B: Rule\r\n"
              "rules,b,profit,,Rule B: Profit ($)\r\n"
              "rules,b,range,,Rule B: Range ($)\r\n"
              "shapes,,counts.1,1,Counts (1)\r\n"
              "shapes,,counts.2,2,Counts (2)\r\n"
              "shapes,,grid.1.1,0.5,\"Grid (row 1, column 1)\"\r\n"
              "shapes,,grid.1.2,1,\"Grid (row 1, column 2)\"\r\n"
              "shapes,,grid.2.1,,\"Grid (row 2, column 1)\"\r\n"
              "shapes,,grid.2.2,2.5,\"Grid (row 2, column 2)\"\r\n"
              "shapes,,points.1.order,40,Points (row 1): Order (units)\r\n"
              "shapes,,points.1.profit,12.25,Points (row 1): Profit ($)\r\n"
              "shapes,,points.2.order,50,Points (row 2): Order (units)\r\n"
              "shapes,,points.2.profit_low,1,Points (row 2): Profit ($) (low end)\r\n"
              "shapes,,points.2.profit_high,3.5,Points (row 2): Profit ($) (high end)\r\n");
}

TEST(ReportCsv, WideViewOfRecordsSplitsAnIntervalColumn) {
    const Report report = testing::sampleReport();
    EXPECT_EQ(recordsCsv(*report.find("shapes", "", "points")),
              "order,profit_low,profit_high\r\n"
              "40,12.25,12.25\r\n"  // not an interval in this row: the value at both ends
              "50,1,3.5\r\n");
}

}  // namespace
}  // namespace nv::io
