// The worksheet's reports: items in their order, a blank sheet against its
// key, and the marking.
#include "engine/worksheet/worksheet_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "worksheet_test_support.h"

namespace nv {
namespace {

std::vector<std::string> keysOf(const ReportItem &records) {
    std::vector<std::string> keys;
    for (const ReportColumn &column : records.columns) {
        keys.push_back(column.key);
    }
    return keys;
}

using Row = std::vector<ReportScalar>;

class WorksheetReportTest : public ::testing::Test {
protected:
    // Classes 40 (00-49) and 60 (50-99); Yesterday's Demand, 4.60 and 2.20.
    void SetUp() override {
        const auto plan = test::planOf({0, 5000, 0, 5000, 0}, OrderPolicy::Yesterday, 3);
        ASSERT_TRUE(plan.ok());
        m_sheet = Worksheet::fromNumbers(*plan, std::vector<std::uint32_t>{7, 70, 50});
        ASSERT_TRUE(m_sheet.has_value());
    }
    std::optional<Worksheet> m_sheet;
};

TEST_F(WorksheetReportTest, ABlankSheetLeavesOutWhatTheKeyComputes) {
    const Report blank = worksheetReport(*m_sheet, false);
    const Report key = worksheetReport(*m_sheet, true);
    EXPECT_EQ(blank.sections[0].key, "inputs");
    EXPECT_FALSE(blank.find("inputs", "", "seed")->exists());
    EXPECT_EQ(blank.find("", "", "digits")->value, ReportScalar{std::int64_t{2}});

    const ReportItem *intervals = blank.find("", "", "intervals");
    EXPECT_EQ(keysOf(*intervals),
              (std::vector<std::string>{"demand", "frequency", "cumulative", "first", "last"}));
    EXPECT_EQ(intervals->rows[0],
              (Row{Currency::fromCount(30), Currency{}, Currency{}, Absent{}, Absent{}}));
    EXPECT_EQ(intervals->rows[3][3], ReportScalar{"50"});

    const ReportItem *keyDays = key.find("", "", "days");
    EXPECT_EQ(keysOf(*keyDays),
              (std::vector<std::string>{"day", "random_number", "demand", "order", "sales",
                                        "daily_profit", "cumulative_profit"}));
    // Day 1: "07" is demand 40; 50 ordered, 40 sold: 184 - 110 = 74.
    const Currency c40 = Currency::fromCount(40);
    EXPECT_EQ(keyDays->rows[0], (Row{std::int64_t{1}, "07", c40, Currency::fromCount(50), c40,
                                     Currency::fromCount(74), Currency::fromCount(74)}));
    EXPECT_EQ(blank.find("", "", "days")->rows[0],
              (Row{std::int64_t{1}, "07", Absent{}, Absent{}, Absent{}, Absent{}, Absent{}}));
}

TEST_F(WorksheetReportTest, TheMarkingListsTheWrongCellsAndTheScore) {
    const std::string csv =
        "day,demand,order,sales,daily_profit,cumulative_profit\n"
        "1,40,50,40,74,74\n"
        "2,70,40,40,96,\"$1,234.50\"\n";
    const Report marks = checkReport(*m_sheet, checkSheet(*m_sheet, csv));
    EXPECT_EQ(marks.find("", "", "right")->value, ReportScalar{std::int64_t{8}});
    EXPECT_EQ(marks.find("", "", "total")->value, ReportScalar{std::int64_t{15}});
    const ReportItem *wrong = marks.find("", "", "wrong_cells");
    EXPECT_EQ(keysOf(*wrong),
              (std::vector<std::string>{"day", "column", "written", "right_value"}));
    ASSERT_EQ(wrong->rows.size(), 7u);
    // Day 2: "70" is demand 60; 40 ordered: 184 - 88 = 96, 74 + 96 = 170.
    EXPECT_EQ(wrong->rows[0], (Row{std::int64_t{2}, "demand", "70", Currency::fromCount(60)}));
    EXPECT_EQ(wrong->rows[1],
              (Row{std::int64_t{2}, "cumulative_profit", "$1,234.50", Currency::fromCount(170)}));
    EXPECT_EQ(wrong->rows[2], (Row{std::int64_t{3}, "demand", Absent{}, Currency::fromCount(60)}));
}

}  // namespace
}  // namespace nv
